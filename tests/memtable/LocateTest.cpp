// Locate, lookup, the locale identifier, indexes and comparison options.
#include <gtest/gtest.h>

#include "TestTables.h"

using namespace testing_tables;

namespace {
struct Dogs : ::testing::Test {
  TMemTable t;
  EventLog log;
  void SetUp() override {
    DefinePeople(t);
    AddPerson(t, "German shepherd", 7, "Dortmund");
    AddPerson(t, "German shepherd", 12, "Berlin");
    AddPerson(t, "Deer-hound", 10, "Berlin");
    AddPerson(t, "English terrier", 4, "London");
    AddPerson(t, "Mongrel", 5, "Moscow");
    t.First();
    log.Attach(t);
  }
};
}  // namespace

TEST(LocaleIds, JoinAndSplit) {
  TMemTable t;
  EXPECT_EQ(t.LocaleID(), 1024);
  EXPECT_EQ(t.LanguageID(), 0);
  EXPECT_EQ(t.SubLanguageID(), 1);
  t.SetLanguageID(7);
  EXPECT_EQ(t.LocaleID(), 1031);
  t.SetSortID(1);
  EXPECT_EQ(t.LocaleID(), 66567);
  t.SetLocaleID(66567);
  EXPECT_EQ(t.LanguageID(), 7);
  EXPECT_EQ(t.SubLanguageID(), 1);
  EXPECT_EQ(t.SortID(), 1);
}

TEST_F(Dogs, LocateByIdMovesAndMissLeavesTheCursor) {
  EXPECT_TRUE(t.Locate("ID", 3));
  EXPECT_TRUE(t.Found());
  EXPECT_EQ(t.FieldByName("Name")->AsString(), "English terrier");
  EXPECT_EQ(log.Take(), (Events{"BeforeScroll", "AfterScroll"}));
  EXPECT_FALSE(t.Locate("ID", 99));
  EXPECT_FALSE(t.Found());
  EXPECT_EQ(log.Take(), (Events{"BeforeScroll"}));
  EXPECT_EQ(t.FieldByName("Name")->AsString(), "English terrier");
}

TEST_F(Dogs, LocatePostsAPendingInsertFirst) {
  t.Append();
  t.FieldByName("Name")->SetAsString("Newfoundland");
  log.Take();
  EXPECT_TRUE(t.Locate("ID", 5));
  EXPECT_EQ(log.Take(), (Events{"BeforeScroll", "BeforePost", "AfterPost", "AfterScroll"}));
  EXPECT_EQ(t.FieldByName("Name")->AsString(), "Newfoundland");
}

TEST_F(Dogs, KeyValueShapes) {
  try {
    t.Locate("Name;City", "Mongrel");
    FAIL();
  } catch (const EMemTableError& e) {
    EXPECT_STREQ(e.what(), "More fields than values");
  }
  EXPECT_TRUE(t.Locate("ID", TVariant::Array{TVariant(2), TVariant(4)}));
  EXPECT_EQ(t.FieldByName("ID")->AsInteger(), 2);
  TVariant nested = TVariant::Array{TVariant(TVariant::Array{TVariant(1)})};
  try {
    t.Locate("ID", nested);
    FAIL();
  } catch (const EMemTableError& e) {
    EXPECT_STREQ(e.what(), "Values variant array has invalid dimension count");
  }
  try {
    t.Locate("", 1);
    FAIL();
  } catch (const EMemTableError& e) {
    EXPECT_STREQ(e.what(), "There must be at least one field");
  }
  try {
    t.Locate("Nope", 1);
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_STREQ(e.what(), "People: Field 'Nope' not found");
  }
  EXPECT_TRUE(t.Locate("Name; City", TVariant::Array{"Mongrel", "Moscow"}));
  EXPECT_EQ(t.FieldByName("ID")->AsInteger(), 4);
}

TEST_F(Dogs, PartialAndCaseInsensitiveOptions) {
  EXPECT_FALSE(t.Locate("Name", "Mong"));
  EXPECT_TRUE(t.Locate("Name", "Mong", loPartialKey));
  EXPECT_EQ(t.FieldByName("ID")->AsInteger(), 4);
  t.First();
  EXPECT_FALSE(t.Locate("Name", "MONGREL"));
  EXPECT_TRUE(t.Locate("Name", "MONGREL", loCaseInsensitive));
  EXPECT_EQ(t.FieldByName("ID")->AsInteger(), 4);
  EXPECT_FALSE(t.Locate("Name", "Mongrels", loPartialKey));
  // Option letters in the field list work the same way.
  t.First();
  EXPECT_TRUE(t.Locate("Name:PC", "mong"));
  EXPECT_EQ(t.FieldByName("ID")->AsInteger(), 4);
}

