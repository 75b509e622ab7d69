#include "platform/os/dir.h"

#include <gtest/gtest.h>

#include "testing/temp_dir.h"

namespace {

using testing_kit::ScopedCwd;
using testing_kit::TempDir;

TEST(WildcardMatch, WindowsRules) {
    const struct {
        const char* pattern;
        const char* name;
        bool matches;
    } cases[] = {
        {"*.*", "README", true},  // every name, with or without a dot
        {"*.*", "a.b.c", true},
        {"*", "anything.at.all", true},
        {"main.*", "main", true},  // a final ".*" matches no extension too
        {"main.*", "main.obj", true},
        {"main.*", "mainx", false},
        {"m*.*", "makefile", true},
        {"*.c", "MAIN.C", true},  // case-insensitive
        {"*.c", "main.cpp", false},
        {"*.c", "c", false},
        {"main.?", "main.s", true},
        {"main.?", "main.", false},
        {"m*n*.obj", "mainline.OBJ", true},
        {"m*n*.obj", "mainline.ob", false},
        {"a*b*c", "aXbYbZc", true},
        {"a*b*c", "aXbYbZ", false},
        {"", "", true},
        {"", "x", false},
        {"**", "", true},
        {"\xB0\xA1*", "\xB0\xA1.txt", true},  // double-byte names compared as bytes
        {"\xB0\xA1*", "\xB0\xC1.txt", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(os::wildcard_match(c.pattern, c.name), c.matches) << c.pattern << " ~ " << c.name;
}

TEST(WildcardMatch, LongPatternsStayFast) {
    // A backtracking matcher would take exponential time here.
    const std::string name(5000, 'a');
    EXPECT_FALSE(os::wildcard_match("*a*a*a*a*a*a*a*a*b", name));
}

TEST(FindFiles, ListsMatchesSortedWithTheirInfo) {
    TempDir dir;
    ScopedCwd cwd(dir.path());
    dir.write("Src/b.C", "bb");
    dir.write("Src/a.c", "a");
    dir.write("Src/notes", "");
    dir.write("Src/sub/x.c", "");

    auto c_files = os::find_files("SRC\\*.c");
    ASSERT_TRUE(c_files) << c_files.error().text;
    ASSERT_EQ(c_files->size(), 2u);
    EXPECT_EQ((*c_files)[0].name, "a.c");
    EXPECT_EQ((*c_files)[1].name, "b.C");
    EXPECT_EQ((*c_files)[1].info.size, 2u);

    auto all = os::find_files("src\\*.*");
    ASSERT_TRUE(all);
    std::vector<std::string> names;
    for (const auto& entry : *all) names.push_back(entry.name);
    EXPECT_EQ(names, (std::vector<std::string>{"a.c", "b.C", "notes", "sub"}));
    EXPECT_TRUE(all->back().info.is_directory);

    auto here = os::find_files("*.*");
    ASSERT_TRUE(here);
    EXPECT_EQ(here->size(), 1u);
    EXPECT_FALSE(os::find_files("nowhere\\*.*"));
}

}  // namespace
