# Saving and loading a club-sized competitor table, against SQLite.
sprintara_add_bench(persistence_bench SOURCES persistence_bench.cpp
  LIBS sprintara_memtable PkgConfig::BENCH_SQLITE3)
