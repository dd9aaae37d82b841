// States, the editing cycle, navigation and their events.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <utility>

#include "TestTables.h"
#include "memtable/DataSource.h"
#include "platform/base/LocaleServices.h"

using namespace testing_tables;

TEST(DataSetOpen, WithoutFieldDefinitionsFailsAndStaysClosed) {
  TMemTable t("T");
  try {
    t.Open();
    FAIL();
  } catch (const EMemTableError& e) {
    EXPECT_STREQ(e.what(), "There must be at least one field");
  }
  EXPECT_FALSE(t.Active());
  EXPECT_EQ(t.State(), dsInactive);
  EXPECT_EQ(t.FieldCount(), 0);
}

TEST(DataSetOpen, StoredActiveWaitsForLoadingAndHonoursDesignActivation) {
  TMemTable a("A"), b("B");
  for (TMemTable* t : {&a, &b}) {
    t->BeginLoad();
    t->FieldDefs().Add("X", ftInteger);
    t->SetActive(true);
    EXPECT_FALSE(t->Active());
  }
  b.SetDesignActivation(false);
  a.EndLoad();
  b.EndLoad();
  EXPECT_TRUE(a.Active());
  EXPECT_FALSE(b.Active());
}

TEST(DataSetOpen, OpenRunsRefreshAndCloseEmptiesTheTable) {
  TMemTable t;
  EventLog log;
  log.Attach(t);
  DefinePeople(t);
  EXPECT_EQ(log.Take(), (Events{"BeforeOpen", "BeforeRefresh", "AfterRefresh", "AfterOpen"}));
  AddPerson(t, "Ann", 30, "Oslo");
  t.Append();
  log.Take();
  t.Close();
  // A pending insert is cancelled before BeforeClose.
  EXPECT_EQ(log.Take(), (Events{"BeforeCancel", "BeforeScroll", "AfterCancel", "AfterScroll",
                                "BeforeClose", "AfterClose"}));
  EXPECT_EQ(t.FieldCount(), 0);  // default fields go with the cursor
  t.Open();
  EXPECT_EQ(t.RecordCount(), 0);
  EXPECT_TRUE(t.IsEmpty());
}

TEST(DataSetOpen, ClosedTableRefusesOperationsWithItsName) {
  TMemTable t;
  DefinePeople(t, false);
  auto expectClosed = [](auto fn) {
    try {
      fn();
      FAIL();
    } catch (const EDatabaseError& e) {
      EXPECT_STREQ(e.what(), "People: Cannot perform this operation on a closed dataset");
    }
  };
  expectClosed([&] { t.First(); });
  expectClosed([&] { t.Next(); });
  expectClosed([&] { t.Append(); });
  expectClosed([&] { t.Edit(); });
  expectClosed([&] { t.Delete(); });
  expectClosed([&] { t.RecordCount(); });
  expectClosed([&] { t.Locate("ID", 1); });
  EXPECT_EQ(t.RecNo(), -1);
  try {
    t.Post();
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_STREQ(e.what(), "People: Dataset not in edit or insert mode");
  }
}

TEST(EditingCycle, AppendPostStoresOnlyTheAutoIncrementValue) {
  TMemTable t;
  DefinePeople(t);
  EventLog log;
  log.Attach(t);
  t.Append();
  EXPECT_EQ(t.State(), dsInsert);
  EXPECT_EQ(t.RecNo(), -1);
  EXPECT_FALSE(t.Modified());  // the auto-increment value does not count
  EXPECT_EQ(t.FieldByName("ID")->AsInteger(), 0);
  t.Post();
  EXPECT_EQ(log.Take(), (Events{"BeforeInsert", "BeforeScroll", "AfterInsert", "AfterScroll",
                                "BeforePost", "AfterPost"}));
  EXPECT_EQ(t.State(), dsBrowse);
  EXPECT_EQ(t.RecordCount(), 1);
  EXPECT_FALSE(t.FieldByName("ID")->IsNull());
  EXPECT_TRUE(t.FieldByName("Name")->IsNull());
  EXPECT_TRUE(t.FieldByName("Age")->IsNull());
}

