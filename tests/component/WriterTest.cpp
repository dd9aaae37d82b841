// Writing stored descriptions: how each kind of value is spelt, which
// properties are left out, and that the reader takes back what was written.
#include "component/Writer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>

#include "component/ClassBuilder.h"
#include "component/Exception.h"
#include "component/Reader.h"

using namespace component;

namespace writertest {

enum TShade { shNone, shLight, shDark };
const TEnumInfo& EnumInfo(TShade) {
  static const TEnumInfo info("TShade", {"shNone", "shLight", "shDark"});
  return info;
}
enum TMark { mkA, mkB, mkC };
const TEnumInfo& EnumInfo(TMark) {
  static const TEnumInfo info("TMark", {"mkA", "mkB", "mkC"});
  return info;
}
using TMarks = TSet<TMark>;
const TIdentMap& Colors() {
  static const TIdentMap map{{"clRed", 255}, {"clNone", 0x1FFFFFFF}};
  return map;
}

class TWFont : public TPersistent {
 public:
  COMPONENT_CLASS_INFO()
  std::string name = "Arial";
  int size = 8;
  TMarks marks;
};

const TClassInfo& TWFont::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TWFont, TPersistent>("TWFont")
                                     .Field("Name", &TWFont::name)
                                     .Field("Size", &TWFont::size)
                                     .Field("Marks", &TWFont::marks)
                                     .Build();
  return info;
}

class TWItem : public TCollectionItem {
 public:
  COMPONENT_CLASS_INFO()
  explicit TWItem(TCollection* c) : TCollectionItem(c) {}
  std::string label;
  int weight = 1;
};

const TClassInfo& TWItem::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TWItem, TCollectionItem>("TWItem")
                                     .Field("Label", &TWItem::label)
                                     .Field("Weight", &TWItem::weight)
                                     .Build();
  return info;
}

class TWSample : public TComponent {
 public:
  COMPONENT_CLASS_INFO()
  explicit TWSample(TComponent* owner) : TComponent(owner) { presets.Add()->label = "first"; }
  ~TWSample() override {
    if (buddy) buddy->RemoveFreeNotification(this);
  }

  std::int32_t color = 0;
  std::int64_t wide = 0;
  double scale = 1;
  float ratio = 0.5f;
  std::string text;
  bool flag = false;
  TShade shade = shNone;
  TMarks marks{mkA};
  TBytes blob;
  TStringValues lines;
  TWFont font;
  TOwnedCollection<TWItem> items{this};
  TOwnedCollection<TWItem> presets{this};
  bool secret = false;  // never written
  int always = 3;       // written whatever its value
  TBytes extra;         // written by the class's own hook
  std::function<void(TObject*)> OnPing;

  TWFont* Font() { return &font; }
  TOwnedCollection<TWItem>* Items() { return &items; }
  TOwnedCollection<TWItem>* Presets() { return &presets; }
  TWSample* Buddy() const { return buddy; }
  void SetBuddy(TWSample* c) {
    if (buddy) buddy->RemoveFreeNotification(this);
    buddy = c;
    if (c) c->FreeNotification(this);
  }

  // Nesting: a sample placed inside another.
  TComponent* parent = nullptr;
  void SetParentComponent(TComponent* p) override { parent = p; }
  TComponent* GetParentComponent() const override { return parent; }
  bool HasParent() const override { return true; }

 protected:
  void Notification(TComponent* c, TOperation op) override {
    if (op == opRemove && c == buddy) buddy = nullptr;
    if (op == opRemove && c == parent) parent = nullptr;
  }

 private:
  TWSample* buddy = nullptr;
};

