#include "records/RaceData.h"

#include <filesystem>
#include <system_error>

#include "memtable/SafeFile.h"
#include "records/RaceTables.h"

namespace records {

using namespace memtable;

std::string CompetitorsFile(const std::string& folder) {
  return (std::filesystem::path(folder) / "competitors.sptb").string();
}

std::string ResultsFile(const std::string& folder) {
  return (std::filesystem::path(folder) / "results.sptb").string();
}

void OpenRaceData(const std::string& folder, TMemTable& competitors, TMemTable& results) {
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  if (ec) throw EMemTableError("Cannot make the data folder \"" + folder + "\": " + ec.message());
  const std::string competitorsFile = CompetitorsFile(folder);
  const std::string resultsFile = ResultsFile(folder);
  // Both files are read before anything is written.
  const bool haveCompetitors = FileExists(competitorsFile);
  const bool haveResults = FileExists(resultsFile);
  if (haveCompetitors) competitors.LoadFromFile(competitorsFile);
  if (haveResults) results.LoadFromFile(resultsFile);
  if (!haveCompetitors) {
    FillDemoCompetitors(competitors);
    SaveRaceTable(competitors, competitorsFile);
  }
  if (!haveResults) {
    FillDemoResults(results);
    SaveRaceTable(results, resultsFile);
  }
}

void SaveRaceTable(TMemTable& table, const std::string& file) {
  table.SaveToFile(file);
}

}  // namespace records
