// Text moved, dropped and pasted through the editor core: column blocks dragged either
// way, and text arriving at a caret past the end of its line.
#include <gtest/gtest.h>

#include "editor/tests/edit_core_fixture.h"

namespace editor {
namespace {

using testing::Lines;
using testing::Session;

std::string Digits(int rows) {
    std::string text;
    for (int row = 0; row < rows; ++row) text += "0123456789\r\n";
    return text;
}

// A column block moves the same whichever corner the mouse started from.
TEST(EditorDrop, AColumnBlockMovesTheSameWhicheverWayItWasSelected) {
    struct Move {
        const char* name;
        CaretPlace from;     // where the selection starts
        const char* select;  // keys that stretch it to the other corner
        CaretPlace target;
        const char* lines;
    };
    const char* left_of_block = "[01236789\r\n][0451236789\r\n][0451236789\r\n][045123456789\r\n][0123456789\r\n]";
    const Move moves[] = {
        {"top-down", {1, 4}, "Shift+Down Shift+Down Shift+Right Shift+Right", {2, 1}, left_of_block},
        {"bottom-up", {3, 6}, "Shift+Up Shift+Up Shift+Left Shift+Left", {2, 1}, left_of_block},
        {"bottom-left to top-right", {3, 4}, "Shift+Up Shift+Up Shift+Right Shift+Right", {2, 1}, left_of_block},
        // Dropped right of the block on a row above it: every row takes the text where
        // the drop caret showed it, the block's own rows included.
        {"right of it from above",
         {3, 6},
         "Shift+Up Shift+Left Shift+Left",
         {1, 8},
         "[012345674589\r\n][0123674589\r\n][01236789\r\n][0123456789\r\n][0123456789\r\n]"},
    };
    for (const Move& m : moves) {
        Session session(Digits(5));
        session.core.set_selection_mode(kColumnSelection);
        session.core.GoToLineColumn(m.from.line, m.from.column);
        session.Run(m.select);
        EXPECT_EQ(session.core.MoveSelection(m.target, false, true), 0) << m.name;
        EXPECT_EQ(Lines(session.edit), m.lines) << m.name;
        session.core.OnCommand(kCmdUndo);
        EXPECT_EQ(session.edit.GetAllText(), Digits(5)) << m.name << " (undone)";
    }
}

}  // namespace
}  // namespace editor
