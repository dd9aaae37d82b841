// Tables and recorders shared by the engine's tests.
#pragma once

#include <string>
#include <vector>

#include "memtable/MemTable.h"

namespace testing_tables {

using namespace memtable;

// A table of every field kind a save format keeps, not yet open; with
// `indexed`, a case-insensitive index on its text field too.
inline void DefineKinds(TMemTable& t, bool indexed = false) {
  TFieldDefs& d = t.FieldDefs();
  d.Add("ID", ftAutoInc, 0, true);
  d.Add("S", ftString, 20);
  d.Add("FC", ftFixedChar, 4);
  d.Add("WS", ftWideString, 8);
  d.Add("SI", ftSmallint);
  d.Add("W", ftWord);
  d.Add("I", ftInteger);
  d.Add("L", ftLargeint);
  d.Add("B", ftBoolean);
  d.Add("F", ftFloat);
  d.Add("C", ftCurrency);
  d.Add("BC", ftBCD, 2).SetPrecision(8);
  d.Add("FB", ftFMTBcd, 6).SetPrecision(30);
  d.Add("D", ftDate);
  d.Add("T", ftTime);
  d.Add("DT", ftDateTime);
  d.Add("TS", ftTimeStamp);
  d.Add("BY", ftBytes, 4);
  d.Add("VB", ftVarBytes, 10);
  d.Add("G", ftGuid);
  d.Add("BL", ftBlob);
  d.Add("M", ftMemo);
  if (indexed) t.IndexDefs().Add("ByS", "S", ixCaseInsensitive);
}

// A table shaped like the competitor table, open and empty.
inline void DefinePeople(TMemTable& t, bool open = true) {
  t.SetName("People");
  TFieldDefs& d = t.FieldDefs();
  d.Add("ID", ftAutoInc, 0, true);
  d.Add("Name", ftString, 50);
  d.Add("Age", ftInteger);
  d.Add("City", ftString, 50);
  if (open) t.Open();
}

inline void AddPerson(TMemTable& t, const std::string& name, int age, const std::string& city) {
  t.Append();
  t.FieldByName("Name")->SetAsString(name);
  t.FieldByName("Age")->SetAsInteger(age);
  t.FieldByName("City")->SetAsString(city);
  t.Post();
}

inline std::vector<std::string> Names(TMemTable& t) {
  std::vector<std::string> out;
  for (t.First(); !t.Eof(); t.Next()) out.push_back(t.FieldByName("Name")->AsString());
  return out;
}

// Records the dataset events in the order they run.
struct EventLog {
  std::vector<std::string> items;
  void Attach(TDataSet& ds) {
    auto hook = [this](const char* name) {
      return [this, name](TDataSet*) { items.push_back(name); };
    };
    ds.BeforeOpen = hook("BeforeOpen");
    ds.AfterOpen = hook("AfterOpen");
    ds.BeforeClose = hook("BeforeClose");
    ds.AfterClose = hook("AfterClose");
    ds.BeforeInsert = hook("BeforeInsert");
    ds.AfterInsert = hook("AfterInsert");
    ds.BeforeEdit = hook("BeforeEdit");
    ds.AfterEdit = hook("AfterEdit");
    ds.BeforePost = hook("BeforePost");
    ds.AfterPost = hook("AfterPost");
    ds.BeforeCancel = hook("BeforeCancel");
    ds.AfterCancel = hook("AfterCancel");
    ds.BeforeDelete = hook("BeforeDelete");
    ds.AfterDelete = hook("AfterDelete");
    ds.BeforeScroll = hook("BeforeScroll");
    ds.AfterScroll = hook("AfterScroll");
    ds.BeforeRefresh = hook("BeforeRefresh");
    ds.AfterRefresh = hook("AfterRefresh");
  }
  std::vector<std::string> Take() {
    std::vector<std::string> out;
    out.swap(items);
    return out;
  }
};

using Events = std::vector<std::string>;

}  // namespace testing_tables
