# Window system: screen composition against a plain copy, and the idle loop.
sprintara_add_bench(window_compose_bench
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/compose_bench.cpp
  LIBS sprintara_platform sprintara_platform_testing)
sprintara_add_bench(window_idle_bench
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/idle_bench.cpp
  LIBS sprintara_platform sprintara_platform_testing)
