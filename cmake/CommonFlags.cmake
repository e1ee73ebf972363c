# One target carries warnings and strictness; every target links it. The warnings alone serve
# code loaded into other programs, which must not carry the sanitizers.
add_library(lab2siv_warnings INTERFACE)
target_compile_options(lab2siv_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Wnon-virtual-dtor -Wcast-align -Wnull-dereference -Wimplicit-fallthrough)
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  target_compile_options(lab2siv_warnings INTERFACE -Wshadow=local)
else()
  target_compile_options(lab2siv_warnings INTERFACE -Wshadow-uncaptured-local)
endif()
# GCC reports two flow warnings from inside library headers once their code is inlined into
# ours, where -isystem does not silence them: -Wnull-dereference from Qt's widget accessors
# (through QPointer and qobject_cast, which GCC cannot prove non-null), and, in GCC 12,
# -Wrestrict from libstdc++'s string concatenation (a false report fixed in GCC 13). Only code
# that builds Qt widgets drops the first; the second goes where that compiler is used.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  target_compile_options(lab2siv_warnings INTERFACE
    $<$<IN_LIST:Qt6::Widgets,$<TARGET_PROPERTY:LINK_LIBRARIES>>:-Wno-null-dereference>)
  if(CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(lab2siv_warnings INTERFACE -Wno-restrict)
  endif()
endif()
if(LAB2SIV_WERROR)
  target_compile_options(lab2siv_warnings INTERFACE -Werror)
endif()
target_compile_definitions(lab2siv_warnings INTERFACE
  QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII QT_NO_CAST_FROM_BYTEARRAY)
add_library(lab2siv_flags INTERFACE)
target_link_libraries(lab2siv_flags INTERFACE lab2siv_warnings)
if(LAB2SIV_SANITIZE)
  target_compile_options(lab2siv_flags INTERFACE
    -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_link_options(lab2siv_flags INTERFACE -fsanitize=address,undefined)
endif()

# lab2siv_test(NAME SOURCES... LIBS ...): one GoogleTest executable registered with CTest.
function(lab2siv_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS;ENV" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock GTest::gtest_main lab2siv_flags)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_compile_definitions(${name} PRIVATE
    LAB2SIV_FIXTURES="${PROJECT_SOURCE_DIR}/tests/fixtures"
    LAB2SIV_BINARY_DIR="${PROJECT_BINARY_DIR}")
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES ENVIRONMENT "${T_ENV}")
endfunction()

# A test of windows that runs on both backends where the Qt one is built (with its
# QApplication, offscreen), else on the headless one only.
function(lab2siv_window_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS;ENV" ${ARGN})
  if(TARGET l2s_ui_qt)
    lab2siv_test(${name} SOURCES ${PROJECT_SOURCE_DIR}/tests/platform/ui/qt/qt_main.cpp ${T_SOURCES}
                 LIBS ${T_LIBS} l2s_ui_qt Qt6::Widgets ENV QT_QPA_PLATFORM=offscreen ${T_ENV})
    target_compile_definitions(${name} PRIVATE LAB2SIV_TEST_QT_WINDOWS)
  else()
    lab2siv_test(${name} SOURCES ${T_SOURCES} LIBS ${T_LIBS} ENV ${T_ENV})
  endif()
endfunction()
