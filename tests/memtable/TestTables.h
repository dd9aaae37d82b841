// Tables and recorders shared by the engine's tests.
#pragma once

#include <string>
#include <vector>

#include "memtable/MemTable.h"

namespace testing_tables {

using namespace memtable;

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
