// The two tables of the race console: competitors (a dog and its owner per
// record) and timed results, with their stored properties and demonstration
// data.
#pragma once

#include "memtable/MemTable.h"

namespace records {

// Gives a table the competitor fields and the stored table properties, as the
// console window's description does; the table opens (empty) at the end, as it
// does when the description has loaded.
void DefineCompetitorTable(memtable::TMemTable& table);
void DefineResultTable(memtable::TMemTable& table);

// Fills both (open, empty) tables: five competitors, then one hundred results
// drawn from the process-wide generator.
void FillDemoData(memtable::TMemTable& competitors, memtable::TMemTable& results);
// The two halves of FillDemoData; only the results draw from the generator.
void FillDemoCompetitors(memtable::TMemTable& competitors);
void FillDemoResults(memtable::TMemTable& results);

}  // namespace records
