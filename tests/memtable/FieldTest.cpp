// Field value access, conversion and the field-level checks.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "TestTables.h"
#include "memtable/DateTimeField.h"
#include "memtable/IntegerField.h"
#include "platform/base/DateTime.h"

using namespace testing_tables;

namespace {
struct AllTypes : ::testing::Test {
  TMemTable t{"All"};
  void SetUp() override {
    TFieldDefs& d = t.FieldDefs();
    d.Add("S", ftString, 50);
    d.Add("I", ftInteger);
    d.Add("L", ftLargeint);
    d.Add("D", ftDate);
    d.Add("T", ftTime);
    d.Add("DT", ftDateTime);
    d.Add("SI", ftSmallint);
    d.Add("W", ftWord);
    d.Add("B", ftBoolean);
    d.Add("F", ftFloat);
    d.Add("C", ftCurrency);
    d.Add("WS", ftWideString, 10);
    d.Add("FC", ftFixedChar, 4);
    t.Open();
    t.Append();
  }
  TField* F(const char* n) { return t.FieldByName(n); }
};

platform::TDateTime At(int y, int mo, int d, int h, int mi) {
  platform::TDateTime date, time;
  EXPECT_TRUE(platform::TryEncodeDate(y, mo, d, date));
  EXPECT_TRUE(platform::TryEncodeTime(h, mi, 0, 0, time));
  return date + time;
}
}  // namespace

TEST_F(AllTypes, WriteOutsideEditStateFailsAndChangesNothing) {
  F("S")->SetAsString("x");
  t.Post();
  try {
    F("S")->SetAsString("y");
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_STREQ(e.what(), "All: Dataset is not in edit mode.");
  }
  EXPECT_EQ(F("S")->AsString(), "x");
}

TEST_F(AllTypes, StringTruncationAndEmptyText) {
  F("S")->SetAsString(std::string(60, 'a'));
  EXPECT_EQ(F("S")->AsString(), std::string(50, 'a'));
  F("S")->SetAsString("");
  EXPECT_FALSE(F("S")->IsNull());
  EXPECT_EQ(F("S")->AsString(), "");
  F("S")->SetAsString(std::string("ab\0cd", 5));
  EXPECT_EQ(F("S")->AsString(), "ab");
  F("FC")->SetAsString("abcdef");
  EXPECT_EQ(F("FC")->AsString(), "abcd");
  F("S")->SetAsInteger(42);
  EXPECT_EQ(F("S")->AsInteger(), 42);
}

TEST_F(AllTypes, TextEndsAtItsFirstNulWhereverItFalls) {
  // Bytes with the high bit set or just above zero are no end of text; a NUL
  // at any place, in a word or across words, is, and past it the value is
  // padded with NULs.
  const std::string body = std::string(
                               "\x80\x01\xff"
                               "b\x7f\x81\x02"
                               "cdefghijklmnopqrstuvwxyz") +
                           std::string(30, '\xfe');
  for (std::size_t len : {0u, 1u, 7u, 8u, 9u, 15u, 16u, 17u, 49u, 50u, 51u, 60u}) {
    for (std::size_t nul = 0; nul <= len; ++nul) {
      std::string text = body.substr(0, len);
      if (nul < len) text[nul] = '\0';
      F("S")->SetAsString(text);
      const std::string want = body.substr(0, std::min<std::size_t>({nul, len, 50}));
      ASSERT_EQ(F("S")->AsString(), want) << "length " << len << ", NUL at " << nul;
      std::vector<char> native(F("S")->DataSize(), 'q');
      ASSERT_TRUE(F("S")->GetData(native.data()));
      ASSERT_EQ(std::count(native.begin() + want.size(), native.end(), '\0'),
                F("S")->DataSize() - int(want.size()))
          << "length " << len << ", NUL at " << nul;
    }
  }
}

TEST_F(AllTypes, IntegerTextConversion) {
  F("I")->SetAsString("");
  EXPECT_TRUE(F("I")->IsNull());
  EXPECT_EQ(F("I")->AsInteger(), 0);
  EXPECT_EQ(F("I")->AsString(), "");
  F("I")->SetAsString("-17");
  EXPECT_EQ(F("I")->AsInteger(), -17);
  F("I")->SetAsInteger(7);
  try {
    F("I")->SetAsString("12a");
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_STREQ(e.what(), "'12a' is not a valid integer value for field 'I'");
  }
  EXPECT_EQ(F("I")->AsInteger(), 7);
}

