#include "testing/golden.h"
#include "testing/temp_dir.h"

#include <gtest/gtest.h>

namespace {

using testing_kit::compare_with_golden;
using testing_kit::GoldenMode;
using testing_kit::read_file;

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

std::string message_of(const ::testing::AssertionResult& result) { return result.message(); }

TEST(Golden, EqualBytesPass) {
    testing_kit::TempDir dir;
    const auto golden = dir.write("g.txt", "one\ntwo\n");
    EXPECT_TRUE(compare_with_golden(golden, "one\ntwo\n", GoldenMode::compare));
    EXPECT_FALSE(std::filesystem::exists(dir / "g.txt.actual"));
}

TEST(Golden, DifferingGoldenFailsAndSaysWhere) {
    testing_kit::TempDir dir;
    const auto golden = dir.write("g.txt", "one\ntwo\nthree\n");
    const struct {
        const char* actual;
        const char* where;
    } cases[] = {
        {"one\ntwo\nthreE\n", "at byte 12 (line 3;"},
        {"one\ntwo\n", "at byte 8 (line 3; expected size 14, actual 8)"},  // shorter
        {"one\ntwo\nthree\nfour\n", "at byte 14 (line 4;"},                // longer
        {"", "at byte 0 (line 1;"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.actual);
        const auto result = compare_with_golden(golden, c.actual, GoldenMode::compare);
        EXPECT_FALSE(result);
        EXPECT_NE(message_of(result).find(c.where), std::string::npos) << message_of(result);
        EXPECT_NE(message_of(result).find("scripts/update-goldens"), std::string::npos) << message_of(result);
        EXPECT_EQ(read_file(dir / "g.txt.actual"), c.actual);
        EXPECT_EQ(read_file(golden), "one\ntwo\nthree\n");  // the golden stays as reviewed
    }
}

TEST(Golden, MissingGoldenFailsWithAHint) {
    testing_kit::TempDir dir;
    const auto golden = dir / "no-such-golden.txt";
    const auto result = compare_with_golden(golden, "x", GoldenMode::compare);
    EXPECT_FALSE(result);
    EXPECT_NE(message_of(result).find("missing golden"), std::string::npos) << message_of(result);
    EXPECT_NE(message_of(result).find("scripts/update-goldens 'Golden.MissingGoldenFailsWithAHint'"), std::string::npos)
        << message_of(result);
    EXPECT_FALSE(std::filesystem::exists(golden));
}

TEST(Golden, UpdateModeWritesOnlyWhatChanged) {
    testing_kit::TempDir dir;
    const auto golden = dir / "new" / "g.txt";
    EXPECT_TRUE(compare_with_golden(golden, "first", GoldenMode::update));
    EXPECT_EQ(read_file(golden), "first");
    const auto written = std::filesystem::last_write_time(golden);
    std::filesystem::last_write_time(golden, written - std::chrono::hours(1));
    EXPECT_TRUE(compare_with_golden(golden, "first", GoldenMode::update));
    EXPECT_EQ(std::filesystem::last_write_time(golden), written - std::chrono::hours(1));  // untouched
    EXPECT_TRUE(compare_with_golden(golden, "second", GoldenMode::update));
    EXPECT_EQ(read_file(golden), "second");
}

TEST(Golden, OnlyTheSourceTreeItselfTurnsOnUpdating) {
    testing_kit::TempDir dir;
    std::filesystem::create_directories(dir / "tree");
    const auto tree = dir / "tree";
    EXPECT_EQ(testing_kit::golden_setting(nullptr, tree).mode, GoldenMode::compare);
    EXPECT_TRUE(testing_kit::golden_setting(nullptr, tree).refusal.empty());
    const auto named = testing_kit::golden_setting((dir.path().string() + "/./tree").c_str(), tree);
    EXPECT_EQ(named.mode, GoldenMode::update);
    EXPECT_TRUE(named.refusal.empty());
    for (const char* stray : {"1", "", "yes", "/"}) {
        SCOPED_TRACE(stray);
        const auto refused = testing_kit::golden_setting(stray, tree);
        EXPECT_EQ(refused.mode, GoldenMode::compare);
        EXPECT_NE(refused.refusal.find("scripts/update-goldens"), std::string::npos) << refused.refusal;
    }
}

TEST(Golden, AStrayUpdateVariableFailsEveryComparison) {
    const char* kept = std::getenv("KIT_UPDATE_GOLDENS");
    const std::string saved = kept ? kept : "";
    setenv("KIT_UPDATE_GOLDENS", "1", 1);
    const auto result = testing_kit::matches_golden("testing/tests/no-such-golden.txt", "x");
    if (kept)
        setenv("KIT_UPDATE_GOLDENS", saved.c_str(), 1);
    else
        unsetenv("KIT_UPDATE_GOLDENS");
    EXPECT_FALSE(result);
    EXPECT_NE(message_of(result).find("KIT_UPDATE_GOLDENS is set to '1'"), std::string::npos) << message_of(result);
    EXPECT_FALSE(std::filesystem::exists(testing_kit::source_path("testing/tests/no-such-golden.txt")));
}

TEST(Environment, NamesTheBuildAndSourceFolders) {
    const char* bin = std::getenv("KIT_BIN_DIR");
    const char* src = std::getenv("KIT_SOURCE_DIR");
    ASSERT_TRUE(bin && src);
    EXPECT_EQ(std::filesystem::path(bin), testing_kit::program_path("Dravlin").parent_path());
    EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(src) / "CMakeLists.txt"));
}

}  // namespace
