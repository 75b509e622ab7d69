// Dragging text with the mouse: within a view, between two views of one buffer, and
// between two windows with buffers of their own (a view and an editor control). A move
// is one undo step on each side, Ctrl copies, a column block arrives as a block, and
// the drag ends cleanly whatever stops it.
#include <gtest/gtest.h>

#include "editor/window/sec_edit_ctrl.h"
#include "editor/window/tests/edit_window_fixture.h"

namespace editor::testing {
namespace {

std::string Text(SECEdit& buffer) {
    std::string text;
    for (int i = 1; i <= buffer.GetLineCount(); ++i) {
        if (i > 1) text += '|';
        text += buffer.TextOf(buffer.GetLineByNumber(i));
    }
    return text;
}

class DragDropTest : public EditWindowTest {
protected:
    // Presses on `from` at `press`, moves to `release` in `to` and lets go there
    // (with Ctrl held when asked); the drag's loop runs on the script.
    void Drag(CWnd* from, CPoint press, CWnd* to, CPoint release, bool ctrl = false) {
        display.then([=, this] {
            display.move(to->m_hWnd, release);
            if (ctrl) kit::user::inject_key(VK_CONTROL, true);
            display.button(to->m_hWnd, release, false);
            if (ctrl) kit::user::inject_key(VK_CONTROL, false);
        });
        display.button(from->m_hWnd, press, true);
        pump();
        EXPECT_EQ(display.steps_left(), 0u);
        EXPECT_EQ(::GetCapture(), nullptr);
    }
    // Selects `length` columns from (line, column) with the keyboard.
    static void Select(SECEditCore& core, int line, int column, int length) {
        core.GoToLineColumn(line, column);
        for (int i = 0; i < length; ++i) core.OnCommand(kCmdSelectRight);
    }
};

TEST_F(DragDropTest, WithinAViewAMoveIsOneUndoStepAndCtrlCopies) {
    edit->LoadText("alpha beta\r\ngamma\r\n");
    SECEditView* view = MakeView(*edit);
    Select(*view, 1, 0, 5);
    Drag(view, Cell(*view, 2, 0), view, Cell(*view, 5, 1));
    EXPECT_EQ(Text(*edit), " beta|gammaalpha");
    EXPECT_FALSE(view->has_selection());
    view->OnCommand(kCmdUndo);
    EXPECT_EQ(Text(*edit), "alpha beta|gamma");

    Select(*view, 1, 6, 4);
    Drag(view, Cell(*view, 7, 0), view, Cell(*view, 0, 1), true);
    EXPECT_EQ(Text(*edit), "alpha beta|betagamma");
    view->OnCommand(kCmdUndo);
    EXPECT_EQ(Text(*edit), "alpha beta|gamma");
}

TEST_F(DragDropTest, APressOnTheSelectionWithoutMovingIsAClickAndADropOntoItChangesNothing) {
    edit->LoadText("alpha beta\r\n");
    SECEditView* view = MakeView(*edit);
    Select(*view, 1, 0, 5);
    display.button(view->m_hWnd, Cell(*view, 2, 0), true);
    display.then([&] { display.button(view->m_hWnd, Cell(*view, 2, 0), false); });
    pump();
    EXPECT_FALSE(view->has_selection());
    EXPECT_EQ(view->caret(), (CaretPlace{1, 2}));

    Select(*view, 1, 0, 5);
    Drag(view, Cell(*view, 1, 0), view, Cell(*view, 3, 0));
    EXPECT_EQ(Text(*edit), "alpha beta");
    EXPECT_EQ(edit->GetUndoLog().position(), 0);
}

TEST_F(DragDropTest, BetweenTwoViewsOfOneBufferAMoveIsOneUndoStep) {
    edit->LoadText("one two\r\nthree\r\nfour\r\n");
    struct PlainDocument : CDocument {
    } document;
    document.m_bAutoDelete = FALSE;
    SECEditView* first = MakeView(*edit, CRect(0, 0, 400, 100));
    SECEditView* second = MakeView(*edit, CRect(0, 100, 400, 200));
    document.AddView(first);
    document.AddView(second);
    // "one " moves from the first view to the end of "four" in the second.
    Select(*first, 1, 0, 4);
    Drag(first, Cell(*first, 1, 0), second, Cell(*second, 4, 2));
    EXPECT_EQ(Text(*edit), "two|three|fourone ");
    EXPECT_FALSE(first->has_selection());
    EXPECT_EQ(second->caret(), (CaretPlace{3, 8}));
    second->OnCommand(kCmdUndo);
    EXPECT_EQ(Text(*edit), "one two|three|four");
    document.RemoveView(first);
    document.RemoveView(second);
}

class TwoWindowsTest : public DragDropTest {
protected:
    void SetUp() override {
        DragDropTest::SetUp();
        edit->LoadText("int count = 0;\r\nwhile (1) { count++; }\r\nreturn count;\r\n");
        view = MakeView(*edit, CRect(0, 0, 200, 200));
        control = std::make_unique<SECEditCtrl>();
        ASSERT_TRUE(control->Create(nullptr, "SECEdit", WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(210, 0, 400, 200),
                                    &parent, 100));
        other = control->GetBuffer();
        other->LoadText("first\r\nsecond\r\n");
        control->InitView();
        view->SetFocus();
        pump();
    }
    void TearDown() override {
        control->DestroyWindow();
        DragDropTest::TearDown();
    }
    CPoint ControlCell(int column, int row) const {
        const EditCells& cells = control->cells();
        return CPoint(cells.gutter_width + column * cells.char_width + 1, row * cells.line_height + 2);
    }

