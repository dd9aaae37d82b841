# Pixel graphics: the row blend against pixman's OVER, and one paint of the
# console's clock bar against copying its pixels.
sprintara_add_bench(graphics_bench
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/graphics_bench.cpp
  LIBS sprintara_graphics PkgConfig::BENCH_PIXMAN)
