find_package(PkgConfig REQUIRED)
pkg_check_modules(SQLITE3 REQUIRED IMPORTED_TARGET sqlite3)
sprintara_add_bench(memtable_bench SOURCES memtable_bench.cpp LIBS sprintara_memtable PkgConfig::SQLITE3)
