// Calculated and lookup fields: when they are computed, where their values
// live, and searching and sorting by them.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstring>
#include <memory>
#include <thread>
#include <tuple>
#include <utility>

#include "TestTables.h"

using namespace testing_tables;

namespace {

TField* AddField(TMemTable& t, TFieldType type, const std::string& name, int size = 0,
                 TFieldKind kind = fkData) {
  auto f = CreateFieldForType(type, size, name);
  f->SetFieldKind(kind);
  return t.AddField(std::move(f));
}

// Dogs with a calculated "Label" (name and age) and a lookup "Country" found
// through the city in a second table.
class CalcTables : public ::testing::Test {
 protected:
  void SetUp() override {
    cities.SetName("Cities");
    cities.FieldDefs().Add("City", ftString, 20);
    cities.FieldDefs().Add("Country", ftString, 20);
    cities.Open();
    for (auto [city, country] : {std::pair{"Oslo", "Norway"}, {"Lyon", "France"}}) {
      cities.Append();
      cities.FieldByName("City")->SetAsString(city);
      cities.FieldByName("Country")->SetAsString(country);
      cities.Post();
    }

    t.SetName("Dogs");
    AddField(t, ftString, "Name", 20);
    AddField(t, ftInteger, "Age");
    AddField(t, ftString, "City", 20);
    label = AddField(t, ftString, "Label", 30, fkCalculated);
    country = AddField(t, ftString, "Country", 20, fkLookup);
    country->SetLookupDataSet(&cities);
    country->SetKeyFields("City");
    country->SetLookupKeyFields("City");
    country->SetLookupResultField("Country");
    t.OnCalcFields = [this](TDataSet* ds) {
      ++calcs;
      states.push_back(ds->State());
      TField* age = ds->FieldByName("Age");
      if (!age->IsNull())
        label->SetAsString(ds->FieldByName("Name")->AsString() + "/" + age->AsString());
    };
    t.Open();
  }

  void Add(const std::string& name, int age, const std::string& city) {
    t.Append();
    t.FieldByName("Name")->SetAsString(name);
    t.FieldByName("Age")->SetAsInteger(age);
    t.FieldByName("City")->SetAsString(city);
    t.Post();
  }

