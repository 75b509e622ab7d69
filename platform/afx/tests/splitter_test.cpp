// The dynamic splitter: the Split command's tracking and how it ends, panes
// made from the first pane's class for its document, dragging a bar to an
// edge, and the scroll bars shared along a row and a column.
#include <gtest/gtest.h>

#include "platform/afx/afx.h"
#include "platform/afx/tests/afx_fixture.h"
#include "testing/painted_picture.h"

namespace {

class PaneDocument : public CDocument {
public:
    PaneDocument() { m_bAutoDelete = FALSE; }
};

// A view that paints a shade of its own, and counts its initial updates and
// the scroll messages it gets.
class PaneView : public CView {
    DECLARE_DYNCREATE(PaneView)
public:
    int initial_updates = 0;
    int vertical_scrolls = 0;

    void OnInitialUpdate() override { ++initial_updates; }
    void OnDraw(CDC* dc) override {
        CRect client;
        GetClientRect(&client);
        dc->FillSolidRect(&client, RGB(255, 255, 255));
        dc->TextOut(2, 2, "text", 4);
    }
    afx_msg void OnVScroll(UINT, UINT, CScrollBar*) { ++vertical_scrolls; }
    DECLARE_MESSAGE_MAP()
};

IMPLEMENT_DYNCREATE(PaneView, CView)
BEGIN_MESSAGE_MAP(PaneView, CView)
ON_WM_VSCROLL()
END_MESSAGE_MAP()

class SplitFrame : public CFrameWnd {
public:
    CSplitterWnd splitter;
    BOOL OnCreateClient(CREATESTRUCT*, CCreateContext* context) override {
        return splitter.Create(this, 2, 2, CSize(20, 20), context);
    }
};

class SplitterTest : public AfxTest {
protected:
    void SetUp() override {
        AfxTest::SetUp();
        CCreateContext context;
        context.m_pNewViewClass = RUNTIME_CLASS(PaneView);
        context.m_pCurrentDoc = &document;
        frame = new SplitFrame;
        ASSERT_TRUE(frame->Create(nullptr, "Split", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 320, 240), nullptr,
                                  nullptr, 0, &context));
        frame->InitialUpdateFrame(&document, TRUE);
        frame_window = frame->m_hWnd;
    }
    void TearDown() override {
        // A frame deletes itself with its window.
        if (::IsWindow(frame_window)) frame->DestroyWindow();
        AfxTest::TearDown();
    }
    HWND frame_hwnd() const { return frame_window; }
    CSplitterWnd& splitter() { return frame->splitter; }
    PaneView* pane(int row, int col) { return dynamic_cast<PaneView*>(splitter().GetPane(row, col)); }
    int views() const {
        int count = 0;
        for (POSITION at = document.GetFirstViewPosition(); at;) {
            document.GetNextView(at);
            ++count;
        }
        return count;
    }
    // Runs the Split command, the mouse then placing the bars at a point of the splitter.
    BOOL SplitAt(CPoint point) {
        display.then([this, point] {
            display.move(splitter().m_hWnd, point);
            display.button(splitter().m_hWnd, point, true);
        });
        return splitter().DoKeyboardSplit();
    }

