// The editor view on the headless display: painting (PNG goldens), typed keys, mouse
// selection with auto-scroll on the virtual clock, the gutter, the wheel, the context
// menu, and two views of one buffer kept in step.
#include <gtest/gtest.h>

#include <functional>

#include "editor/window/tests/edit_window_fixture.h"

namespace editor::testing {
namespace {

const char kSource[] =
    "/* counter */\r\n"
    "int count = 0;\r\n"
    "\tif (count > 10)\r\n"
    "\t\treturn \"done\";\r\n"
    "while (1) { count++; } // spin\r\n"
    "last line\r\n";

std::string LineText(SECEdit& buffer, int number) { return std::string(buffer.TextOf(buffer.GetLineByNumber(number))); }

std::string ManyLines(int count) {
    std::string text;
    for (int i = 1; i <= count; ++i) text += "line " + std::to_string(i) + "\r\n";
    return text;
}

TEST_F(EditWindowTest, PaintsGutterMarksColoursAndAStreamSelection) {
    edit->LoadText(kSource);
    edit->GetLineByNumber(2)->flags |= kLineBookmark;
    edit->GetLineByNumber(3)->flags |= kLineBreakpoint;
    edit->GetLineByNumber(4)->flags |= kLineExecutionPoint | kLineBreakpoint;
    edit->GetLineByNumber(5)->flags |= kLineNavigationMark;
    SECEditView* view = MakeView(*edit);
    view->GoToLineColumn(2, 4);
    view->OnCommand(kCmdSelectDown);
    view->OnCommand(kCmdSelectRight);
    pump();
    EXPECT_EQ(view->selection_start(), (CaretPlace{2, 4}));
    Shoot("editor_marks_selection");
}

TEST_F(EditWindowTest, PaintsAColumnBlockAsARectanglePastShortLines) {
    edit->LoadText(kSource);
    SECEditView* view = MakeView(*edit);
    view->GoToLineColumn(1, 3);
    view->BeginSelection(kColumnSelection);
    view->GoToLineColumn(6, 0);
    for (int i = 0; i < 14; ++i) view->OnCommand(kCmdSelectRight);
    pump();
    ASSERT_EQ(view->selection_mode(), kColumnSelection);
    Shoot("editor_column_block");
}

TEST_F(EditWindowTest, TypedKeysGoIntoTheBufferAndUndoAsOneStepPerEdit) {
    edit->LoadText("abc\r\n");
    SECEditView* view = MakeView(*edit);
    display.type("int x;");
    display.press(VK_RETURN);
    display.type("y");
    pump();
    EXPECT_EQ(LineText(*edit, 1), "int x;");
    EXPECT_EQ(LineText(*edit, 2), "yabc");
    EXPECT_EQ(view->caret(), (CaretPlace{2, 1}));
    display.chord(VK_CONTROL, 'Z');
    pump();
    EXPECT_EQ(LineText(*edit, 2), "abc");
    display.chord(VK_CONTROL, 'Y');  // Redo as the Edit menu shows it
    pump();
    EXPECT_EQ(LineText(*edit, 2), "yabc");
    // Tab is the editor's: it goes into the text.
    display.press(VK_HOME);
    display.press(VK_TAB);
    pump();
    EXPECT_EQ(LineText(*edit, 2), "\tyabc");
}

TEST_F(EditWindowTest, TypingRepaintsOnlyTheCaretRow) {
    edit->LoadText(ManyLines(20));
    SECEditView* view = MakeView(*edit);
    view->GoToLineColumn(3, 2);
    pump();
    ASSERT_FALSE(::GetUpdateRect(view->m_hWnd, nullptr, FALSE));
    view->SendMessage(WM_CHAR, 'x');
    CRect dirty;
    ASSERT_TRUE(::GetUpdateRect(view->m_hWnd, &dirty, FALSE));
    const int lh = view->cells().line_height;
    EXPECT_EQ(dirty.top, 2 * lh);
    EXPECT_EQ(dirty.bottom, 3 * lh);
}

TEST_F(EditWindowTest, AClickWithoutMovingLeavesNoSelectionAndAGutterClickSelectsTheLine) {
    edit->LoadText(kSource);
    SECEditView* view = MakeView(*edit);
    display.click(view->m_hWnd, Cell(*view, 3, 1));
    pump();
    EXPECT_FALSE(view->has_selection());
    EXPECT_EQ(view->caret(), (CaretPlace{2, 3}));

    display.click(view->m_hWnd, CPoint(1, view->cells().line_height * 2 + 2));
    pump();
    ASSERT_TRUE(view->has_selection());
    EXPECT_EQ(view->selection_start(), (CaretPlace{3, 0}));
    EXPECT_EQ(view->selection_end(), (CaretPlace{4, 0}));
    EXPECT_EQ(view->GetSelectionText(), "\tif (count > 10)\r\n");
}

TEST_F(EditWindowTest, DraggingSelectsAndDoubleClickSelectsAWord) {
    edit->LoadText(kSource);
    SECEditView* view = MakeView(*edit);
    display.button(view->m_hWnd, Cell(*view, 0, 1), true);
    display.move(view->m_hWnd, Cell(*view, 3, 1));
    display.button(view->m_hWnd, Cell(*view, 3, 1), false);
    pump();
    EXPECT_EQ(view->GetSelectionText(), "int");
    EXPECT_FALSE(view->IsDragSelecting());
    EXPECT_EQ(::GetCapture(), nullptr);

    view->SendMessage(WM_LBUTTONDBLCLK, 0, MAKELPARAM(Cell(*view, 6, 1).x, Cell(*view, 6, 1).y));
    EXPECT_EQ(view->GetSelectionText(), "count");
}

TEST_F(EditWindowTest, HoldingTheButtonBelowTheWindowScrollsALinePerTick) {
    edit->LoadText(ManyLines(100));
    SECEditView* view = MakeView(*edit);
    const int rows = view->rows();
    display.button(view->m_hWnd, Cell(*view, 0, 0), true);
    display.move(view->m_hWnd, CPoint(30, 400));  // below the window, then still
    pump();
    const int after_move = view->caret().line;
    EXPECT_EQ(after_move, 2);
    // The first tick only starts the clock; each later one moves a line.
    for (int tick = 0; tick < 21; ++tick) {
        display.advance(kAutoScrollInterval);
        pump();
    }
    EXPECT_EQ(view->caret().line, after_move + 20);
    EXPECT_EQ(view->top_line(), view->caret().line - rows + 1);
    display.button(view->m_hWnd, CPoint(30, 400), false);
    pump();
    EXPECT_EQ(view->selection_start(), (CaretPlace{1, 0}));
    EXPECT_EQ(view->selection_end(), (CaretPlace{after_move + 20, 0}));
    // After the release the clock moves nothing.
    display.advance(1000);
    pump();
    EXPECT_EQ(view->caret().line, after_move + 20);
}

TEST_F(EditWindowTest, EscapeOrALostCaptureEndsADragSelection) {
    edit->LoadText(ManyLines(100));
    SECEditView* view = MakeView(*edit);
    display.button(view->m_hWnd, Cell(*view, 0, 0), true);
    display.move(view->m_hWnd, CPoint(30, 400));
    pump();
    ASSERT_TRUE(view->IsDragSelecting());
    display.press(VK_ESCAPE);
    pump();
    EXPECT_FALSE(view->IsDragSelecting());
    EXPECT_EQ(::GetCapture(), nullptr);
    const int line = view->caret().line;
    display.advance(1000);
    pump();
    EXPECT_EQ(view->caret().line, line);
    display.button(view->m_hWnd, CPoint(30, 400), false);
    pump();

    display.button(view->m_hWnd, Cell(*view, 0, 0), true);
    pump();
    ASSERT_TRUE(view->IsDragSelecting());
    parent.SetCapture();
    EXPECT_FALSE(view->IsDragSelecting());
    ::ReleaseCapture();
}

// Colouring that the rows coming into view take from lines above them: block comments
// opening above the window's edge and closing below it, strings and keywords.
std::string ColouredLines(int count) {
    std::string text;
    for (int i = 1; i <= count; ++i) {
        switch (i % 7) {
            case 0: text += "/* comment " + std::to_string(i) + " opens"; break;
            case 3: text += "   and closes */ int x" + std::to_string(i) + " = \"s\";"; break;
            default: text += "\twhile (n < " + std::to_string(i) + ") return; // end"; break;
        }
        text += "\r\n";
    }
    return text;
}

// Every kind of scroll, painted as the message loop would after it (or after several,
// as when keys repeat faster than the window paints), must show what a full repaint
// shows: the moved pixels and the rows painted into the gap colour the same.
TEST_F(EditWindowTest, EveryKindOfScrollPaintsAsAFullRepaint) {
    edit->LoadText(ColouredLines(300));
    SECEditView* view = MakeView(*edit);
    view->SetTopLine(41 - view->rows(), true);
    view->GoToLine(40);  // on the last full row: Down now scrolls
    pump();
    const auto key = [&](UINT vk) { view->SendMessage(WM_KEYDOWN, vk); };
    const auto bar = [&](UINT code) { view->SendMessage(WM_VSCROLL, code); };
    const auto wheel = [&](int notches) {
        view->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(-notches * WHEEL_DELTA)), 0);
    };
    struct Step {
        const char* what;
        std::function<void()> scroll;
        int times;  // before the window paints
    };
    const Step steps[] = {
        {"Down on the last row", [&] { key(VK_DOWN); }, 1},
        {"Down repeated before a paint", [&] { key(VK_DOWN); }, 5},
        {"Up to the top row and on", [&] { key(VK_UP); }, 3 + view->rows()},
        {"Up repeated before a paint", [&] { key(VK_UP); }, 4},
        {"the bar's arrow down", [&] { bar(SB_LINEDOWN); }, 1},
        {"the bar's arrows, down and up, before a paint", [&] { bar(SB_LINEDOWN), bar(SB_LINEDOWN), bar(SB_LINEUP); },
         2},
        {"the wheel down", [&] { wheel(1); }, 1},
        {"the wheel up, twice before a paint", [&] { wheel(-1); }, 2},
        {"Page Down", [&] { key(VK_NEXT); }, 1},
        {"Page Down twice before a paint", [&] { key(VK_NEXT); }, 2},
        {"Page Up", [&] { key(VK_PRIOR); }, 1},
        {"the bar's page down", [&] { bar(SB_PAGEDOWN); }, 1},
        {"the bar's page up", [&] { bar(SB_PAGEUP); }, 1},
        {"a typed row waiting, then Down scrolling",
         [&] {
             view->GoToLine(view->top_line() + view->rows() - 1);
             pump();
             view->SendMessage(WM_CHAR, '"');  // opens a string: the row is waiting to be painted
             key(VK_DOWN);
             key(VK_DOWN);
         },
         1},
        {"the end of the file", [&] { view->OnCommand(kCmdBottomOfFile); }, 1},
        {"Up from the end", [&] { key(VK_UP); }, view->rows() + 2},
        {"the start of the file", [&] { view->OnCommand(kCmdTopOfFile); }, 1},
    };
    for (const Step& step : steps) {
        for (int i = 0; i < step.times; ++i) step.scroll();
        gdi::Surface picture;
        EXPECT_TRUE(testing_kit::painted_picture(parent.m_hWnd, &picture)) << "after " << step.what;
    }
}

