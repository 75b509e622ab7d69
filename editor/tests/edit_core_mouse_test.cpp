// The mouse against the selection: where a press lands on it (and so starts a drag), and
// which selections a release leaves as none.
#include <gtest/gtest.h>

#include "editor/tests/edit_core_fixture.h"

namespace editor {
namespace {

using testing::Session;

// The middle of a character cell of the fixture's window (8 x 16 cells after a
// 16-pixel gutter).
constexpr int X(int column) { return 16 + column * 8 + 3; }
constexpr int Y(int row) { return row * 16 + 5; }

TEST(EditorMouse, OnlyAPointOnSelectedTextIsInTheSelection) {
    Session session("ab\r\ncd");
    session.Run("Ctrl+A");  // 1:0-2:2
    struct Point {
        const char* name;
        int x, y;
        bool inside;
    };
    const Point points[] = {
        {"on the last line's selected text", X(0), Y(1), true},
        {"below the text, under the selected columns", X(0), Y(2), false},
        {"past the last whole row", X(0), 10 * 16 + 3, false},
        {"past the end of a line's text", X(5), Y(0), false},
    };
    for (const Point& p : points) EXPECT_EQ(session.core.IsPointInSelection(p.x, p.y), p.inside) << p.name;
}

TEST(EditorMouse, AReleaseLeavesNoSelectionThatHoldsNothing) {
    struct Drag {
        const char* name;
        int mode;
        int from_column, to_column, to_row;  // from row 0
        bool kept;
    };
    const Drag drags[] = {
        {"a column block along an empty line", kColumnSelection, 2, 8, 0, false},
        {"a column block past a line's text", kColumnSelection, 5, 9, 1, false},
        {"a column block on the text", kColumnSelection, 1, 3, 1, true},
        {"a column block over two lines", kColumnSelection, 2, 8, 2, true},
        {"no columns at all", kStreamSelection, 1, 1, 1, false},
        {"a stream selection on the text", kStreamSelection, 1, 3, 1, true},
    };
    for (const Drag& d : drags) {
        Session session("\r\nabcd\r\n\r\n");
        session.core.CaretFromPoint(X(d.from_column), Y(d.to_row == 0 ? 0 : 1));
        session.core.BeginSelection(d.mode);
        session.core.CaretFromPoint(X(d.to_column), Y(d.to_row));
        session.core.UpdateSelection();
        session.core.ClearEmptySelection();
        EXPECT_EQ(session.core.has_selection(), d.kept) << d.name;
    }
}

}  // namespace
}  // namespace editor
