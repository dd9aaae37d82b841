// Saving and loading 100,000 competitors, in the binary and the
// comma-separated format, against SQLite writing the same rows into a file
// database in one transaction and reading them all back. Both sides flush
// their file to the disk.
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>

#include "CompetitorTable.h"
#include "memtable/BinaryFormat.h"
#include "memtable/CommaTextFormat.h"
#include "memtable/MemTable.h"

namespace {

using namespace memtable;

constexpr int kRecords = 100000;

const char* const kStringFields[] = {"StartNo",         "Dog_Nick",       "Dog_Sex",   "Dog_Breed",
                                     "Owner_FirstName", "Owner_LastName", "Owner_Org", "Owner_City",
                                     "Owner_Country",   "Comments"};

std::string Text(int k, int i) {
  switch (k) {
    case 0:
      return std::to_string(100 + i % 900);
    case 1:
      return "Dog " + std::to_string(i);
    case 2:
      return i % 2 ? "Bitch" : "Male Dog";
    case 3:
      return "German shepherd";
    case 4:
      return "Firstname" + std::to_string(i % 97);
    case 5:
      return "Lastname" + std::to_string(i % 89);
    case 6:
      return "Top-Dog Club";
    case 7:
      return "Berlin";
    case 8:
      return "Germany";
    default:
      return "some comments text";
  }
}

TMemTable& Filled() {
  static TMemTable* table = [] {
    TMemTable* t = NewCompetitorTable().release();
    TField* fields[10];
    for (int k = 0; k < 10; ++k) fields[k] = t->FieldByName(kStringFields[k]);
    for (int i = 0; i < kRecords; ++i) {
      t->Append();
      for (int k = 0; k < 10; ++k) fields[k]->SetAsString(Text(k, i));
      t->FieldByName("Dog_Age")->SetAsInteger(i % 15);
      t->Post();
    }
    return t;
  }();
  return *table;
}

const std::string& Folder() {
  static const std::string folder = [] {
    char tmpl[] = "/tmp/sprintara-bench-XXXXXX";
    return std::string(::mkdtemp(tmpl));
  }();
  return folder;
}

void SaveBench(benchmark::State& state, TMemTableStreamFormat& format, const char* name) {
  TMemTable& t = Filled();
  const std::string file = Folder() + "/" + name;
  for (auto _ : state) t.SaveToFile(file, &format);
  state.SetItemsProcessed(state.iterations() * kRecords);
}

void LoadBench(benchmark::State& state, TMemTableStreamFormat& format, const char* name) {
  const std::string file = Folder() + "/" + name;
  Filled().SaveToFile(file, &format);
  auto t = NewCompetitorTable();
  for (auto _ : state) {
    t->LoadFromFile(file, &format);
    benchmark::DoNotOptimize(t->RecordCount());
  }
  state.SetItemsProcessed(state.iterations() * kRecords);
}

void BM_Binary_Save(benchmark::State& state) {
  TMemTableBinaryFormat f;
  SaveBench(state, f, "competitors.sptb");
}
BENCHMARK(BM_Binary_Save)->Unit(benchmark::kMillisecond);

void BM_Binary_Load(benchmark::State& state) {
  TMemTableBinaryFormat f;
  LoadBench(state, f, "competitors.sptb");
}
BENCHMARK(BM_Binary_Load)->Unit(benchmark::kMillisecond);

void BM_Text_Save(benchmark::State& state) {
  TMemTableCommaTextFormat f;
  SaveBench(state, f, "competitors.csv");
}
BENCHMARK(BM_Text_Save)->Unit(benchmark::kMillisecond);

void BM_Text_Load(benchmark::State& state) {
  TMemTableCommaTextFormat f;
  LoadBench(state, f, "competitors.csv");
}
BENCHMARK(BM_Text_Load)->Unit(benchmark::kMillisecond);

// --- SQLite -----------------------------------------------------------------

void Check(int rc, sqlite3* db) {
  if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW)
    throw std::runtime_error(sqlite3_errmsg(db));
}

void Exec(sqlite3* db, const char* sql) {
  Check(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), db);
}

void WriteSqlite(const std::string& file) {
  std::filesystem::remove(file);
  sqlite3* db = nullptr;
  Check(sqlite3_open(file.c_str(), &db), db);
  Exec(db,
       "CREATE TABLE competitors(ID INTEGER NOT NULL, StartNo TEXT, Dog_Nick TEXT, Dog_Sex "
       "TEXT, Dog_Breed TEXT, Owner_FirstName TEXT, Owner_LastName TEXT, Owner_Org TEXT, "
       "Owner_City TEXT, Owner_Country TEXT, Comments TEXT, Dog_Age INTEGER)");
  sqlite3_stmt* insert = nullptr;
  Check(sqlite3_prepare_v2(db, "INSERT INTO competitors VALUES(?,?,?,?,?,?,?,?,?,?,?,?)", -1,
                           &insert, nullptr),
        db);
  Exec(db, "BEGIN");
  std::string texts[10];
  for (int i = 0; i < kRecords; ++i) {
    sqlite3_bind_int(insert, 1, i);
    for (int k = 0; k < 10; ++k) {
      texts[k] = Text(k, i);
      sqlite3_bind_text(insert, k + 2, texts[k].data(), int(texts[k].size()), SQLITE_STATIC);
    }
    sqlite3_bind_int(insert, 12, i % 15);
    Check(sqlite3_step(insert), db);
    sqlite3_reset(insert);
  }
  Exec(db, "COMMIT");
  sqlite3_finalize(insert);
  sqlite3_close(db);
}

void BM_Sqlite_Save(benchmark::State& state) {
  const std::string file = Folder() + "/competitors.db";
  for (auto _ : state) WriteSqlite(file);
  state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_Sqlite_Save)->Unit(benchmark::kMillisecond);

void BM_Sqlite_Load(benchmark::State& state) {
  const std::string file = Folder() + "/competitors-read.db";
  WriteSqlite(file);
  for (auto _ : state) {
    sqlite3* db = nullptr;
    Check(sqlite3_open(file.c_str(), &db), db);
    sqlite3_stmt* select = nullptr;
    Check(sqlite3_prepare_v2(db, "SELECT * FROM competitors", -1, &select, nullptr), db);
    std::size_t bytes = 0;
    while (sqlite3_step(select) == SQLITE_ROW)
      for (int c = 0; c < 12; ++c) {
        sqlite3_column_text(select, c);
        bytes += sqlite3_column_bytes(select, c);
      }
    benchmark::DoNotOptimize(bytes);
    sqlite3_finalize(select);
    sqlite3_close(db);
  }
  state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_Sqlite_Load)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
