// Double-byte characters: where a character starts and how long it is.
#include "editor/code_page.h"

#include <gtest/gtest.h>

namespace editor {
namespace {

TEST(EditorCodePage, CharactersAreNeverSplit) {
    // "a", a two-byte character whose trail byte looks like "@", then "b".
    std::string_view text =
        "a\x81\x40"
        "b\xB0";
    EXPECT_EQ(CharSize(text, 0), 1);
    EXPECT_EQ(CharSize(text, 1), 2);
    EXPECT_EQ(CharStart(text, 2), 1);  // inside the character: its lead byte
    EXPECT_EQ(CharStart(text, 3), 3);
    EXPECT_EQ(CharSize(text, 4), 1);  // a lead byte at the end stands alone
    // Trail bytes can be lead bytes too, so the walk starts at the line start.
    std::string_view pairs = "\xB0\xB0\xB0\xB0";
    EXPECT_EQ(CharStart(pairs, 1), 0);
    EXPECT_EQ(CharStart(pairs, 3), 2);
    EXPECT_EQ(CharSize(text, 1, 1252), 1);  // single-byte code page
    EXPECT_FALSE(IsLeadByte(932, 0xA0));
    EXPECT_TRUE(IsLeadByte(932, 0xE0));
}

}  // namespace
}  // namespace editor
