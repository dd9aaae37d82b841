# sprintara_embed_resources(<target> [BASE <dir>] FILES <file>...)
#
# Compiles the files into the program: each becomes findable with
# component::FindResource under its path relative to BASE (default: the
# project's resources/ folder), e.g. "Main.sdesc". Files are given relative to
# the calling folder or absolute, and must lie under BASE.
#
# The generated table registers itself from a static object. Its object file
# is handed straight to the linking program (for a static library: to every
# program that links it), because a linker drops unreferenced members of a
# static library.
function(sprintara_embed_resources target)
  cmake_parse_arguments(ARG "" "BASE" "FILES" ${ARGN})
  if(NOT ARG_BASE)
    set(ARG_BASE ${PROJECT_SOURCE_DIR}/resources)
  endif()
  get_filename_component(base ${ARG_BASE} ABSOLUTE BASE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
  set(output ${CMAKE_CURRENT_BINARY_DIR}/${target}_resources.cpp)
  set(args)
  set(deps)
  foreach(file IN LISTS ARG_FILES)
    get_filename_component(path ${file} ABSOLUTE BASE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
    file(RELATIVE_PATH name ${base} ${path})
    if(name MATCHES "^\\.\\./" OR IS_ABSOLUTE "${name}")
      message(FATAL_ERROR "sprintara_embed_resources: ${file} is not under ${base}")
    endif()
    list(APPEND args ${name} ${path})
    list(APPEND deps ${path})
  endforeach()
  add_custom_command(
    OUTPUT ${output}
    COMMAND sprintara_rescomp ${output} ${args}
    DEPENDS sprintara_rescomp ${deps}
    COMMENT "Embedding the resources of ${target}"
    VERBATIM)
  add_library(${target}_resources OBJECT ${output})
  target_link_libraries(${target}_resources PRIVATE sprintara_component)
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "STATIC_LIBRARY")
    target_sources(${target} INTERFACE $<TARGET_OBJECTS:${target}_resources>)
    target_link_libraries(${target} INTERFACE sprintara_component)
  else()
    target_sources(${target} PRIVATE $<TARGET_OBJECTS:${target}_resources>)
    target_link_libraries(${target} PRIVATE sprintara_component)
  endif()
endfunction()
