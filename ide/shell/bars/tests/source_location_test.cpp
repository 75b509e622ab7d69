// Which output lines name a source and a line.
#include <gtest/gtest.h>

#include "ide/shell/bars/source_location.h"

namespace {

TEST(SourceLocationTest, FindsTheFileAndTheLineGroup) {
    struct Case {
        const char* text;
        const char* path;  // null: no location
        int line;
    };
    const Case cases[] = {
        {"main.asm(12): error", "main.asm", 12},
        {"main.asm(12)", "main.asm", 12},
        {"x(12abc)", "x", 12},
        {"x(y)", nullptr, 0},
        {"x()", nullptr, 0},
        {"x(12", nullptr, 0},
        {"no location here", nullptr, 0},
        {"(12): no file", nullptr, 0},
        // Folders with parentheses: the group that carries the line wins.
        {"/home/me/Program Files (x86)/hello/main.asm(7): error E1: bad", "/home/me/Program Files (x86)/hello/main.asm",
         7},
        {"/work/copy (2)/main.asm(41): x = (3)", "/work/copy (2)/main.asm", 41},
        {"src\\lib (1)\\util.c(5)", "src\\lib (1)\\util.c", 5},
        // A find hit whose text holds a group of its own.
        {"game.asm(3): lda table(2)", "game.asm", 3},
        {"big.asm(99999999999)", "big.asm", 2147483647},
    };
    for (const Case& c : cases) {
        const auto location = ide::ParseSourceLocation(c.text);
        if (!c.path) {
            EXPECT_FALSE(location) << c.text;
            continue;
        }
        ASSERT_TRUE(location) << c.text;
        EXPECT_EQ(location->path, c.path) << c.text;
        EXPECT_EQ(location->line, c.line) << c.text;
    }
}

}  // namespace
