// The memory table against an in-memory SQLite database on the competitor
// table's layout: appending, walking, scanning and indexed look-ups.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <sqlite3.h>

#include <memory>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "CompetitorTable.h"
#include "memtable/MemTable.h"

namespace {

using namespace memtable;

constexpr int kRecords = 100000;
constexpr int kLookups = 10000;

const char* const kStringFields[] = {"StartNo",         "Dog_Nick",       "Dog_Sex",   "Dog_Breed",
                                     "Owner_FirstName", "Owner_LastName", "Owner_Org", "Owner_City",
                                     "Owner_Country",   "Comments"};

struct Row {
  std::string text[10];
  int age;
};

// The same deterministic values for both engines.
const std::vector<Row>& Rows() {
  static const std::vector<Row> rows = [] {
    std::vector<Row> r(kRecords);
    for (int i = 0; i < kRecords; ++i) {
      Row& row = r[i];
      row.text[0] = std::to_string(100 + i % 900);
      row.text[1] = "Dog " + std::to_string(i);
      row.text[2] = i % 2 ? "Bitch" : "Male Dog";
      row.text[3] = "German shepherd";
      row.text[4] = "Firstname" + std::to_string(i % 97);
      row.text[5] = "Lastname" + std::to_string(i % 89);
      row.text[6] = "Top-Dog Club";
      row.text[7] = "Berlin";
      row.text[8] = "Germany";
      row.text[9] = "some comments text";
      row.age = i % 15;
    }
    return r;
  }();
  return rows;
}

void FillMemTable(TMemTable& t) {
  TField* fields[10];
  for (int k = 0; k < 10; ++k) fields[k] = t.FieldByName(kStringFields[k]);
  TField* age = t.FieldByName("Dog_Age");
  for (const Row& row : Rows()) {
    t.Append();
    for (int k = 0; k < 10; ++k) fields[k]->SetAsString(row.text[k]);
    age->SetAsInteger(row.age);
    t.Post();
  }
}

// --- SQLite -----------------------------------------------------------------

void Check(int rc, sqlite3* db) {
  if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW)
    throw std::runtime_error(sqlite3_errmsg(db));
}

struct Db {
  sqlite3* db = nullptr;
  Db() {
    Check(sqlite3_open(":memory:", &db), db);
    // ID is a plain column so that, like the memory table, it is searched by
    // scanning unless an index is made for it.
    Exec(
        "CREATE TABLE competitors(ID INTEGER NOT NULL, StartNo TEXT, Dog_Nick TEXT, Dog_Sex "
        "TEXT, Dog_Breed TEXT, Owner_FirstName TEXT, Owner_LastName TEXT, Owner_Org TEXT, "
        "Owner_City TEXT, Owner_Country TEXT, Comments TEXT, Dog_Age INTEGER)");
  }
  ~Db() { sqlite3_close(db); }
  void Exec(const char* sql) { Check(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), db); }
  sqlite3_stmt* Prepare(const char* sql) {
    sqlite3_stmt* s = nullptr;
    Check(sqlite3_prepare_v2(db, sql, -1, &s, nullptr), db);
    return s;
  }
};

void FillSqlite(Db& d) {
  sqlite3_stmt* insert = d.Prepare("INSERT INTO competitors VALUES(?,?,?,?,?,?,?,?,?,?,?,?)");
  d.Exec("BEGIN");
  int id = 0;
  for (const Row& row : Rows()) {
    sqlite3_bind_int(insert, 1, id++);
    for (int k = 0; k < 10; ++k)
      sqlite3_bind_text(insert, k + 2, row.text[k].data(), int(row.text[k].size()), SQLITE_STATIC);
    sqlite3_bind_int(insert, 12, row.age);
    Check(sqlite3_step(insert), d.db);
    sqlite3_reset(insert);
  }
  d.Exec("COMMIT");
  sqlite3_finalize(insert);
}

std::vector<int> RandomKeys() {
  std::mt19937 rng(42);
  std::uniform_int_distribution<int> pick(0, kRecords - 1);
  std::vector<int> keys(kLookups);
  for (int& k : keys) k = pick(rng);
  return keys;
}

// --- Append and post --------------------------------------------------------

void BM_MemTable_AppendPost(benchmark::State& state) {
  Rows();
  for (auto _ : state) {
    auto t = NewCompetitorTable();
    FillMemTable(*t);
    benchmark::DoNotOptimize(t->RecordCount());
  }
  state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_MemTable_AppendPost)->Unit(benchmark::kMillisecond);

void BM_Sqlite_Insert(benchmark::State& state) {
  Rows();
  for (auto _ : state) {
    Db d;
    FillSqlite(d);
  }
  state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_Sqlite_Insert)->Unit(benchmark::kMillisecond);

// --- Walk -------------------------------------------------------------------

