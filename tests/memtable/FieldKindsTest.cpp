// The decimal, byte, GUID, time-stamp, blob and structured field kinds: their
// conversions, their stored forms, bad input, and search on them.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "TestTables.h"
#include "memtable/BcdField.h"
#include "memtable/BlobField.h"
#include "memtable/BytesField.h"
#include "memtable/DateTimeField.h"
#include "memtable/GuidField.h"
#include "memtable/TimeStampField.h"
#include "platform/base/DateTime.h"

using namespace testing_tables;

namespace {

struct Kinds : ::testing::Test {
  TMemTable t{"K"};
  void Define(TMemTablePerformance performance = mtpfFast) {
    TFieldDefs& d = t.FieldDefs();
    d.Add("ID", ftAutoInc, 0, true);
    d.Add("Amount", ftBCD, 2).SetPrecision(8);
    d.Add("Big", ftFMTBcd, 6).SetPrecision(30);
    d.Add("Raw", ftBytes, 4);
    d.Add("Var", ftVarBytes, 20);
    d.Add("G", ftGuid);
    d.Add("TS", ftTimeStamp);
    d.Add("Blob", ftBlob);
    d.Add("Memo", ftMemo);
    d.Add("Pic", ftGraphic);
    d.Add("After", ftInteger);
    t.SetPerformance(performance);
  }
  void SetUp() override {
    Define();
    t.Open();
    t.Append();
  }
  TField* F(const char* n) { return t.FieldByName(n); }
  template <class T>
  T* As(const char* n) {
    return dynamic_cast<T*>(F(n));
  }
  template <class Fn>
  std::string Error(Fn fn) {
    try {
      fn();
    } catch (const EDatabaseError& e) {
      return e.Message();
    }
    return "(no error)";
  }
};

platform::TDateTime At(int y, int mo, int d, int h, int mi, int s, int ms) {
  platform::TDateTime date, time;
  EXPECT_TRUE(platform::TryEncodeDate(y, mo, d, date));
  EXPECT_TRUE(platform::TryEncodeTime(h, mi, s, ms, time));
  return date + time;
}

std::int64_t Millis(platform::TDateTime v) {
  return std::llround(v * 86400000.0);
}

const std::string kGuid = "{0F1E2D3C-4B5A-6978-8796-A5B4C3D2E1F0}";

}  // namespace

TEST_F(Kinds, EveryKindHasItsOwnClass) {
  EXPECT_NE(As<TBCDField>("Amount"), nullptr);
  EXPECT_NE(As<TFMTBCDField>("Big"), nullptr);
  EXPECT_NE(As<TBytesField>("Raw"), nullptr);
  EXPECT_NE(As<TVarBytesField>("Var"), nullptr);
  EXPECT_NE(As<TGuidField>("G"), nullptr);
  EXPECT_NE(As<TSQLTimeStampField>("TS"), nullptr);
  EXPECT_NE(As<TBlobField>("Blob"), nullptr);
  EXPECT_NE(As<TMemoField>("Memo"), nullptr);
  EXPECT_NE(As<TGraphicField>("Pic"), nullptr);
  for (TFieldType type : {ftParadoxOle, ftDBaseOle, ftTypedBinary, ftOraBlob, ftOraClob, ftFmtMemo})
    EXPECT_NE(dynamic_cast<TBlobField*>(CreateFieldForType(type, 0, "X").get()), nullptr);
  EXPECT_EQ(As<TBCDField>("Amount")->Precision(), 8);
  EXPECT_EQ(As<TBCDField>("Big")->Precision(), 30);
}

TEST_F(Kinds, DecimalConversionsRoundToTheFieldsPlaces) {
  TField* a = F("Amount");
  a->SetAsString("123.456");
  EXPECT_EQ(a->AsString(), "123.46");
  EXPECT_EQ(As<TBCDField>("Amount")->AsCurrency(), 1234600);
  EXPECT_DOUBLE_EQ(a->AsFloat(), 123.46);
  EXPECT_EQ(a->AsInteger(), 123);
  a->SetAsString("-0.005");
  EXPECT_EQ(a->AsString(), "-0.01");
  a->SetAsString("-0.004");
  EXPECT_EQ(a->AsString(), "0");
  a->SetAsFloat(-2.5);
  EXPECT_EQ(a->AsLargeInt(), -3);  // half away from zero
  a->SetAsInteger(999999);
  EXPECT_EQ(a->AsString(), "999999");
  As<TBCDField>("Amount")->SetAsCurrency(-15000);
  EXPECT_EQ(a->AsString(), "-1.5");
  a->SetAsVariant(TVariant(std::string("7.25")));
  EXPECT_DOUBLE_EQ(a->AsVariant().AsDouble(), 7.25);
  a->SetAsString("");
  EXPECT_TRUE(a->IsNull());
  // Thirty digits survive exactly, beyond what a float or currency holds.
  F("Big")->SetAsString("123456789012345678901234.567891");
  EXPECT_EQ(F("Big")->AsString(), "123456789012345678901234.567891");
  EXPECT_EQ(Error([&] { F("Big")->AsLargeInt(); }),
            "123456789012345678901234.567891 is not a valid value for field 'Big'. The allowed "
            "range is -9223372036854775808 to 9223372036854775807");
}

