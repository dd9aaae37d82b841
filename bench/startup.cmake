# Start-up of the race console against a program that opens one empty window,
# and the console's processor use while only its clock ticks.
sprintara_add_bench(startup_bench
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/startup_bench.cpp
  LIBS sprintara_app sprintara_platform_testing)
