# The skinned window frame: the console's whole frame cache against the
# platform repainting an unskinned window of the same size.
set(frame_bench_holder ${CMAKE_CURRENT_BINARY_DIR}/FrameBenchSkin.sdesc)
add_custom_command(
  OUTPUT ${frame_bench_holder}
  COMMAND sprintara-skinart --skin ${PROJECT_SOURCE_DIR}/resources/GoldenSkin.sdesc
          --description ${PROJECT_SOURCE_DIR}/tools/skinsheet/SkinHolder.sdesc ${frame_bench_holder}
  DEPENDS sprintara-skinart ${PROJECT_SOURCE_DIR}/resources/GoldenSkin.sdesc
          ${PROJECT_SOURCE_DIR}/tools/skinsheet/SkinHolder.sdesc
  VERBATIM)
add_custom_target(frame_bench_holder DEPENDS ${frame_bench_holder})
sprintara_add_bench(frame_bench
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/frame_bench.cpp
  LIBS sprintara_skin sprintara_platform_testing)
target_compile_definitions(frame_bench PRIVATE FRAME_BENCH_HOLDER="${frame_bench_holder}")
add_dependencies(frame_bench frame_bench_holder)
