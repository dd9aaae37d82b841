#include "records/RaceTables.h"

#include <gtest/gtest.h>

#include <cmath>

#include "memtable/DataSource.h"
#include "platform/base/DateTime.h"
#include "platform/base/Random.h"
#include "records/ProgramStrings.h"
#include "records/StoredRaceTables.h"

using namespace memtable;
using namespace records;

namespace {

// Reads both tables from the stored description the way start-up does, from a
// fresh generator, and seeds them; the generator state is restored afterwards
// for the other tests.
struct Seeded {
  std::uint32_t savedSeed = Reseed();
  records_test::TStoredTables root{nullptr};
  TMemTable& competitors = Read(root);
  TMemTable& results = *static_cast<TMemTable*>(root.FindComponent("Table_Results"));
  platform::TDateTime startDay;

  explicit Seeded(bool fill = true) {
    competitors.SetLanguageID(7);
    results.SetLanguageID(7);
    startDay = std::floor(platform::Now());
    if (fill) FillDemoData(competitors, results);
  }
  ~Seeded() { platform::SetRandSeed(savedSeed); }

  // Runs before the tables are built so the two stores draw from state 0.
  static std::uint32_t Reseed() {
    std::uint32_t saved = platform::RandSeed();
    platform::SetRandSeed(0);
    return saved;
  }
  static TMemTable& Read(records_test::TStoredTables& root) {
    records_test::ReadStoredRaceTables(root);
    return *static_cast<TMemTable*>(root.FindComponent("Table_Competitors"));
  }
};

}  // namespace

TEST(RaceTables, BothTablesOpenEmptyWithTheirStoredProperties) {
  Seeded s(false);
  for (TMemTable* t : {&s.competitors, &s.results}) {
    EXPECT_TRUE(t->Active());
    EXPECT_EQ(t->RecordCount(), 0);
    EXPECT_EQ(t->LanguageID(), 7);
    EXPECT_EQ(t->SubLanguageID(), 1);
    EXPECT_EQ(t->SortID(), 0);
    EXPECT_EQ(t->LocaleID(), 1031);
    EXPECT_EQ(t->AttachMaxCount(), 1);
    EXPECT_EQ(t->Version(), "4.08b");
  }
  EXPECT_EQ(s.competitors.FieldCount(), 12);
  EXPECT_EQ(s.results.FieldCount(), 6);
  EXPECT_EQ(s.competitors.Name(), "Table_Competitors");
  // Exactly three draws were made for the two stores.
  std::uint32_t state = 0;
  for (int i = 0; i < 3; ++i) state = state * 134775813u + 1u;
  EXPECT_EQ(platform::RandSeed(), state);
}

TEST(RaceTables, CompetitorRecordLayoutMatchesTheDocumentedOffsets) {
  Seeded s(false);
  TMemTableStore* store = s.competitors.Store();
  const char* names[] = {"ID",        "StartNo",    "Dog_Nick",        "Dog_Sex",
                         "Dog_Age",   "Dog_Breed",  "Owner_FirstName", "Owner_LastName",
                         "Owner_Org", "Owner_City", "Owner_Country",   "Comments"};
  int offsets[] = {0, 5, 57, 109, 161, 166, 218, 270, 322, 374, 426, 478};
  for (int i = 0; i < 12; ++i) {
    TField* f = s.competitors.FieldByName(names[i]);
    EXPECT_EQ(f->FieldNo(), i + 1);
    EXPECT_EQ(store->DataOffset(f->FieldNo()), offsets[i]) << names[i];
  }
  EXPECT_EQ(store->FixedSize(), 735);
  EXPECT_EQ(store->BookmarkStart(), 735);
  EXPECT_TRUE(store->VarFields().empty());
  // The stored record stays within the memory budget of a competitor.
  EXPECT_LE(store->RecordSize(), 800);

  TMemTableStore* rs = s.results.Store();
  int resultOffsets[] = {0, 5, 14, 23, 32, 41};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(rs->DataOffset(i + 1), resultOffsets[i]);
  EXPECT_EQ(rs->FixedSize(), 298);
}

