# cv_glob_sources(VAR DIR): every .cpp and .h directly in DIR (headers go in so AUTOMOC sees them).
function(cv_glob_sources var dir)
  file(GLOB _srcs CONFIGURE_DEPENDS ${dir}/*.cpp ${dir}/*.h)
  set(${var} ${_srcs} PARENT_SCOPE)
endfunction()

# The macros every test program is compiled with.
set(CV_TEST_DEFINITIONS CV_TEST_DATA_DIR="${PROJECT_SOURCE_DIR}/tests/data" CV_BIN_DIR="${CV_BIN_DIR}")

# cv_add_test_dir(NAME DIR LIBS...): one GoogleTest executable from every .cpp in DIR.
# Every test executable runs with a QApplication on the offscreen platform (tests/support/qt_main.cpp),
# so widget tests and plain tests share one runner.
function(cv_add_test_dir name dir)
  file(GLOB _srcs CONFIGURE_DEPENDS ${dir}/*.cpp ${dir}/*.h)
  if(NOT _srcs)
    return()
  endif()
  add_executable(${name} ${_srcs})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_link_libraries(${name} PRIVATE cvtestsupport ${ARGN})
  target_compile_definitions(${name} PRIVATE ${CV_TEST_DEFINITIONS})
  set_property(GLOBAL APPEND PROPERTY CV_TEST_TARGETS ${name})
  set(_env "QT_QPA_PLATFORM=offscreen;CV_BIN_DIR=${CV_BIN_DIR}")
  if(NOT DEFINED CV_TEST_PARTS_${name})
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "${_env}" TIMEOUT 600)
    return()
  endif()
  # A long program runs as several tests side by side, each part one GoogleTest filter of
  # CV_TEST_PARTS_<name> and the last part every test the others leave, each part's tests in the
  # program's own order: otherwise the run waits for it long after the rest are done. The parts
  # start first (COST), before ctest has timings of its own to order them by.
  set(_filters ${CV_TEST_PARTS_${name}})
  list(LENGTH _filters _count)
  math(EXPR _count "${_count} + 1")
  list(JOIN _filters ":" _rest)
  list(APPEND _filters "-${_rest}")
  set(_n 0)
  foreach(_filter ${_filters})
    math(EXPR _n "${_n} + 1")
    add_test(NAME ${name}_${_n}of${_count} COMMAND ${name} --gtest_filter=${_filter})
    set_tests_properties(${name}_${_n}of${_count} PROPERTIES ENVIRONMENT "${_env}" TIMEOUT 600 COST 1000)
  endforeach()
endfunction()

# cv_add_plugin(NAME SOURCES...): a plug-in shared library in build/bin exporting only
# _RunCvsMain and _FreeEquip.
function(cv_add_plugin name)
  add_library(${name} MODULE ${ARGN})
  set_target_properties(${name} PROPERTIES PREFIX "" SUFFIX ".so"
    CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON
    LIBRARY_OUTPUT_DIRECTORY ${CV_BIN_DIR})
  target_link_libraries(${name} PRIVATE cvframework)
  cv_pch(${name} hidden)
  target_link_options(${name} PRIVATE
    -Wl,--version-script=${PROJECT_SOURCE_DIR}/cmake/plugin-exports.map -Wl,--no-undefined)
endfunction()