  TMemTable cities, t;
  TField* label = nullptr;
  TField* country = nullptr;
  int calcs = 0;
  std::vector<TDataSetState> states;
};

TEST_F(CalcTables, FieldsAreComputedOnFetchEditAndEachDataWrite) {
  Add("Rex", 3, "Oslo");
  Add("Fido", 5, "Lyon");
  Add("Bim", 2, "Rome");
  std::vector<std::string> seen;
  for (t.First(); !t.Eof(); t.Next())
    seen.push_back(label->AsString() + " " + (country->IsNull() ? "-" : country->AsString()));
  EXPECT_EQ(seen, (std::vector<std::string>{"Rex/3 Norway", "Fido/5 France", "Bim/2 -"}));
  for (TDataSetState s : states) EXPECT_EQ(s, dsCalcFields);
  EXPECT_EQ(t.State(), dsBrowse);

  // Writing a data field while editing recomputes at once; writing the
  // calculated field itself does not, and changes nothing stored.
  t.First();
  t.Edit();
  t.FieldByName("City")->SetAsString("Lyon");
  EXPECT_EQ(country->AsString(), "France");
  t.FieldByName("Age")->SetAsInteger(4);
  EXPECT_EQ(label->AsString(), "Rex/4");
  calcs = 0;
  label->SetAsString("by hand");
  EXPECT_EQ(calcs, 0);
  EXPECT_EQ(label->AsString(), "by hand");
  t.Post();
  EXPECT_EQ(label->AsString(), "Rex/4");
  EXPECT_EQ(country->AsString(), "France");

  // A new record starts with its calculated fields null.
  t.Append();
  EXPECT_TRUE(label->IsNull());
  EXPECT_TRUE(country->IsNull());
  t.Cancel();
}

TEST_F(CalcTables, SwitchesDecideWhenTheyAreComputed) {
  Add("Rex", 3, "Oslo");
  t.SetAutoCalcFields(false);
  t.Edit();
  t.FieldByName("Age")->SetAsInteger(9);
  EXPECT_EQ(label->AsString(), "Rex/3");  // as computed when the edit began
  t.Post();
  EXPECT_EQ(label->AsString(), "Rex/9");  // the re-read computes again

  // Without recalculation on fetch a record shows what was stored with it.
  t.SetRecalcOnFetch(false);
  calcs = 0;
  t.First();
  EXPECT_EQ(calcs, 0);
  EXPECT_EQ(label->AsString(), "Rex/3");
}

TEST_F(CalcTables, OnlyCalculatedFieldsMayBeWrittenWhileComputing) {
  Add("Rex", 3, "Oslo");
  t.OnCalcFields = [](TDataSet* ds) { ds->FieldByName("Name")->SetAsString("changed"); };
  try {
    t.First();
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_STREQ(e.what(), "Dogs: Dataset is not in edit mode.");
  }
  t.OnCalcFields = nullptr;
  t.First();
  EXPECT_EQ(t.FieldByName("Name")->AsString(), "Rex");
  EXPECT_EQ(t.State(), dsBrowse);
}

TEST_F(CalcTables, AReadOnlyTableStillComputesItsFields) {
  Add("Rex", 3, "Oslo");
  t.SetReadOnly(true);
  t.First();
  EXPECT_EQ(label->AsString(), "Rex/3");
  EXPECT_EQ(country->AsString(), "Norway");
}

TEST_F(CalcTables, LookupFollowsTheLookupTableAndForgetsItWhenItGoes) {
  Add("Rex", 3, "Oslo");
  cities.First();
  cities.Edit();
  cities.FieldByName("Country")->SetAsString("Noreg");
  cities.Post();
  t.First();
  EXPECT_EQ(country->AsString(), "Noreg");
  cities.Close();
  t.First();
  EXPECT_TRUE(country->IsNull());

  auto gone = std::make_unique<TMemTable>("Gone");
  gone->FieldDefs().Add("City", ftString, 20);
  gone->FieldDefs().Add("Country", ftString, 20);
  gone->Open();
  t.Close();
  country->SetLookupDataSet(gone.get());
  t.Open();
  Add("Fido", 5, "Lyon");
  gone.reset();
  EXPECT_EQ(country->LookupDataSet(), nullptr);
  t.First();
  EXPECT_TRUE(country->IsNull());
}

TEST(CalcFieldsLookup, ATableLookingItselfUpEnds) {
  TMemTable t("Staff");
  AddField(t, ftInteger, "ID");
  AddField(t, ftInteger, "Boss");
  AddField(t, ftString, "Name", 10);
  TField* bossName = AddField(t, ftString, "BossName", 10, fkLookup);
  bossName->SetLookupDataSet(&t);
  bossName->SetKeyFields("Boss");
  bossName->SetLookupKeyFields("ID");
  bossName->SetLookupResultField("Name");
  t.Open();
  for (auto [id, boss, name] : {std::tuple{1, 1, "Ann"}, {2, 1, "Bob"}}) {
    t.Append();
    t.FieldByName("ID")->SetAsInteger(id);
    t.FieldByName("Boss")->SetAsInteger(boss);
    t.FieldByName("Name")->SetAsString(name);
    t.Post();
  }
  ASSERT_TRUE(t.Locate("ID", 2));
  EXPECT_EQ(bossName->AsString(), "Ann");
}

TEST_F(CalcTables, LocateAndLookupUseCalculatedFields) {
  Add("Rex", 3, "Oslo");
  Add("Fido", 5, "Lyon");
  EXPECT_FALSE(t.RecalcOnIndex());
  t.Last();
  ASSERT_TRUE(t.Locate("Label", "Rex/3"));
  EXPECT_TRUE(t.RecalcOnIndex());
  EXPECT_EQ(t.FieldByName("Name")->AsString(), "Rex");
  ASSERT_TRUE(t.Locate("Country", "France"));
  EXPECT_EQ(t.FieldByName("Name")->AsString(), "Fido");
  EXPECT_FALSE(t.Locate("Label", "Rex/4"));

  t.First();
  EXPECT_EQ(t.Lookup("Name", "Fido", "Label").AsString(), "Fido/5");
  EXPECT_EQ(t.Lookup("Label", "Fido/5", "Country;Age"),
            TVariant::MakeArray({TVariant("France"), TVariant(5)}));
  EXPECT_EQ(t.FieldByName("Name")->AsString(), "Rex");  // the cursor stays
}

TEST_F(CalcTables, IndexesSortAndSearchByCalculatedFields) {
  // Enough records for locate to search the index instead of scanning.
  for (int i = 0; i < 30; ++i) Add("D" + std::to_string(i), (i * 7) % 30, i % 2 ? "Oslo" : "Lyon");
  t.SetIndexFieldNames("Country;Label");
  EXPECT_TRUE(t.RecalcOnIndex());
  std::vector<std::pair<std::string, std::string>> order;
  for (t.First(); !t.Eof(); t.Next()) order.emplace_back(country->AsString(), label->AsString());
  ASSERT_EQ(order.size(), 30u);
  EXPECT_TRUE(std::is_sorted(order.begin(), order.end()));
  EXPECT_EQ(order.front().first, "France");
  EXPECT_EQ(order.front().second, "D0/0");

  // A change of the data the key is computed from moves the record.
  ASSERT_TRUE(t.Locate("Country;Label", TVariant::MakeArray({"Norway", "D1/7"})));
  t.Edit();
  t.FieldByName("City")->SetAsString("Lyon");
  t.Post();
  EXPECT_TRUE(t.Locate("Country;Label", TVariant::MakeArray({"France", "D1/7"})));
  EXPECT_FALSE(t.Locate("Country;Label", TVariant::MakeArray({"Norway", "D1/7"})));
}

TEST(CalcFieldsLayout, TheAreaFollowsTheFixedPartAndStoresWhatWasComputed) {
  TMemTable t("T");
  AddField(t, ftInteger, "N");
  TField* twice = AddField(t, ftInteger, "Twice", 0, fkCalculated);
  AddField(t, ftString, "Text", 5, fkCalculated);
  t.OnCalcFields = [twice](TDataSet* ds) {
    twice->SetAsInteger(ds->FieldByName("N")->AsInteger() * 2);
  };
  t.Open();
  EXPECT_EQ(t.Store()->CalcStart(), 5);
  EXPECT_EQ(t.Store()->CalcSize(), 5 + 7);
  EXPECT_EQ(t.Store()->BookmarkStart(), 17);
  EXPECT_LT(twice->FieldNo(), 1);
  EXPECT_NE(twice->FieldNo(), t.FieldByName("Text")->FieldNo());
  t.Append();
  t.FieldByName("N")->SetAsInteger(21);
  t.Post();
  EXPECT_EQ(twice->AsInteger(), 42);
  EXPECT_TRUE(t.FieldByName("Text")->IsNull());
}

TEST(CalcFieldsSharing, AnAttachedTableSharesTheCalculatedArea) {
  TMemTable owner("Owner"), copy("Copy"), wider("Wider");
  AddField(owner, ftInteger, "N");
  TField* twice = AddField(owner, ftInteger, "Twice", 0, fkCalculated);
  owner.OnCalcFields = [twice](TDataSet* ds) {
    twice->SetAsInteger(ds->FieldByName("N")->AsInteger() * 2);
  };
  // The copy takes the owner's fields, the calculated one included, and
  // reads the values the owner stored with its records.
  copy.SetAttachedTo(&owner);
  wider.SetAttachedTo(&owner);
  AddField(wider, ftString, "Wide", 40, fkCalculated);
  copy.Open();
  owner.Append();
  owner.FieldByName("N")->SetAsInteger(21);
  owner.Post();
  copy.First();
  EXPECT_EQ(copy.FieldByName("Twice")->FieldKind(), fkCalculated);
  EXPECT_EQ(copy.FieldByName("Twice")->AsInteger(), 42);

  // One with calculated fields of its own finds no room for them.
  try {
    wider.Open();
    FAIL();
  } catch (const EMemTableError& e) {
    EXPECT_STREQ(e.what(), "Calculated fields do not fit the record layout of the shared store.");
  }
  EXPECT_FALSE(wider.Active());
}

// Keys of the wide-text type ignoring the locale still compare by locale
// rules (the user default's), where 8-bit text compares code by code.
TEST(CalcFieldsKeys, WideTextIgnoringTheLocaleComparesInTheUserDefault) {
  TMemTable t("T");
  t.FieldDefs().Add("N", ftInteger);
  t.Open();
  t.SetLocaleID(0x7FFF);  // unknown: the table's own locale cannot compare
  TMemKeyField wide;
  wide.type = ftWideString;
  bool full = false;
  const char16_t a[] = u"a", b[] = u"B";
  EXPECT_EQ(t.CompareFields(a, b, 1, 1, wide, mtifoIgnoreLocale, full), -1);
  EXPECT_TRUE(full);
  EXPECT_EQ(t.CompareFields(a, u"A", 1, 1, wide, mtifoIgnoreLocale | mtifoCaseInsensitive, full),
            0);
  EXPECT_THROW(t.CompareFields(a, b, 1, 1, wide, 0, full), EMemTableInvalidLocale);
  TMemKeyField narrow;
  narrow.type = ftString;
  EXPECT_EQ(t.CompareFields("a", "B", 1, 1, narrow, mtifoIgnoreLocale, full), 1);
}

// A time-stamp field as the field classes keep it: year, month, day, hour,
// minute, second, then milliseconds.
class TStampField : public TField {
 public:
  TStampField() : TField(ftTimeStamp, 0) { SetFieldName("Stamp"); }
  int DataSize() const override { return 16; }
  void Set(std::int16_t year, std::uint16_t month, std::uint16_t day, std::uint16_t hour,
           std::uint32_t ms) {
    std::uint8_t native[16] = {};
    std::uint16_t parts[5] = {month, day, hour, 0, 0};
    std::memcpy(native, &year, 2);
    std::memcpy(native + 2, parts, 10);
    std::memcpy(native + 12, &ms, 4);
    SetData(native);
  }
};

TEST(CalcFieldsKeys, TimeStampKeysTakeTheTimeStampFormAndEmptyIsNull) {
  TMemTable t("T");
  AddField(t, ftInteger, "N");
  auto* stamp = static_cast<TStampField*>(t.AddField(std::make_unique<TStampField>()));
  t.Open();
  for (int n : {1, 2, 3}) {
    t.Append();
    t.FieldByName("N")->SetAsInteger(n);
    if (n == 2) stamp->Set(2004, 5, 6, 18, 250);
    if (n == 3) stamp->Set(2004, 5, 6, 19, 0);
    t.Post();
  }
  TDateTime when;
  ASSERT_TRUE(platform::TryEncodeDate(2004, 5, 6, when));
  TDateTime time;
  ASSERT_TRUE(platform::TryEncodeTime(18, 0, 0, 250, time));
  ASSERT_TRUE(t.Locate("Stamp", when + time));
  EXPECT_EQ(t.FieldByName("N")->AsInteger(), 2);
  ASSERT_TRUE(t.Locate("Stamp", TVariant("")));
  EXPECT_EQ(t.FieldByName("N")->AsInteger(), 1);
  EXPECT_FALSE(t.Locate("Stamp", when));
}

TEST(CalcFieldsSearch, ASearchHoldsTheStoreLock) {
  TMemTable t("T");
  DefinePeople(t);
  AddPerson(t, "Ann", 30, "Oslo");
  AddPerson(t, "Bob", 40, "Rome");
  std::atomic<bool> entered{false};
  bool enteredDuringSearch = true;
  bool checked = false;
  std::thread other;
  t.OnCompareFields = [&](TCustomMemTable* table, TField*, const void*, const void*, TFieldType,
                          TIndexFieldOptions, bool&, int& result) {
    result = 1;
    if (checked) return;
    checked = true;
    other = std::thread([&entered, table] {
      table->Store()->Lock();
      entered = true;
      table->Store()->Unlock();
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    enteredDuringSearch = entered.load();
  };
  EXPECT_FALSE(t.Locate("Age", 40));
  other.join();
  EXPECT_TRUE(entered);
  EXPECT_TRUE(checked);
  EXPECT_FALSE(enteredDuringSearch);
}

}  // namespace

TEST(CalcFieldsFetch, AFailingCalculationStillEndsTheStep) {
  TMemTable t("T");
  AddField(t, ftString, "Name", 20);
  TField* label = AddField(t, ftString, "Label", 20, fkCalculated);
  bool fail = false;
  t.OnCalcFields = [&](TDataSet* ds) {
    if (fail && ds->FieldByName("Name")->AsString() == "B") throw EDatabaseError("no label");
    label->SetAsString("x");
  };
  t.Open();
  for (const char* name : {"A", "B", "C"}) {
    t.Append();
    t.FieldByName("Name")->SetAsString(name);
    t.Post();
  }
  t.First();
  EventLog log;
  log.Attach(t);
  t.Next();  // a step nobody but the events hears of
  EXPECT_EQ(log.Take(), (Events{"BeforeScroll", "AfterScroll"}));
  t.First();
  log.Take();
  fail = true;
  EXPECT_THROW(t.Next(), EDatabaseError);
  EXPECT_EQ(log.Take(), (Events{"BeforeScroll", "AfterScroll"}));
  fail = false;
  EXPECT_EQ(Names(t), (std::vector<std::string>{"A", "B", "C"}));
  EXPECT_TRUE(t.Eof());
}
