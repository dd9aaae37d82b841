// Keeping the race tables in a data folder: each table in a file of its own
// in the binary table format, loaded at start and replaced safely after
// every change.
#pragma once

#include <string>

#include "memtable/MemTable.h"

namespace records {

std::string CompetitorsFile(const std::string& folder);
std::string ResultsFile(const std::string& folder);

// Fills both (open, empty) tables from their files in `folder`. A table
// whose file does not exist yet gets the demonstration data, which is saved
// at once; the folder is made when it is missing. A file that cannot be read
// fails the whole call (with an error naming the file and the reason) before
// anything is written, so a damaged file is never replaced by demonstration
// data.
void OpenRaceData(const std::string& folder, memtable::TMemTable& competitors,
                  memtable::TMemTable& results);

// Saves a table to its file (safely: the old file stays whole until the new
// one is complete).
void SaveRaceTable(memtable::TMemTable& table, const std::string& file);

}  // namespace records