TEST_F(Kinds, DecimalStoredFormIsDigitCountSignScaleAndPackedDigits) {
  F("Amount")->SetAsString("-1234.5");
  std::uint8_t native[kBcdSize];
  ASSERT_TRUE(F("Amount")->GetData(native));
  EXPECT_EQ(native[0], 8);
  EXPECT_EQ(native[1], 0x80 | 2);
  const std::uint8_t digits[] = {0x00, 0x12, 0x34, 0x50};  // 00123450
  EXPECT_EQ(std::memcmp(native + 2, digits, sizeof digits), 0);
  for (int i = 6; i < kBcdSize; ++i) EXPECT_EQ(native[i], 0) << i;
  // A corrupted digit is reported, not read as some other number.
  native[3] = 0xAB;
  F("Amount")->SetData(native);
  EXPECT_EQ(Error([&] { F("Amount")->AsString(); }), "Field 'Amount' holds no valid BCD value");
}

TEST_F(Kinds, BadDecimalInputFailsAndKeepsTheValue) {
  TField* a = F("Amount");
  a->SetAsString("1.5");
  EXPECT_EQ(Error([&] { a->SetAsString("12a"); }),
            "'12a' is not a valid BCD value for field 'Amount'");
  EXPECT_EQ(Error([&] { a->SetAsString("1.2.3"); }),
            "'1.2.3' is not a valid BCD value for field 'Amount'");
  EXPECT_EQ(Error([&] { a->SetAsString("-"); }), "'-' is not a valid BCD value for field 'Amount'");
  // Eight digits with two places leave six for the whole part.
  EXPECT_EQ(Error([&] { a->SetAsString("1234567"); }),
            "'1234567' does not fit field 'Amount' (precision 8, scale 2)");
  EXPECT_EQ(Error([&] { a->SetAsString("999999.995"); }),
            "'999999.995' does not fit field 'Amount' (precision 8, scale 2)");
  EXPECT_EQ(Error([&] { a->SetAsFloat(NAN); }),
            "'nan' is not a valid BCD value for field 'Amount'");
  EXPECT_EQ(a->AsString(), "1.5");
}

TEST(KindsDefinitions, DecimalPrecisionOutOfRangeRefusesTheTable) {
  for (int precision : {65, -1, 3}) {
    TMemTable t{"P"};
    t.FieldDefs().Add("D", ftFMTBcd, 4).SetPrecision(precision);
    try {
      t.Open();
      ADD_FAILURE() << precision;
    } catch (const EDatabaseError& e) {
      EXPECT_EQ(e.Message(), "Invalid precision " + std::to_string(precision) +
                                 " with scale 4 for field 'D' (precision 1 to 64)");
    }
    EXPECT_FALSE(t.Active());
  }
  TBCDField field(2);
  EXPECT_THROW(field.SetPrecision(1), EDatabaseError);
  field.SetPrecision(64);
  EXPECT_EQ(field.Precision(), 64);
}

