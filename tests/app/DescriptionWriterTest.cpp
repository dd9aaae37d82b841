// The program's two windows written as descriptions: read back into new
// windows they give the same components with the same published values, and
// the same window always gives the same text.
#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "ProgramFixture.h"
#include "app/CompetitorsDialog.h"
#include "app/ConsoleWindow.h"
#include "component/ClassInfo.h"
#include "component/Collection.h"
#include "component/Reader.h"
#include "component/Writer.h"

using namespace component;

namespace {

std::string ValueText(const TPropertyValue& v, const TComponent& root) {
  if (auto* i = std::get_if<std::int64_t>(&v)) return std::to_string(*i);
  if (auto* d = std::get_if<double>(&v)) {
    char buf[64];
    return std::string(buf, std::to_chars(buf, buf + sizeof buf, *d).ptr);
  }
  if (auto* s = std::get_if<std::string>(&v)) return DescriptionString(*s);
  if (auto* b = std::get_if<bool>(&v)) return *b ? "True" : "False";
  if (auto* bytes = std::get_if<TBytes>(&v)) return std::to_string(bytes->size()) + " bytes";
  if (auto* list = std::get_if<TStringValues>(&v)) {
    std::string text = "(";
    for (const std::string& s : *list) text += " " + DescriptionString(s);
    return text + " )";
  }
  if (auto* c = std::get_if<TComponent*>(&v)) {
    if (!*c) return "nil";
    if (*c == &root) return "<this window>";
    return ((*c)->Owner() == &root ? std::string("<this window>") : (*c)->Owner()->Name()) + "." +
           (*c)->Name();
  }
  if (auto* e = std::get_if<TEventValue>(&v))
    return e->method && e->root == &root ? e->method->Name() : "<none>";
  return "<no value>";
}

// Every published value of `object` that can be read, as "path = value",
// through sub-objects and collection items.
void Collect(const TPersistent& object, const std::string& path, const TComponent& root,
             std::vector<std::string>& out) {
  std::vector<const TClassInfo*> chain;
  for (const TClassInfo* c = &object.ClassInfo(); c; c = c->Parent())
    chain.insert(chain.begin(), c);
  std::set<std::string> seen;
  auto& self = const_cast<TPersistent&>(object);
  for (const TClassInfo* cls : chain) {
    for (const TPropertyInfo& own : cls->OwnProperties()) {
      if (!seen.insert(LowerCase(own.name)).second) continue;
      const TPropertyInfo& info = *object.ClassInfo().FindProperty(own.name);
      const std::string name = path + info.name;
      if (info.kind == TPropertyKind::Object) {
        if (const TPersistent* sub = info.object(self)) Collect(*sub, name + ".", root, out);
      } else if (info.kind == TPropertyKind::Collection) {
        const auto* c = dynamic_cast<const TCollection*>(info.object(self));
        out.push_back(name + ".Count = " + std::to_string(c ? c->Count() : -1));
        for (int i = 0; c && i < c->Count(); ++i)
          Collect(*c->Items(i), name + "[" + std::to_string(i) + "].", root, out);
      } else if (info.get) {
        out.push_back(name + " = " + ValueText(info.get(object), root));
      }
    }
  }
}

std::vector<std::string> Values(const TComponent& c, const TComponent& root) {
  std::vector<std::string> out;
  out.push_back("class " + c.ClassName());
  const TComponent* parent = c.GetParentComponent();
  out.push_back("parent " + (parent ? parent == &root ? "<this window>" : parent->Name() : "-"));
  Collect(c, "", root, out);
  return out;
}

// The values in which `copy` differs from `original`, "-" for the
// original's and "+" for the copy's; empty when they agree.
std::vector<std::string> Differences(const std::vector<std::string>& original,
                                     const std::vector<std::string>& copy) {
  std::vector<std::string> out;
  for (std::size_t i = 0; i < std::max(original.size(), copy.size()); ++i) {
    const std::string a = i < original.size() ? original[i] : "<missing>";
    const std::string b = i < copy.size() ? copy[i] : "<missing>";
    if (a != b) out.insert(out.end(), {"- " + a, "+ " + b});
  }
  return out;
}

// Compares two windows component by component and property by property.
void ExpectSameTree(const TComponent& original, const TComponent& copy) {
  EXPECT_EQ(Differences(Values(original, original), Values(copy, copy)),
            std::vector<std::string>{});
  ASSERT_EQ(copy.ComponentCount(), original.ComponentCount());
  for (int i = 0; i < original.ComponentCount(); ++i) {
    const TComponent& a = *original.Components(i);
    const TComponent& b = *copy.Components(i);
    ASSERT_EQ(b.Name(), a.Name()) << "component " << i;
    EXPECT_EQ(Differences(Values(a, original), Values(b, copy)), std::vector<std::string>{})
        << a.Name();
  }
}

}  // namespace

class DescriptionWriter : public Program {};

TEST_F(DescriptionWriter, TheConsoleReadsBackAsItWasWritten) {
  const std::string text = WriteDescription(*app::Main);
  EXPECT_EQ(WriteDescription(*app::Main), text);
  // The written form keeps to the stored order of the program's description.
  EXPECT_LT(text.find("object LcdLabel12: TLcdLabel"), text.find("object PixelImage1"));
  EXPECT_NE(text.find("    Bitmap.Data = {\n"), std::string::npos);
  EXPECT_NE(text.find("  OnCreate = FormCreate\n"), std::string::npos);

  auto copy = std::make_unique<app::TMain>(nullptr);
  ReadDescription(*copy, text, "Main.sdesc");
  // Client sizes come from the windows, which the running console has.
  copy->HandleNeeded();
  ExpectSameTree(*app::Main, *copy);
  EXPECT_EQ(WriteDescription(*copy), text);
}

TEST_F(DescriptionWriter, TheCompetitorsDialogReadsBackAsItWasWritten) {
  const std::string text = WriteDescription(*app::Competitors);
  EXPECT_EQ(WriteDescription(*app::Competitors), text);
  // The editors' data source lives on the console.
  EXPECT_NE(text.find("DataSource = Main.DS_Competitors\n"), std::string::npos);

  auto copy = std::make_unique<app::TCompetitors>(nullptr);
  ReadDescription(*copy, text, "Competitors.sdesc");
  ExpectSameTree(*app::Competitors, *copy);
  EXPECT_EQ(WriteDescription(*copy), text);
  // Neither the writer's new dialog nor the copy unhooks the working one.
  copy.reset();
  EXPECT_TRUE(static_cast<bool>(app::Main->Table_Competitors->AfterPost));
}

TEST_F(DescriptionWriter, EveryPropertyOfTheLcdLabelIsWritten) {
  const std::string text = WriteDescription(*app::Main);
  const std::size_t at = text.find("object lblTime: TLcdLabel");
  ASSERT_NE(at, std::string::npos);
  const std::string label = text.substr(at, text.find("  end\n", at) - at);
  for (const char* name :
       {"Color = clNavy", "TextColor = clLime", "TextAutoSize = False", "TextAutoSizeSpacing = 5",
        "TextHAlign = thaCenter", "TextVAlign = tvaCenter", "TextEllipsis = telNone",
        "TextPrefix = False", "TextSingleLine = True", "Caption = ", "Contrast = 0",
        "ShadowOn = False", "ShadowColor = clYellow", "ShadowCount = 1"})
    EXPECT_NE(label.find(std::string("    ") + name), std::string::npos) << name;
}