// A row painted again clears what it showed before, as far as that reached: a longer
// line, a block past short lines, text scrolled sideways. What the window cannot know
// of (a sibling drawn over it, a new background or font) makes it clear whole rows.
// Each picture, painted as the window invalidated it, must equal a full repaint.
TEST_F(EditWindowTest, RowsPaintedAgainClearWhatTheyShowedBefore) {
    profile.WriteProfileInt("C", "Background", RGB(255, 255, 192));  // not the parent's white
    edit->LoadSettings();
    std::string text;
    for (int i = 1; i <= 200; ++i) text += std::string(i % 3 == 0 ? 60 : i % 3 == 1 ? 1 : 0, 'w') + "\r\n";
    edit->LoadText(text);
    SECEditView* view = MakeView(*edit);
    CWnd cover;  // a black sibling over the right of the view
    ASSERT_TRUE(cover.Create(AfxRegisterWndClass(0, nullptr, HBRUSH(::GetStockObject(BLACK_BRUSH))), "", WS_CHILD,
                             CRect(200, 20, 350, 120), &parent, 2));
    const auto key = [&](UINT vk) { view->SendMessage(WM_KEYDOWN, vk); };
    const auto block = [&] {
        view->GoToLineColumn(view->top_line() + 1, 2);
        view->BeginSelection(kColumnSelection);
        view->GoToLineColumn(view->top_line() + 6, 2);
        for (int i = 0; i < 30; ++i) view->OnCommand(kCmdSelectRight);
    };
    struct Step {
        const char* what;
        std::function<void()> change;
    };
    const Step steps[] = {
        {"Page Down, each row over a line of another length", [&] { key(VK_NEXT); }},
        {"Down scrolling, rows moved over other lines",
         [&] {
             view->GoToLine(view->top_line() + view->rows() - 1);
             key(VK_DOWN);
         }},
        {"a column block past short lines", block},
        {"the block gone", [&] { key(VK_LEFT); }},
        {"a block, then Page Up", [&] { block(), key(VK_PRIOR); }},
        {"the text scrolled sideways", [&] { view->SendMessage(WM_HSCROLL, SB_PAGERIGHT); }},
        {"and back", [&] { view->SendMessage(WM_HSCROLL, SB_PAGELEFT); }},
        {"a window over the view gone",
         [&] {
             cover.ShowWindow(SW_SHOWNA);
             cover.UpdateWindow();
             cover.ShowWindow(SW_HIDE);
             key(VK_NEXT);
         }},
        {"a new background",
         [&] {
             profile.WriteProfileInt("C", "Background", RGB(192, 255, 255));
             edit->LoadSettings();
             view->Invalidate(FALSE);
         }},
        {"a larger font",
         [&] {
             profile.WriteProfileInt("C", "Font size", 14);
             edit->LoadSettings();
             view->ApplyFont();
             view->Invalidate(FALSE);
         }},
    };
    for (const Step& step : steps) {
        step.change();
        gdi::Surface picture;
        EXPECT_TRUE(testing_kit::painted_picture(parent.m_hWnd, &picture)) << "after " << step.what;
    }
}

