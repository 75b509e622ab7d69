// Two views of one buffer: what one view does never leaves the other's caret or
// selection off its text.
#include <gtest/gtest.h>

#include "editor/tests/edit_core_fixture.h"

namespace editor {
namespace {

using testing::Lines;
using testing::OtherView;
using testing::Session;

std::string Numbered(int count) {
    std::string text;
    for (int i = 1; i <= count; ++i) text += "line " + std::to_string(i) + "\r\n";
    return text;
}

// A caret whose line another view deleted comes to the line that now has its number.
TEST(EditorViews, ACaretOnDeletedLinesKeepsItsLineNumber) {
    struct Case {
        const char* name;
        CaretPlace other_caret;
        CaretPlace from;   // where the first view's selection starts
        const char* keys;  // the selection, deleted
        CaretPlace expected;
        const char* text_there;
    };
    const Case cases[] = {
        {"inside the deleted lines", {5, 3}, {4, 0}, "Shift+Down Shift+Down Shift+Down Del", {5, 3}, "line 8"},
        {"past the new end", {9, 6}, {7, 6}, "Shift+Down Shift+Down Shift+Down Shift+End Del", {7, 6}, "line 7"},
        {"after the deleted lines", {9, 2}, {4, 0}, "Shift+Down Shift+Down Shift+Down Del", {6, 2}, "line 9"},
    };
    for (const Case& c : cases) {
        Session session(Numbered(10));
        OtherView other(session);
        other.core.GoToLineColumn(c.other_caret.line, c.other_caret.column);
        session.core.GoToLineColumn(c.from.line, c.from.column);
        session.Run(c.keys);
        EXPECT_EQ(other.core.caret(), c.expected) << c.name;
        EXPECT_EQ(session.edit.TextOf(session.edit.GetLineByNumber(other.core.caret().line)), c.text_there) << c.name;
    }
}

// Deleting the lines that hold a selection of the other view takes that selection
// with them: the other view's Delete then removes one character.
TEST(EditorViews, AnotherViewsDeletionTakesTheSelectionOnItsLines) {
    Session session(Numbered(8));
    OtherView other(session);
    other.core.GoToLineColumn(5, 3);
    other.Run("Shift+Up Shift+Up Shift+Left");
    ASSERT_TRUE(other.core.has_selection());
    session.core.GoToLine(2);
    session.Run("Shift+Down Shift+Down Shift+Down Shift+Down Shift+Down Del");
    EXPECT_FALSE(other.core.has_selection());
    const size_t before = session.edit.GetAllText().size();
    other.Run("Del");
    EXPECT_EQ(session.edit.GetAllText().size(), before - 1);
    EXPECT_TRUE(other.window.messages.empty());
}

// Columns are display columns: an edit in front of another view's caret or selection
// leaves them where they were on the screen, but never inside a character or past a
// stream selection's text.
TEST(EditorViews, PlacesStayOnCharactersWhenAnotherViewEditsTheirLine) {
    struct Case {
        const char* name;
        const char* text;
        const char* other_keys;  // from 1:0 in the other view
        const char* keys;        // from 1:0 in the first view
        const char* lines;
        CaretPlace caret;
        const char* selection;  // the other view's, "line:column-line:column"
    };
    const Case cases[] = {
        {"a tab typed in front of the caret", "abc\r\n", "Right Right", "Tab", "[\tabc\r\n]", {1, 0}, ""},
        {"a double-byte character typed in front",
         "abc\r\n",
         "Right",
         "'\xC4\xE3'",
         "[\xC4\xE3"
         "abc\r\n]",
         {1, 0},
         ""},
        {"the text under a selection deleted",
         "abcdef\r\n",
         "Right Shift+End",
         "End Back Back Back Back",
         "[ab\r\n]",
         {1, 2},
         "1:1-1:2"},
    };
    for (const Case& c : cases) {
        Session session(c.text);
        OtherView other(session);
        other.Run(c.other_keys);
        session.Run(c.keys);
        EXPECT_EQ(Lines(session.edit), c.lines) << c.name;
        EXPECT_EQ(other.core.caret(), c.caret) << c.name;
        std::string selection;
        if (other.core.has_selection())
            selection = std::to_string(other.core.selection_start().line) + ":" +
                        std::to_string(other.core.selection_start().column) + "-" +
                        std::to_string(other.core.selection_end().line) + ":" +
                        std::to_string(other.core.selection_end().column);
        EXPECT_EQ(selection, c.selection) << c.name;
        // Backspace there reads only the text before the caret.
        other.Run("Esc Back");
        EXPECT_TRUE(other.window.messages.empty()) << c.name;
    }
}

}  // namespace
}  // namespace editor