TEST(EditingCycle, ImplicitPostOrCancelBeforeFirst) {
  TMemTable t;
  DefinePeople(t);
  AddPerson(t, "Ann", 30, "Oslo");
  EventLog log;
  log.Attach(t);
  t.Append();
  t.FieldByName("Name")->SetAsString("Bob");
  log.Take();
  t.First();
  EXPECT_EQ(log.Take(), (Events{"BeforePost", "AfterPost", "BeforeScroll", "AfterScroll"}));
  EXPECT_EQ(t.RecordCount(), 2);
  t.Append();
  log.Take();
  t.First();
  EXPECT_EQ(log.Take(), (Events{"BeforeCancel", "BeforeScroll", "AfterCancel", "AfterScroll",
                                "BeforeScroll", "AfterScroll"}));
  EXPECT_EQ(t.RecordCount(), 2);
  EXPECT_EQ(t.FieldByName("Name")->AsString(), "Ann");
}

TEST(EditingCycle, InsertGoesBeforeTheCurrentRecord) {
  TMemTable t;
  DefinePeople(t);
  AddPerson(t, "Ann", 1, "");
  AddPerson(t, "Bob", 2, "");
  AddPerson(t, "Cid", 3, "");
  t.First();
  t.Next();  // Bob
  t.Insert();
  t.FieldByName("Name")->SetAsString("New");
  t.Post();
  EXPECT_EQ(t.FieldByName("Name")->AsString(), "New");
  EXPECT_EQ(t.RecNo(), 2);
  EXPECT_EQ(Names(t), (std::vector<std::string>{"Ann", "New", "Bob", "Cid"}));
  // Cancelling an insert returns to the record that was current.
  t.First();
  t.Next();
  t.Next();  // Bob
  t.Insert();
  t.Cancel();
  EXPECT_EQ(t.FieldByName("Name")->AsString(), "Bob");
  // Cancelling an append makes the last record current.
  t.First();
  t.Append();
  t.Cancel();
  EXPECT_EQ(t.FieldByName("Name")->AsString(), "Cid");
}

TEST(EditingCycle, InsertIntoEmptyTable) {
  TMemTable t;
  DefinePeople(t);
  t.Insert();
  t.FieldByName("Name")->SetAsString("Solo");
  t.Post();
  EXPECT_EQ(Names(t), (std::vector<std::string>{"Solo"}));
}

TEST(EditingCycle, EditAndPostKeepsTheRecordAndCancelRestoresIt) {
  TMemTable t;
  DefinePeople(t);
  AddPerson(t, "Ann", 30, "Oslo");
  AddPerson(t, "Bob", 40, "Rome");
  t.First();
  EventLog log;
  log.Attach(t);
  t.Edit();
  EXPECT_EQ(t.State(), dsEdit);
  t.Edit();  // already editing: nothing
  t.FieldByName("Age")->SetAsInteger(31);
  EXPECT_TRUE(t.Modified());
  t.Post();
  EXPECT_EQ(log.Take(), (Events{"BeforeEdit", "AfterEdit", "BeforePost", "AfterPost"}));
  EXPECT_EQ(t.FieldByName("Age")->AsInteger(), 31);
  EXPECT_EQ(t.RecNo(), 1);
  EXPECT_EQ(t.UpdateStatus(), usModified);
  t.Edit();
  t.FieldByName("Name")->SetAsString("Zed");
  t.Cancel();
  EXPECT_EQ(t.FieldByName("Name")->AsString(), "Ann");
  t.First();
  EXPECT_EQ(t.FieldByName("Age")->AsInteger(), 31);
}

TEST(EditingCycle, EditOnEmptyTableStartsAnInsert) {
  TMemTable t;
  DefinePeople(t);
  EventLog log;
  log.Attach(t);
  t.Edit();
  EXPECT_EQ(t.State(), dsInsert);
  EXPECT_EQ(log.Take(), (Events{"BeforeInsert", "BeforeScroll", "AfterInsert", "AfterScroll"}));
}

TEST(EditingCycle, DeleteWhileInsertingRemovesNothing) {
  TMemTable t;
  DefinePeople(t);
  AddPerson(t, "Ann", 30, "Oslo");
  t.Append();
  t.Delete();
  EXPECT_EQ(t.State(), dsBrowse);
  EXPECT_EQ(t.RecordCount(), 1);
}

TEST(EditingCycle, DeleteOnEmptyTableFailsWithTheName) {
  TMemTable t;
  DefinePeople(t);
  try {
    t.Delete();
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_STREQ(e.what(), "People: Cannot perform this operation on an empty dataset");
  }
}

