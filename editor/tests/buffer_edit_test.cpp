// The edit primitives: what each does to the lines, its result codes, and its undo.
#include <gtest/gtest.h>

#include "editor/tests/edit_fixture.h"

namespace editor {
namespace {

using testing::At;
using testing::Fill;
using testing::Lines;
using testing::NumbersAreRight;

// Runs an edit, checks the lines it leaves, then checks that undo restores the text
// exactly and redo brings the edit back.
struct EditCase {
    const char* name;
    std::string before;
    std::function<int(SECEdit&)> edit;
    int code;
    std::string after_lines;
};

TEST(EditorPrimitives, EachEditAndItsUndo) {
    auto insert_char = [](int line, int index, char c, bool insert) {
        return [=](SECEdit& e) { return e.InsertChar(At(e, line, index), c, insert, true); };
    };
    EditCase cases[] = {
        {"insert char", "ab\r\n", insert_char(1, 1, 'x', true), kOk, "[axb\r\n]"},
        {"overwrite char", "ab\r\n", insert_char(1, 1, 'x', false), kOk, "[ax\r\n]"},
        {"overwrite at end lengthens", "ab\r\n", insert_char(1, 2, 'x', false), kOk, "[abx\r\n]"},
        {"overwrite a lone CR ending the file", "ab\r\nc\r", insert_char(2, 1, 'x', false), kOk, "[ab\r\n][cx]"},
        {"insert in virtual space pads", "ab\r\nc", insert_char(1, 4, 'x', true), kOk, "[ab  x\r\n][c]"},
        {"typing on the last line adds no line end", "ab\r\nc", insert_char(2, 1, 'x', true), kOk, "[ab\r\n][cx]"},
        {"insert string", "ab\r\n", [](SECEdit& e) { return e.InsertString(At(e, 1, 1), "xyz", true, true); }, kOk,
         "[axyzb\r\n]"},
        {"overwrite string past the end", "abc\r\n",
         [](SECEdit& e) { return e.InsertString(At(e, 1, 1), "xyz", false, true); }, kOk, "[axyz\r\n]"},
        {"delete char", "abc\r\n", [](SECEdit& e) { return e.DeleteChar(At(e, 1, 1), true); }, kOk, "[ac\r\n]"},
        {"delete char at the end joins", "abc\r\nd", [](SECEdit& e) { return e.DeleteChar(At(e, 1, 3), true); },
         kJoinLine, "[abc\r\n][d]"},
        {"delete chars takes only what is there", "abc\r\n",
         [](SECEdit& e) { return e.DeleteChars(At(e, 1, 1), 10, true); }, kOk, "[a\r\n]"},
        {"split line", "abc\r\nd", [](SECEdit& e) { return e.SplitLine(At(e, 1, 1), true); }, kOk,
         "[a\r\n][bc\r\n][d]"},
        {"split past the text", "abc", [](SECEdit& e) { return e.SplitLine(At(e, 1, 7), true); }, kOk, "[abc\r\n][]"},
        {"join lines", "ab\r\ncd\r\ne", [](SECEdit& e) { return e.JoinLines(At(e, 1, 2), true); }, kOk,
         "[abcd\r\n][e]"},
        {"join pads to the index", "ab\r\ncd", [](SECEdit& e) { return e.JoinLines(At(e, 1, 4), true); }, kOk,
         "[ab  cd]"},
        {"join on the last line", "ab", [](SECEdit& e) { return e.JoinLines(At(e, 1, 2), true); }, kEndOfFile, "[ab]"},
        {"delete block on one line", "abcdef\r\n",
         [](SECEdit& e) { return e.DeleteBlock(At(e, 1, 4), At(e, 1, 1), true); }, kOk, "[aef\r\n]"},
        {"delete block across lines", "abc\r\ndef\r\nghi\r\njkl",
         [](SECEdit& e) { return e.DeleteBlock(At(e, 1, 1), At(e, 3, 2), true); }, kOk, "[ai\r\n][jkl]"},
        {"delete block without extent", "abc", [](SECEdit& e) { return e.DeleteBlock(At(e, 1, 1), At(e, 1, 1), true); },
         kNoSelection, "[abc]"},
        {"delete block over a lone LF kept in a line", "ab\r\nc\n",
         [](SECEdit& e) {
             e.InsertChar(At(e, 2, 2), 'd', true, true);
             return e.DeleteBlock(At(e, 1, 1), At(e, 2, 3), true);
         },
         kOk, "[a]"},
        {"insert text", "abc\r\nz", [](SECEdit& e) { return e.InsertText(At(e, 1, 1), "1\n2\n3", true); }, kOk,
         "[a1\r\n][2\r\n][3bc\r\n][z]"},
        {"insert text ending with a line end", "abc",
         [](SECEdit& e) { return e.InsertText(At(e, 1, 3), "1\r\n", true); }, kOk, "[abc1\r\n][]"},
    };
    for (const EditCase& c : cases) {
        SECEdit edit;
        Fill(edit, c.before);
        edit.set_keep_tabs(0);
        EXPECT_EQ(c.edit(edit), c.code) << c.name;
        EXPECT_EQ(Lines(edit), c.after_lines) << c.name;
        EXPECT_TRUE(NumbersAreRight(edit)) << c.name;
        std::string after = edit.GetAllText();
        while (edit.Undo()) {
        }
        EXPECT_EQ(edit.GetAllText(), c.before) << c.name << " (undo)";
        EXPECT_EQ(edit.GetModified(), 0) << c.name;
        while (edit.Redo()) {
        }
        EXPECT_EQ(edit.GetAllText(), after) << c.name << " (redo)";
    }
}

TEST(EditorPrimitives, PaddingUsesTabsWhenKeepingTabs) {
    SECEdit edit;
    Fill(edit, "ab\r\n");
    edit.SetTabSize(4);
    TextPosition at = At(edit, 1, 11);  // display column 11
    ASSERT_EQ(edit.PadToColumn(at, true), kOk);
    EXPECT_EQ(Lines(edit), "[ab\t\t   \r\n]");
    EXPECT_EQ(at.index, 7);
    EXPECT_EQ(edit.IndexToColumn(at.line, at.index), 11);
    edit.set_pad_with_spaces(true);
    at = At(edit, 1, 9);
    edit.PadToColumn(at, true);
    EXPECT_EQ(Lines(edit), "[ab\t\t     \r\n]");
}

TEST(EditorPrimitives, JoinPastTheLineLimitChangesNothing) {
    SECEdit edit;
    std::string half(9000, 'a');
    Fill(edit, half + "\r\n" + half + "\r\n");
    EXPECT_EQ(edit.JoinLines(At(edit, 1, 9000), true), kLineTooLong);
    EXPECT_EQ(edit.GetLineCount(), 2);
    EXPECT_EQ(edit.GetUndoLog().position(), 0);
}

TEST(EditorPrimitives, PositionsOutsideTheLineLimitAreRefused) {
    SECEdit edit;
    Fill(edit, "ab\r\n");
    EXPECT_EQ(edit.InsertChar(At(edit, 1, 1 << 30), 'x', true, true), kLineTooLong);
    EXPECT_EQ(edit.InsertString(At(edit, 1, 20000), "xy", true, true), kLineTooLong);
    EXPECT_EQ(edit.InsertColumnBlock(At(edit, 1, 16380), "xyz\r\nw", true), kLineTooLong);
    EXPECT_EQ(edit.GetAllText(), "ab\r\n");
    EXPECT_EQ(edit.GetUndoLog().position(), 0);
    // A negative index is the line start.
    EXPECT_EQ(edit.InsertChar(At(edit, 1, -4), 'x', true, true), kOk);
    EXPECT_EQ(edit.GetAllText(), "xab\r\n");
}

// One width rule for every insertion: a line's text with its line end never grows past
// the editor's width, whichever primitive adds to it, and a refusal changes nothing.
TEST(EditorPrimitives, NoInsertionMakesALineWiderThanTheLimit) {
    constexpr int kWidest = kMaxLineColumns - 2;  // a CR LF line's text
    struct Case {
        const char* name;
        int width;  // of line 1's text; line 2 is "ab"
        std::function<int(SECEdit&)> insert;
        int code;
    };
    const std::string wide(500, 'x');
    const Case cases[] = {
        {"lines whose first reaches past the limit", 16380,
         [&](SECEdit& e) { return e.InsertText(At(e, 1, 16000), wide + "\r\n", true); }, kLineTooLong},
        {"lines whose last takes the long rest", 16380,
         [&](SECEdit& e) { return e.InsertText(At(e, 1, 0), "a\r\n" + wide, true); }, kLineTooLong},
        {"text without a line end", kWidest - 2, [](SECEdit& e) { return e.InsertText(At(e, 1, 0), "xyz", true); },
         kLineTooLong},
        {"text that just fills the line", kWidest - 3,
         [](SECEdit& e) { return e.InsertText(At(e, 1, kWidest - 3), "xyz", true); }, kOk},
        {"a byte that just fits before the line's rest", kWidest - 1,
         [](SECEdit& e) { return e.InsertText(At(e, 1, 0), "\r\ny", true); }, kOk},
        {"a tab reaching past the limit", kWidest - 1,
         [](SECEdit& e) { return e.InsertChar(At(e, 1, 0), '\t', true, true); }, kLineTooLong},
        {"a string", kWidest - 1, [](SECEdit& e) { return e.InsertString(At(e, 1, 3), "xy", true, true); },
         kLineTooLong},
        {"a string over as many bytes", kWidest,
         [](SECEdit& e) { return e.InsertString(At(e, 1, 3), "xy", false, true); }, kOk},
        {"a column block pushing a long line's text right", kWidest - 1,
         [](SECEdit& e) { return e.InsertColumnBlock(At(e, 1, 0), "xy\r\nxy", true); }, kLineTooLong},
    };
    for (const Case& c : cases) {
        SECEdit edit;
        edit.SetTabSize(4);
        const std::string before = std::string(static_cast<size_t>(c.width), 'w') + "\r\nab\r\n";
        Fill(edit, before);
        EXPECT_EQ(c.insert(edit), c.code) << c.name;
        int widest = 0;
        for (const EditLine* line = edit.GetFirstLine(); line; line = line->next)
            widest = std::max(widest, edit.IndexToColumn(line, static_cast<int>(edit.TextOf(line).size())));
        EXPECT_LE(widest, kWidest) << c.name;
        if (c.code != kOk) {
            EXPECT_TRUE(edit.GetAllText() == before) << c.name;
            EXPECT_EQ(edit.GetUndoLog().position(), 0) << c.name;
        }
    }
}

TEST(EditorPrimitives, JoinMovesTheBookmarkToAnEmptyLine) {
    SECEdit edit;
    Fill(edit, "\r\nmarked\r\n");
    edit.GetLineByNumber(2)->flags |= kLineBookmark;
    ASSERT_EQ(edit.JoinLines(At(edit, 1, 0), true), kOk);
    EXPECT_TRUE(edit.GetFirstLine()->flags & kLineBookmark);
}

TEST(EditorPrimitives, CutLongLinePiecesStayWhole) {
    SECEdit edit;
    std::string long_line(20000, 'x');
    Fill(edit, long_line + "\r\nnext\r\n");
    ASSERT_EQ(edit.GetLineCount(), 3);
    // Typing over a piece adds no line end in the middle of the file (the piece is as
    // wide as a line may be, so nothing more goes in).
    ASSERT_EQ(edit.InsertChar(At(edit, 1, 5), 'y', true, true), kLineTooLong);
    ASSERT_EQ(edit.InsertChar(At(edit, 1, 5), 'y', false, true), kOk);
    EXPECT_FALSE(edit.HasLineEnd(edit.GetFirstLine()));
    std::string expected = long_line.substr(0, 5) + "y" + long_line.substr(6) + "\r\nnext\r\n";
    EXPECT_EQ(edit.GetAllText(), expected);
    // Splitting and joining back a piece restores it exactly.
    ASSERT_EQ(edit.JoinLines(At(edit, 1, 16383), true), kLineTooLong);
    ASSERT_EQ(edit.SplitLine(At(edit, 2, 10), true), kOk);
    ASSERT_EQ(edit.Undo(), 1);
    EXPECT_EQ(edit.GetAllText(), expected);
}

TEST(EditorColumnBlocks, DeleteWorksFromDisplayColumnsOnEachLine) {
    SECEdit edit;
    Fill(edit, "abcdefgh\r\n\tefgh\r\nab\r\nabcdefgh\r\n");
    edit.SetTabSize(4);
    // Columns 2..6 on lines 1-4: the tab covering columns 0-3 goes whole.
    ASSERT_EQ(edit.GetColumnBlockText(At(edit, 1, 2), At(edit, 4, 6)), "cdef\r\n  ef\r\n    \r\ncdef");
    ASSERT_EQ(edit.DeleteColumnBlock(At(edit, 4, 6), At(edit, 1, 2), true), kOk);
    EXPECT_EQ(Lines(edit), "[abgh\r\n][gh\r\n][ab\r\n][abgh\r\n]");
    ASSERT_EQ(edit.Undo(), 1);
    EXPECT_EQ(edit.GetAllText(), "abcdefgh\r\n\tefgh\r\nab\r\nabcdefgh\r\n");
}

TEST(EditorColumnBlocks, InsertPadsShortLinesAndAppendsLines) {
    SECEdit edit;
    Fill(edit, "abcd\r\nx");
    edit.set_keep_tabs(0);
    ASSERT_EQ(edit.InsertColumnBlock(At(edit, 1, 2), "12\r\n34\r\n56", true), kOk);
    EXPECT_EQ(Lines(edit), "[ab12cd\r\n][x 34\r\n][  56]");
    EXPECT_TRUE(NumbersAreRight(edit));
    ASSERT_EQ(edit.Undo(), 1);
    EXPECT_EQ(Lines(edit), "[abcd\r\n][x]");
    ASSERT_EQ(edit.Redo(), 1);
    EXPECT_EQ(Lines(edit), "[ab12cd\r\n][x 34\r\n][  56]");
}

TEST(EditorBlocks, BlockTextIsGivenWithCrLf) {
    SECEdit edit;
    Fill(edit, "one\ntwo\nthree\n");
    EXPECT_EQ(edit.GetBlockText(At(edit, 3, 2), At(edit, 1, 1)), "ne\r\ntwo\r\nth");
    EXPECT_EQ(edit.GetBlockText(At(edit, 1, 1), At(edit, 1, 40)), "ne");
}

TEST(EditorLines, LookupAndNumbering) {
    SECEdit edit;
    Fill(edit, "a\r\nb\r\nc");
    EXPECT_EQ(edit.GetLineByNumber(99)->text, "c");
    int number = 0;
    EXPECT_EQ(edit.GetFirstLine(edit.GetLastLine(), &number), edit.GetLineByNumber(1));
    EXPECT_EQ(number, 3);
    EXPECT_TRUE(SECEdit::IsBefore(At(edit, 1, 5), At(edit, 2, 0)));
    EXPECT_FALSE(SECEdit::IsBefore(At(edit, 2, 1), At(edit, 2, 0)));
    edit.SetTabSize(0);
    EXPECT_EQ(edit.GetTabSize(), 1);
}

}  // namespace
}  // namespace editor
