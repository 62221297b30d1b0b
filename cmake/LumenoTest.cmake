# lumeno_add_test(<name> SOURCES ... [LIBS ...])
# One GoogleTest executable per source folder, each case registered with CTest
# with the label "window" when it links Qt (its tests open windows; these are
# what tests/run-under-load.sh repeats), else "unit".
function(lumeno_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} lumeno_linux GTest::gtest GTest::gmock GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  # Most of a test program's compile time is code generation for its many
  # test bodies, so it is built without optimisation; the code it tests
  # keeps the build's.
  target_compile_options(${name} PRIVATE -O0)
  set(label unit)
  if(ARG_LIBS MATCHES "lumeno_qt|Qt6::")
    set(label window)
  endif()
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" LABELS ${label})
endfunction()
