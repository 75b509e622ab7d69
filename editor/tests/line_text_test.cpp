#include "editor/line_text.h"

#include <gtest/gtest.h>

namespace editor {
namespace {

TEST(EditorLineEnds, FirstLineEndDecides) {
    struct Case {
        const char* text;
        int type;
    } cases[] = {
        {"a\r\nb\n", kLineEndCrLf},
        {"a\n\rb", kLineEndLfCr},
        {"a\nb\r\n", kLineEndLf},
        {"a\rb", kLineEndCr},
        {"abc", -1},
        {"a\r", kLineEndCr},
    };
    for (const Case& c : cases) EXPECT_EQ(DetectLineEndType(c.text), c.type) << c.text;
}

TEST(EditorTabColumns, IndexAndColumnAgree) {
    // Tab size 4: "\tab\tc" has columns 0,4,5,6(->8),8.
    std::string_view text = "\tab\tc";
    EXPECT_EQ(IndexToColumn(text, 0, 4), 0);
    EXPECT_EQ(IndexToColumn(text, 1, 4), 4);
    EXPECT_EQ(IndexToColumn(text, 3, 4), 6);
    EXPECT_EQ(IndexToColumn(text, 4, 4), 8);
    EXPECT_EQ(IndexToColumn(text, 7, 4), 11);  // two bytes of virtual space after the text
    EXPECT_EQ(ColumnToIndex(text, 2, 4), 0);   // inside the first tab
    EXPECT_EQ(ColumnToIndex(text, 4, 4), 1);
    EXPECT_EQ(ColumnToIndex(text, 7, 4), 3);
    EXPECT_EQ(ColumnToIndex(text, 11, 4), 7);
    EXPECT_EQ(ExpandTabs("\tab\tc\r\n\tx", 4, 2), "    ab  c\r\n    x");
}

TEST(EditorSplitLines, LineEndsBecomeTheBuffers) {
    bool cut = false;
    LineEnd crlf = LineEndOfType(kLineEndCrLf);
    // CR LF is one line end; LF CR and doubled bytes are two each.
    EXPECT_EQ(SplitIntoLines("a\r\nb\n\rc\r\rd", crlf, 4, &cut),
              (std::vector<std::string>{"a\r\n", "b\r\n", "\r\n", "c\r\n", "\r\n", "d"}));
    LineEnd lf = LineEndOfType(kLineEndLf);
    // In an LF text a CR LF is still a single line end.
    EXPECT_EQ(SplitIntoLines("a\r\nb\nc\n", lf, 4, &cut), (std::vector<std::string>{"a\n", "b\n", "c\n"}));
    // So it is in an LF CR text, beside its own pair.
    LineEnd lfcr = LineEndOfType(kLineEndLfCr);
    EXPECT_EQ(SplitIntoLines("a\n\rb\r\nc\n\r", lfcr, 4, &cut), (std::vector<std::string>{"a\n\r", "b\n\r", "c\n\r"}));
    EXPECT_FALSE(cut);
}

TEST(EditorSplitLines, LoneLastByteOfATwoByteLineEndStaysText) {
    LineEnd crlf = LineEndOfType(kLineEndCrLf);
    EXPECT_EQ(SplitIntoLines("a\r\nb\r", crlf, 4), (std::vector<std::string>{"a\r\n", "b\r"}));
    EXPECT_EQ(SplitIntoLines("a\r\n\n", crlf, 4), (std::vector<std::string>{"a\r\n", "\n"}));
    EXPECT_EQ(SplitIntoLines("a\n\rb\n", LineEndOfType(kLineEndLfCr), 4), (std::vector<std::string>{"a\n\r", "b\n"}));
    // A one-byte line end ends the line there as anywhere else.
    EXPECT_EQ(SplitIntoLines("a\nb\r", LineEndOfType(kLineEndLf), 4), (std::vector<std::string>{"a\n", "b\n"}));
}

TEST(EditorSplitLines, LongLinesAreCutIntoPiecesWithoutLineEnds) {
    bool cut = false;
    std::string long_line(20000, 'x');
    auto lines = SplitIntoLines(long_line + "\r\nend", LineEndOfType(kLineEndCrLf), 4, &cut);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_TRUE(cut);
    EXPECT_EQ(lines[0].size(), 16382u);
    EXPECT_EQ(lines[1], std::string(20000 - 16382, 'x') + "\r\n");
    EXPECT_EQ(lines[0] + lines[1] + lines[2], long_line + "\r\nend");
}

TEST(EditorLineEnds, ReadsTheTextsOwnType) {
    EXPECT_EQ(ConvertLineEnds("a\nb\r\nc", kLineEndCrLf), "a\r\nb\r\nc");
    EXPECT_EQ(ConvertLineEnds("a\n\rb", kLineEndLf), "a\nb");
    EXPECT_EQ(ConvertLineEnds("a\n\rb\r\nc", kLineEndCrLf), "a\r\nb\r\nc");
    EXPECT_EQ(ConvertLineEnds("plain", kLineEndCr), "plain");
}

}  // namespace
}  // namespace editor
