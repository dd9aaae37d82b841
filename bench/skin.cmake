# Skin painting: a window background (gradient and border) against pixman
# filling the same size with the same linear gradient, and a button border.
sprintara_add_bench(skin_bench
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/skin_bench.cpp
  LIBS sprintara_skin PkgConfig::BENCH_PIXMAN)