TEST_F(Kinds, BytesKeepEveryByteAndRefuseTooMany) {
  const std::string withNul("a\0b", 3);
  F("Raw")->SetAsString(withNul);
  EXPECT_EQ(F("Raw")->AsString(), std::string("a\0b\0", 4));
  EXPECT_EQ(F("Raw")->DisplayText(), "61006200");
  F("Var")->SetAsString(withNul);
  EXPECT_EQ(F("Var")->AsString(), withNul);
  EXPECT_EQ(Error([&] { F("Raw")->SetAsString("12345"); }),
            "A value of 5 bytes is too long for field 'Raw' (at most 4)");
  EXPECT_EQ(Error([&] { F("Var")->SetAsString(std::string(21, 'x')); }),
            "A value of 21 bytes is too long for field 'Var' (at most 20)");
  EXPECT_EQ(F("Raw")->AsString(), std::string("a\0b\0", 4));
  EXPECT_EQ(F("Var")->AsString(), withNul);
  F("Var")->SetAsString("");
  EXPECT_FALSE(F("Var")->IsNull());
  EXPECT_EQ(F("Var")->AsString(), "");
  // A stored length beyond the field's room is cut, not read past it.
  std::uint8_t native[22] = {0xFF, 0xFF, 'z'};
  F("Var")->SetData(native);
  EXPECT_EQ(F("Var")->AsString().size(), 20u);
}

TEST(KindsDefinitions, LongBinaryValuesInSeparateBlocksKeepTheirNulBytes) {
  TMemTable t{"V"};
  t.FieldDefs().Add("Raw", ftBytes, 16);
  t.FieldDefs().Add("Var", ftVarBytes, 16);
  t.SetPerformance(mtpfBalanced);  // both longer than 12: kept in blocks
  t.Open();
  const std::string raw("\0\1\2\0\0\0\0\0\0\0\0\0\0\0\0\x7f", 16);
  const std::string var("x\0\0y", 4);
  t.Append();
  t.FieldByName("Raw")->SetAsString(raw);
  t.FieldByName("Var")->SetAsString(var);
  t.Post();
  t.Append();
  t.Post();
  t.First();
  EXPECT_EQ(t.FieldByName("Raw")->AsString(), raw);
  EXPECT_EQ(t.FieldByName("Var")->AsString(), var);
  t.Next();
  EXPECT_TRUE(t.FieldByName("Raw")->IsNull());
}

TEST_F(Kinds, GuidTextIsCheckedAndKeptInOneSpelling) {
  TField* g = F("G");
  g->SetAsString("0f1e2d3c-4b5a-6978-8796-a5b4c3d2e1f0");
  EXPECT_EQ(g->AsString(), kGuid);
  g->SetAsString("{0f1e2d3c-4b5a-6978-8796-A5B4C3D2E1F0}");
  EXPECT_EQ(g->AsString(), kGuid);
  for (const char* bad :
       {"{1234}", "{0F1E2D3C-4B5A-6978-8796-A5B4C3D2E1FG}",
        "{0F1E2D3C+4B5A-6978-8796-A5B4C3D2E1F0}", "(0F1E2D3C-4B5A-6978-8796-A5B4C3D2E1F0)",
        "0F1E2D3C-4B5A-6978-8796-A5B4C3D2E1F00"})
    EXPECT_EQ(Error([&] { g->SetAsString(bad); }),
              std::string("'") + bad + "' is not a valid GUID value for field 'G'");
  EXPECT_EQ(g->AsString(), kGuid);
  EXPECT_EQ(Error([&] { g->AsInteger(); }), "Cannot access field 'G' as type Integer");
  g->SetAsString("");
  EXPECT_TRUE(g->IsNull());
}

TEST_F(Kinds, TimeStampKeepsDateTimeAndMilliseconds) {
  platform::TDateTime when = At(2004, 5, 6, 18, 30, 15, 250);
  F("TS")->SetAsDateTime(when);
  EXPECT_EQ(Millis(F("TS")->AsDateTime()), Millis(when));
  TTimeStampParts parts;
  ASSERT_TRUE(F("TS")->GetData(&parts));
  EXPECT_EQ(parts.year, 2004);
  EXPECT_EQ(parts.month, 5);
  EXPECT_EQ(parts.day, 6);
  EXPECT_EQ(parts.hour, 18);
  EXPECT_EQ(parts.minute, 30);
  EXPECT_EQ(parts.second, 15);
  EXPECT_EQ(parts.fractions, 250u);
  // Before the origin the time of day still runs forward from midnight.
  platform::TDateTime early = At(1850, 2, 28, 6, 0, 0, 0);
  F("TS")->SetAsDateTime(early);
  EXPECT_EQ(Millis(F("TS")->AsDateTime()), Millis(early));
  F("TS")->SetAsString(F("TS")->AsString());
  EXPECT_EQ(Millis(F("TS")->AsDateTime()), Millis(early));
  EXPECT_DOUBLE_EQ(F("TS")->AsVariant().AsDouble(), F("TS")->AsDateTime());
}

