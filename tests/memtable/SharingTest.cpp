// Tables sharing one store, versioning and transactions.
#include <gtest/gtest.h>

#include "TestTables.h"

using namespace testing_tables;

TEST(Attachment, AttachedTableSeesAndChangesTheSameRecords) {
  TMemTable owner, view;
  DefinePeople(owner, false);
  owner.SetAttachMaxCount(2);
  owner.Open();
  AddPerson(owner, "Ann", 1, "");
  view.SetAttachedTo(&owner);
  view.Open();
  EXPECT_EQ(view.RecordCount(), 1);
  EXPECT_EQ(view.Store(), owner.Store());
  AddPerson(view, "Bob", 2, "");
  EXPECT_EQ(owner.RecordCount(), 2);                  // refreshed after the post
  EXPECT_EQ(view.FieldByName("ID")->AsInteger(), 1);  // shared high mark
  view.First();
  view.Delete();
  EXPECT_EQ(Names(owner), (std::vector<std::string>{"Bob"}));
  // Closing the owner empties the store and closes the attached table.
  owner.Close();
  EXPECT_FALSE(view.Active());
  view.Open();  // opens the owner first
  EXPECT_TRUE(owner.Active());
  EXPECT_EQ(view.RecordCount(), 0);
}

TEST(Attachment, Checks) {
  TMemTable a, b, c;
  DefinePeople(a, false);
  try {
    a.SetAttachedTo(&a);
    FAIL();
  } catch (const EMemTableError& e) {
    EXPECT_STREQ(e.what(), "Cant attach memorytable to it self.");
  }
  b.SetAttachedTo(&a);
  try {
    c.SetAttachedTo(&b);
    FAIL();
  } catch (const EMemTableError& e) {
    EXPECT_STREQ(e.what(), "Cant attach to another table which itself is an attachment.");
  }
  EXPECT_EQ(c.AttachedTo(), nullptr);
  a.Open();
  try {
    c.SetAttachedTo(&a);  // needs a new entry while a sharing table is open
    FAIL();
  } catch (const EMemTableError& e) {
    EXPECT_STREQ(e.what(), "Table must be closed for this operation.");
  }
  EXPECT_NE(c.Store(), a.Store());
  try {
    b.SetStandalone(true);
    FAIL();
  } catch (const EMemTableError& e) {
    EXPECT_STREQ(e.what(), "Table is attached to another table.");
  }
  a.Close();
  try {
    a.SetStandalone(true);
    FAIL();
  } catch (const EMemTableError& e) {
    EXPECT_STREQ(e.what(), "Children are attached to this table.");
  }
  b.SetAttachedTo(nullptr);
  EXPECT_NE(b.Store(), a.Store());
}

TEST(Attachment, DestroyingTheOwnerReleasesAttachedTables) {
  TMemTable view;
  {
    TMemTable owner;
    DefinePeople(owner, false);
    owner.SetAttachMaxCount(2);
    owner.Open();
    AddPerson(owner, "Ann", 1, "");
    view.SetAttachedTo(&owner);
    view.Open();
  }
  EXPECT_FALSE(view.Active());
  EXPECT_EQ(view.AttachedTo(), nullptr);
}

TEST(Versioning, TransactionRollbackRestoresEverything) {
  TMemTable t;
  DefinePeople(t);
  AddPerson(t, "Ann", 1, "");
  AddPerson(t, "Bob", 2, "");
  try {
    t.StartTransaction();
    FAIL();
  } catch (const EMemTableError& e) {
    EXPECT_STREQ(e.what(), "Transactioning requires multiversion versioning.");
  }
  t.SetEnableVersioning(true);
  t.SetVersioningMode(mtvmAllSinceCheckPoint);
  t.StartTransaction();
  EXPECT_EQ(t.TransactionLevel(), 1);
  t.First();
  t.Edit();
  t.FieldByName("Name")->SetAsString("Anna");
  t.Post();
  t.Edit();
  t.FieldByName("Name")->SetAsString("Annie");
  t.Post();
  t.Next();
  t.Delete();
  AddPerson(t, "Cid", 3, "");
  EXPECT_EQ(Names(t), (std::vector<std::string>{"Annie", "Cid"}));
  t.Rollback();
  EXPECT_EQ(t.TransactionLevel(), 0);
  EXPECT_EQ(Names(t), (std::vector<std::string>{"Ann", "Bob"}));
}

TEST(Versioning, CommitKeepsChangesAndNestedRollbackOnlyUndoesItsLevel) {
  TMemTable t;
  DefinePeople(t);
  t.SetEnableVersioning(true);
  t.SetVersioningMode(mtvmAllSinceCheckPoint);
  AddPerson(t, "Ann", 1, "");
  t.StartTransaction();
  AddPerson(t, "Bob", 2, "");
  t.StartTransaction();
  AddPerson(t, "Cid", 3, "");
  t.Commit();
  t.StartTransaction();
  AddPerson(t, "Dan", 4, "");
  t.Rollback();
  EXPECT_EQ(Names(t), (std::vector<std::string>{"Ann", "Bob", "Cid"}));
  t.Rollback();
  EXPECT_EQ(Names(t), (std::vector<std::string>{"Ann"}));
}

TEST(Versioning, OldValuesAndCheckPoint) {
  TMemTable t;
  DefinePeople(t);
  t.SetEnableVersioning(true);
  AddPerson(t, "Ann", 1, "");
  t.CheckPoint();
  t.First();
  EXPECT_EQ(t.UpdateStatus(), usUnmodified);
  t.Edit();
  t.FieldByName("Name")->SetAsString("Anna");
  t.Post();
  EXPECT_EQ(t.UpdateStatus(), usModified);
  t.Delete();
  EXPECT_EQ(t.RecordCount(), 0);
  EXPECT_EQ(t.Store()->deletedCount, 1);
  t.CheckPoint();
  EXPECT_EQ(t.Store()->deletedCount, 0);
  EXPECT_EQ(t.RecordCount(), 0);
}