TEST_F(AllTypes, RangeChecks) {
  auto* i = static_cast<TIntegerField*>(F("I"));
  i->SetMinValue(1);
  i->SetMaxValue(10);
  try {
    i->SetAsInteger(11);
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_STREQ(e.what(), "11 is not a valid value for field 'I'. The allowed range is 1 to 10");
  }
  EXPECT_TRUE(i->IsNull());
  try {
    F("I")->SetAsLargeInt(4294967296LL);
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_STREQ(e.what(),
                 "4294967296 is not a valid value for field 'I'. The allowed range is 1 to 10");
  }
  EXPECT_THROW(F("SI")->SetAsInteger(40000), EDatabaseError);
  EXPECT_THROW(F("W")->SetAsInteger(-1), EDatabaseError);
  F("W")->SetAsInteger(65535);
  EXPECT_EQ(F("W")->AsInteger(), 65535);
}

TEST_F(AllTypes, LargeintReadsItsLow32Bits) {
  F("L")->SetAsLargeInt(4294967301LL);
  EXPECT_EQ(F("L")->AsInteger(), 5);
  EXPECT_EQ(F("L")->AsString(), "4294967301");
}

TEST_F(AllTypes, DateAndTimeKeepTheirParts) {
  platform::TDateTime v = At(2004, 5, 6, 18, 30);
  F("D")->SetAsDateTime(v);
  F("T")->SetAsDateTime(v);
  F("DT")->SetAsDateTime(v);
  EXPECT_DOUBLE_EQ(F("D")->AsDateTime(), At(2004, 5, 6, 0, 0));
  EXPECT_DOUBLE_EQ(F("T")->AsDateTime(), At(1899, 12, 30, 18, 30));
  EXPECT_NEAR(F("DT")->AsDateTime(), v, 1e-9);
  // Before 1899-12-30 the time still counts forward within the day.
  F("DT")->SetAsDateTime(-1.25);
  EXPECT_NEAR(F("DT")->AsDateTime(), -1.25, 1e-9);
  F("D")->Clear();
  EXPECT_EQ(F("D")->AsDateTime(), 0);
  // Native forms: the day number counted from 0001-01-01 and milliseconds.
  // Both native forms are 8 bytes wide, the value in the first 4.
  std::int32_t day[2], ms[2];
  F("D")->SetAsDateTime(v);
  F("D")->GetData(day);
  F("T")->GetData(ms);
  EXPECT_EQ(day[0], 693594 + 38113);
  EXPECT_EQ(ms[0], (18 * 60 + 30) * 60000);
}

TEST_F(AllTypes, AccessorsTheClassDoesNotServe) {
  try {
    F("I")->AsDateTime();
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_STREQ(e.what(), "Cannot access field 'I' as type DateTime");
  }
  EXPECT_THROW(F("D")->SetAsInteger(1), EDatabaseError);
}

TEST_F(AllTypes, OtherTypesRoundTrip) {
  F("B")->SetAsString("true");
  EXPECT_TRUE(F("B")->AsBoolean());
  EXPECT_EQ(F("B")->AsString(), "True");
  EXPECT_THROW(F("B")->SetAsString("maybe"), EDatabaseError);
  F("F")->SetAsString("2.5");
  EXPECT_DOUBLE_EQ(F("F")->AsFloat(), 2.5);
  F("C")->SetAsFloat(3.1);
  EXPECT_EQ(F("C")->DisplayText(), "3.10");
  static_cast<TWideStringField*>(F("WS"))->SetAsWideString(u"\u00e9t\u00e9 long text");
  EXPECT_EQ(static_cast<TWideStringField*>(F("WS"))->AsWideString(), u"\u00e9t\u00e9 long t");
  EXPECT_EQ(F("WS")->AsVariant(), TVariant(std::u16string(u"\u00e9t\u00e9 long t")));
  F("SI")->SetAsString("-5");
  EXPECT_EQ(F("SI")->AsInteger(), -5);
}

TEST_F(AllTypes, DisplayFormatsAndTextEvents) {
  auto* i = static_cast<TIntegerField*>(F("I"));
  i->SetAsInteger(1234567);
  i->SetDisplayFormat("#,##0");
  EXPECT_EQ(i->DisplayText(), "1,234,567");
  EXPECT_EQ(i->Text(), "1,234,567");
  i->SetEditFormat("0");
  EXPECT_EQ(i->Text(), "1234567");
  F("S")->OnGetText = [](TField*, std::string& text, bool display) {
    text = display ? "shown" : "edited";
  };
  EXPECT_EQ(F("S")->DisplayText(), "shown");
  EXPECT_EQ(F("S")->Text(), "edited");
}