TEST(EditingCycle, DeleteMovesToTheFollowingOrPreviousRecord) {
  TMemTable t;
  DefinePeople(t);
  AddPerson(t, "Ann", 1, "");
  AddPerson(t, "Bob", 2, "");
  AddPerson(t, "Cid", 3, "");
  t.First();
  t.Next();
  t.Delete();
  EXPECT_EQ(t.FieldByName("Name")->AsString(), "Cid");
  t.Delete();  // the last one: the new last becomes current
  EXPECT_EQ(t.FieldByName("Name")->AsString(), "Ann");
  t.Delete();
  EXPECT_TRUE(t.IsEmpty());
  EXPECT_TRUE(t.Eof());
  EXPECT_TRUE(t.Bof());
  // Deleting in edit state drops the pending changes with the record.
  AddPerson(t, "Dan", 4, "");
  t.Edit();
  t.FieldByName("Name")->SetAsString("Changed");
  t.Delete();
  EXPECT_EQ(t.RecordCount(), 0);
}

TEST(EditingCycle, RequiredNullFieldStopsPostAndKeepsValues) {
  TMemTable t;
  DefinePeople(t);
  t.Append();
  t.FieldByName("Name")->SetAsString("Ann");
  t.FieldByName("ID")->Clear();
  try {
    t.Post();
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_STREQ(e.what(), "Field 'ID' must have a value");
  }
  EXPECT_EQ(t.State(), dsInsert);
  EXPECT_EQ(t.FieldByName("Name")->AsString(), "Ann");
  EXPECT_EQ(t.RecordCount(), 0);
}

TEST(EditingCycle, ReadOnlyTableRefusesChangesButAllowsDelete) {
  TMemTable t;
  DefinePeople(t);
  AddPerson(t, "Ann", 1, "");
  t.SetReadOnly(true);
  for (auto op : {&TDataSet::Append, &TDataSet::Insert, &TDataSet::Edit}) {
    try {
      (t.*op)();
      FAIL();
    } catch (const EDatabaseError& e) {
      EXPECT_STREQ(e.what(), "People: Cannot modify a read-only dataset");
    }
    EXPECT_EQ(t.State(), dsBrowse);
  }
  t.Delete();
  EXPECT_EQ(t.RecordCount(), 0);
}

TEST(EditingCycle, ErrorInHandlerEndsTheOperationThere) {
  TMemTable t;
  DefinePeople(t);
  t.BeforePost = [](TDataSet*) { throw EDatabaseError("no"); };
  t.Append();
  EXPECT_THROW(t.Post(), EDatabaseError);
  EXPECT_EQ(t.State(), dsInsert);
  t.BeforePost = nullptr;
  t.Post();
  EXPECT_EQ(t.RecordCount(), 1);
}

TEST(EditingCycle, OnNewRecordAndDefaultExpression) {
  TMemTable t;
  DefinePeople(t);
  t.FieldByName("City")->SetDefaultExpression("Bergen");
  t.OnNewRecord = [](TDataSet* ds) { ds->FieldByName("Age")->SetAsInteger(18); };
  t.Append();
  EXPECT_FALSE(t.Modified());
  EXPECT_EQ(t.FieldByName("City")->AsString(), "Bergen");
  EXPECT_EQ(t.FieldByName("Age")->AsInteger(), 18);
  // A failing new-record step returns to browse with nothing added.
  t.Cancel();
  t.OnNewRecord = [](TDataSet*) { throw EDatabaseError("refused"); };
  EXPECT_THROW(t.Append(), EDatabaseError);
  EXPECT_EQ(t.State(), dsBrowse);
  EXPECT_EQ(t.RecordCount(), 0);
}

TEST(ErrorProtocol, PostErrorHandlerActions) {
  TMemTable t;
  DefinePeople(t);
  t.AddIndex("ByName", "Name", mtcoUnique);
  AddPerson(t, "Ann", 1, "");
  int calls = 0;
  TDataAction answer = daFail;
  t.OnPostError = [&](TDataSet*, EDatabaseError& e, TDataAction& action) {
    ++calls;
    EXPECT_STREQ(e.what(), "Duplicate index value. Operation aborted.");
    EXPECT_EQ(action, daFail);
    action = answer;
    if (answer == daRetry) t.FieldByName("Name")->SetAsString("Ann2");
  };
  t.Append();
  t.FieldByName("Name")->SetAsString("Ann");
  EXPECT_THROW(t.Post(), EMemTableDupKey);
  EXPECT_EQ(t.State(), dsInsert);
  answer = daAbort;
  EXPECT_THROW(t.Post(), EAbort);
  EXPECT_EQ(t.State(), dsInsert);
  answer = daRetry;
  t.Post();
  EXPECT_EQ(calls, 3);
  EXPECT_EQ(t.RecordCount(), 2);
  EXPECT_EQ(t.FieldByName("Name")->AsString(), "Ann2");
}

