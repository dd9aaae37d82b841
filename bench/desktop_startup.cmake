# Start-up on a real X server (a private Xvfb): the program from exec to its
# first picture on the display, against a plain SDL program presenting one
# empty window of the console's size on the same server.
pkg_check_modules(BENCH_SDL2 IMPORTED_TARGET sdl2)
if(BENCH_SDL2_FOUND)
  sprintara_add_bench(desktop_startup_bench
    SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/desktop_startup_bench.cpp
    LIBS PkgConfig::BENCH_SDL2)
  target_compile_definitions(desktop_startup_bench PRIVATE
    SPRINTARA_PROGRAM="$<TARGET_FILE:sprintara>")
  add_dependencies(desktop_startup_bench sprintara)
endif()
