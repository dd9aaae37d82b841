// Record layout, auto-increment numbering, slots and the store's checks.
#include <gtest/gtest.h>

#include <algorithm>

#include "TestTables.h"

using namespace testing_tables;

TEST(StoreLayout, FixedAndVariableParts) {
  TMemTable t;
  TFieldDefs& d = t.FieldDefs();
  d.Add("A", ftSmallint);
  d.Add("B", ftString, 30);
  d.Add("C", ftWideString, 10);
  d.Add("D", ftFloat);
  t.Open();
  TMemTableStore* s = t.Store();
  EXPECT_EQ(s->DataOffset(1), 0);
  EXPECT_EQ(s->DataOffset(2), 3);
  EXPECT_EQ(s->DataOffset(3), 35);
  EXPECT_EQ(s->DataOffset(4), 60);
  EXPECT_EQ(s->FixedSize(), 69);
  t.Close();
  // Outside the fast mode long texts move to separate blocks.
  t.SetPerformance(mtpfBalanced);
  t.Open();
  EXPECT_EQ(s->VarFields(), (std::vector<int>{2}));
  EXPECT_EQ(s->FixedSize(), 3 + 25 + 9);
  EXPECT_EQ(s->DataOffset(2), s->VarStart());
  t.Append();
  t.FieldByName("B")->SetAsString("a long text in a block");
  t.Post();
  t.Append();
  t.Post();
  t.First();
  EXPECT_EQ(t.FieldByName("B")->AsString(), "a long text in a block");
  t.Edit();
  t.FieldByName("B")->SetAsString("changed");
  t.Post();
  t.Next();
  EXPECT_TRUE(t.FieldByName("B")->IsNull());
  t.First();
  EXPECT_EQ(t.FieldByName("B")->AsString(), "changed");
}

TEST(StoreLayout, UnsupportedTypeIsNamedInTheMessage) {
  TMemTable t;
  t.FieldDefs().Add("A", ftInteger);
  t.FieldDefs().Add("V", ftVariant);
  try {
    t.Open();
    FAIL();
  } catch (const EMemTableError& e) {
    EXPECT_STREQ(e.what(), "Fielddef V (V) Datatype 32 not supported.");
  }
  EXPECT_FALSE(t.Active());
}

TEST(StoreLayout, TypeWithoutFieldClassFails) {
  // Every type a store holds has a field class; a cursor has none.
  try {
    CreateFieldForType(ftCursor, 0, "Pic");
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_STREQ(e.what(), "Field 'Pic' is of an unknown type");
  }
  TMemTable t;
  t.FieldDefs().Add("Pic", ftGraphic);
  t.Open();
  EXPECT_TRUE(t.Active());
}

TEST(AutoIncrement, NumbersAreUsedUpOnlyByPost) {
  TMemTable t;
  DefinePeople(t);
  t.Append();
  t.Cancel();
  t.Append();
  EXPECT_EQ(t.FieldByName("ID")->AsInteger(), 0);
  t.Post();
  t.Append();
  t.FieldByName("ID")->SetAsInteger(10);
  t.Post();
  t.Append();
  EXPECT_EQ(t.FieldByName("ID")->AsInteger(), 11);
  t.Post();
  t.Delete();
  t.Append();
  EXPECT_EQ(t.FieldByName("ID")->AsInteger(), 12);
  t.Cancel();
}

TEST(AutoIncrement, MinimumAppliesFromTheNextOpen) {
  TMemTable t;
  DefinePeople(t, false);
  t.SetAutoIncMinValue(100);
  t.Open();
  AddPerson(t, "A", 1, "");
  EXPECT_EQ(t.FieldByName("ID")->AsInteger(), 100);
  t.Close();
  t.Open();
  AddPerson(t, "A", 1, "");
  EXPECT_EQ(t.FieldByName("ID")->AsInteger(), 100);
}

