#pragma once
// Golden files: expected outputs kept in the source tree beside the tests.
// To rewrite the goldens some tests compare against, run
// `scripts/update-goldens <ctest name pattern>` and review the difference
// before committing it; a comparison never rewrites a golden otherwise.
#include <filesystem>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

namespace testing_kit {

// Path of a file below the source tree, e.g. source_path("assembler/tests/golden/x.txt").
std::filesystem::path source_path(std::string_view relative);

// Path of a kit program built beside the tools (build/bin).
std::filesystem::path program_path(std::string_view name);

enum class GoldenMode { compare, update };

// What KIT_UPDATE_GOLDENS asks for. scripts/update-goldens sets it to the
// source tree whose goldens it rewrites; any other value (a "1" left in a
// shell, another checkout) is refused, so no comparison passes by accident.
struct GoldenSetting {
    GoldenMode mode = GoldenMode::compare;
    std::string refusal;  // why the variable's value is refused; empty when accepted
};
GoldenSetting golden_setting(const char* update_variable, const std::filesystem::path& source_tree);

// Compares bytes with a golden file; a missing or differing golden fails and
// says where. In update mode the golden is (re)written instead.
::testing::AssertionResult compare_with_golden(const std::filesystem::path& golden, std::string_view actual,
                                               GoldenMode mode);

// Compares bytes with the golden file at `relative` (below the source tree),
// in the mode the environment asks for.
::testing::AssertionResult matches_golden(std::string_view relative, std::string_view actual);

}  // namespace testing_kit
