// File-type masks: splitting the dialog's text and matching names.
#include "ide/shell/find/file_masks.h"

#include <gtest/gtest.h>

namespace ide {
namespace {

TEST(FileMasks, SplitKeepsNonEmptyMasksInOrder) {
    EXPECT_EQ(SplitFileMasks("*.c;*.h"), (std::vector<std::string>{"*.c", "*.h"}));
    EXPECT_EQ(SplitFileMasks(";;*.asm"), (std::vector<std::string>{"*.asm"}));
    EXPECT_EQ(SplitFileMasks(" *.asm ; ;*.inc;"), (std::vector<std::string>{"*.asm", "*.inc"}));
    EXPECT_TRUE(SplitFileMasks(";;").empty());
}

TEST(FileMasks, Matching) {
    struct Case {
        const char* name;
        const char* mask;
        bool matches;
    };
    const Case cases[] = {
        {"main.asm", "*.asm", true},
        {"MAIN.ASM", "*.asm", true},
        {"main.asm.bak", "*.asm", false},
        {"main.as", "*.asm", false},
        {"README", "*.*", true},
        {"README", "*", true},
        {"a.c", "?.c", true},
        {"ab.c", "?.c", false},
        {"main.c", "m*n.*", true},
        {"mainx.c", "m*n.*", false},
        {"aaab", "*ab", true},
        {"defs.inc", "defs.inc", true},
        {"x.asm", "", false},
        {"", "*", true},
        {"é.asm", "*.asm", true},
    };
    for (const Case& c : cases) EXPECT_EQ(MatchesFileMask(c.name, c.mask), c.matches) << c.name << " with " << c.mask;
}

}  // namespace
}  // namespace ide
