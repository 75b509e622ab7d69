#include "platform/os/keep_copy.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "testing/temp_dir.h"

namespace {

using testing_kit::read_file;
using testing_kit::TempDir;

// The first copy takes the suffix alone, later ones a number after it, and no copy
// ever replaces one kept before.
TEST(KeepCopy, TheFirstCopyTakesTheSuffixAndLaterOnesANumber) {
    for (const char* suffix : {".orig", ".damaged"}) {
        TempDir dir;
        const std::string path = dir.write("cfg/main.ini", "first").string();
        auto first = os::keep_copy(path, suffix, 100);
        ASSERT_TRUE(first) << first.error().text;
        EXPECT_EQ(*first, path + suffix);

        dir.write("cfg/main.ini", "second");
        auto second = os::keep_copy(path, suffix, 100);
        ASSERT_TRUE(second) << second.error().text;
        EXPECT_EQ(*second, path + suffix + ".2");
        EXPECT_EQ(read_file(*first), "first");
        EXPECT_EQ(read_file(*second), "second");
        EXPECT_EQ(read_file(path), "second");  // the file itself stays as it is
    }
}

TEST(KeepCopy, AFileThatCannotBeReadLeavesNoCopy) {
    TempDir dir;
    const std::string missing = (dir / "none.ini").string();
    auto kept = os::keep_copy(missing, ".orig", 100);
    ASSERT_FALSE(kept);
    EXPECT_EQ(kept.error().code, ENOENT);
    const std::string large = dir.write("large.ini", std::string(200, 'x')).string();
    EXPECT_FALSE(os::keep_copy(large, ".orig", 100));
    EXPECT_FALSE(std::filesystem::exists(missing + ".orig"));
    EXPECT_FALSE(std::filesystem::exists(large + ".orig"));
}

}  // namespace
