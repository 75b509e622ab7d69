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

// Text arriving at a caret past the end of its line goes in where the caret shows,
// the line padded out to it, whether it is one line or several, pasted or dropped,
// from this view or from elsewhere.
TEST(EditorDrop, TextPastTheEndOfALinePadsOutToTheCaret) {
    struct Arrival {
        const char* name;
        const char* text;
        const char* keys;       // before the text arrives
        const char* clipboard;  // pasted, when not null
        CaretPlace drop;        // otherwise dropped here
        const char* from_view;  // dropped from this view's selection, else from elsewhere
        const char* lines;
    };
    const Arrival arrivals[] = {
        {"one line pasted after an auto-indent", "    x\r\n", "End Enter", "ab", {}, nullptr, "[    x\r\n][\tab\r\n]"},
        {"lines pasted after an auto-indent",
         "    x\r\n",
         "End Enter",
         "a\r\nb",
         {},
         nullptr,
         "[    x\r\n][\ta\r\n][b\r\n]"},
        {"a copy dropped within the view",
         "xy\r\nab\r\n",
         "Down Shift+End",
         nullptr,
         {1, 10},
         "within",
         "[xy\t\t  ab\r\n][ab\r\n]"},
        {"text dropped from another window", "xy\r\n", "", nullptr, {1, 10}, nullptr, "[xy\t\t  ab\r\n]"},
    };
    for (const Arrival& a : arrivals) {
        Session session(a.text);
        session.Run(a.keys);
        if (a.clipboard) {
            session.window.clipboard = a.clipboard;
            session.Run("Ctrl+V");
        } else if (a.from_view) {
            EXPECT_EQ(session.core.MoveSelection(a.drop, true, true), 0) << a.name;
        } else {
            EXPECT_EQ(session.core.DropText("ab", a.drop, nullptr, false, true), 0) << a.name;
        }
        EXPECT_EQ(Lines(session.edit), a.lines) << a.name;
    }
}

}  // namespace
}  // namespace editor