TEST_F(EditWindowTest, TheWheelScrollsThreeLinesANotchAndTheBarsFollow) {
    edit->LoadText(ManyLines(100));
    SECEditView* view = MakeView(*edit);
    view->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(-WHEEL_DELTA)), 0);
    EXPECT_EQ(view->top_line(), 4);
    view->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(-60)), 0);
    EXPECT_EQ(view->top_line(), 4);  // half a notch waits for the other half
    view->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(-60)), 0);
    EXPECT_EQ(view->top_line(), 7);
    EXPECT_EQ(::GetScrollPos(view->m_hWnd, SB_VERT), 6);
    view->SendMessage(WM_VSCROLL, SB_PAGEDOWN);
    EXPECT_EQ(view->top_line(), 7 + view->rows());
    view->SendMessage(WM_HSCROLL, SB_PAGERIGHT);
    EXPECT_EQ(view->left_column(), 32);
    EXPECT_EQ(::GetScrollPos(view->m_hWnd, SB_HORZ), 32);
}

TEST_F(EditWindowTest, TheContextMenuShowsWhatCanRunNow) {
    edit->LoadText(kSource);
    SECEditView* view = MakeView(*edit);
    const auto states = [&] {
        CMenu menu;
        menu.CreatePopupMenu();
        view->BuildContextMenu(&menu);
        std::string out;
        for (UINT id : {UINT(kCmdAddToWatch), UINT(kCmdUndo), UINT(kCmdRedo), UINT(kCmdCut), UINT(kCmdCopy),
                        UINT(kCmdPaste), UINT(kCmdBookmarkToggle)})
            out += menu.GetMenuState(id, MF_BYCOMMAND) & MF_GRAYED ? '-' : '+';
        return out;
    };
    ::OpenClipboard(nullptr);
    ::EmptyClipboard();
    ::CloseClipboard();
    EXPECT_EQ(states(), "------+");
    view->SendMessage(WM_CHAR, 'x');
    view->OnCommand(kCmdSelectLeft);
    EXPECT_EQ(states(), "++-++-+");
    view->OnCommand(kCmdCopy);
    view->OnCommand(kCmdUndo);
    EXPECT_EQ(states(), "--+--++");
    edit->SetReadOnly(1);
    view->OnCommand(kCmdSelectAll);
    EXPECT_EQ(states(), "--+-+-+");
    // Text placed only as CF_OEMTEXT: the Edit menu offers Paste, this menu does not.
    edit->SetReadOnly(0);
    ::OpenClipboard(nullptr);
    ::EmptyClipboard();
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, 2);
    static_cast<char*>(::GlobalLock(block))[0] = 'x';
    ::GlobalUnlock(block);
    ::SetClipboardData(CF_OEMTEXT, block);
    ::CloseClipboard();
    EXPECT_TRUE(view->IsCommandEnabled(kCmdPaste));
    EXPECT_EQ(states(), "+-+++-+");
}

