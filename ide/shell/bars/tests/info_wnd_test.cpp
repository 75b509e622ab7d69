// The output pane as a window: following the end, navigation by double click,
// Enter and "next info line", the marks, selection and copy, and clearing.
#include <memory>
#include <vector>

#include "ide/shell/bars/info_wnd.h"
#include "ide/shell/bars/tests/bars_fixture.h"

namespace {

class InfoWndTest : public BarsTest {
protected:
    void SetUp() override {
        BarsTest::SetUp();
        ASSERT_TRUE(pane.Create(0, WS_VSCROLL | WS_HSCROLL, CRect(0, 0, 400, 160), frame, 1094));
        pane.SetNavigateCallback([this](const ide::SourceLocation& where) { visits.push_back(where); });
    }
    void TearDown() override {
        if (pane.m_hWnd) pane.DestroyWindow();
        BarsTest::TearDown();
    }
    void add_lines(int first, int count) {
        for (int i = first; i < first + count; ++i) pane.AddLine("main.asm(" + std::to_string(i) + "): line");
    }
    POINT at_line(int line) const {
        return {5, line * pane.GetLineHeight() - pane.GetTopLine() * pane.GetLineHeight() + 1};
    }
    int page() const { return 160 / pane.GetLineHeight(); }

    CInfoWnd pane;
    std::vector<ide::SourceLocation> visits;
};

TEST_F(InfoWndTest, NewLinesKeepTheEndInViewUntilTheCaretMovesUp) {
    add_lines(0, 50);
    EXPECT_EQ(pane.GetCaretLine(), 49);
    const int top = pane.GetTopLine();
    EXPECT_GT(top, 0);
    EXPECT_LE(top + page() - 2, 49);  // the last line shows
    EXPECT_GE(top + page(), 49);
    SCROLLINFO info{};
    pane.GetScrollInfo(SB_VERT, &info, SIF_ALL);
    EXPECT_EQ(info.nMax, 50);
    EXPECT_EQ(info.nPos, top);

    add_lines(50, 10);
    EXPECT_GT(pane.GetTopLine(), top);
    EXPECT_EQ(pane.GetCaretLine(), 59);

    // A click on an earlier line: new text no longer moves the view.
    display.click(pane.m_hWnd, at_line(pane.GetTopLine() + 1));
    pump();
    EXPECT_TRUE(pane.GetFlags() & CInfoWnd::kCaretPlaced);
    const int held = pane.GetTopLine();
    add_lines(60, 30);
    EXPECT_EQ(pane.GetTopLine(), held);
    EXPECT_EQ(pane.GetCaretLine(), held + 1);
}

TEST_F(InfoWndTest, DoubleClickAndEnterNavigateAndMarkTheInfoLine) {
    pane.AddLine("Compiling...\r\nsub (2)/main.asm(12): error E7: bad operand\r\nplain text");
    double_click(pane.m_hWnd, at_line(1));
    ASSERT_EQ(visits.size(), 1u);
    EXPECT_EQ(visits[0].path, "sub (2)/main.asm");
    EXPECT_EQ(visits[0].line, 12);
    EXPECT_EQ(pane.GetInfoLine(), 1);

    // A line without a location navigates nowhere; below the text is the last line.
    double_click(pane.m_hWnd, at_line(2));
    double_click(pane.m_hWnd, {5, 150});
    EXPECT_EQ(visits.size(), 1u);
    EXPECT_EQ(pane.GetInfoLine(), 2);

    display.press(VK_UP);
    pump();
    display.press(VK_RETURN);
    pump();
    ASSERT_EQ(visits.size(), 2u);
    EXPECT_EQ(visits[1].line, 12);
    EXPECT_EQ(pane.GetInfoLine(), 1);
}

TEST_F(InfoWndTest, NextInfoLineSkipsPlainLinesAndEndsPastTheLast) {
    pane.AddLine("start\na.asm(1): x\nnote\nb.asm(2): y\nend");
    pane.GotoNextInfoLine();
    pane.GotoNextInfoLine();
    ASSERT_EQ(visits.size(), 2u);
    EXPECT_EQ(visits[0].path, "a.asm");
    EXPECT_EQ(visits[1].path, "b.asm");
    EXPECT_EQ(pane.GetInfoLine(), 3);
    EXPECT_EQ(pane.GetCaretLine(), 3);
    pane.GotoNextInfoLine();
    EXPECT_EQ(visits.size(), 2u);
    EXPECT_EQ(pane.GetInfoLine(), 3);
    EXPECT_EQ(pane.GetCaretLine(), 5);  // past the end, no wrap-around
}

TEST_F(InfoWndTest, MarksAreClampedSortedAndTheMiddleOneGoesToTheTop) {
    CInfoWnd marked;
    ASSERT_TRUE(marked.Create(CInfoWnd::kMarkedLines, 0, CRect(0, 200, 400, 360), frame, 3000));
    for (int i = 0; i < 40; ++i) marked.AddLine("line " + std::to_string(i));
    EXPECT_EQ(marked.GetTopLine(), 0);  // marked panes do not follow the end
    marked.SetMarkLines(9, 3, 5);
    EXPECT_EQ(marked.GetMarkLines(), (std::array<int, 3>{3, 5, 9}));
    EXPECT_EQ(marked.GetTopLine(), 5);
    marked.SetMarkLines(-4, 100, 7);
    EXPECT_EQ(marked.GetMarkLines(), (std::array<int, 3>{0, 7, 40}));
    EXPECT_EQ(marked.GetTopLine(), 7);
}

TEST_F(InfoWndTest, SelectedLinesGoToTheClipboard) {
    pane.AddLine("first\nsecond\tcolumn\nthird\nfourth");
    display.click(pane.m_hWnd, at_line(1));
    pump();
    display.chord(VK_SHIFT, VK_DOWN);
    display.chord(VK_CONTROL, 'C');
    pump();
    EXPECT_EQ(display.clipboard_text(), "second\tcolumn\r\nthird\r\n");
    // Without a selection the caret's line is copied; Ctrl+A takes everything.
    display.press(VK_UP);
    display.chord(VK_CONTROL, VK_INSERT);
    pump();
    EXPECT_EQ(display.clipboard_text(), "second\tcolumn\r\n");
    display.chord(VK_CONTROL, 'A');
    display.chord(VK_CONTROL, 'C');
    pump();
    EXPECT_EQ(display.clipboard_text(), "first\r\nsecond\tcolumn\r\nthird\r\nfourth\r\n");
}

TEST_F(InfoWndTest, ClearEmptiesThePaneAndForgetsTheInfoLine) {
    add_lines(0, 30);
    pane.GotoNextInfoLine();
    EXPECT_EQ(pane.GetInfoLine(), 0);
    pane.Clear();
    EXPECT_EQ(pane.GetLineCount(), 0);
    EXPECT_EQ(pane.GetInfoLine(), -1);
    EXPECT_EQ(pane.GetTopLine(), 0);
    EXPECT_EQ(pane.GetCaretLine(), 0);
    EXPECT_FALSE(pane.GetFlags() & CInfoWnd::kCaretPlaced);
    EXPECT_TRUE(pane.AddLine("after"));
    EXPECT_EQ(pane.GetLine(0), "after");
}

TEST_F(InfoWndTest, APaneWithoutStorageRefusesTextAndStillPaints) {
    CInfoWnd empty({.max_lines = 16, .text_bytes = std::size_t(1) << 62});
    ASSERT_TRUE(empty.Create(0, 0, CRect(0, 200, 400, 360), frame, 3001));
    EXPECT_FALSE(empty.AddLine("lost"));
    empty.UpdateWindow();
    EXPECT_EQ(empty.GetLineCount(), 0);
}

}  // namespace

namespace {

// Text painted a piece at a time, as lines arrive, looks as a full repaint does.
TEST_F(InfoWndTest, PaintingAsLinesArriveMatchesAFullRepaint) {
    const auto picture = [&] {
        pump();
        const gdi::Surface surface = display.snapshot(frame->m_hWnd);
        const auto png = gdi::encode_png(surface);
        return std::string(png.begin(), png.end());
    };
    pump();
    for (int i = 0; i < 14; ++i) {
        pane.AddLine("step\t" + std::to_string(i) + "\tmain.asm(" + std::to_string(i) + ")");
        pump();
        if (i == 5) {
            display.click(pane.m_hWnd, at_line(2));  // the view stops following
            pump();
        }
    }
    const std::string piecewise = picture();
    RedrawWindow(frame->m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    EXPECT_TRUE(piecewise == picture());
    // And following the end again after Ctrl+End.
    display.chord(VK_CONTROL, VK_END);
    for (int i = 14; i < 40; ++i) {
        pane.AddLine("more " + std::to_string(i));
        pump();
    }
    const std::string followed = picture();
    RedrawWindow(frame->m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    EXPECT_TRUE(followed == picture());
}

}  // namespace