    // Presses on a bar and lets go at `to`.
    void DragBar(CPoint from, CPoint to) {
        const HWND hwnd = splitter().m_hWnd;
        display.then([this, hwnd, to] {
            display.move(hwnd, to);
            display.button(hwnd, to, false);
        });
        display.button(hwnd, from, true);
        MSG msg;
        while (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessage(&msg);
        EXPECT_EQ(GetCapture(), nullptr);
    }

    PaneDocument document;
    SplitFrame* frame = nullptr;
    HWND frame_window = nullptr;
};

TEST_F(SplitterTest, TheSplitCommandMakesPanesOfTheFirstPanesClassForItsDocument) {
    ASSERT_NE(pane(0, 0), nullptr);
    EXPECT_EQ(frame->GetActiveView(), pane(0, 0));
    EXPECT_EQ(pane(0, 0)->initial_updates, 1);

    ASSERT_TRUE(SplitAt(CPoint(100, 80)));
    EXPECT_EQ(splitter().GetRowCount(), 2);
    EXPECT_EQ(splitter().GetColumnCount(), 2);
    for (int row = 0; row < 2; ++row)
        for (int col = 0; col < 2; ++col) {
            PaneView* view = pane(row, col);
            ASSERT_NE(view, nullptr) << row << "," << col;
            EXPECT_EQ(view->GetDocument(), &document);
            EXPECT_EQ(view->initial_updates, 1);
        }
    EXPECT_EQ(views(), 4);
    // The bars are where the mouse put them, and the panes fill the rest.
    const int top = 80 - CSplitterWnd::kBarWidth / 2, left = 100 - CSplitterWnd::kBarWidth / 2;
    EXPECT_EQ(splitter().GetFirstRowHeight(), top);
    EXPECT_EQ(splitter().GetFirstColumnWidth(), left);
    CRect rect;
    pane(1, 1)->GetWindowRect(&rect);
    splitter().ScreenToClient(&rect);
    EXPECT_EQ(rect.TopLeft(), CPoint(left + CSplitterWnd::kBarWidth, top + CSplitterWnd::kBarWidth));
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(SplitterTest, TheSplitCommandEndsWithoutSplittingOnEachWayOut) {
    struct Case {
        const char* what;
        std::function<void()> end;
    };
    const HWND hwnd = splitter().m_hWnd;
    const Case cases[] = {
        {"Escape", [&] { display.press(VK_ESCAPE); }},
        {"the right button",
         [&] {
             display.click(hwnd, POINT{100, 80}, kit::user::MouseButton::right);
         }},
        {"a lost capture", [] { ::ReleaseCapture(); }},
        {"a pane too small",
         [&] {
             display.move(hwnd, POINT{5, 5});
             display.press(VK_RETURN);
         }},
    };
    for (const Case& c : cases) {
        display.then([&] {
            display.move(splitter().m_hWnd, POINT{100, 80});
            c.end();
        });
        EXPECT_FALSE(splitter().DoKeyboardSplit()) << c.what;
        EXPECT_EQ(splitter().GetRowCount(), 1) << c.what;
        EXPECT_EQ(splitter().GetColumnCount(), 1) << c.what;
        EXPECT_EQ(views(), 1) << c.what;
        EXPECT_EQ(GetCapture(), nullptr) << c.what;
    }
}

TEST_F(SplitterTest, ClosingTheFrameEndsTheSplitCommandAndClosesAfterIt) {
    display.then([&] { ::PostMessage(frame_hwnd(), WM_CLOSE, 0, 0); });
    EXPECT_FALSE(splitter().DoKeyboardSplit());
    EXPECT_EQ(splitter().GetRowCount(), 1);
    // The close is carried out once the command has returned.
    MSG msg;
    while (::IsWindow(frame_hwnd()) && ::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessage(&msg);
    EXPECT_FALSE(::IsWindow(frame_hwnd()));
}

TEST_F(SplitterTest, QuittingEndsTheSplitCommandAndQuitsTheOuterLoop) {
    display.then([] { ::PostQuitMessage(3); });
    EXPECT_FALSE(splitter().DoKeyboardSplit());
    MSG msg;
    EXPECT_TRUE(::PeekMessage(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, WPARAM(3));
}

TEST_F(SplitterTest, DraggingABarMovesItAndToAnEdgeRemovesTheSqueezedPanes) {
    ASSERT_TRUE(SplitAt(CPoint(100, 80)));
    PaneView* lower_left = pane(1, 0);
    const CPoint on_row_bar = splitter().RowBarRect().TopLeft() + CSize(40, 2);

    // Down by 30: the bar follows.
    DragBar(on_row_bar, on_row_bar + CSize(0, 30));
    EXPECT_EQ(splitter().GetFirstRowHeight(), on_row_bar.y - 2 + 30);
    EXPECT_EQ(splitter().GetRowCount(), 2);

    // Up to the top edge: the upper row goes, the lower one takes its place and is active.
    splitter().SetActivePane(0, 0);
    DragBar(splitter().RowBarRect().TopLeft() + CSize(40, 2), CPoint(40, 3));
    EXPECT_EQ(frame->GetActiveView(), lower_left);
    EXPECT_EQ(splitter().GetRowCount(), 1);
    EXPECT_EQ(pane(0, 0), lower_left);
    EXPECT_EQ(pane(1, 0), nullptr);
    EXPECT_EQ(views(), 2);
    CRect rect;
    lower_left->GetWindowRect(&rect);
    splitter().ScreenToClient(&rect);
    EXPECT_EQ(rect.top, 0);
}

// A display that reports the buttons held with its moves: when the release of
// a bar drag went elsewhere, the first move that finds the button up lets the
// bar go there, and the mouse moving on afterwards drags nothing.
TEST_F(SplitterTest, ABarDragWhoseReleaseWasNeverHeardEndsAtTheNextMove) {
    ASSERT_TRUE(SplitAt(CPoint(100, 80)));
    const HWND hwnd = splitter().m_hWnd;
    const CPoint on_row_bar = splitter().RowBarRect().TopLeft() + CSize(40, 2);
    const kit::user::HeldButtons none_held{};
    display.then([&] {
        display.move(hwnd, on_row_bar + CSize(0, 10), kit::user::HeldButtons{true, false, false});
        display.move(hwnd, on_row_bar + CSize(0, 30), none_held);
        display.move(hwnd, on_row_bar + CSize(0, 60), none_held);
    });
    display.button(hwnd, on_row_bar, true);
    MSG msg;
    while (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessage(&msg);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(splitter().GetFirstRowHeight(), on_row_bar.y - 2 + 30);
}

// F6 and Shift+F6 walk the panes row by row, round from the last to the first.
TEST_F(SplitterTest, TheNextAndPreviousPaneCommandsWalkThePanesRound) {
    const auto enabled = [this](UINT id) {
        CTestCmdUI probe;
        probe.m_nID = id;
        probe.DoUpdate(frame, TRUE);
        return probe.m_bEnabled != FALSE;
    };
    // One pane: nowhere to go.
    EXPECT_FALSE(enabled(ID_NEXT_PANE));
    EXPECT_FALSE(enabled(ID_PREV_PANE));

    ASSERT_TRUE(SplitAt(CPoint(100, 80)));
    splitter().SetActivePane(0, 0);
    EXPECT_TRUE(enabled(ID_NEXT_PANE));
    EXPECT_TRUE(enabled(ID_PREV_PANE));
    for (CView* expected : {pane(0, 1), pane(1, 0), pane(1, 1), pane(0, 0)}) {
        frame->SendMessage(WM_COMMAND, ID_NEXT_PANE);
        EXPECT_EQ(frame->GetActiveView(), expected);
        EXPECT_EQ(::GetFocus(), expected->m_hWnd);
    }
    for (CView* expected : {pane(1, 1), pane(1, 0), pane(0, 1)}) {
        frame->SendMessage(WM_COMMAND, ID_PREV_PANE);
        EXPECT_EQ(frame->GetActiveView(), expected);
    }
}

TEST_F(SplitterTest, PanesShareTheScrollBarOfTheirRowAndColumn) {
    ASSERT_TRUE(SplitAt(CPoint(100, 80)));
    for (int row = 0; row < 2; ++row) {
        pane(row, 0)->SetScrollRange(SB_VERT, 0, 100, FALSE);
        pane(row, 0)->SetScrollPos(SB_VERT, 10 + row);
    }
    pane(0, 1)->SetScrollRange(SB_HORZ, 0, 100, FALSE);
    pane(0, 1)->SetScrollPos(SB_HORZ, 42);
    // A row's panes read one vertical bar, a column's one horizontal bar.
    EXPECT_EQ(pane(0, 1)->GetScrollPos(SB_VERT), 10);
    EXPECT_EQ(pane(1, 1)->GetScrollPos(SB_VERT), 11);
    EXPECT_EQ(pane(1, 1)->GetScrollPos(SB_HORZ), 42);
    EXPECT_EQ(pane(1, 0)->GetScrollPos(SB_HORZ), 0);
    // Without bars of their own.
    EXPECT_FALSE(pane(0, 0)->GetStyle() & (WS_VSCROLL | WS_HSCROLL));

    // A click on the lower row's bar scrolls the two panes of that row only.
    CScrollBar* lower = splitter().GetPaneScrollBar(pane(1, 0), SB_VERT);
    ASSERT_NE(lower, nullptr);
    CRect rect;
    lower->GetClientRect(&rect);
    display.click(lower->m_hWnd, POINT{rect.CenterPoint().x, rect.bottom - 3});
    MSG msg;
    while (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessage(&msg);
    EXPECT_EQ(pane(0, 0)->vertical_scrolls + pane(0, 1)->vertical_scrolls, 0);
    EXPECT_GE(pane(1, 0)->vertical_scrolls, 1);
    EXPECT_EQ(pane(1, 0)->vertical_scrolls, pane(1, 1)->vertical_scrolls);
}

TEST_F(SplitterTest, SplitFourWaysSnapshot) {
    ASSERT_TRUE(SplitAt(CPoint(150, 100)));
    for (int row = 0; row < 2; ++row) {
        pane(row, 0)->SetScrollRange(SB_VERT, 0, 10, TRUE);
        pane(row, 0)->SetScrollPos(SB_VERT, 3 * row);
    }
    EXPECT_TRUE(testing_kit::matches_painted_golden(frame_hwnd(), "platform/afx/tests/golden/splitter_four_ways.png"));
}

}  // namespace
