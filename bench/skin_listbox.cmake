# The skinned list box scrolled by one row, against the full repaint of a
# dialog of standard controls.
set(skin_listbox_bench_holder ${CMAKE_CURRENT_BINARY_DIR}/ListBoxBenchSkin.sdesc)
add_custom_command(
  OUTPUT ${skin_listbox_bench_holder}
  COMMAND sprintara-skinart --skin ${PROJECT_SOURCE_DIR}/resources/GoldenSkin.sdesc
          --description ${PROJECT_SOURCE_DIR}/tools/skinsheet/SkinHolder.sdesc
          ${skin_listbox_bench_holder}
  DEPENDS sprintara-skinart ${PROJECT_SOURCE_DIR}/resources/GoldenSkin.sdesc
          ${PROJECT_SOURCE_DIR}/tools/skinsheet/SkinHolder.sdesc
  VERBATIM)
add_custom_target(skin_listbox_bench_holder DEPENDS ${skin_listbox_bench_holder})
sprintara_add_bench(skin_listbox_bench
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/skin_listbox_bench.cpp
          ${CMAKE_CURRENT_SOURCE_DIR}/WindowRepaint.cpp
  LIBS sprintara_skin sprintara_platform_testing)
target_compile_definitions(skin_listbox_bench PRIVATE
  SKIN_LISTBOX_BENCH_HOLDER="${skin_listbox_bench_holder}")
add_dependencies(skin_listbox_bench skin_listbox_bench_holder)
