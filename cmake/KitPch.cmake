# Precompiled headers: nearly all of a source file's preprocessed text is the
# standard library (and, in tests, the test framework), so every C++ target
# reads those headers from one precompiled header instead of parsing them per
# source. A precompiled header is only valid for the compile options it was
# made with, so one is made per distinct set of target options (libraries and
# programs, tests, the few targets with options of their own) and reused by
# every target that shares it.
#
# Only clang's builds use them: clang reads from a precompiled header just the
# declarations a source uses, which halves a source's compile time here, while
# g++ maps the whole header into every compile, which saved a tenth at most,
# and then reports inlining warnings inside the standard library that it
# otherwise keeps quiet.

set(KIT_PCH_HEADERS
  <algorithm> <array> <atomic> <cctype> <chrono> <cstddef> <cstdint> <cstdio> <cstdlib>
  <cstring> <deque> <filesystem> <fstream> <functional> <map> <memory> <mutex> <optional>
  <set> <span> <sstream> <string> <string_view> <thread> <unordered_map> <utility>
  <variant> <vector>)
set(KIT_TEST_PCH_HEADERS ${KIT_PCH_HEADERS} <gtest/gtest.h> <gmock/gmock.h>)

# Lists the targets defined in <dir> and below.
function(kit_collect_targets dir out)
  get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(subdir IN LISTS subdirs)
    kit_collect_targets(${subdir} below)
    list(APPEND targets ${below})
  endforeach()
  set(${out} ${targets} PARENT_SCOPE)
endfunction()

# Gives every C++ library and program of the tree a precompiled header made by
# a small producer target with the same compile options.
function(kit_precompile_headers)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    return()
  endif()
  kit_collect_targets(${CMAKE_SOURCE_DIR} targets)
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    if(NOT type MATCHES "^(STATIC_LIBRARY|OBJECT_LIBRARY|EXECUTABLE)$")
      continue()
    endif()
    get_target_property(options ${target} COMPILE_OPTIONS)
    if(NOT options)
      set(options "")
    endif()
    get_target_property(is_test ${target} KIT_TEST)
    string(MD5 key "${is_test};${options}")
    string(SUBSTRING ${key} 0 8 key)
    set(producer kit_pch_${key})
    if(NOT TARGET ${producer})
      add_library(${producer} OBJECT ${CMAKE_SOURCE_DIR}/cmake/pch_anchor.cpp)
      # Without its timestamp the header comes out the same each time, so the
      # compiler cache can still hit on the sources that use it.
      target_compile_options(${producer} PRIVATE ${options} -Xclang -fno-pch-timestamp)
      if(is_test)
        target_link_libraries(${producer} PRIVATE GTest::gtest GTest::gmock)
        target_precompile_headers(${producer} PRIVATE ${KIT_TEST_PCH_HEADERS})
      else()
        target_precompile_headers(${producer} PRIVATE ${KIT_PCH_HEADERS})
      endif()
    endif()
    target_precompile_headers(${target} REUSE_FROM ${producer})
  endforeach()
endfunction()
