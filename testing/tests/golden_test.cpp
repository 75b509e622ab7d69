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

}  // namespace
