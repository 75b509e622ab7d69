#include "testing/golden.h"

#include <cstdlib>
#include <fstream>

#include "testing/temp_dir.h"

namespace testing_kit {

std::filesystem::path source_path(std::string_view relative) {
    return std::filesystem::path(KIT_SOURCE_DIR) / relative;
}

std::filesystem::path program_path(std::string_view name) { return std::filesystem::path(KIT_BIN_DIR) / name; }

::testing::AssertionResult matches_golden(std::string_view relative, std::string_view actual) {
    auto path = source_path(relative);
    const char* update = std::getenv("KIT_UPDATE_GOLDENS");
    if (update && *update == '1') {
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary).write(actual.data(), static_cast<std::streamsize>(actual.size()));
        return ::testing::AssertionSuccess() << "golden rewritten";
    }
    if (!std::filesystem::exists(path))
        return ::testing::AssertionFailure() << "missing golden " << path << " (run with KIT_UPDATE_GOLDENS=1)";
    std::string expected = read_file(path);
    if (expected == actual) return ::testing::AssertionSuccess();
    // Name the first differing byte so a reviewer can find it quickly.
    size_t at = 0;
    while (at < expected.size() && at < actual.size() && expected[at] == actual[at]) ++at;
    auto failed = path;
    failed += ".actual";
    std::ofstream(failed, std::ios::binary).write(actual.data(), static_cast<std::streamsize>(actual.size()));
    return ::testing::AssertionFailure() << "differs from golden " << path << " at byte " << at << " (expected size "
                                         << expected.size() << ", actual " << actual.size() << "); actual written to "
                                         << failed;
}

}  // namespace testing_kit