TEST_F(AllTypes, ValidateSeesThePendingValue) {
  std::string seen;
  F("S")->SetAsString("old");
  F("S")->OnValidate = [&](TField* f) {
    seen = f->AsString();
    if (seen == "bad") throw EDatabaseError("rejected");
  };
  F("S")->SetAsString("new");
  EXPECT_EQ(seen, "new");
  EXPECT_THROW(F("S")->SetAsString("bad"), EDatabaseError);
  EXPECT_EQ(F("S")->AsString(), "new");
}

TEST(FieldChecks, ReadOnlyFieldAndFieldWithoutDataset) {
  TMemTable t;
  DefinePeople(t);
  t.FieldByName("Name")->SetReadOnly(true);
  t.Append();
  try {
    t.FieldByName("Name")->SetAsString("x");
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_STREQ(e.what(), "Field Name is read only");
  }
  t.Cancel();
  auto loose = CreateFieldForType(ftInteger, 0, "Loose");
  try {
    loose->AsInteger();
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_STREQ(e.what(), "Field 'Loose' has no dataset");
  }
  auto looseText = CreateFieldForType(ftString, 10, "LooseText");
  try {
    looseText->SetAsString("x");
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_STREQ(e.what(), "Field 'LooseText' has no dataset");
  }
}

TEST(FieldChecks, DefinitionAttributesShapeTheFields) {
  TMemTable t;
  t.FieldDefs().Add("A", ftInteger).SetAttributes(faReadonly | faRequired);
  t.FieldDefs().Add("H", ftInteger).SetAttributes(faHiddenCol);
  t.FieldDefs().Add("K", ftAutoInc);
  t.Open();
  EXPECT_EQ(t.FieldCount(), 2);
  EXPECT_TRUE(t.FieldByName("A")->ReadOnly());
  EXPECT_TRUE(t.FieldByName("A")->Required());
  EXPECT_FALSE(t.FieldByName("K")->ReadOnly());
  EXPECT_EQ(t.FindField("H"), nullptr);
}

TEST_F(AllTypes, TextWritesLeaveNoTrailingBytesAndEditsKeepOtherRecords) {
  // A shorter text over a longer one: the native value is NUL-padded, so the
  // raw bytes show nothing of the old text.
  F("S")->SetAsString("abcdefgh");
  F("S")->SetAsString(std::string("xy\0zz", 5));
  std::vector<char> native(F("S")->DataSize(), 'q');
  ASSERT_TRUE(F("S")->GetData(native.data()));
  EXPECT_EQ(std::string(native.data(), 2), "xy");
  EXPECT_EQ(std::count(native.begin() + 2, native.end(), '\0'), F("S")->DataSize() - 2);
  F("FC")->SetAsString("abcdef");
  EXPECT_EQ(F("FC")->AsString(), "abcd");
  t.Post();
  t.Append();
  F("S")->SetAsString("second");
  t.Post();
  // Editing the first record changes it alone; a cancelled edit changes nothing.
  int changes = 0;
  F("S")->OnChange = [&](TField*) { ++changes; };
  t.First();
  t.Edit();
  F("S")->SetAsString("first");
  EXPECT_TRUE(t.Modified());
  t.Post();
  t.Next();
  t.Edit();
  F("S")->SetAsString("dropped");
  t.Cancel();
  EXPECT_EQ(changes, 2);
  std::vector<std::string> seen;
  for (t.First(); !t.Eof(); t.Next()) seen.push_back(F("S")->AsString());
  EXPECT_EQ(seen, (std::vector<std::string>{"first", "second"}));
}

TEST(FieldChecks, StoredTextsOfEveryLengthReadBackWhole) {
  // Short texts are measured a byte at a time and long ones in blocks: the
  // lengths either side of that change, and a field filled to its width.
  for (int width : {1, 14, 15, 16, 17, 40}) {
    TMemTable t("T");
    t.FieldDefs().Add("S", ftString, width);
    t.Open();
    std::vector<std::string> written;
    for (int n = 0; n <= width; ++n) {
      std::string text;
      for (int i = 0; i < n; ++i) text += char('a' + (n + i) % 26);
      t.Append();
      t.FieldByName("S")->SetAsString(text);
      t.Post();
      written.push_back(text);
    }
    std::vector<std::string> read;
    for (t.First(); !t.Eof(); t.Next()) read.push_back(t.FieldByName("S")->AsString());
    EXPECT_EQ(read, written) << "width " << width;
  }
}
