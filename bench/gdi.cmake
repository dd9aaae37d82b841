# Formatted text against drawing the same text with FreeType alone.
find_package(Freetype REQUIRED)
pkg_check_modules(BENCH_FONTCONFIG REQUIRED IMPORTED_TARGET fontconfig)
sprintara_add_bench(drawtext_bench
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/drawtext_bench.cpp
  LIBS sprintara_gdi Freetype::Freetype PkgConfig::BENCH_FONTCONFIG)
