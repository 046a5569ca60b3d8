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

if(AURIVENT_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "AURIVENT_FUZZ needs clang (CC=clang CXX=clang++); tools/fuzz.sh sets it up")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
