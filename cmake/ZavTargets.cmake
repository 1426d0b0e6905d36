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

# zav_add_tests(NAME [LIBS lib...])
# One GoogleTest program from every .cpp file of the calling test folder and
# its subfolders, each test registered with CTest on its own.
function(zav_add_tests name)
  cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_executable(${name} ${sources})
  set_target_properties(${name} PROPERTIES
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} zav_test_support
                        GTest::gtest GTest::gmock GTest::gtest_main)
  gtest_discover_tests(${name}
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
    DISCOVERY_TIMEOUT 120
    PROPERTIES TIMEOUT 600)
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
