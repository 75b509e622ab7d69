#include "ide/workspace/text_utils.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "testing/temp_dir.h"

namespace ide {
namespace {

TEST(IdeTextUtils, StringToNumberReadsDecimalAndHexUpToItsBound) {
    struct Case {
        const char* text;
        std::uint32_t bound;
        std::uint32_t expected;
    };
    const Case cases[] = {
        {"", 0xFFFFFFFF, 0},
        {"12abc", 0xFFFFFFFF, 12},
        {"0x1fz", 0xFFFFFFFF, 31},
        {"0X1F", 0xFFFFFFFF, 31},
        {"0x", 0xFFFFFFFF, 0},
        {"ff", 0xFFFFFFFF, 0},
        {"300", 255, 30},
        {"255", 255, 255},
        {"65539", 65535, 6553},  // the last digit would pass the bound
        {"0x10000", 0xFFFF, 0x1000},
        {"4294967295", 0xFFFFFFFF, 4294967295u},
        {"4294967299", 0xFFFFFFFF, 429496729},  // no wrap past 32 bits
        {"99999999999999999999", 0xFFFFFFFF, 999999999},
        {"0xFFFFFFFFF", 0xFFFFFFFF, 0xFFFFFFFF},
    };
    for (const Case& c : cases) EXPECT_EQ(StringToNumber(c.text, c.bound), c.expected) << c.text << " / " << c.bound;
}

TEST(IdeTextUtils, SplitDropsEmptyPiecesAndJoinPutsSeparatorsBetween) {
    std::vector<std::string> list;
    SplitString(";a;;b;", list, ';');
    EXPECT_EQ(list, (std::vector<std::string>{"a", "b"}));
    SplitString("", list, ';');
    SplitString("c", list, ';');
    EXPECT_EQ(list.size(), 3u);
    EXPECT_EQ(JoinStrings(list, ';'), "a;b;c");
    EXPECT_EQ(JoinStrings({}, ';'), "");
}

TEST(IdeTextUtils, PathPieces) {
    EXPECT_EQ(FolderOf("C:\\P\\MAIN.C"), "C:\\P\\");
    EXPECT_EQ(FolderOf("/tmp/p/game.wsp"), "/tmp/p/");
    EXPECT_EQ(FileNameOf("C:\\P\\MAIN.C"), "MAIN.C");
    EXPECT_EQ(FileTitleOf("/a.b/game.v1.prj"), "game.v1");
    EXPECT_EQ(ExtensionOf("..\\dir.x\\file"), "");
    EXPECT_EQ(ReplaceExtension("sub\\main.c", ".OBJ"), "sub\\main.OBJ");
    EXPECT_EQ(ReplaceExtension("noext", ".ASM"), "noext.ASM");
    EXPECT_EQ(WithTrailingSeparator("C:\\LIB"), "C:\\LIB\\");
    EXPECT_EQ(WithTrailingSeparator("/lib/"), "/lib/");
    EXPECT_TRUE(IsAbsolutePath("C:x"));
    EXPECT_TRUE(IsAbsolutePath("\\x"));
    EXPECT_FALSE(IsAbsolutePath("x\\y"));
    EXPECT_EQ(TextLines("a\r\nb\n\nc"), (std::vector<std::string>{"a", "b", "", "c"}));
}

TEST(IdeTextUtils, CreateDirectoryTreeMakesParentsAndRefusesAFile) {
    testing_kit::TempDir dir;
    const std::string deep = (dir.path() / "a").string() + "\\b\\c\\";
    EXPECT_TRUE(CreateDirectoryTree(deep));
    EXPECT_TRUE(std::filesystem::is_directory(dir.path() / "a" / "b" / "c"));
    EXPECT_TRUE(CreateDirectoryTree(deep));

    dir.write("file", "x");
    EXPECT_FALSE(CreateDirectoryTree((dir.path() / "file").string()));
    EXPECT_FALSE(CreateDirectoryTree((dir.path() / "file").string() + "/sub"));
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "file" / "sub"));
    EXPECT_TRUE(CreateDirectoryTree(""));
    EXPECT_FALSE(CreateDirectoryTree(std::string(300, 'x')));
}

TEST(IdeTextUtils, FindFileInFoldersTakesTheFirstFolderThatHoldsIt) {
    testing_kit::TempDir dir;
    dir.write("two/lib.lib", "x");
    dir.write("three/lib.lib", "x");
    const std::string list = ";" + (dir.path() / "one").string() + ";" + (dir.path() / "two").string() + ";" +
                             (dir.path() / "three").string() + "/";
    EXPECT_EQ(FindFileInFolders(list, "LIB.LIB"), (dir.path() / "two").string() + "\\LIB.LIB");
    EXPECT_EQ(FindFileInFolders(list, "none.lib"), "");
}

}  // namespace
}  // namespace ide
