// The published properties of the save formats, so that a stored description
// can hold a format and name it as a table's DefaultFormat, PersistentFormat
// or FormFormat.
#include "component/ClassBuilder.h"
#include "memtable/BinaryFormat.h"
#include "memtable/CommaTextFormat.h"

namespace memtable {

using namespace component;

namespace {

const TEnumInfo& FormatOptionInfo() {
  static const TEnumInfo info(
      "TMemTableFormatOption",
      {"mtfoDefinitions", "mtfoData", "mtfoIndexes", "mtfoOnlyChanged", "mtfoOnlyVisible"});
  return info;
}

}  // namespace

const TClassInfo& TMemTableStreamFormat::StaticClassInfo() {
  using T = TMemTableStreamFormat;
  static const TClassInfo info =
      TClassBuilder<T, TComponent>("TMemTableStreamFormat")
          .Custom(
              "Options", TPropertyKind::Set,
              [](T& t, const TPropertyValue& v) {
                t.SetOptions(static_cast<std::uint32_t>(std::get<std::int64_t>(v)));
              },
              &FormatOptionInfo())
          .Getter([](const T& t) { return TPropertyValue(std::int64_t{t.Options()}); })
          .Build();
  return info;
}

const TClassInfo& TMemTableBinaryFormat::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TMemTableBinaryFormat, TMemTableStreamFormat>("TMemTableBinaryFormat").Build();
  return info;
}

const TClassInfo& TMemTableCommaTextFormat::StaticClassInfo() {
  using T = TMemTableCommaTextFormat;
  static const TClassInfo info =
      TClassBuilder<T, TMemTableStreamFormat>("TMemTableCommaTextFormat")
          .Custom(
              "Separator", TPropertyKind::String,
              [](T& t, const TPropertyValue& v) {
                const auto& text = std::get<std::string>(v);
                if (text.size() != 1)
                  throw EMemTableError("The separator must be one character, not '" + text + "'");
                t.SetSeparator(text[0]);
              })
          .Getter([](const T& t) { return TPropertyValue(std::string(1, t.Separator())); })
          .Build();
  return info;
}

}  // namespace memtable