    SECEditView* view = nullptr;
    std::unique_ptr<SECEditCtrl> control;
    SECEdit* other = nullptr;
};

TEST_F(TwoWindowsTest, AMoveIsOneUndoStepOnEachSide) {
    // "count++; " from the view to the start of "second" in the control.
    Select(*view, 2, 12, 9);
    Drag(view, Cell(*view, 14, 1), control.get(), ControlCell(0, 1));
    EXPECT_EQ(Text(*edit), "int count = 0;|while (1) { }|return count;");
    EXPECT_EQ(Text(*other), "first|count++; second");
    EXPECT_EQ(control->caret(), (CaretPlace{2, 9}));
    Shoot("editor_drag_between_windows");

    control->OnCommand(kCmdUndo);
    EXPECT_EQ(Text(*other), "first|second");
    EXPECT_EQ(Text(*edit), "int count = 0;|while (1) { }|return count;");
    view->OnCommand(kCmdUndo);
    EXPECT_EQ(Text(*edit), "int count = 0;|while (1) { count++; }|return count;");
}

TEST_F(TwoWindowsTest, ACopiedColumnBlockArrivesAsABlock) {
    view->GoToLineColumn(1, 0);
    view->BeginSelection(kColumnSelection);
    view->GoToLineColumn(2, 0);
    for (int i = 0; i < 3; ++i) view->OnCommand(kCmdSelectRight);
    Drag(view, Cell(*view, 1, 0), control.get(), ControlCell(1, 0), true);
    EXPECT_EQ(Text(*other), "fintirst|swhiecond");
    EXPECT_EQ(Text(*edit), "int count = 0;|while (1) { count++; }|return count;");  // copied, not moved
    control->OnCommand(kCmdUndo);
    EXPECT_EQ(Text(*other), "first|second");
}

TEST_F(TwoWindowsTest, AReadOnlyBufferRefusesTheDropAndEscapeEndsTheDrag) {
    other->SetReadOnly(1);
    Select(*view, 3, 0, 6);
    display.then([&] { display.move(control->m_hWnd, ControlCell(2, 1)); });
    display.then([&] {
        EXPECT_NE(kit::user::caret_state().hwnd, control->m_hWnd);  // no drop caret there
        display.button(control->m_hWnd, ControlCell(2, 1), false);
    });
    display.button(view->m_hWnd, Cell(*view, 2, 2), true);
    pump();
    EXPECT_EQ(Text(*other), "first|second");
    EXPECT_EQ(Text(*edit), "int count = 0;|while (1) { count++; }|return count;");
    other->SetReadOnly(0);

    Select(*view, 3, 0, 6);
    display.then([&] { display.move(control->m_hWnd, ControlCell(0, 0)); });
    display.then([&] {
        display.press(VK_ESCAPE);
        display.button(control->m_hWnd, ControlCell(0, 0), false);
    });
    display.button(view->m_hWnd, Cell(*view, 2, 2), true);
    pump();
    EXPECT_EQ(Text(*other), "first|second");
    EXPECT_EQ(Text(*edit), "int count = 0;|while (1) { count++; }|return count;");
    EXPECT_EQ(::GetCapture(), nullptr);
    EXPECT_EQ(kit::user::caret_state().hwnd, view->m_hWnd);  // the view has its caret back
}

TEST_F(TwoWindowsTest, HeldAtTheControlsEdgeTheTextScrollsOnTheClock) {
    std::string lines;
    for (int i = 1; i <= 100; ++i) lines += "row " + std::to_string(i) + "\r\n";
    other->LoadText(lines);
    control->InitView();
    CRect client;
    control->GetClientRect(&client);
    const CPoint edge(ControlCell(2, 0).x, client.bottom - 3);
    Select(*view, 1, 0, 3);
    display.then([&] { display.move(control->m_hWnd, edge); });
    display.then([&] {
        EXPECT_EQ(control->top_line(), 1);  // not before the delay
        display.advance(COleDropTarget::kScrollDelay);
    });
    display.then([&] {
        EXPECT_EQ(control->top_line(), 2);
        display.advance(COleDropTarget::kScrollInterval);
    });
    display.then([&] {
        EXPECT_EQ(control->top_line(), 3);
        // Back inside, the text goes where the mouse is let go.
        display.move(control->m_hWnd, ControlCell(0, 5));
    });
    display.then([&] {
        EXPECT_EQ(kit::user::caret_state().hwnd, control->m_hWnd);  // the drop caret is back
        display.button(control->m_hWnd, ControlCell(0, 5), false);
    });
    display.button(view->m_hWnd, Cell(*view, 1, 0), true);
    pump();
    EXPECT_EQ(display.steps_left(), 0u);
    EXPECT_EQ(other->TextOf(other->GetLineByNumber(8)), "introw 8");
}

TEST_F(TwoWindowsTest, ASourceWindowClosedDuringTheDragEndsItWithNothingMoved) {
    // The view deletes itself with its window; the drag must not touch it afterwards.
    Select(*view, 1, 0, 3);
    display.then([&] { display.move(control->m_hWnd, ControlCell(0, 0)); });
    display.then([&] { view->DestroyWindow(); });  // its capture goes with it, which ends the drag
    display.button(view->m_hWnd, Cell(*view, 1, 0), true);
    pump();
    view = nullptr;
    EXPECT_EQ(display.steps_left(), 0u);
    EXPECT_EQ(::GetCapture(), nullptr);
    EXPECT_EQ(Text(*other), "first|second");
    EXPECT_EQ(Text(*edit), "int count = 0;|while (1) { count++; }|return count;");
}

}  // namespace
}  // namespace editor::testing
