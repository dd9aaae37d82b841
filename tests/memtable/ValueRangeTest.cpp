// Values at and beyond what a field can hold: search keys, auto-increment
// numbers and dates, and the empty bookmark.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

#include "TestTables.h"
#include "memtable/DatabaseError.h"

using namespace testing_tables;

namespace {

struct Numbers : ::testing::Test {
  TMemTable t;
  void SetUp() override {
    t.SetName("Numbers");
    TFieldDefs& d = t.FieldDefs();
    d.Add("ID", ftAutoInc, 0, true);
    d.Add("Small", ftSmallint);
    d.Add("Unsigned", ftWord);
    d.Add("Whole", ftInteger);
    d.Add("Large", ftLargeint);
    d.Add("Day", ftDate);
    t.Open();
  }
  void Add(int small, int word, int whole, std::int64_t large) {
    t.Append();
    t.FieldByName("Small")->SetAsInteger(small);
    t.FieldByName("Unsigned")->SetAsInteger(word);
    t.FieldByName("Whole")->SetAsInteger(whole);
    t.FieldByName("Large")->SetAsLargeInt(large);
    t.FieldByName("Day")->SetAsDateTime(45000);
    t.Post();
  }
  // Every way of looking for a key its field cannot hold must miss and leave
  // the cursor where it was.
  void ExpectMiss(const char* field, const TVariant& key) {
    t.First();
    t.Next();
    int before = t.RecNo();
    EXPECT_FALSE(t.Locate(field, key, 0)) << field << " " << key.AsString();
    EXPECT_EQ(t.RecNo(), before);
    EXPECT_TRUE(t.Lookup(field, key, "ID").IsNull()) << field;
  }
};

}  // namespace

TEST_F(Numbers, KeysBeyondTheFieldsRangeMatchNothing) {
  Add(4464, 65535, 12, 3);
  Add(-1, 0, 3, 7);
  Add(7, 1, 5, -1);
  // 2^32 + 3 cut to 32 bits would be 3; -2^32 + 12 would be 12.
  ExpectMiss("ID", TVariant(std::int64_t{4294967299}));
  ExpectMiss("Whole", TVariant(std::int64_t{-4294967284}));
  ExpectMiss("Whole", TVariant(4294967299.0));
  ExpectMiss("Whole", TVariant(std::string("99999999999999999999")));
  // 70000 cut to 16 bits is 4464; -1 as a 16-bit pattern is 65535.
  ExpectMiss("Small", TVariant(std::int64_t{70000}));
  ExpectMiss("Unsigned", TVariant(std::int64_t{-1}));
  ExpectMiss("Unsigned", TVariant(std::int64_t{65536}));
  ExpectMiss("Large", TVariant(1e19));
  ExpectMiss("Large", TVariant(std::numeric_limits<double>::quiet_NaN()));
  ExpectMiss("Large", TVariant(-std::numeric_limits<double>::infinity()));
  ExpectMiss("Day", TVariant(1e10));
  // Values inside the range still find their records.
  EXPECT_TRUE(t.Locate("Small", TVariant(std::int64_t{4464}), 0));
  EXPECT_TRUE(t.Locate("Unsigned", TVariant(std::int64_t{65535}), 0));
  EXPECT_EQ(t.FieldByName("ID")->AsInteger(), 0);
  EXPECT_TRUE(t.Locate("Whole", TVariant(std::string("3")), 0));
  EXPECT_EQ(t.FieldByName("ID")->AsInteger(), 1);
  EXPECT_TRUE(t.Locate("Large", TVariant(-1.0), 0));
  EXPECT_EQ(t.FieldByName("ID")->AsInteger(), 2);
  // A key of several fields misses when any of its values cannot be held.
  TVariant::Array pair{TVariant(std::int64_t{12}), TVariant(std::int64_t{4294967299})};
  EXPECT_FALSE(t.Locate("Whole;Large", TVariant::MakeArray(pair), 0));
}

TEST_F(Numbers, KeysBeyondTheRangeMissAlsoThroughAnIndex) {
  // Past 20 records a search uses a sorted index of the key fields.
  t.SetAutoAddIndexes(true);
  for (int i = 0; i < 40; ++i) Add(i, i, i, i);
  ExpectMiss("Whole", TVariant(std::int64_t{4294967296} + 5));
  ExpectMiss("Small", TVariant(std::int64_t{65536} + 6));
  EXPECT_TRUE(t.Locate("Whole", TVariant(std::int64_t{5}), 0));
  EXPECT_EQ(t.FieldByName("ID")->AsInteger(), 5);
}