TEST(Navigation, WalkVisitsEveryRecordOnce) {
  TMemTable t;
  DefinePeople(t);
  t.First();
  EXPECT_TRUE(t.Eof());
  EXPECT_TRUE(Names(t).empty());
  for (int i = 0; i < 5; ++i) AddPerson(t, "P" + std::to_string(i), i, "");
  EXPECT_EQ(Names(t), (std::vector<std::string>{"P0", "P1", "P2", "P3", "P4"}));
  EXPECT_EQ(t.FieldByName("Name")->AsString(), "P4");  // last stays current
  EXPECT_EQ(t.MoveBy(-2), -2);
  EXPECT_EQ(t.FieldByName("Name")->AsString(), "P2");
  EXPECT_EQ(t.MoveBy(10), 2);
  EXPECT_TRUE(t.Eof());
  EXPECT_EQ(t.MoveBy(-10), -4);
  EXPECT_TRUE(t.Bof());
  EXPECT_EQ(t.FieldByName("Name")->AsString(), "P0");
  t.Last();
  EXPECT_EQ(t.FieldByName("Name")->AsString(), "P4");
  t.Prior();
  EXPECT_EQ(t.RecNo(), 4);
  t.SetRecNo(2);
  EXPECT_EQ(t.FieldByName("Name")->AsString(), "P1");
  t.SetRecNo(99);  // ignored
  EXPECT_EQ(t.RecNo(), 2);
}

TEST(Navigation, NextAtEndCallsOnlyBeforeScroll) {
  TMemTable t;
  DefinePeople(t);
  AddPerson(t, "Ann", 1, "");
  t.Last();
  t.Next();
  ASSERT_TRUE(t.Eof());
  EventLog log;
  log.Attach(t);
  EXPECT_EQ(t.MoveBy(1), 0);
  EXPECT_EQ(t.MoveBy(0), 0);
  EXPECT_EQ(log.Take(), (Events{"BeforeScroll", "BeforeScroll"}));
}

TEST(Navigation, FieldByNameIgnoresCaseAndReportsMisses) {
  TMemTable t;
  DefinePeople(t);
  EXPECT_EQ(t.FieldByName("city"), t.FieldByName("City"));
  EXPECT_EQ(t.FindField("nope"), nullptr);
  try {
    t.FieldByName("Nope");
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_STREQ(e.what(), "People: Field 'Nope' not found");
  }
}

// Under a Turkish user locale i and I are still one letter to a name.
TEST(Navigation, FieldByNameFoldsIAndIUnderATurkishLocale) {
  const char* old = std::getenv("LC_ALL");
  const std::string saved = old ? old : "";
  setenv("LC_ALL", "tr_TR.UTF-8", 1);
  platform::ResetLocaleCache();
  TMemTable t;
  DefinePeople(t);
  const std::pair<const char*, const char*> names[] = {
      {"CITY", "City"}, {"id", "ID"}, {"NAME", "Name"}, {"cIty", "City"}};
  for (const auto& [asked, field] : names) {
    TField* f = t.FindField(asked);
    EXPECT_TRUE(f && f->FieldName() == field) << asked;
  }
  if (old)
    setenv("LC_ALL", saved.c_str(), 1);
  else
    unsetenv("LC_ALL");
  platform::ResetLocaleCache();
}

TEST(Bookmarks, GotoAndCompareAndInvalidation) {
  TMemTable t;
  DefinePeople(t);
  AddPerson(t, "Ann", 1, "");
  AddPerson(t, "Bob", 2, "");
  AddPerson(t, "Cid", 3, "");
  t.First();
  TBookmark a = t.GetBookmark();
  t.Next();
  TBookmark b = t.GetBookmark();
  EXPECT_TRUE(t.BookmarkValid(a));
  EXPECT_EQ(t.CompareBookmarks(a, b), -1);
  EXPECT_EQ(t.CompareBookmarks(b, a), 1);
  EXPECT_EQ(t.CompareBookmarks(a, a), 0);
  t.Last();
  t.GotoBookmark(a);
  EXPECT_EQ(t.FieldByName("Name")->AsString(), "Ann");
  t.Append();
  EXPECT_FALSE(t.GetBookmark());  // no stored record is current
  t.Cancel();
  // A deleted record's bookmark no longer leads anywhere.
  t.GotoBookmark(b);
  t.Delete();
  EXPECT_FALSE(t.BookmarkValid(b));
  try {
    t.GotoBookmark(b);
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_STREQ(e.what(), "People: Record not found");
  }
  EXPECT_EQ(t.FieldByName("Name")->AsString(), "Cid");
  // Closing empties the store and changes its identity.
  t.Close();
  t.Open();
  AddPerson(t, "Ann", 1, "");
  EXPECT_FALSE(t.BookmarkValid(a));
}

