// Locate on a single whole-number field compares the values directly while
// scanning; it must find the same record as the general comparison does.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "TestTables.h"

using namespace testing_tables;

namespace {

using Value = std::optional<std::int64_t>;

struct KeyField {
  const char* name;
  TFieldType type;
  std::vector<Value> values;  // cycled over the records
};

// Values with duplicates, nulls, negatives and the ends of each range.
const std::vector<KeyField>& KeyFields() {
  static const std::vector<KeyField> fields = {
      {"I", ftInteger, {-5, 0, 7, std::nullopt, -5, INT32_MIN, 7, INT32_MAX, -1, std::nullopt, 12}},
      {"S", ftSmallint, {-300, 4, std::nullopt, -300, INT16_MIN, 0, INT16_MAX, -1, 4}},
      {"W", ftWord, {0, 65535, std::nullopt, 17, 17, 1, 40000}},
      {"L",
       ftLargeint,
       {std::int64_t(1) << 40, -(std::int64_t(1) << 40), std::nullopt, 5, INT64_MIN, INT64_MAX,
        4294967301LL, 5}},
      {"D", ftDate, {38113, -2, std::nullopt, 0, 38113, 2, -700000}},
  };
  return fields;
}

constexpr int kRecords = 40;

struct WholeNumberScan : ::testing::Test {
  TMemTable t;
  void SetUp() override {
    t.SetName("Numbers");
    TFieldDefs& d = t.FieldDefs();
    d.Add("ID", ftAutoInc, 0, true);
    for (const KeyField& f : KeyFields()) d.Add(f.name, f.type);
    t.Open();
    for (int i = 0; i < kRecords; ++i) {
      t.Append();
      for (const KeyField& f : KeyFields()) {
        const Value& v = f.values[(i * 7 + 3) % f.values.size()];
        if (!v) continue;
        if (f.type == ftDate)
          t.FieldByName(f.name)->SetAsDateTime(static_cast<double>(*v));
        else
          t.FieldByName(f.name)->SetAsLargeInt(*v);
      }
      t.Post();
    }
  }

  TVariant Key(const KeyField& f, const Value& v) {
    if (!v) return TVariant::MakeNull();
    if (f.type == ftDate) return TVariant(static_cast<double>(*v));
    return TVariant(*v);
  }

  // The ID the cursor lands on, or -1 when nothing was found.
  int LocateId(const KeyField& f, const Value& v) {
    t.First();
    if (!t.Locate(f.name, Key(f, v))) return -1;
    return t.FieldByName("ID")->AsInteger();
  }

  // The same search through the general comparison: a filter that accepts
  // every record keeps the direct comparison out of the scan.
  int LocateIdGeneral(const KeyField& f, const Value& v) {
    t.OnFilterRecord = [](TDataSet*, bool& accept) { accept = true; };
    t.SetFiltered(true);
    int id = LocateId(f, v);
    t.SetFiltered(false);
    t.OnFilterRecord = nullptr;
    return id;
  }

  // The first record in the current order whose value is present and equal.
  int ExpectedId(const KeyField& f, std::int64_t v) {
    for (t.First(); !t.Eof(); t.Next()) {
      TField* field = t.FieldByName(f.name);
      if (field->IsNull()) continue;
      std::int64_t have =
          f.type == ftDate ? static_cast<std::int64_t>(field->AsDateTime()) : field->AsLargeInt();
      if (have == v) return t.FieldByName("ID")->AsInteger();
    }
    return -1;
  }

  void CheckEveryKey() {
    for (const KeyField& f : KeyFields()) {
      std::vector<Value> keys = f.values;
      keys.push_back(3);  // in no field's list
      for (const Value& v : keys) {
        SCOPED_TRACE(std::string(f.name) + " = " + (v ? std::to_string(*v) : "null"));
        int fast = LocateId(f, v);
        EXPECT_EQ(fast, LocateIdGeneral(f, v));
        if (v) {
          EXPECT_EQ(fast, ExpectedId(f, *v));
        }
      }
    }
  }
};

}  // namespace

TEST_F(WholeNumberScan, FindsWhatTheGeneralComparisonFindsInRowOrder) {
  CheckEveryKey();
}

TEST_F(WholeNumberScan, FollowsTheCurrentSortedOrder) {
  // Descending with null keys ignored: the options order the scan but do not
  // change which values are equal.
  t.AddIndex("ixI", "I", mtcoDescending | mtcoIgnoreNullKey);
  t.SetIndexName("ixI");
  CheckEveryKey();
}

TEST_F(WholeNumberScan, LargeIntKeysCompareAllSixtyFourBits) {
  const KeyField& l = KeyFields()[3];
  // 4294967301 and 5 share their low 32 bits; each finds its own record.
  int wide = LocateId(l, 4294967301LL);
  int narrow = LocateId(l, 5);
  ASSERT_NE(wide, -1);
  ASSERT_NE(narrow, -1);
  EXPECT_NE(wide, narrow);
  EXPECT_EQ(t.FieldByName("L")->AsLargeInt(), 5);
}

TEST_F(WholeNumberScan, AMissLeavesTheCursorWhereItWas) {
  t.First();
  t.Next();
  int before = t.FieldByName("ID")->AsInteger();
  EXPECT_FALSE(t.Locate("I", 3));
  EXPECT_FALSE(t.Found());
  EXPECT_EQ(t.FieldByName("ID")->AsInteger(), before);
}
