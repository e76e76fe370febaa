# velora_add_test(name SOURCES ... LIBS ...)
# One GoogleTest executable, registered case by case with CTest. The shared test
# main (tests/support) makes Qt headless and SDL silent.
function(velora_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} velora_test_main GTest::gtest GTest::gmock)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  gtest_discover_tests(${name}
    DISCOVERY_TIMEOUT 60
    PROPERTIES TIMEOUT 120)
endfunction()
