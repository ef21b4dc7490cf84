# Precompiled headers: the standard, Qt and GoogleTest headers that nearly every unit includes are
# parsed once per kind of target instead of once per unit. A precompiled header is only taken by a
# unit whose compile flags and macros match the ones it was built with (gcc quietly parses the
# headers again when they differ, clang refuses), so each kind has its own small donor target
# whose header the targets of that kind reuse:
#   lib     the libraries and programs with default visibility (platform, common, host, sim, the
#           fuzz targets);
#   hidden  the framework, the families' libraries and the plug-ins, which hide their symbols;
#   test    the test programs.
# A test program with macros of its own precompiles the same headers for itself (cv_pch_tests).
# Every unit still includes what it uses: build with -DCV_PCH=OFF to see a missing include.
#
# On by default with clang only. Its precompiled header (about 33 MB) is read lazily and halves a
# unit's compile time; gcc's (160-260 MB with debug information) is mapped whole into every unit,
# whose load then costs more than parsing the headers would.
set(_cv_pch_default OFF)
if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  set(_cv_pch_default ON)
endif()
option(CV_PCH "Precompile the headers nearly every unit includes" ${_cv_pch_default})

set(CV_PCH_HEADERS
  <algorithm> <array> <cstdint> <cstdio> <cstring> <functional> <map> <memory> <string>
  <vector> <fstream> <sstream>
  <QString> <QObject> <QFile> <QDir> <QFileInfo> <QTimer> <QRegularExpression> <QApplication>
  <QWidget> <QDialog> <QPushButton> <QLabel> <QLineEdit> <QComboBox> <QCheckBox> <QRadioButton>
  <QPlainTextEdit> <QListWidget> <QProgressBar> <QKeyEvent>)
set(CV_PCH_TEST_HEADERS <gtest/gtest.h> <QTest> <QTemporaryDir>)

function(_cv_pch_headers var kind)
  set(h ${CV_PCH_HEADERS})
  if(kind STREQUAL "test")
    list(APPEND h ${CV_PCH_TEST_HEADERS})
  endif()
  set(${var} ${h} PARENT_SCOPE)
endfunction()

# The donor of a kind: an object library of one empty unit with the kind's flags and macros.
function(_cv_pch_donor kind)
  set(donor cvpch_${kind})
  if(TARGET ${donor})
    return()
  endif()
  set(src ${CMAKE_BINARY_DIR}/generated/cvpch.cpp)
  if(NOT EXISTS ${src})
    file(WRITE ${src} "// The unit of the precompiled headers' donor targets.\n")
  endif()
  add_library(${donor} OBJECT ${src})
  set_target_properties(${donor} PROPERTIES AUTOMOC OFF)
  if(kind STREQUAL "test")
    # What cv_add_test_dir gives a test program.
    target_link_libraries(${donor} PRIVATE cvtestsupport)
    target_compile_definitions(${donor} PRIVATE ${CV_TEST_DEFINITIONS})
  else()
    # What cvplatform passes on to everything above it.
    target_link_libraries(${donor} PRIVATE Qt6::Core Qt6::Gui Qt6::Widgets Qt6::PrintSupport)
  endif()
  if(kind STREQUAL "hidden")
    set_target_properties(${donor} PROPERTIES CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)
  endif()
  _cv_pch_headers(h ${kind})
  target_precompile_headers(${donor} PRIVATE ${h})
endfunction()

# cv_pch(TARGET KIND): TARGET's units take the precompiled headers of KIND (lib, hidden or test).
function(cv_pch target kind)
  if(NOT CV_PCH)
    return()
  endif()
  _cv_pch_donor(${kind})
  target_precompile_headers(${target} REUSE_FROM cvpch_${kind})
endfunction()

# cv_pch_tests(TARGETS...): each test program takes the test programs' precompiled headers, or
# precompiles the same headers for itself when it defines macros the others do not.
function(cv_pch_tests)
  if(NOT CV_PCH)
    return()
  endif()
  _cv_pch_headers(h test)
  foreach(t ${ARGN})
    get_target_property(defs ${t} COMPILE_DEFINITIONS)
    if(defs STREQUAL "${CV_TEST_DEFINITIONS}")
      cv_pch(${t} test)
    else()
      target_precompile_headers(${t} PRIVATE ${h})
    endif()
  endforeach()
endfunction()