TEST(Filtering, OnFilterRecordHidesRecords) {
  TMemTable t;
  DefinePeople(t);
  for (int i = 0; i < 6; ++i) AddPerson(t, "P" + std::to_string(i), i, "");
  t.OnFilterRecord = [](TDataSet* ds, bool& accept) {
    accept = ds->FieldByName("Age")->AsInteger() % 2 == 0;
  };
  t.SetFiltered(true);
  EXPECT_EQ(t.RecordCount(), 3);
  EXPECT_EQ(Names(t), (std::vector<std::string>{"P0", "P2", "P4"}));
  EXPECT_FALSE(t.Locate("Name", "P3"));
  EXPECT_TRUE(t.Locate("Name", "P2"));
  t.SetFiltered(false);
  EXPECT_EQ(t.RecordCount(), 6);
}

TEST(Suspension, DisableControlsHoldsBackNotifications) {
  TMemTable t;
  DefinePeople(t);
  EXPECT_THROW(t.EnableControls(), EDatabaseError);
  t.DisableControls();
  t.DisableControls();
  EXPECT_TRUE(t.ControlsDisabled());
  t.EnableControls();
  EXPECT_TRUE(t.ControlsDisabled());
  t.EnableControls();
  EXPECT_FALSE(t.ControlsDisabled());
}

TEST(Filtering, ReadingUnderAFilterKeepsAPendingEdit) {
  TMemTable t;
  DefinePeople(t);
  AddPerson(t, "Ann", 1, "");
  AddPerson(t, "Bob", 2, "");
  t.OnFilterRecord = [](TDataSet*, bool& accept) { accept = true; };
  t.SetFiltered(true);
  t.First();
  t.Edit();
  t.FieldByName("Name")->SetAsString("Anna");
  EXPECT_EQ(t.RecordCount(), 2);  // runs the filter in its temporary state
  EXPECT_TRUE(t.Modified());
  t.First();  // the implicit post still sees the change
  EXPECT_EQ(t.FieldByName("Name")->AsString(), "Anna");
}

TEST(Fields, PersistentFieldsOnlyWhileClosed) {
  TMemTable t;
  DefinePeople(t);
  auto* extra = CreateFieldForType(ftInteger, 0, "Extra").release();
  try {
    extra->SetDataSet(&t);
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_STREQ(e.what(), "People: Cannot perform this operation on an open dataset");
  }
  delete extra;
  // A closed table takes persistent fields and builds its definitions from them.
  TMemTable p("P");
  p.AddField(CreateFieldForType(ftString, 10, "Code"));
  p.AddField(CreateFieldForType(ftInteger, 0, "Qty"));
  p.Open();
  EXPECT_FALSE(p.DefaultFields());
  EXPECT_EQ(p.FieldDefs().Count(), 2);
  p.Append();
  p.FieldByName("Code")->SetAsString("AB");
  p.FieldByName("Qty")->SetAsInteger(3);
  p.Post();
  p.Close();
  EXPECT_EQ(p.FieldCount(), 2);  // persistent fields outlive the cursor
}

TEST(Suspension, TableLockSilencesEverything) {
  TMemTable t;
  DefinePeople(t);
  TDataSource src;
  src.SetDataSet(&t);
  int changes = 0;
  src.OnDataChange = [&](TDataSource*, TField*) { ++changes; };
  t.Lock();
  AddPerson(t, "Ann", 1, "");
  t.First();
  t.Unlock();
  EXPECT_EQ(changes, 0);
  t.First();
  EXPECT_EQ(changes, 1);
}

TEST(Suspension, SourceOutlivingItsTable) {
  TDataSource src;
  {
    TMemTable t;
    DefinePeople(t);
    src.SetDataSet(&t);
    EXPECT_EQ(src.State(), dsBrowse);
  }
  EXPECT_EQ(src.DataSet(), nullptr);
  EXPECT_EQ(src.State(), dsInactive);
}
