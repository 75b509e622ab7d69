// A line longer than the limit is read as pieces with no line end between
// them. Joining two such pieces and undoing it must give back exactly the
// line ends there were: none after the first piece.
#include <gtest/gtest.h>

#include "editor/result_codes.h"
#include "editor/tests/edit_fixture.h"

namespace editor {
namespace {

using testing::At;
using testing::Fill;
using testing::NumbersAreRight;

// Digits in a repeating run, so that a piece out of place shows.
std::string Digits(std::size_t count) {
    std::string text;
    for (std::size_t i = 0; i < count; ++i) text += static_cast<char>('0' + i % 10);
    return text;
}

TEST(EditorCutLineUndo, JoinOfTwoPiecesUndoesWithoutALineEnd) {
    const std::string long_line = Digits(kMaxLineColumns + 1000);
    const std::string original = long_line + "\r\nnext\r\n";
    SECEdit edit;
    Fill(edit, original);
    ASSERT_EQ(edit.GetLineCount(), 3);
    ASSERT_FALSE(edit.HasLineEnd(edit.GetLineByNumber(1)));  // cut: the first piece has no line end
    const std::size_t first_piece = edit.TextOf(edit.GetLineByNumber(1)).size();

    // Shorten the first piece so that the two fit on one line, then join them.
    ASSERT_EQ(edit.DeleteChars(At(edit, 1, 0), 2000, true), kOk);
    const std::string shortened = edit.GetAllText();
    const int end_of_first = static_cast<int>(edit.TextOf(edit.GetLineByNumber(1)).size());
    ASSERT_EQ(edit.JoinLines(At(edit, 1, end_of_first), true), kOk);
    ASSERT_EQ(edit.GetLineCount(), 2);
    EXPECT_EQ(edit.GetAllText(), shortened);  // the pieces had no line end between them

    ASSERT_EQ(edit.Undo(), 1);
    EXPECT_EQ(edit.GetAllText(), shortened);
    ASSERT_EQ(edit.GetLineCount(), 3);
    EXPECT_FALSE(edit.HasLineEnd(edit.GetLineByNumber(1)));
    EXPECT_TRUE(edit.HasLineEnd(edit.GetLineByNumber(2)));
    EXPECT_EQ(edit.TextOf(edit.GetLineByNumber(1)).size(), first_piece - 2000);
    EXPECT_TRUE(NumbersAreRight(edit));

    ASSERT_EQ(edit.Undo(), 1);
    EXPECT_EQ(edit.GetAllText(), original);
    EXPECT_EQ(edit.GetModified(), 0);

    // And forwards again: the join once more leaves no line end behind.
    ASSERT_EQ(edit.Redo(), 1);
    ASSERT_EQ(edit.Redo(), 1);
    EXPECT_EQ(edit.GetLineCount(), 2);
    EXPECT_EQ(edit.GetAllText(), shortened);
}

TEST(EditorCutLineUndo, JoinOfAnEndedLineStillUndoesWithItsLineEnd) {
    SECEdit edit;
    Fill(edit, "ab\r\ncd\r\n");
    ASSERT_EQ(edit.JoinLines(At(edit, 1, 2), true), kOk);
    EXPECT_EQ(edit.GetAllText(), "abcd\r\n");
    ASSERT_EQ(edit.Undo(), 1);
    EXPECT_EQ(edit.GetAllText(), "ab\r\ncd\r\n");
    EXPECT_TRUE(edit.HasLineEnd(edit.GetLineByNumber(1)));
}

}  // namespace
}  // namespace editor