const TClassInfo& TWSample::StaticClassInfo() {
  using T = TWSample;
  static const TClassInfo info =
      TClassBuilder<T, TComponent>("TWSample")
          .Field("Color", &T::color, Colors())
          .Field("Wide", &T::wide)
          .Field("Scale", &T::scale)
          .Field("Ratio", &T::ratio)
          .Field("Text", &T::text)
          .Field("Flag", &T::flag)
          .Field("Shade", &T::shade)
          .Field("Marks", &T::marks)
          .Field("Blob", &T::blob)
          .Field("Lines", &T::lines)
          .Property("Font", &T::Font)
          .Property("Items", &T::Items)
          .Property("Presets", &T::Presets)
          .Property("Buddy", &T::Buddy, &T::SetBuddy)
          .Field("Secret", &T::secret)
          .Stored([](const T&) { return false; })
          .Field("Always", &T::always)
          .NoDefault()
          .Custom("Extra", TPropertyKind::Binary,
                  [](T& t, const TPropertyValue& v) { t.extra = std::get<TBytes>(v); })
          .Event("OnPing", &T::OnPing)
          .DefineProperties([](const T& t, const T*, TPropertyFiler& filer) {
            if (!t.extra.empty()) filer.Write("Extra", TPropertyKind::Binary, t.extra);
          })
          .Build();
  return info;
}

class TWForm : public TWSample {
 public:
  COMPONENT_CLASS_INFO()
  using TWSample::TWSample;
  void Ping(TObject*) {}
};

const TClassInfo& TWForm::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TWForm, TWSample>("TWForm").Method("Ping", &TWForm::Ping).Build();
  return info;
}

}  // namespace writertest

using namespace writertest;

namespace {

class WriterTest : public ::testing::Test {
 protected:
  void SetUp() override { RegisterClasses<TWSample, TWForm>(); }

  // The properties written for `form` alone, one line each, without the
  // object's opening and closing lines and the always-written Always.
  static std::string Body(const TWForm& form) {
    std::string text = WriteDescription(form);
    const std::size_t first = text.find('\n') + 1;
    std::string body = text.substr(first, text.rfind("end\n") - first);
    const std::string always = "  Always = " + std::to_string(form.always) + "\n";
    if (const std::size_t at = body.find(always); at != std::string::npos)
      body.erase(at, always.size());
    return body;
  }