TEST(AutoIncrement, TheLastNumberIsHandedOutOnceAndThenAppendsAreRefused) {
  TMemTable t;
  DefinePeople(t, false);
  t.SetAutoIncMinValue(std::numeric_limits<std::int32_t>::max() - 1);
  t.Open();
  AddPerson(t, "Ann", 1, "");
  AddPerson(t, "Bob", 2, "");
  t.Last();
  EXPECT_EQ(t.FieldByName("ID")->AsInteger(), std::numeric_limits<std::int32_t>::max());
  for (int attempt = 0; attempt < 2; ++attempt) {
    try {
      t.Append();
      FAIL() << "append past the last number";
    } catch (const EMemTableError& e) {
      EXPECT_STREQ(e.what(),
                   "Field 'ID' has no auto-increment value left. The record cannot be added.");
    }
    EXPECT_EQ(t.State(), dsBrowse);
    EXPECT_EQ(t.RecordCount(), 2);
    EXPECT_EQ(t.FieldByName("Name")->AsString(), "Bob");
  }
}

TEST(AutoIncrement, SmallestMinimumAndACallersLargestNumber) {
  TMemTable t;
  DefinePeople(t, false);
  t.SetAutoIncMinValue(std::numeric_limits<std::int32_t>::min());
  t.Open();
  AddPerson(t, "Ann", 1, "");
  EXPECT_EQ(t.FieldByName("ID")->AsInteger(), std::numeric_limits<std::int32_t>::min());
  // A caller writing the largest number uses up the rest at once.
  t.Append();
  t.FieldByName("ID")->SetAsInteger(std::numeric_limits<std::int32_t>::max());
  t.Post();
  EXPECT_THROW(t.Append(), EMemTableError);
  EXPECT_EQ(t.RecordCount(), 2);
}

TEST(DateRange, ValuesOutsideTheCalendarAreRefusedForEveryDateKind) {
  TMemTable t;
  t.SetName("Times");
  t.FieldDefs().Add("D", ftDate);
  t.FieldDefs().Add("T", ftTime);
  t.FieldDefs().Add("DT", ftDateTime);
  t.Open();
  t.Append();
  const double bad[] = {1e10,
                        -1e10,
                        2958466.0,
                        -693594.0,
                        std::numeric_limits<double>::quiet_NaN(),
                        std::numeric_limits<double>::infinity()};
  for (const char* name : {"D", "T", "DT"}) {
    TField* f = t.FieldByName(name);
    for (double v : bad) {
      EXPECT_THROW(f->SetAsDateTime(v), EDatabaseError) << name << " " << v;
      EXPECT_TRUE(f->IsNull()) << name << " " << v;
    }
  }
  try {
    t.FieldByName("D")->SetAsFloat(1e10);
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_STREQ(e.what(),
                 "10000000000 is not a valid value for field 'D'. The allowed range is 1/1/0001 to "
                 "12/31/9999");
  }
  // The first and the last day of the calendar are kept exactly.
  TField* dt = t.FieldByName("DT");
  dt->SetAsDateTime(2958465.5);
  EXPECT_DOUBLE_EQ(dt->AsDateTime(), 2958465.5);
  EXPECT_EQ(dt->AsString(), "12/31/9999 12:00:00 PM");
  dt->SetAsDateTime(-693593.5);
  EXPECT_DOUBLE_EQ(dt->AsDateTime(), -693593.5);
  t.FieldByName("D")->SetAsDateTime(2958465);
  EXPECT_EQ(t.FieldByName("D")->AsString(), "12/31/9999");
  t.Post();
}

TEST(Bookmarks, AnEmptyBookmarkPostsTheEditFiresTheScrollEventsAndStays) {
  TMemTable t;
  DefinePeople(t);
  AddPerson(t, "Ann", 1, "");
  AddPerson(t, "Bob", 2, "");
  t.Last();
  t.Edit();
  t.FieldByName("Name")->SetAsString("Bobby");
  EventLog log;
  log.Attach(t);
  t.GotoBookmark(TBookmark{});
  EXPECT_EQ(t.State(), dsBrowse);
  EXPECT_EQ(t.FieldByName("Name")->AsString(), "Bobby");
  EXPECT_EQ(t.RecNo(), 2);
  EXPECT_EQ(log.Take(), (Events{"BeforePost", "AfterPost", "BeforeScroll", "AfterScroll"}));
  t.First();
  t.Next();
  EXPECT_EQ(t.FieldByName("Name")->AsString(), "Bobby");
}
