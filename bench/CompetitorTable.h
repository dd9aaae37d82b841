// The competitors' schema as the benches build it: an open, empty table.
#pragma once

#include <memory>

#include "memtable/MemTable.h"

inline std::unique_ptr<memtable::TMemTable> NewCompetitorTable() {
  using namespace memtable;
  auto t = std::make_unique<TMemTable>("Table_Competitors");
  auto& defs = t->FieldDefs();
  defs.Add("ID", ftAutoInc, 0, true);
  defs.Add("StartNo", ftString, 50);
  defs.Add("Dog_Nick", ftString, 50);
  defs.Add("Dog_Sex", ftString, 50);
  defs.Add("Dog_Age", ftInteger);
  defs.Add("Dog_Breed", ftString, 50);
  defs.Add("Owner_FirstName", ftString, 50);
  defs.Add("Owner_LastName", ftString, 50);
  defs.Add("Owner_Org", ftString, 50);
  defs.Add("Owner_City", ftString, 50);
  defs.Add("Owner_Country", ftString, 50);
  defs.Add("Comments", ftString, 255);
  t->Open();
  return t;
}