TEST_F(Dogs, NullKeysMatchNullValues) {
  t.Append();
  t.FieldByName("Name")->SetAsString("Nameless city");
  t.Post();
  t.First();
  EXPECT_TRUE(t.Locate("City", TVariant()));
  EXPECT_EQ(t.FieldByName("Name")->AsString(), "Nameless city");
}

TEST_F(Dogs, LookupReadsWithoutMoving) {
  t.Locate("ID", 1);
  log.Take();
  EXPECT_EQ(t.Lookup("ID", 4, "Name"), TVariant("Mongrel"));
  TVariant both = t.Lookup("ID", 3, "Name;Age");
  ASSERT_TRUE(both.IsArray());
  EXPECT_EQ(both.AsArray()[0], TVariant("English terrier"));
  EXPECT_EQ(both.AsArray()[1], TVariant(4));
  EXPECT_TRUE(t.Lookup("ID", 42, "Name").IsNull());
  EXPECT_EQ(t.FieldByName("ID")->AsInteger(), 1);
  EXPECT_TRUE(log.Take().empty());
  EXPECT_EQ(t.State(), dsBrowse);
}

TEST_F(Dogs, InvalidLocaleFailsTextComparisons) {
  t.SetLocaleID(0x7FFF);
  try {
    t.Locate("Name", "Mongrel");
    FAIL();
  } catch (const EMemTableInvalidLocale& e) {
    EXPECT_STREQ(e.what(), "Invalid locale.");
  }
  EXPECT_TRUE(t.Locate("Name:L", "Mongrel"));  // ordinal comparison needs no locale
  EXPECT_TRUE(t.Locate("ID", 2));              // numbers need none either
}

TEST_F(Dogs, CannotIndexOnUnsuitableFields) {
  t.FieldByName("City")->SetFieldKind(fkAggregate);
  try {
    t.Locate("City", "Berlin");
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_STREQ(e.what(), "Can't index on field City");
  }
}

TEST_F(Dogs, SortOnMakesASortedOrderCurrent) {
  t.SortOn("City;Age:D", 0);
  EXPECT_EQ(t.CurrentIndex()->Name(), "__MT__SORT");
  std::vector<std::string> order;
  for (t.First(); !t.Eof(); t.Next())
    order.push_back(t.FieldByName("City")->AsString() + t.FieldByName("Age")->AsString());
  EXPECT_EQ(order,
            (std::vector<std::string>{"Berlin12", "Berlin10", "Dortmund7", "London4", "Moscow5"}));
  EXPECT_THROW(t.SortOn("", 0), EMemTableError);
}

TEST(Indexes, SortedIndexOrdersAndMaintains) {
  TMemTable t;
  DefinePeople(t);
  for (auto n : {"delta", "Alpha", "charlie", "Bravo"}) AddPerson(t, n, 1, "");
  t.AddIndex("ByName", "Name", mtcoCaseInsensitive);
  t.SetIndexName("ByName");
  EXPECT_EQ(Names(t), (std::vector<std::string>{"Alpha", "Bravo", "charlie", "delta"}));
  AddPerson(t, "Echo", 1, "");
  AddPerson(t, "aardvark", 1, "");
  EXPECT_EQ(Names(t),
            (std::vector<std::string>{"aardvark", "Alpha", "Bravo", "charlie", "delta", "Echo"}));
  t.Locate("Name", "charlie");
  t.Edit();
  t.FieldByName("Name")->SetAsString("zulu");
  t.Post();
  EXPECT_EQ(Names(t).back(), "zulu");
  t.SetIndexName("");
  EXPECT_EQ(Names(t).front(), "delta");
}

TEST(Indexes, DescendingIgnoreNullAndOrdinalOptions) {
  TMemTable t;
  DefinePeople(t);
  AddPerson(t, "b", 2, "");
  AddPerson(t, "a", 3, "");
  AddPerson(t, "c", 1, "");
  t.Append();
  t.FieldByName("Name")->SetAsString("n");
  t.Post();  // Age null
  t.IndexDefs().Add("AgeDesc", "Age", ixDescending);
  t.Close();
  t.Open();
  for (auto n : {"b", "a", "c"}) AddPerson(t, n, n[0] - 'a' + 1, "");
  t.Append();
  t.FieldByName("Name")->SetAsString("n");
  t.Post();
  t.SetIndexName("AgeDesc");
  // Descending: values high to low, then the null (nulls sort first ascending).
  EXPECT_EQ(Names(t), (std::vector<std::string>{"c", "b", "a", "n"}));
  t.SetIndexFieldNames("Name:DL");
  EXPECT_EQ(Names(t), (std::vector<std::string>{"n", "c", "b", "a"}));
}

