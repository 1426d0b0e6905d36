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
