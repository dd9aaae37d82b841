# Skinned controls: a skinned button answering the mouse against repainting a
# whole dialog of standard controls.
set(skin_controls_bench_holder ${CMAKE_CURRENT_BINARY_DIR}/SkinControlsBenchSkin.sdesc)
add_custom_command(
  OUTPUT ${skin_controls_bench_holder}
  COMMAND sprintara-skinart --skin ${PROJECT_SOURCE_DIR}/resources/GoldenSkin.sdesc
          --description ${PROJECT_SOURCE_DIR}/tools/skinsheet/SkinHolder.sdesc
          ${skin_controls_bench_holder}
  DEPENDS sprintara-skinart ${PROJECT_SOURCE_DIR}/resources/GoldenSkin.sdesc
          ${PROJECT_SOURCE_DIR}/tools/skinsheet/SkinHolder.sdesc
  VERBATIM)
add_custom_target(skin_controls_bench_holder DEPENDS ${skin_controls_bench_holder})
sprintara_add_bench(skin_button_bench
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/skin_button_bench.cpp
          ${CMAKE_CURRENT_SOURCE_DIR}/WindowRepaint.cpp
  LIBS sprintara_skin sprintara_platform_testing)
target_compile_definitions(skin_button_bench
  PRIVATE SKIN_CONTROLS_BENCH_HOLDER="${skin_controls_bench_holder}")
add_dependencies(skin_button_bench skin_controls_bench_holder)
