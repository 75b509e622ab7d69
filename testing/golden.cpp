#include "testing/golden.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>

#include "testing/temp_dir.h"

namespace testing_kit {

namespace {

// The command that rewrites the goldens of the running test.
std::string update_command() {
    std::string command = "scripts/update-goldens";
    if (const auto* test = ::testing::UnitTest::GetInstance()->current_test_info())
        command += std::string(" '") + test->test_suite_name() + "." + test->name() + "'";
    return command;
}

void write_bytes(const std::filesystem::path& path, std::string_view bytes) {
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace

std::filesystem::path source_path(std::string_view relative) {
    return std::filesystem::path(KIT_SOURCE_DIR) / relative;
}

std::filesystem::path program_path(std::string_view name) { return std::filesystem::path(KIT_BIN_DIR) / name; }

GoldenSetting golden_setting(const char* update_variable, const std::filesystem::path& source_tree) {
    if (!update_variable) return {};
    std::error_code error;
    if (*update_variable && std::filesystem::equivalent(update_variable, source_tree, error))
        return {GoldenMode::update, {}};
    return {GoldenMode::compare, "KIT_UPDATE_GOLDENS is set to '" + std::string(update_variable) +
                                     "', which is not this source tree; goldens are rewritten only by "
                                     "scripts/update-goldens, so unset it"};
}

::testing::AssertionResult compare_with_golden(const std::filesystem::path& golden, std::string_view actual,
                                               GoldenMode mode) {
    if (mode == GoldenMode::update) {
        std::filesystem::create_directories(golden.parent_path());
        if (!std::filesystem::exists(golden) || read_file(golden) != actual) {
            write_bytes(golden, actual);
            return ::testing::AssertionSuccess() << "golden rewritten: " << golden;
        }
        return ::testing::AssertionSuccess();
    }
    if (!std::filesystem::exists(golden))
        return ::testing::AssertionFailure() << "missing golden " << golden << "; make it with " << update_command()
                                             << " and review it before committing";
    const std::string expected = read_file(golden);
    if (expected == actual) return ::testing::AssertionSuccess();
    // Name the first differing byte and its line so that a reviewer finds it quickly.
    const auto mismatch = std::mismatch(expected.begin(), expected.end(), actual.begin(), actual.end());
    const auto at = static_cast<std::size_t>(mismatch.first - expected.begin());
    const auto line = 1 + std::count(expected.begin(), mismatch.first, '\n');
    auto failed = golden;
    failed += ".actual";
    write_bytes(failed, actual);
    return ::testing::AssertionFailure() << "differs from golden " << golden << " at byte " << at << " (line " << line
                                         << "; expected size " << expected.size() << ", actual " << actual.size()
                                         << "); actual written to " << failed << "; if the change is right, "
                                         << update_command();
}

::testing::AssertionResult matches_golden(std::string_view relative, std::string_view actual) {
    const GoldenSetting setting = golden_setting(std::getenv("KIT_UPDATE_GOLDENS"), KIT_SOURCE_DIR);
    if (!setting.refusal.empty()) return ::testing::AssertionFailure() << setting.refusal;
    return compare_with_golden(source_path(relative), actual, setting.mode);
}

}  // namespace testing_kit