TEST(RaceTables, SeededCompetitorsInOrder) {
  Seeded s;
  TMemTable& t = s.competitors;
  ASSERT_EQ(t.RecordCount(), 5);
  // The last posted competitor is current after the seeding.
  EXPECT_EQ(t.FieldByName("ID")->AsInteger(), 4);
  EXPECT_EQ(t.State(), dsBrowse);
  const char* sexes[] = {"Male Dog", "Bitch", "Male Dog", "Bitch", "Male Dog"};
  const char* startNos[] = {"777", "004", "919", "808", "007"};
  int i = 0;
  for (t.First(); !t.Eof(); t.Next(), ++i) {
    ASSERT_LT(i, 5);
    EXPECT_EQ(t.FieldByName("ID")->AsInteger(), i);
    EXPECT_EQ(t.FieldByName("Dog_Sex")->AsString(), sexes[i]);
    EXPECT_EQ(t.FieldByName("StartNo")->AsString(), startNos[i]);
    EXPECT_EQ(t.RecNo(), i + 1);
  }
  EXPECT_EQ(i, 5);
  // Slots and serials follow the order of addition.
  const auto& refs = t.CurrentIndex()->References();
  for (int k = 0; k < 5; ++k) {
    EXPECT_EQ(refs[k]->slot, k);
    EXPECT_EQ(refs[k]->serial, static_cast<std::uint32_t>(k));
  }
  ASSERT_TRUE(t.Locate("ID", 4));
  EXPECT_EQ(t.FieldByName("Comments")->AsString(),
            "and more and more and more some more another comments text (up to 255 chars)");
  EXPECT_EQ(t.FieldByName("Owner_Country")->AsString(), "Russian Federation");
  ASSERT_TRUE(t.Locate("ID", 3));
  EXPECT_EQ(t.FieldByName("Owner_Org")->AsString(), "English-Royal-Dog-Club (ERDC)");
  EXPECT_EQ(t.FieldByName("Dog_Age")->AsInteger(), 4);
}

TEST(RaceTables, SeededResultsFollowTheGeneratorSequence) {
  Seeded s;
  TMemTable& r = s.results;
  ASSERT_EQ(r.RecordCount(), 100);
  r.First();
  EXPECT_EQ(r.FieldByName("Grp")->AsInteger(), 2);
  EXPECT_EQ(r.FieldByName("ID")->AsLargeInt(), 1);
  EXPECT_EQ(r.FieldByName("Date")->AsDateTime(), s.startDay - 67);
  EXPECT_EQ(r.FieldByName("Res")->AsLargeInt(), 11617);
  EXPECT_EQ(r.FieldByName("Cmt")->AsString(), "no comments");
  int n = 0;
  for (r.First(); !r.Eof(); r.Next()) {
    ++n;
    int grp = r.FieldByName("Grp")->AsInteger();
    std::int64_t id = r.FieldByName("ID")->AsLargeInt();
    std::int64_t res = r.FieldByName("Res")->AsLargeInt();
    double date = r.FieldByName("Date")->AsDateTime();
    double time = r.FieldByName("Time")->AsDateTime();
    EXPECT_TRUE(grp >= 0 && grp <= 9);
    EXPECT_TRUE(id >= 0 && id <= 4);
    EXPECT_TRUE(res >= 10000 && res <= 19999);
    EXPECT_TRUE(date <= s.startDay && date >= s.startDay - 99);
    EXPECT_TRUE(time >= 0 && time < 1);
    EXPECT_EQ(r.FieldByName("Cmt")->AsString(), "no comments");
  }
  EXPECT_EQ(n, 100);
  r.Last();
  EXPECT_EQ(r.FieldByName("Grp")->AsInteger(), 0);
  EXPECT_EQ(r.FieldByName("ID")->AsLargeInt(), 3);
  EXPECT_EQ(r.FieldByName("Date")->AsDateTime(), s.startDay - 1);
  EXPECT_EQ(r.FieldByName("Res")->AsLargeInt(), 15815);
}

TEST(RaceTables, NewCompetitorsContinueNumberingAfterADelete) {
  Seeded s;
  TMemTable& t = s.competitors;
  ASSERT_TRUE(t.Locate("ID", 2));
  t.Delete();
  EXPECT_EQ(t.FieldByName("ID")->AsInteger(), 3);
  t.Append();
  t.FieldByName("Dog_Nick")->SetAsString("Bolt");
  t.Post();
  EXPECT_EQ(t.FieldByName("ID")->AsInteger(), 5);
  EXPECT_EQ(t.RecNo(), 5);
  const auto& refs = t.CurrentIndex()->References();
  EXPECT_EQ(refs.back()->slot, 2);  // the freed slot is reused
  // A rebuild puts the row order into slot order: the new record comes third.
  t.UpdateIndexes();
  t.First();
  t.MoveBy(2);
  EXPECT_EQ(t.FieldByName("Dog_Nick")->AsString(), "Bolt");
}

TEST(RaceTables, CompetitorRecordsStayWithinTheirMemoryBudget) {
  Seeded s(false);
  TMemTable& t = s.competitors;
  const int n = 20000;
  TField* nick = t.FieldByName("Dog_Nick");
  for (int i = 0; i < n; ++i) {
    t.Append();
    nick->SetAsString("Rex");
    t.Post();
  }
  std::size_t bytes =
      t.Store()->MemoryUsage() + t.CurrentIndex()->References().capacity() * sizeof(void*);
  EXPECT_LE(bytes / n, 800u);
}

TEST(RaceTables, StringTable) {
  EXPECT_EQ(LoadResString(rsMaleDog), "Male Dog");
  EXPECT_EQ(LoadResString(rsBitch), "Bitch");
  EXPECT_EQ(LoadResString(rsDeleteRecord), "Delete selected record?");
  EXPECT_EQ(LoadResString(rsConfirm), "Confirm");
  EXPECT_EQ(LoadResString(1), "");
}
