# Helpers every module uses to declare its tests, fuzz targets and benchmarks.

set(KIT_TEST_DIR ${CMAKE_BINARY_DIR}/tests)

include(${CMAKE_CURRENT_LIST_DIR}/KitPch.cmake)

# Test sources are compiled without optimisation: most of their cost is the
# test framework's headers and macros, and the code under test keeps the
# preset's optimisation. Line tables keep failures and sanitizer reports
# pointing at source lines.
if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  set(KIT_TEST_COMPILE_OPTIONS -O0 -gline-tables-only)
else()
  set(KIT_TEST_COMPILE_OPTIONS -O0 -g1)
endif()

# kit_test(<name> SOURCES ... [LIBS ...] [THREADED] [LABELS ...])
# A GoogleTest executable; its cases are discovered when ctest runs.
# THREADED tests also run under ThreadSanitizer in the tsan build.
function(kit_test name)
  cmake_parse_arguments(T "THREADED" "" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  set_target_properties(${name} PROPERTIES KIT_TEST TRUE)
  target_link_libraries(${name} PRIVATE ${T_LIBS} kit_test_env kit_testing GTest::gtest GTest::gmock
                        GTest::gtest_main Threads::Threads)
  target_compile_options(${name} PRIVATE ${KIT_TEST_COMPILE_OPTIONS})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${KIT_TEST_DIR})
  set(labels ${T_LABELS})
  if(T_THREADED)
    list(APPEND labels threaded)
    set_property(GLOBAL APPEND PROPERTY KIT_THREADED_TESTS ${name})
  endif()
  set(properties)
  if(labels)
    set(properties LABELS "${labels}")
  endif()
  gtest_discover_tests(${name}
    WORKING_DIRECTORY ${KIT_TEST_DIR}
    DISCOVERY_MODE PRE_TEST
    PROPERTIES ${properties})
endfunction()

# kit_fuzzer(<name> SOURCES ... [LIBS ...] [CORPUS <dir>] [SECONDS <n>])
# The sources define LLVMFuzzerTestOneInput. With KIT_FUZZ (clang) the target is a
# libFuzzer binary run for a few seconds by ctest; otherwise it links the replay
# driver, which feeds the corpus and a fixed set of generated inputs.
function(kit_fuzzer name)
  cmake_parse_arguments(F "" "CORPUS;SECONDS" "SOURCES;LIBS" ${ARGN})
  if(NOT F_SECONDS)
    set(F_SECONDS 10)
  endif()
  add_executable(${name} ${F_SOURCES})
  target_link_libraries(${name} PRIVATE ${F_LIBS})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${KIT_TEST_DIR})
  set(corpus)
  if(F_CORPUS)
    set(corpus ${F_CORPUS})
  endif()
  if(KIT_FUZZ)
    target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
    # New inputs go to a scratch folder so the checked-in corpus stays as reviewed.
    set(work ${CMAKE_BINARY_DIR}/fuzz-corpus/${name})
    file(MAKE_DIRECTORY ${work})
    add_test(NAME fuzz.${name}
      COMMAND $<TARGET_FILE:${name}> -max_total_time=${F_SECONDS} -timeout=5 -rss_limit_mb=2048
              ${work} ${corpus})
  else()
    target_link_libraries(${name} PRIVATE kit_fuzz_replay)
    add_test(NAME fuzz.${name} COMMAND $<TARGET_FILE:${name}> ${corpus})
  endif()
  set_tests_properties(fuzz.${name} PROPERTIES LABELS fuzz)
endfunction()

# kit_screen_test(<name> SHOT <file.png> DIFFERING <pixels> COMMAND <program> [argument...])
# Runs the program on the SDL display under Xvfb and headless, each writing a
# screenshot where its arguments name SHOT, and passes when the screen's
# picture differs from the headless rendering in at most DIFFERING pixels.
# Both pictures come from the same window code, so such a test catches only
# faults of the display back-end (what reaches the screen and how); what the
# windows draw is checked by the headless picture tests. A call that allows
# differing pixels says which ones they are.
function(kit_screen_test name)
  cmake_parse_arguments(S "" "SHOT;DIFFERING" "COMMAND" ${ARGN})
  kit_desktop_test(${name} COMMAND ${CMAKE_SOURCE_DIR}/testing/xvfb-screenshot.sh $<TARGET_FILE:png_compare>
                   ${S_SHOT} ${S_DIFFERING} ${S_COMMAND})
endfunction()

# kit_desktop_test(<name> [TIMEOUT <seconds>] COMMAND <script> [argument...])
# A test that drives programs on its own X server (Xvfb) as a person would:
# skipped (77) where no X server can start, and run alone, since the X
# server's timing of keys, focus and windows is the very thing it checks
# and a loaded machine makes it race.
function(kit_desktop_test name)
  cmake_parse_arguments(D "" "TIMEOUT" "COMMAND" ${ARGN})
  if(NOT D_TIMEOUT)
    set(D_TIMEOUT 90)
  endif()
  add_test(NAME ${name} COMMAND ${D_COMMAND})
  set_tests_properties(${name} PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT ${D_TIMEOUT} RUN_SERIAL TRUE)
endfunction()

# kit_bench(<name> SOURCES ... [LIBS ...]) - a Google Benchmark program in build/bench.
function(kit_bench name)
  cmake_parse_arguments(B "" "" "SOURCES;LIBS" ${ARGN})
  find_package(benchmark REQUIRED)
  add_executable(${name} ${B_SOURCES})
  target_link_libraries(${name} PRIVATE ${B_LIBS} benchmark::benchmark benchmark::benchmark_main)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
endfunction()

# Called once at the end of the top-level list: the targets' precompiled
# headers, and the target that builds every threaded test, for the
# ThreadSanitizer build.
function(kit_finish)
  kit_precompile_headers()
  get_property(threaded GLOBAL PROPERTY KIT_THREADED_TESTS)
  add_custom_target(threaded_tests)
  if(threaded)
    add_dependencies(threaded_tests ${threaded})
  endif()
endfunction()
