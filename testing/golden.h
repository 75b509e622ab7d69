#pragma once
// Golden files: expected outputs kept in the source tree beside the tests.
// Run a test with KIT_UPDATE_GOLDENS=1 to rewrite the goldens it compares
// against, then review the difference before committing it.
#include <filesystem>
#include <string_view>

#include <gtest/gtest.h>

namespace testing_kit {

// Path of a file below the source tree, e.g. source_path("assembler/tests/golden/x.txt").
std::filesystem::path source_path(std::string_view relative);

// Path of a kit program built beside the tools (build/bin).
std::filesystem::path program_path(std::string_view name);

// Compares bytes with the golden file at `relative` (below the source tree).
::testing::AssertionResult matches_golden(std::string_view relative, std::string_view actual);

}  // namespace testing_kit
