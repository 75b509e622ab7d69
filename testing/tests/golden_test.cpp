#include "testing/golden.h"
#include "testing/temp_dir.h"

#include <gtest/gtest.h>

namespace {

TEST(TempDir, WritesFilesAndRemovesItself) {
    std::filesystem::path kept;
    {
        testing_kit::TempDir dir;
        kept = dir.path();
        auto file = dir.write("sub/a.txt", "abc");
        EXPECT_EQ(testing_kit::read_file(file), "abc");
    }
    EXPECT_FALSE(std::filesystem::exists(kept));
}

TEST(Golden, MissingGoldenFailsWithAHint) {
    auto result = testing_kit::matches_golden("testing/tests/no-such-golden.txt", "x");
    if (std::getenv("KIT_UPDATE_GOLDENS")) GTEST_SKIP();
    EXPECT_FALSE(result);
}

TEST(Environment, NamesTheBuildAndSourceFolders) {
    const char* bin = std::getenv("KIT_BIN_DIR");
    const char* src = std::getenv("KIT_SOURCE_DIR");
    ASSERT_TRUE(bin && src);
    EXPECT_EQ(std::filesystem::path(bin), testing_kit::program_path("Dravlin").parent_path());
    EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(src) / "CMakeLists.txt"));
}

}  // namespace
