// A saved table read back: the binary format, or with FUZZ_COMMA_TEXT the
// comma-separated one, into a table of every field kind (or, for the binary
// format, into a table without definitions that takes the saved ones). A
// refusal must be the engine's own error and leave the table as it was; what
// loads must read, and save and load again to the same bytes. For the
// binary format, control bit 4 puts the checksum right. Anything else,
// a crash or undefined behaviour is a finding.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "component/Exception.h"
#include "memtable/BinaryFormat.h"
#include "memtable/CommaTextFormat.h"
#include "memtable/MemTable.h"
#include "memtable/TestTables.h"
#include "platform/base/RegionalFormats.h"

namespace {

using namespace memtable;

void UseRegion(bool german) {
  static int current = -1;
  if (current == int(german)) return;
  current = german;
  ::setenv("LC_ALL", german ? "de_DE" : "en_US", 1);
  platform::ReloadUserRegionalFormats();
}

void ReadAll(TMemTable& t) {
  for (t.First(); !t.Eof(); t.Next())
    for (TField* f : t.Fields()) {
      try {
        (void)f->AsString();
        (void)f->AsVariant();
      } catch (const component::Exception&) {
        // a stored value the field reports as invalid
      }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const std::uint8_t control = data[0];
  UseRegion(control & 1);
  std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
#ifdef FUZZ_COMMA_TEXT
  TMemTableCommaTextFormat format;
  if (control & 2) format.SetSeparator(';');
  const bool blank = false;
#else
  TMemTableBinaryFormat format;
  const bool blank = control & 2;
  // The checksum refuses nearly every mutation; put it right so the checks
  // behind it are reached too.
  std::string fixed;
  if ((control & 4) && bytes.size() >= 4) {
    fixed.assign(bytes.substr(0, bytes.size() - 4));
    std::uint32_t crc = Crc32(fixed.data(), fixed.size());
    fixed.append(reinterpret_cast<const char*>(&crc), 4);
    bytes = fixed;
  }
#endif
  TMemTable table("Fuzz");
  if (!blank) {
    testing_tables::DefineKinds(table, true);
    table.Open();
    table.Append();
    table.FieldByName("S")->SetAsString("kept");
    table.Post();
  }
  const std::string before = table.SaveToString(&format);
  try {
    table.LoadFromString(bytes, &format);
  } catch (const EMemTableFormatError&) {
    if (table.SaveToString(&format) != before) std::abort();  // the table changed
    return 0;
  } catch (const component::Exception&) {
    return 0;  // the engine's own refusal of a definition it cannot open
  }
  ReadAll(table);
  std::string saved;
  try {
    saved = table.SaveToString(&format);
  } catch (const EMemTableFormatError&) {
    return 0;  // a value the text format has no form for (an impossible date)
  }
  TMemTable again("Again");
  if (!blank) {
    testing_tables::DefineKinds(again, true);
    again.Open();
  }
  again.LoadFromString(saved, &format);
  if (again.SaveToString(&format) != saved) std::abort();
  return 0;
}