TEST_F(Kinds, BadTimeStampsFail) {
  F("TS")->SetAsDateTime(At(2000, 1, 1, 0, 0, 0, 0));
  EXPECT_EQ(Error([&] { F("TS")->SetAsDateTime(3000000.0); }),
            "3000000 is outside the time stamp range of field 'TS'");
  EXPECT_EQ(Error([&] { F("TS")->SetAsString("no date"); }),
            "'no date' is not a valid date and time");
  EXPECT_EQ(Millis(F("TS")->AsDateTime()), Millis(At(2000, 1, 1, 0, 0, 0, 0)));
  TTimeStampParts parts{2004, 13, 1, 0, 0, 0, 0};
  F("TS")->SetData(&parts);
  EXPECT_EQ(Error([&] { F("TS")->AsDateTime(); }), "Field 'TS' holds no valid time stamp");
}

TEST_F(Kinds, BlobsHoldAnyLengthAndSurvivePostAndCancel) {
  const std::string bytes = std::string("\0\xff\0", 3) + std::string(100000, 'b');
  F("Blob")->SetAsString(bytes);
  F("Memo")->SetAsString("line one\r\nline two");
  F("Pic")->SetAsString("");
  EXPECT_EQ(As<TBlobField>("Blob")->BlobSize(), bytes.size());
  t.Post();
  t.Append();
  t.Post();
  t.First();
  EXPECT_EQ(F("Blob")->AsString(), bytes);
  EXPECT_EQ(F("Memo")->Text(), "line one\r\nline two");
  EXPECT_EQ(F("Memo")->DisplayText(), "line one\r\nline two");
  EXPECT_EQ(F("Blob")->DisplayText(), "(Blob)");
  EXPECT_EQ(F("Pic")->DisplayText(), "(Graphic)");
  EXPECT_FALSE(F("Pic")->IsNull());
  EXPECT_EQ(F("Pic")->AsString(), "");
  t.Edit();
  F("Memo")->SetAsString("changed");
  F("Blob")->Clear();
  EXPECT_TRUE(F("Blob")->IsNull());
  t.Cancel();
  EXPECT_EQ(F("Memo")->AsString(), "line one\r\nline two");
  EXPECT_EQ(F("Blob")->AsString(), bytes);
  t.Next();
  EXPECT_TRUE(F("Memo")->IsNull());
  EXPECT_EQ(F("Memo")->AsString(), "");
  EXPECT_EQ(Error([&] { F("Memo")->SetAsString("x"); }), "K: Dataset is not in edit mode.");
}

TEST_F(Kinds, BlobOnValidateSeesTheNewValueAndCanRefuseIt) {
  F("Memo")->SetAsString("old");
  std::string seen;
  F("Memo")->OnValidate = [&](TField* f) {
    seen = f->AsString();
    if (seen == "bad") throw EDatabaseError("refused");
  };
  F("Memo")->SetAsString("new");
  EXPECT_EQ(seen, "new");
  EXPECT_THROW(F("Memo")->SetAsString("bad"), EDatabaseError);
  EXPECT_EQ(F("Memo")->AsString(), "new");
  F("Memo")->OnValidate = nullptr;
  F("Memo")->SetReadOnly(true);
  EXPECT_EQ(Error([&] { F("Memo")->SetAsString("x"); }), "Field Memo is read only");
}

TEST_F(Kinds, LocateFindsByGuidTimeStampAndDecimal) {
  platform::TDateTime when = At(2010, 7, 8, 9, 10, 11, 12);
  t.Cancel();
  for (int i = 0; i < 3; ++i) {
    t.Append();
    F("Amount")->SetAsString(std::to_string(i) + ".25");
    F("G")->SetAsString("{0F1E2D3C-4B5A-6978-8796-A5B4C3D2E1F" + std::to_string(i) + "}");
    F("TS")->SetAsDateTime(when + i);
    t.Post();
  }
  ASSERT_TRUE(t.Locate("G", TVariant("0f1e2d3c-4b5a-6978-8796-a5b4c3d2e1f1")));
  EXPECT_EQ(F("ID")->AsInteger(), 1);
  ASSERT_TRUE(t.Locate("TS", TVariant(when + 2)));
  EXPECT_EQ(F("ID")->AsInteger(), 2);
  EXPECT_FALSE(t.Locate("TS", TVariant(when + 0.5)));
  ASSERT_TRUE(t.Locate("Amount", TVariant("0.25")));
  EXPECT_EQ(F("ID")->AsInteger(), 0);
  ASSERT_TRUE(t.Locate("Amount", TVariant(2.25)));
  EXPECT_EQ(F("ID")->AsInteger(), 2);
  EXPECT_FALSE(t.Locate("Amount", TVariant(2)));
  EXPECT_EQ(Error([&] { t.Locate("Memo", TVariant("x")); }), "Can't index on field Memo");
  // Like every key its field cannot hold, a time stamp past the calendar
  // matches nothing.
  EXPECT_FALSE(t.Locate("TS", TVariant(3000000.0)));
}

