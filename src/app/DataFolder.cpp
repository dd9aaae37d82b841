#include "app/DataFolder.h"

#include <cstdlib>
#include <cstring>

#include "records/RaceData.h"

namespace app {

namespace {
std::string& Folder() {
  static std::string folder;
  return folder;
}
}  // namespace

const std::string& DataFolder() {
  return Folder();
}
void SetDataFolder(std::string folder) {
  Folder() = std::move(folder);
}

bool ReadDataFolderOption(int argc, const char* const* argv, std::string& folder,
                          std::string& error) {
  folder.clear();
  if (const char* env = std::getenv("SPRINTARA_DATA")) folder = env;
  for (int i = 1; i < argc; ++i) {
    const char* arg = argv[i];
    if (std::strcmp(arg, "--data") == 0) {
      if (i + 1 >= argc || argv[i + 1][0] == '\0') {
        error = "--data needs the name of a folder";
        return false;
      }
      folder = argv[++i];
    } else if (std::strncmp(arg, "--data=", 7) == 0) {
      if (arg[7] == '\0') {
        error = "--data needs the name of a folder";
        return false;
      }
      folder = arg + 7;
    } else {
      error = std::string("unknown argument '") + arg + "'";
      return false;
    }
  }
  return true;
}

void KeepTableSaved(memtable::TMemTable& table, const std::string& file) {
  auto chain = [&table, file](memtable::TDataSetNotifyEvent before) {
    return [&table, file, before](memtable::TDataSet* ds) {
      records::SaveRaceTable(table, file);
      if (before) before(ds);
    };
  };
  table.AfterPost = chain(table.AfterPost);
  table.AfterDelete = chain(table.AfterDelete);
}

}  // namespace app