// A document holding nothing: two views of one buffer under it.
class PlainDocument : public CDocument {};

TEST_F(EditWindowTest, TwoViewsOfOneBufferStayInStep) {
    edit->LoadText(ManyLines(40));
    PlainDocument document;
    document.m_bAutoDelete = FALSE;
    SECEditView* first = MakeView(*edit, CRect(0, 0, 400, 100));
    SECEditView* second = MakeView(*edit, CRect(0, 100, 400, 200));
    document.AddView(first);
    document.AddView(second);
    second->GoToLineColumn(20, 0);
    second->SetTopLine(18, true);
    pump();
    first->SetFocus();
    first->GoToLineColumn(2, 0);
    // Three lines typed in the first view: the second keeps showing the same text.
    for (int i = 0; i < 3; ++i) first->SendMessage(WM_CHAR, '\r');
    EXPECT_EQ(second->caret(), (CaretPlace{23, 0}));
    EXPECT_EQ(second->top_line(), 21);
    EXPECT_TRUE(::GetUpdateRect(second->m_hWnd, nullptr, FALSE));
    // Lines deleted around the other view's caret: it moves to a line that still exists.
    first->GoToLineColumn(1, 0);
    first->OnCommand(kCmdSelectBottomOfFile);
    first->OnCommand(kCmdDelete);
    EXPECT_EQ(edit->GetLineCount(), 1);
    EXPECT_EQ(second->caret().line, 1);
    pump();
    document.RemoveView(first);
    document.RemoveView(second);
}

// Only the view with the focus shows its selection: the other view of the buffer, or a
// view whose focus went elsewhere, shows none.
TEST_F(EditWindowTest, AViewThatLosesTheFocusHidesItsSelection) {
    edit->LoadText("a    b\r\n");
    SECEditView* first = MakeView(*edit, CRect(0, 0, 400, 100));
    SECEditView* second = MakeView(*edit, CRect(0, 100, 400, 200));
    first->SetFocus();
    first->GoToLineColumn(1, 1);
    for (int i = 0; i < 3; ++i) first->OnCommand(kCmdSelectRight);
    pump();
    const CPoint blank = Cell(*first, 2, 0);  // a selected space
    auto shown = [&] {
        RedrawWindow(parent.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        return display.snapshot(parent.m_hWnd).at(blank.x, blank.y) != 0xFFFFFF;
    };
    EXPECT_TRUE(shown());
    second->SetFocus();
    pump();
    EXPECT_TRUE(first->has_selection());
    EXPECT_FALSE(shown());
    first->SetFocus();
    pump();
    EXPECT_TRUE(shown());
}

}  // namespace
}  // namespace editor::testing
