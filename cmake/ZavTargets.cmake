# Shared patterns for the project's targets, so that each folder's
# CMakeLists.txt names only what is particular to it.

# zav_add_library(NAME [SHARED] [DEPENDS lib...] [PACKAGES imported-target...])
# A library from every .cpp file of the calling folder and its subfolders
# (folders grow subfolders by concern). Static unless SHARED.
function(zav_add_library name)
  cmake_parse_arguments(ARG "SHARED" "" "DEPENDS" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(ARG_SHARED)
    add_library(${name} SHARED ${sources})
  else()
    add_library(${name} STATIC ${sources})
  endif()
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
  if(ARG_DEPENDS)
    target_link_libraries(${name} PUBLIC ${ARG_DEPENDS})
  endif()
endfunction()

# Test programs are most of the build's compile time: the sanitizers at -O1
# over GoogleTest's macros cost twice what -O0 does, and every file parses the
# same GoogleTest headers. The code under test keeps -O1; the test code itself
# runs fast enough unoptimised, and shares one precompiled header.
function(zav_speed_up_test_build name)
  if(ZAV_KIND STREQUAL "test")
    target_compile_options(${name} PRIVATE -O0)
  endif()
  target_precompile_headers(${name} PRIVATE
    <gtest/gtest.h> <gmock/gmock.h> <string> <vector> <memory> <cstdint> <cstring>)
endfunction()

# zav_add_tests(NAME [LIBS lib...])
# One GoogleTest program from every .cpp file of the calling test folder and
# its subfolders, registered with CTest as shards.
function(zav_add_tests name)
  cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_executable(${name} ${sources})
  set_target_properties(${name} PROPERTIES
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} zav_test_support
                        GTest::gtest GTest::gmock GTest::gtest_main)
  zav_speed_up_test_build(${name})
  zav_add_test_shards(${name})
endfunction()

# A sanitizer program takes about half a CPU second to start and stop, which
# over a thousand one-test processes was most of the test run. Each program
# runs instead as a few shards (GoogleTest's own sharding), enough to keep every
# core busy; a failing test is named in its shard's output.
set(ZAV_TEST_SHARDS 6)
function(zav_add_test_shards name)
  math(EXPR last "${ZAV_TEST_SHARDS} - 1")
  foreach(index RANGE ${last})
    add_test(NAME ${name}.shard${index} COMMAND ${name}
             WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
    set_tests_properties(${name}.shard${index} PROPERTIES TIMEOUT 1200
      ENVIRONMENT "GTEST_TOTAL_SHARDS=${ZAV_TEST_SHARDS};GTEST_SHARD_INDEX=${index}")
  endforeach()
endfunction()

# zav_add_deliverables(NAME folder...)
# A target that builds every program and shared library the given folders and
# their subfolders define, with the libraries they link, and nothing else: what
# ./run.sh needs, without the test programs.
function(zav_add_deliverables name)
  add_custom_target(${name})
  set(pending)
  foreach(folder IN LISTS ARGN)
    if(EXISTS ${CMAKE_SOURCE_DIR}/${folder}/CMakeLists.txt)
      list(APPEND pending ${CMAKE_SOURCE_DIR}/${folder})
    endif()
  endforeach()
  while(pending)
    list(POP_FRONT pending dir)
    get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
    list(APPEND pending ${subdirs})
    get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
    foreach(target IN LISTS targets)
      get_target_property(type ${target} TYPE)
      if(type MATCHES "^(EXECUTABLE|SHARED_LIBRARY|MODULE_LIBRARY)$")
        add_dependencies(${name} ${target})
      endif()
    endforeach()
  endwhile()
endfunction()

# zav_add_plugin(NAME [DEPENDS lib...])
# An image-format plug-in: a shared library named NAME.so (no "lib" prefix)
# beside the program, from the calling folder's sources and the exports every
# plug-in shares. Only the filter interface is visible; the static libraries
# it links keep their symbols to themselves.
function(zav_add_plugin name)
  cmake_parse_arguments(ARG "" "" "DEPENDS" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_library(${name} SHARED ${sources} ${CMAKE_SOURCE_DIR}/plugins/shared/FilterExports.cpp)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  target_link_libraries(${name} PRIVATE formats ${ARG_DEPENDS})
  set_target_properties(${name} PROPERTIES PREFIX ""
    CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)
  target_link_options(${name} PRIVATE -Wl,--no-undefined
    -Wl,--version-script=${CMAKE_SOURCE_DIR}/cmake/FilterExports.map)
  set_property(TARGET ${name} APPEND PROPERTY LINK_DEPENDS ${CMAKE_SOURCE_DIR}/cmake/FilterExports.map)
endfunction()
