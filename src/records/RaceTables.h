// The demonstration data of the race console's two tables: competitors (a
// dog and its owner per record) and timed results. The tables themselves are
// defined by the console window's stored description.
#pragma once

#include "memtable/MemTable.h"

namespace records {

// Fills both (open, empty) tables: five competitors, then one hundred results
// drawn from the process-wide generator.
void FillDemoData(memtable::TMemTable& competitors, memtable::TMemTable& results);
// The two halves of FillDemoData; only the results draw from the generator.
void FillDemoCompetitors(memtable::TMemTable& competitors);
void FillDemoResults(memtable::TMemTable& results);

}  // namespace records