void BM_MemTable_Walk(benchmark::State& state) {
  auto t = NewCompetitorTable();
  FillMemTable(*t);
  TField* startNo = t->FieldByName("StartNo");
  TField* age = t->FieldByName("Dog_Age");
  for (auto _ : state) {
    std::int64_t sum = 0;
    t->First();
    while (!t->Eof()) {
      sum += std::int64_t(startNo->AsString().size()) + age->AsInteger();
      t->Next();
    }
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_MemTable_Walk)->Unit(benchmark::kMillisecond);

void BM_Sqlite_Walk(benchmark::State& state) {
  Db d;
  FillSqlite(d);
  sqlite3_stmt* select = d.Prepare("SELECT StartNo, Dog_Age FROM competitors");
  for (auto _ : state) {
    std::int64_t sum = 0;
    while (sqlite3_step(select) == SQLITE_ROW) {
      std::string startNo(reinterpret_cast<const char*>(sqlite3_column_text(select, 0)));
      sum += std::int64_t(startNo.size()) + sqlite3_column_int(select, 1);
    }
    sqlite3_reset(select);
    benchmark::DoNotOptimize(sum);
  }
  sqlite3_finalize(select);
  state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_Sqlite_Walk)->Unit(benchmark::kMillisecond);

// --- Locate by scanning -----------------------------------------------------

void BM_MemTable_LocateScan(benchmark::State& state) {
  auto t = NewCompetitorTable();
  FillMemTable(*t);
  const TVariant last(kRecords - 1);
  for (auto _ : state) {
    if (!t->Locate("ID", last)) state.SkipWithError("not found");
    benchmark::DoNotOptimize(t->RecNo());
  }
}
BENCHMARK(BM_MemTable_LocateScan)->Unit(benchmark::kMicrosecond);

void BM_Sqlite_Scan(benchmark::State& state) {
  Db d;
  FillSqlite(d);
  sqlite3_stmt* select = d.Prepare("SELECT * FROM competitors WHERE ID = ?");
  for (auto _ : state) {
    sqlite3_bind_int(select, 1, kRecords - 1);
    if (sqlite3_step(select) != SQLITE_ROW) state.SkipWithError("not found");
    benchmark::DoNotOptimize(sqlite3_column_int(select, 0));
    sqlite3_reset(select);
  }
  sqlite3_finalize(select);
}
BENCHMARK(BM_Sqlite_Scan)->Unit(benchmark::kMicrosecond);

// --- Locate through a sorted index ------------------------------------------

void BM_MemTable_LocateIndexed(benchmark::State& state) {
  auto t = NewCompetitorTable();
  FillMemTable(*t);
  t->AddIndex("ixID", "ID", 0);
  t->SetIndexName("ixID");
  std::vector<TVariant> keys;
  for (int k : RandomKeys()) keys.emplace_back(k);
  for (auto _ : state) {
    for (const TVariant& key : keys)
      if (!t->Locate("ID", key)) state.SkipWithError("not found");
  }
  state.SetItemsProcessed(state.iterations() * kLookups);
}
BENCHMARK(BM_MemTable_LocateIndexed)->Unit(benchmark::kMillisecond);

void BM_Sqlite_SelectIndexed(benchmark::State& state) {
  Db d;
  FillSqlite(d);
  d.Exec("CREATE INDEX ixID ON competitors(ID)");
  sqlite3_stmt* select = d.Prepare("SELECT * FROM competitors WHERE ID = ?");
  std::vector<int> keys = RandomKeys();
  for (auto _ : state) {
    for (int key : keys) {
      sqlite3_bind_int(select, 1, key);
      if (sqlite3_step(select) != SQLITE_ROW) state.SkipWithError("not found");
      sqlite3_reset(select);
    }
  }
  sqlite3_finalize(select);
  state.SetItemsProcessed(state.iterations() * kLookups);
}
BENCHMARK(BM_Sqlite_SelectIndexed)->Unit(benchmark::kMillisecond);

// --- Memory -----------------------------------------------------------------

// Heap bytes held per stored competitor record, as the allocator sees them:
// blocks in the heap and blocks mapped on their own (large record chunks are).
// Chunks that earlier tables left for reuse would not show up as new memory,
// so they are given back first.
size_t HeapInUse() {
  struct mallinfo2 m = mallinfo2();
  return m.uordblks + m.hblkhd;
}

void BM_MemTable_MemoryPerRecord(benchmark::State& state) {
  Rows();
  double perRecord = 0;
  for (auto _ : state) {
    auto t = NewCompetitorTable();
    memtable::TMemTableStore::TrimChunkCache();
    malloc_trim(0);
    size_t before = HeapInUse();
    FillMemTable(*t);
    size_t after = HeapInUse();
    perRecord = double(after - before) / kRecords;
  }
  state.counters["bytes_per_record"] = perRecord;
}
BENCHMARK(BM_MemTable_MemoryPerRecord)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
