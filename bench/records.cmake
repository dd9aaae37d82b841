# The competitors dialog's list rebuilt from a club-sized table, against
# adding the same texts to a plain list box.
sprintara_add_bench(records_bench
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/records_bench.cpp
  LIBS sprintara_app sprintara_platform_testing)
