// Data sources, data links and the notifications they receive.
#include <gtest/gtest.h>

#include "TestTables.h"
#include "memtable/DataLink.h"
#include "memtable/DataSource.h"

using namespace testing_tables;

namespace {
struct RecordingLink : TDataLink {
  std::vector<std::string>* out;
  std::string tag;
  bool visual;
  RecordingLink(std::vector<std::string>* o, std::string t, bool v)
      : out(o), tag(std::move(t)), visual(v) {}
  bool VisualControl() const override { return visual; }
  void ActiveChanged() override { out->push_back(tag + ":active"); }
  void EditingChanged() override { out->push_back(tag + ":editing"); }
  void DataSetChanged() override { out->push_back(tag + ":changed"); }
  void DataSetScrolled(int d) override { out->push_back(tag + ":scroll" + std::to_string(d)); }
  void RecordChanged(TField* f) override {
    out->push_back(tag + ":record" + (f ? ":" + f->FieldName() : ""));
  }
  void UpdateData() override { out->push_back(tag + ":update"); }
};
}  // namespace

TEST(DataSourceEvents, OpenNotifiesStateAndDataChanges) {
  TMemTable t;
  DefinePeople(t, false);
  TDataSource src;
  std::vector<std::string> seen;
  src.OnStateChange = [&](TDataSource*) { seen.push_back("state"); };
  src.OnDataChange = [&](TDataSource*, TField* f) {
    seen.push_back(f ? "data:" + f->FieldName() : "data");
  };
  src.OnUpdateData = [&](TDataSource*) { seen.push_back("update"); };
  src.SetDataSet(&t);
  EXPECT_EQ(src.State(), dsInactive);
  t.Open();
  EXPECT_EQ(seen, (std::vector<std::string>{"state", "data", "data"}));
  seen.clear();
  t.Append();
  t.FieldByName("Name")->SetAsString("Ann");
  t.Post();
  EXPECT_EQ(seen,
            (std::vector<std::string>{"state", "data", "data:Name", "update", "state", "data"}));
  src.SetEnabled(false);
  EXPECT_EQ(src.State(), dsInactive);
  seen.clear();
  t.First();
  EXPECT_TRUE(seen.empty());
}

TEST(DataSourceEvents, LinksHearNonVisualFirstNewestFirst) {
  TMemTable t;
  DefinePeople(t);
  AddPerson(t, "Ann", 1, "");
  AddPerson(t, "Bob", 2, "");
  TDataSource src;
  src.SetDataSet(&t);
  std::vector<std::string> seen;
  RecordingLink v1(&seen, "v1", true), n1(&seen, "n1", false), v2(&seen, "v2", true);
  v1.SetDataSource(&src);
  n1.SetDataSource(&src);
  v2.SetDataSource(&src);
  EXPECT_TRUE(v1.Active());
  seen.clear();
  t.First();
  EXPECT_EQ(seen, (std::vector<std::string>{"n1:changed", "v2:changed", "v1:changed"}));
  seen.clear();
  t.Next();
  EXPECT_EQ(seen, (std::vector<std::string>{"n1:scroll-1", "v2:scroll-1", "v1:scroll-1"}));
  seen.clear();
  EXPECT_TRUE(v1.Edit());
  EXPECT_EQ(t.State(), dsEdit);
  EXPECT_TRUE(v1.Editing());
  t.Cancel();
  src.SetAutoEdit(false);
  v1.Edit();
  EXPECT_EQ(t.State(), dsBrowse);
}

TEST(DataSourceEvents, SuspendedNotificationsResumeWithOneChange) {
  TMemTable t;
  DefinePeople(t);
  AddPerson(t, "Ann", 1, "");
  TDataSource src;
  src.SetDataSet(&t);
  std::vector<std::string> seen;
  RecordingLink link(&seen, "l", false);
  link.SetDataSource(&src);
  seen.clear();
  t.DisableControls();
  t.First();
  t.Edit();
  t.FieldByName("Name")->SetAsString("Changed");
  t.Post();
  EXPECT_TRUE(seen.empty());
  t.EnableControls();
  EXPECT_EQ(seen, (std::vector<std::string>{"l:changed"}));
  // Closing while suspended: the source goes inactive on resumption.
  t.DisableControls();
  t.Close();
  EXPECT_EQ(src.State(), dsBrowse);
  t.EnableControls();
  EXPECT_EQ(src.State(), dsInactive);
}

TEST(DataSourceEvents, WiderLinksGetAWindowOfRecords) {
  TMemTable t;
  DefinePeople(t);
  for (int i = 0; i < 6; ++i) AddPerson(t, "P" + std::to_string(i), i, "");
  TDataSource src;
  src.SetDataSet(&t);
  std::vector<std::string> seen;
  RecordingLink link(&seen, "l", false);
  link.SetBufferCount(3);
  link.SetDataSource(&src);
  EXPECT_EQ(t.BufferCount(), 3);
  t.First();
  EXPECT_EQ(t.WindowRecordCount(), 3);
  EXPECT_EQ(Names(t), (std::vector<std::string>{"P0", "P1", "P2", "P3", "P4", "P5"}));
  t.Last();
  t.MoveBy(-4);
  EXPECT_EQ(t.FieldByName("Name")->AsString(), "P1");
  t.Delete();
  EXPECT_EQ(t.FieldByName("Name")->AsString(), "P2");
  t.Insert();
  t.FieldByName("Name")->SetAsString("X");
  t.Post();
  EXPECT_EQ(Names(t), (std::vector<std::string>{"P0", "X", "P2", "P3", "P4", "P5"}));
}

TEST(DataSourceEvents, CircularMasterLinkIsRefused) {
  TMemTable a, b;
  DefinePeople(a, false);
  DefinePeople(b, false);
  TDataSource sa, sb;
  sa.SetName("DS_A");
  sa.SetDataSet(&a);
  b.SetMasterSource(&sa);
  sb.SetDataSet(&b);
  try {
    a.SetMasterSource(&sb);
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_STREQ(e.what(), "People: Circular datalinks are not allowed");
  }
  TDataSource again;
  again.SetName("DS_Again");
  b.SetMasterSource(&again);
  again.SetDataSet(&a);
  try {
    again.SetDataSet(&b);
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_STREQ(e.what(), "DS_Again: Circular datalinks are not allowed");
  }
}
