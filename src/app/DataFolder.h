// The optional data folder: with `--data DIR` (or SPRINTARA_DATA=DIR) the
// program keeps its two tables in DIR, loading them at start and saving the
// competitors after every post and delete. Without it nothing is saved.
#pragma once

#include <string>

#include "memtable/MemTable.h"

namespace app {

// Empty when the program keeps nothing.
const std::string& DataFolder();
void SetDataFolder(std::string folder);

// Reads the data folder from the arguments (`--data DIR` or `--data=DIR`),
// else from SPRINTARA_DATA. False with `error` set on an argument the
// program does not know or a missing folder name.
bool ReadDataFolderOption(int argc, const char* const* argv, std::string& folder,
                          std::string& error);

// Saves `table` to `file` after every post and delete, before the handlers
// already assigned run, and keeps doing so when a handler is assigned later
// through KeepTableSaved again.
void KeepTableSaved(memtable::TMemTable& table, const std::string& file);

}  // namespace app