TEST(StoreSlots, DeletedSlotsAreReusedLastFreedFirst) {
  TMemTable t;
  DefinePeople(t);
  for (int i = 0; i < 4; ++i) AddPerson(t, "P" + std::to_string(i), i, "");
  t.Locate("Name", "P1");
  t.Delete();
  t.Locate("Name", "P2");
  t.Delete();
  AddPerson(t, "N1", 0, "");
  AddPerson(t, "N2", 0, "");
  const auto& refs = t.CurrentIndex()->References();
  EXPECT_EQ(refs[2]->slot, 2);
  EXPECT_EQ(refs[3]->slot, 1);
  EXPECT_EQ(refs[3]->serial, 5u);
  EXPECT_EQ(t.Store()->RecordCount(), 4);
}

TEST(StoreChecks, AttachMaxCountArguments) {
  TMemTable t;
  DefinePeople(t);
  try {
    t.SetAttachMaxCount(0);
    FAIL();
  } catch (const ERangeError& e) {
    EXPECT_STREQ(e.what(), "Invalid argument.");
  }
  try {
    t.SetAttachMaxCount(2);
    FAIL();
  } catch (const EMemTableError& e) {
    EXPECT_STREQ(e.what(), "Table must be closed for this operation.");
  }
  t.Close();
  t.SetAttachMaxCount(3);
  EXPECT_EQ(t.AttachMaxCount(), 3);
}

TEST(StoreChecks, Standalone) {
  TMemTable t;
  DefinePeople(t);
  EXPECT_THROW(t.SetStandalone(true), EMemTableError);
  t.Close();
  t.SetStandalone(true);
  t.Open();
  AddPerson(t, "A", 1, "");
  EXPECT_EQ(t.RecordCount(), 1);
}

TEST(StoreChecks, SerialCounterLimit) {
  TMemTable t;
  DefinePeople(t);
  t.Store()->serialCounter = 2147483599u;
  t.Append();
  try {
    t.Post();
    FAIL();
  } catch (const EMemTableFatalError& e) {
    EXPECT_STREQ(e.what(), "Bookmark counter is out of range. Please close and reopen table.");
  }
  t.Cancel();
  t.Close();
  t.Open();
  AddPerson(t, "A", 1, "");
  EXPECT_EQ(t.RecordCount(), 1);
}

TEST(Progress, EmptyingReportsWhenAsked) {
  TMemTable t;
  DefinePeople(t);
  std::vector<int> seen;
  t.OnProgress = [&](TCustomMemTable*, int pct, TMemTableProgressCode code) {
    if (code == mtpcEmpty) seen.push_back(pct);
  };
  t.Close();
  EXPECT_TRUE(seen.empty());  // not in ProgressFlags
  t.SetProgressFlags(ProgressBit(mtpcEmpty));
  t.Open();
  t.Close();
  EXPECT_EQ(seen, (std::vector<int>{0, 100}));
}

TEST(StoreLayout, SearchAndSortOnSeparatelyStoredValues) {
  TMemTable t;
  t.SetPerformance(mtpfSmall);
  t.FieldDefs().Add("Code", ftString, 40);
  t.FieldDefs().Add("N", ftInteger);
  int packed = 0, unpacked = 0;
  // A reversible "compression": the bytes reversed.
  t.OnCompressField = [&](TCustomMemTable*, std::string& d) {
    ++packed;
    std::reverse(d.begin(), d.end());
  };
  t.OnDecompressField = [&](TCustomMemTable*, std::string& d) {
    ++unpacked;
    std::reverse(d.begin(), d.end());
  };
  t.Open();
  EXPECT_TRUE(t.Store()->FieldFlags(1) & mtfCompressed);
  for (auto code : {"pear", "apple", "fig"}) {
    t.Append();
    t.FieldByName("Code")->SetAsString(code);
    t.Post();
  }
  EXPECT_GT(packed, 0);
  t.First();
  EXPECT_EQ(t.FieldByName("Code")->AsString(), "pear");
  EXPECT_GT(unpacked, 0);
  EXPECT_TRUE(t.Locate("Code", "apple"));
  EXPECT_EQ(t.RecNo(), 2);
  EXPECT_TRUE(t.Locate("Code", "fi", loPartialKey));
  t.SortOn("Code", 0);
  std::vector<std::string> order;
  for (t.First(); !t.Eof(); t.Next()) order.push_back(t.FieldByName("Code")->AsString());
  EXPECT_EQ(order, (std::vector<std::string>{"apple", "fig", "pear"}));
}
