# Standard controls: typing into an edit against repainting its whole window.
sprintara_add_bench(controls_edit_bench
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/edit_bench.cpp ${CMAKE_CURRENT_SOURCE_DIR}/WindowRepaint.cpp
  LIBS sprintara_platform sprintara_platform_testing)