TEST_F(Kinds, SortedIndexesOrderDecimalsAndTimeStampsByValue) {
  t.Cancel();
  const char* amounts[] = {"10", "-1.5", "0.25", "-0.01", "-20"};
  for (int i = 0; i < 5; ++i) {
    t.Append();
    F("Amount")->SetAsString(amounts[i]);
    F("TS")->SetAsDateTime(At(2000, 1, 1, 0, 0, 0, 0) - 400 * (i % 3) + i / 1000.0);
    t.Post();
  }
  auto order = [&](const char* field) {
    std::vector<int> ids;
    t.SetIndexFieldNames(field);
    for (t.First(); !t.Eof(); t.Next()) ids.push_back(F("ID")->AsInteger());
    return ids;
  };
  EXPECT_EQ(order("Amount"), (std::vector<int>{4, 1, 3, 2, 0}));
  EXPECT_EQ(order("TS"), (std::vector<int>{2, 1, 4, 0, 3}));
}

TEST(KindsDefinitions, StructuredChildrenGetFieldsOfTheirOwnInRecordOrder) {
  TMemTable t{"S"};
  TFieldDefs& d = t.FieldDefs();
  TFieldDef& adt = d.Add("Addr", ftADT);
  adt.ChildDefs().Add("Street", ftString, 20);
  adt.ChildDefs().Add("No", ftInteger);
  TFieldDef& arr = d.Add("Arr", ftArray, 3);
  arr.ChildDefs().Add("Item", ftSmallint);
  d.Add("After", ftInteger);
  t.Open();
  ASSERT_EQ(t.Fields().Count(), 8);
  EXPECT_EQ(t.FieldByName("Addr.Street")->FieldNo(), 2);
  EXPECT_EQ(t.FieldByName("Arr[2]")->FieldNo(), 7);
  EXPECT_EQ(t.FieldByName("After")->FieldNo(), 8);
  t.Append();
  t.FieldByName("Addr.Street")->SetAsString("High Street");
  t.FieldByName("Addr.No")->SetAsInteger(12);
  for (int i = 0; i < 3; ++i) t.FieldByName("Arr[" + std::to_string(i) + "]")->SetAsInteger(10 + i);
  t.FieldByName("After")->SetAsInteger(99);
  t.Post();
  t.First();
  EXPECT_EQ(t.FieldByName("Addr.Street")->AsString(), "High Street");
  EXPECT_EQ(t.FieldByName("Addr.No")->AsInteger(), 12);
  EXPECT_EQ(t.FieldByName("Arr[1]")->AsInteger(), 11);
  EXPECT_EQ(t.FieldByName("After")->AsInteger(), 99);
  EXPECT_EQ(t.FieldByName("Addr")->DisplayText(), "(ADT)");
}

TEST(DateTimeKinds, DateTimeAndTimeStampShareDisplayFormatAndFloatView) {
  TMemTable t{"D"};
  t.FieldDefs().Add("DT", ftDateTime);
  t.FieldDefs().Add("TS", ftTimeStamp);
  t.Open();
  t.Append();
  const platform::TDateTime when = At(2004, 5, 6, 18, 30, 15, 0);
  for (const char* name : {"DT", "TS"}) {
    SCOPED_TRACE(name);
    auto* f = dynamic_cast<TDateTimeValueField*>(t.FieldByName(name));
    ASSERT_NE(f, nullptr);
    f->SetAsFloat(when);
    EXPECT_EQ(Millis(f->AsDateTime()), Millis(when));
    EXPECT_DOUBLE_EQ(f->AsFloat(), f->AsDateTime());
    const std::string plain = f->DisplayText();
    f->SetDisplayFormat("yyyy-MM-dd HH.mm");
    EXPECT_EQ(f->DisplayText(), "2004-05-06 18.30");
    EXPECT_EQ(f->Text(), plain);  // editing keeps the user's own format
  }
}
