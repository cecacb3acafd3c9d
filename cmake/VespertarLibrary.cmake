# vespertar_library(NAME DIR DEPS...): a static library vsp_NAME from the sources directly in
# DIR (not its sub-folders, which are libraries of their own). A folder without sources yet
# gives an interface library, so the layering can be declared before the code exists.
function(vespertar_library name dir)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/*.cpp)
  if(sources)
    add_library(vsp_${name} STATIC ${sources})
    target_include_directories(vsp_${name} PUBLIC ${CMAKE_SOURCE_DIR}/src)
    target_link_libraries(vsp_${name} PUBLIC ${ARGN})
    target_compile_options(vsp_${name} PRIVATE ${VESPERTAR_FUZZ_FLAGS})
  else()
    add_library(vsp_${name} INTERFACE)
    target_include_directories(vsp_${name} INTERFACE ${CMAKE_SOURCE_DIR}/src)
    target_link_libraries(vsp_${name} INTERFACE ${ARGN})
  endif()
endfunction()

# vespertar_test(NAME DIR DEPS...): one GoogleTest program from the sources in DIR.
function(vespertar_test name dir)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(test_${name} ${sources})
  target_link_libraries(test_${name} PRIVATE ${ARGN} GTest::gtest GTest::gmock GTest::gtest_main)
  target_include_directories(test_${name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
  target_compile_definitions(test_${name} PRIVATE
    VESPERTAR_TEST_DATA="${CMAKE_CURRENT_SOURCE_DIR}/data"
    VESPERTAR_SHARED_DATA="${CMAKE_SOURCE_DIR}/../shared/data"
    VESPERTAR_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  # A test that hangs (a device or a loop that never lets go) fails in minutes, not in the
  # default 25.
  gtest_discover_tests(test_${name} DISCOVERY_TIMEOUT 60 PROPERTIES LABELS ${name} TIMEOUT 300)
endfunction()