TEST(Indexes, UniqueIndexRefusesDuplicates) {
  TMemTable t;
  DefinePeople(t, false);
  t.IndexDefs().Add("U", "Name", ixUnique);
  t.Open();
  AddPerson(t, "Ann", 1, "");
  t.Append();
  t.FieldByName("Name")->SetAsString("Ann");
  try {
    t.Post();
    FAIL();
  } catch (const EMemTableDupKey& e) {
    EXPECT_STREQ(e.what(), "Duplicate index value. Operation aborted.");
  }
  EXPECT_EQ(t.State(), dsInsert);
  t.Cancel();
  EXPECT_EQ(t.RecordCount(), 1);
  // Editing a record without changing its key is not a duplicate.
  t.Edit();
  t.FieldByName("Age")->SetAsInteger(2);
  t.Post();
}

TEST(Indexes, MissingFieldNamesAndNonMaintained) {
  TMemTable t;
  DefinePeople(t, false);
  t.IndexDefs().Add("Empty", "");
  try {
    t.Open();
    FAIL();
  } catch (const EMemTableError& e) {
    EXPECT_STREQ(e.what(), "Missing Name or FieldNames in IndexDef!");
  }
  EXPECT_FALSE(t.Active());
  t.IndexDefs().Clear();
  t.Open();
  TMemIndex* idx = t.AddIndex("NM", "Age", mtcoNonMaintained);
  AddPerson(t, "A", 1, "");
  EXPECT_FALSE(idx->UpToDate());
  t.SetIndexName("NM");  // brought up to date when needed
  EXPECT_EQ(t.RecordCount(), 1);
}

TEST(Indexes, LocateUsesAMatchingIndexOrAddsOne) {
  TMemTable t;
  DefinePeople(t);
  for (int i = 0; i < 200; ++i) AddPerson(t, "P" + std::to_string(i), (i * 37) % 200, "");
  EXPECT_TRUE(t.Locate("Age", 111));
  EXPECT_EQ(t.FieldByName("Age")->AsInteger(), 111);
  t.SetAutoAddIndexes(true);
  EXPECT_TRUE(t.Locate("Age", 74));
  EXPECT_EQ(t.FieldByName("Age")->AsInteger(), 74);
  EXPECT_NE(t.Indexes().Find("__MT__AUTO_Age"), nullptr);
  EXPECT_FALSE(t.Locate("Age", 500));
  for (int age = -1; age <= 200; ++age) {  // every place a search can end
    ASSERT_EQ(t.Locate("Age", age), age >= 0 && age < 200) << age;
    if (age >= 0 && age < 200) {
      ASSERT_EQ(t.FieldByName("Age")->AsInteger(), age);
    }
  }
  // The cursor stays in row order: the found record's row position.
  EXPECT_EQ(t.FieldByName("Name")->AsString(), "P" + std::to_string(t.RecNo() - 1));
  std::vector<int> search;
  t.SetProgressFlags(ProgressBit(mtpcSearch));
  t.OnProgress = [&](TCustomMemTable*, int pct, TMemTableProgressCode) { search.push_back(pct); };
  t.Locate("Age", 3);
  EXPECT_EQ(search, (std::vector<int>{0, 100}));
}

TEST(Indexes, IndexFilterLimitsItsRecords) {
  TMemTable t;
  DefinePeople(t);
  for (int i = 0; i < 6; ++i) AddPerson(t, "P" + std::to_string(i), i, "");
  TMemIndex* idx = t.AddIndex("Even", "Age", 0);
  idx->OnFilter = [](TCustomMemTable* tb, TMemIndex*, bool& accept) {
    accept = tb->FieldByName("Age")->AsInteger() % 2 == 0;
  };
  idx->Rebuild();
  t.SetIndexName("Even");
  EXPECT_EQ(t.RecordCount(), 3);
}

TEST(Comparison, OnCompareFieldsReplacesTheBuiltInOne) {
  TMemTable t;
  DefinePeople(t);
  AddPerson(t, "x", 5, "");
  AddPerson(t, "y", 6, "");
  t.OnCompareFields = [](TCustomMemTable*, TField*, const void*, const void*, TFieldType,
                         TIndexFieldOptions, bool&, int& result) { result = 0; };
  t.Last();
  EXPECT_TRUE(t.Locate("Age", 99));  // everything compares equal: the first record
  EXPECT_EQ(t.RecNo(), 1);
}