  // Writes `form`, reads the text into a new form and writes that again.
  static std::string RoundTrip(const TWForm& form, TWForm& copy) {
    const std::string text = WriteDescription(form);
    ReadDescription(copy, text, "Written.sdesc");
    EXPECT_EQ(WriteDescription(copy), text);
    return text;
  }
};

TEST_F(WriterTest, StringsQuoteWhatIsPrintableAndSpellOutTheRest) {
  EXPECT_EQ(DescriptionString(""), "''");
  EXPECT_EQ(DescriptionString("Race 'VI'"), "'Race ''VI'''");
  EXPECT_EQ(DescriptionString("'"), "''''");
  EXPECT_EQ(DescriptionString("a\r\nb"), "'a'#13#10'b'");
  EXPECT_EQ(DescriptionString(std::string("\0\t", 2)), "#0#9");
  EXPECT_EQ(DescriptionString("M\xFCller \x80 5"), "'M'#252'ller '#128' 5'");
  EXPECT_EQ(DescriptionString("\x7F~"), "#127'~'");
}

TEST_F(WriterTest, LongStringsAreCutIntoJoinedPieces) {
  TWForm form(nullptr);
  form.text = std::string(64, 'a') + std::string(64, 'b') + "c'";
  EXPECT_EQ(Body(form), "  Text = '" + std::string(64, 'a') + "' +\n    '" + std::string(64, 'b') +
                            "' +\n    'c'''\n");
  TWForm copy(nullptr);
  RoundTrip(form, copy);
  EXPECT_EQ(copy.text, form.text);
}

TEST_F(WriterTest, EveryByteOfAStringReadsBack) {
  TWForm form(nullptr);
  for (int c = 0; c < 256; ++c) form.text += static_cast<char>(c);
  form.lines = {"", "'", std::string(1, '\0'), "tab\there", std::string(200, '\xE9')};
  TWForm copy(nullptr);
  const std::string text = RoundTrip(form, copy);
  EXPECT_EQ(copy.text, form.text);
  EXPECT_EQ(copy.lines, form.lines);
  for (char c : text) {  // the text itself stays printable ASCII
    const auto u = static_cast<unsigned char>(c);
    EXPECT_TRUE(c == '\n' || (u >= 32 && u <= 126)) << int(u);
  }
}

TEST_F(WriterTest, NumbersKeepTheirExactValue) {
  TWForm form(nullptr);
  form.color = 255;  // a named constant
  form.wide = std::numeric_limits<std::int64_t>::min();
  form.scale = 0.1;
  form.ratio = 0.1f;
  form.always = -7;
  EXPECT_EQ(Body(form),
            "  Color = clRed\n"
            "  Wide = -9223372036854775808\n"
            "  Scale = 0.1\n"
            "  Ratio = 0.1\n");
  TWForm copy(nullptr);
  RoundTrip(form, copy);
  EXPECT_EQ(copy.wide, form.wide);
  EXPECT_EQ(copy.always, -7);

  for (double d : {1e300, -2.5e-300, 1.0 / 3, 123456789.0, 5e-324, -0.0}) {
    TWForm f(nullptr), c(nullptr);
    f.scale = d;
    RoundTrip(f, c);
    EXPECT_EQ(c.scale, d);
    EXPECT_EQ(std::signbit(c.scale), std::signbit(d));
  }
  for (float x : {3.4028235e38f, 1e-45f, 16777217.0f, -1.5f}) {
    TWForm f(nullptr), c(nullptr);
    f.ratio = x;
    RoundTrip(f, c);
    EXPECT_EQ(c.ratio, x);
  }
  TWForm g(nullptr);
  g.wide = std::numeric_limits<std::int64_t>::max();
  g.color = 0x1FFFFFFF;
  EXPECT_EQ(Body(g), "  Color = clNone\n  Wide = 9223372036854775807\n");
}

TEST_F(WriterTest, ValuesTheFormatCannotHoldAreRefused) {
  TWForm form(nullptr);
  form.scale = std::numeric_limits<double>::quiet_NaN();
  EXPECT_THROW(WriteDescription(form), EWriteError);
  form.scale = -std::numeric_limits<double>::infinity();
  EXPECT_THROW(WriteDescription(form), EWriteError);
  form.scale = 1;
  form.shade = static_cast<TShade>(3);
  EXPECT_THROW(WriteDescription(form), EWriteError);
  form.shade = shNone;
  form.marks = TMarks::FromMask(1u << 5);
  EXPECT_THROW(WriteDescription(form), EWriteError);
  form.marks = {};
  form.SetBuddy(new TWSample(&form));  // owned, but without a name
  EXPECT_THROW(WriteDescription(form), EWriteError);
}

TEST_F(WriterTest, EnumerationsAndSetsByName) {
  TWForm form(nullptr);
  form.flag = true;
  form.shade = shDark;
  form.marks = {mkC, mkA};
  form.font.marks = {mkB};
  EXPECT_EQ(Body(form),
            "  Flag = True\n"
            "  Shade = shDark\n"
            "  Marks = [mkA, mkC]\n"
            "  Font.Marks = [mkB]\n");
  form.marks = {};  // differs from the default [mkA]
  EXPECT_EQ(Body(form), "  Flag = True\n  Shade = shDark\n  Marks = []\n  Font.Marks = [mkB]\n");
  TWForm copy(nullptr);
  RoundTrip(form, copy);
  EXPECT_TRUE(copy.marks.Empty());
  EXPECT_EQ(copy.font.marks, TMarks{mkB});
}

TEST_F(WriterTest, BinaryBlocksAreHexInLinesOf32Bytes) {
  TWForm form(nullptr);
  for (int i = 0; i < 33; ++i) form.blob.push_back(static_cast<std::uint8_t>(i * 8));
  EXPECT_EQ(Body(form),
            "  Blob = {\n"
            "    0008101820283038404850586068707880889098A0A8B0B8C0C8D0D8E0E8F0F8\n"
            "    00}\n");
  form.blob[32] = 0xFF;
  TWForm copy(nullptr);
  RoundTrip(form, copy);
  EXPECT_EQ(copy.blob, form.blob);
}

TEST_F(WriterTest, CollectionsListTheirItemsAgainstANewItem) {
  TWForm form(nullptr);
  form.items.Add()->label = "one";
  TWItem* two = form.items.Add();
  two->weight = 5;
  form.presets.Clear();  // the default object has one preset
  EXPECT_EQ(Body(form),
            "  Items = <\n"
            "    item\n"
            "      Label = 'one'\n"
            "    end\n"
            "    item\n"
            "      Weight = 5\n"
            "    end>\n"
            "  Presets = <>\n");
  TWForm copy(nullptr);
  RoundTrip(form, copy);
  ASSERT_EQ(copy.items.Count(), 2);
  EXPECT_EQ(copy.items.Items(0)->label, "one");
  EXPECT_EQ(copy.items.Items(1)->weight, 5);
  EXPECT_EQ(copy.presets.Count(), 0);
}

TEST_F(WriterTest, StoredNoDefaultAndTheClassHookDecideWhatIsWritten) {
  TWForm form(nullptr);
  form.secret = true;
  form.extra = {0xAB};
  EXPECT_EQ(WriteDescription(form),
            "object TWForm\n"
            "  Always = 3\n"
            "  Extra = {\n"
            "    AB}\n"
            "end\n");
  TWForm copy(nullptr);
  RoundTrip(form, copy);
  EXPECT_FALSE(copy.secret);
  EXPECT_EQ(copy.extra, form.extra);
}

TEST_F(WriterTest, ReferencesAndHandlersByName) {
  TWForm other(nullptr);
  other.SetName("Other");
  auto* far = new TWSample(&other);
  far->SetName("Far");

  TWForm form(nullptr);
  form.SetName("Main");
  auto* near = new TWSample(&form);
  near->SetName("Near");
  auto* self = new TWSample(&form);
  self->SetName("Self");
  near->SetBuddy(far);
  self->SetBuddy(&form);
  form.SetBuddy(self);
  // Bound from a description: written. Assigned by code: left out.
  ReadDescription(form, "object Main: TWForm\n  OnPing = Ping\nend\n", "Main.sdesc");
  near->OnPing = [](TObject*) {};

  const std::string text = WriteDescription(form);
  EXPECT_EQ(text,
            "object Main: TWForm\n"
            "  Buddy = Self\n"
            "  Always = 3\n"
            "  OnPing = Ping\n"
            "  object Near: TWSample\n"
            "    Buddy = Other.Far\n"
            "    Always = 3\n"
            "  end\n"
            "  object Self: TWSample\n"
            "    Buddy = Main\n"
            "    Always = 3\n"
            "  end\n"
            "end\n");
  TWForm copy(nullptr);
  ReadDescription(copy, text, "Main.sdesc", [&](std::string_view name) -> TComponent* {
    return name == "Other" ? &other : nullptr;
  });
  EXPECT_EQ(WriteDescription(copy), text);
  EXPECT_EQ(dynamic_cast<TWSample*>(copy.FindComponent("Near"))->Buddy(), far);
  EXPECT_TRUE(static_cast<bool>(copy.OnPing));
}

TEST_F(WriterTest, NestedObjectsFollowTheirParentsInOwnerOrder) {
  TWForm form(nullptr);
  const std::string text =
      "object Main: TWForm\n"
      "  Always = 3\n"
      "  object A: TWSample\n"
      "    Always = 3\n"
      "    object A1: TWSample\n"
      "      Always = 3\n"
      "    end\n"
      "    object TWSample\n"
      "      Text = 'nameless'\n"
      "      Always = 3\n"
      "    end\n"
      "  end\n"
      "  object B: TWSample\n"
      "    Always = 3\n"
      "  end\n"
      "end\n";
  ReadDescription(form, text, "Main.sdesc");
  EXPECT_EQ(WriteDescription(form), text);
}

}  // namespace
