# SPDX-License-Identifier: GPL-3.0-or-later
# -DAURIVENT_SANITIZE=ON builds everything with AddressSanitizer and
# UndefinedBehaviorSanitizer; any finding stops the program that made it.
# -DAURIVENT_FUZZ=ON (clang) does the same with libFuzzer's coverage and adds
# the fuzz targets of fuzz/ (tools/fuzz.sh builds and runs them). With
# -DAURIVENT_FUZZ_SANITIZERS=OFF the fuzz targets run without the sanitizers,
# several times faster, for long campaigns whose corpus is then replayed in a
# sanitized build.
option(AURIVENT_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(AURIVENT_FUZZ "Build the libFuzzer targets of fuzz/ (clang; implies the sanitizers)" OFF)
option(AURIVENT_FUZZ_SANITIZERS "With AURIVENT_FUZZ: build with the sanitizers" ON)

# -DAURIVENT_TSAN=ON builds everything with ThreadSanitizer (tools/tsan.sh).
# Tests and the programs the end-to-end scripts start write their reports to
# tsan-reports/ in the build folder, so a report from a program that a script
# kills is not lost. Qt and glib are not built with ThreadSanitizer: it cannot
# see their locks, so the memory calls they make themselves are not checked
# (ignore_noninstrumented_modules); every access of our code is, callbacks
# from Qt's event loop included. tests/tsan.supp names what remains.
option(AURIVENT_TSAN "Build with ThreadSanitizer" OFF)

set(AURIVENT_SANITIZER_ENV "")
if(AURIVENT_SANITIZE OR (AURIVENT_FUZZ AND AURIVENT_FUZZ_SANITIZERS))
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
  # Qt's offscreen platform keeps its screen for good; lsan-qt.supp names
  # those blocks and nothing of ours.
  set(AURIVENT_SANITIZER_ENV
      "ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1"
      "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1"
      "LSAN_OPTIONS=suppressions=${CMAKE_CURRENT_LIST_DIR}/lsan-qt.supp:print_suppressions=0")
  # Programs run during the build (the image generator) are not tests.
  set_property(GLOBAL PROPERTY RULE_LAUNCH_CUSTOM "${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0")
endif()

if(AURIVENT_TSAN)
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
  add_link_options(-fsanitize=thread)
  set(AURIVENT_SANITIZER_ENV
      "TSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/tsan.supp:halt_on_error=0:exitcode=66:second_deadlock_stack=1:ignore_noninstrumented_modules=1:log_path=${CMAKE_BINARY_DIR}/tsan-reports/report")
  set_property(GLOBAL PROPERTY RULE_LAUNCH_CUSTOM "${CMAKE_COMMAND} -E env TSAN_OPTIONS=report_bugs=0")
endif()

if(AURIVENT_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "AURIVENT_FUZZ needs clang (CC=clang CXX=clang++); tools/fuzz.sh sets it up")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
