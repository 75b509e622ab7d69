// Dragging docking windows: docking on every side,
// floating, the 5-pixel rule for a floating bar, Ctrl, double clicks that
// float and dock again with the relative width kept, the floating frame's
// caption dragging and docking its bar, resizing a floating bar
// within its limits, and every way a drag ends.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "uikit/frames/tests/docking_fixture.h"
#include "uikit/frames/dock_context.h"

namespace {

using namespace docking_test;

class DockDragTest : public DockingTest {
protected:
    // Presses at `from`, then (inside the drag's loop) runs `during`, moves to `to` and releases.
    void drag_bar(POINT from, POINT to, const std::function<void()>& during = {}) {
        display.move(frame->m_hWnd, from);
        display.button(frame->m_hWnd, from, true);
        display.then([this, to, during] {
            if (during) during();
            display.move(frame->m_hWnd, to);
            display.button(frame->m_hWnd, to, false);
        });
        idle();
        display.advance(1000);  // the next press is no double click
    }
    UINT side_of(CControlBar& bar) { return bar.IsFloating() ? 0 : UINT(bar.m_pDockBar->GetDlgCtrlID()); }
    // A point on the bar below its gripper buttons, in frame client coordinates.
    CPoint grip(CControlBar& bar) { return place(bar).TopLeft() + CSize(7, 60); }
    void double_click(CControlBar& bar) {
        const CPoint at = grip(bar);
        display.click(frame->m_hWnd, at);
        display.click(frame->m_hWnd, at);
        idle();
        display.advance(1000);
    }
    SECDockContext& context_of(CControlBar& bar) { return *static_cast<SECDockContext*>(bar.m_pDockContext); }
};

TEST_F(DockDragTest, ABarDocksOnEverySideItAllows) {
    build();
    // Room for a row on every side.
    frame->SetWindowPos(nullptr, 20, 20, 1000, 900, SWP_NOZORDER);
    idle();
    TitledBar& memory = bar(2);
    TitledBar& disassembly = bar(5);
    // Inside the dock bar's inner edge; an empty side catches the mouse a few pixels from the frame's edge.
    const auto inside_edge = [&](UINT id) {
        const CRect r = place(dock_bar(id));
        return CPoint(r.right - 3, r.CenterPoint().y);
    };
    const struct {
        const char* where;
        TitledBar* bar;
        std::function<CPoint()> to;
        UINT side;
    } kDrops[] = {
        {"top edge", &memory, [] { return CPoint(325, 55); }, AFX_IDW_DOCKBAR_TOP},
        {"left dock bar", &disassembly, [&] { return inside_edge(AFX_IDW_DOCKBAR_LEFT); }, AFX_IDW_DOCKBAR_LEFT},
        {"right dock bar", &disassembly, [&] { return inside_edge(AFX_IDW_DOCKBAR_RIGHT); }, AFX_IDW_DOCKBAR_RIGHT},
        {"bottom row", &disassembly, [&] { return CPoint(place(bar(4)).right + 3, place(bar(4)).CenterPoint().y); },
         AFX_IDW_DOCKBAR_BOTTOM},
        {"back to the bottom", &memory, [&] { return CPoint(place(bar(1)).left + 3, place(bar(1)).CenterPoint().y); },
         AFX_IDW_DOCKBAR_BOTTOM},
    };
    for (const auto& drop : kDrops) {
        drag_bar(grip(*drop.bar), drop.to());
        EXPECT_EQ(side_of(*drop.bar), drop.side) << drop.where;
        EXPECT_TRUE(drop.bar->IsVisible()) << drop.where;
        EXPECT_EQ(::GetCapture(), nullptr) << drop.where;
    }
    // Dropped on the bottom row between Register and Memory, Disassembly joins that row.
    EXPECT_EQ(place(disassembly).top, place(bar(4)).top);
}

TEST_F(DockDragTest, ABarDraggedOffTheDockBarsFloatsAndCtrlNeverDocks) {
    build();
    TitledBar& memory = bar(2);
    drag_bar(grip(memory), CPoint(1000, 100));
    ASSERT_TRUE(memory.IsFloating());
    CWnd* floating = memory.GetParentFrame();
    ASSERT_NE(floating, frame);
    EXPECT_TRUE(floating->IsKindOf(RUNTIME_CLASS(SECMiniDockFrameWnd)));
    EXPECT_TRUE(floating->IsWindowVisible());
    // The bottom row shares its length among the three bars left.
    EXPECT_EQ(place(bar(1)).right, 632);

    TitledBar& watch = bar(4);
    // Over the bottom dock bar with Ctrl held the bar floats where it was dropped.
    drag_bar(grip(watch), CPoint(300, 300), [&] { ::PostMessage(watch.m_hWnd, WM_KEYDOWN, VK_CONTROL, 0); });
    EXPECT_TRUE(watch.IsFloating());
    EXPECT_EQ(::GetCapture(), nullptr);
}

TEST_F(DockDragTest, AFloatingBarDocksOnlyOnceItHasMovedFivePixels) {
    build();
    TitledBar& watch = bar(4);
    drag_bar(grip(watch), CPoint(300, 300), [&] { ::PostMessage(watch.m_hWnd, WM_KEYDOWN, VK_CONTROL, 0); });
    ASSERT_TRUE(watch.IsFloating());
    const CPoint on_bar = place(watch).CenterPoint();
    // 4 pixels (3 across, 1 down) over the bottom dock bar: the frame moves and the bar stays floating.
    drag_bar(on_bar, on_bar + CSize(3, 1));
    EXPECT_TRUE(watch.IsFloating());
    EXPECT_EQ(place(watch).CenterPoint(), on_bar + CSize(3, 1));
    // 5 pixels: it docks.
    const CPoint again = place(watch).CenterPoint();
    drag_bar(again, again + CSize(3, 2));
    EXPECT_FALSE(watch.IsFloating());
    EXPECT_EQ(side_of(watch), UINT(AFX_IDW_DOCKBAR_BOTTOM));
}

TEST_F(DockDragTest, ADoubleClickFloatsADockedBarAndDocksItAgainWithItsRelativeWidth) {
    build();
    const std::string before = dump_layout();
    TitledBar& register_window = bar(3);
    const float pct = register_window.m_fPctWidth;
    double_click(register_window);
    ASSERT_TRUE(register_window.IsFloating());
    EXPECT_EQ(place(bar(2)).left - place(bar(4)).right, 6 + 0) << "the row closes up";
    double_click(register_window);
    ASSERT_FALSE(register_window.IsFloating());
    EXPECT_FLOAT_EQ(register_window.m_fPctWidth, pct);
    EXPECT_EQ(dump_layout(), before);
}

TEST_F(DockDragTest, TheFloatingFramesCaptionDragsTheBarAndADoubleClickDocksItAtOnce) {
    build();
    TitledBar& watch = bar(4);
    // In screen coordinates: a point on the caption of the floating frame that holds the bar.
    const auto caption = [&] {
        CRect outline;
        watch.GetParentFrame()->GetWindowRect(&outline);
        const CPoint at(outline.left + 30, outline.top + 6);
        EXPECT_EQ(watch.GetParentFrame()->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(at.x, at.y)), HTCAPTION);
        return at;
    };
    const auto in_frame = [&](CPoint screen) {
        frame->ScreenToClient(&screen);
        return screen;
    };
    frame->FloatControlBarEx(&watch, 300, 300, CBRS_ALIGN_TOP);
    idle();
    ASSERT_TRUE(watch.IsFloating());
    // Dropped over the bottom row, the bar docks there instead of the frame moving.
    const CPoint over_row(place(bar(1)).left + 3, place(bar(1)).CenterPoint().y);
    drag_bar(in_frame(caption()), over_row);
    EXPECT_FALSE(watch.IsFloating());
    EXPECT_EQ(side_of(watch), UINT(AFX_IDW_DOCKBAR_BOTTOM));
    EXPECT_EQ(::GetCapture(), nullptr);

    // One double click on the caption docks it again.
    frame->FloatControlBarEx(&watch, 300, 300, CBRS_ALIGN_TOP);
    idle();
    ASSERT_TRUE(watch.IsFloating());
    const CPoint at = in_frame(caption());
    display.click(frame->m_hWnd, at);
    display.click(frame->m_hWnd, at);
    idle();
    EXPECT_FALSE(watch.IsFloating());
    EXPECT_EQ(side_of(watch), UINT(AFX_IDW_DOCKBAR_BOTTOM));
    EXPECT_EQ(::GetCapture(), nullptr);
}

TEST_F(DockDragTest, AFloatingBarResizesWithinItsLimits) {
    build();
    TitledBar& watch = bar(4);
    frame->FloatControlBarEx(&watch, 100, 100, CBRS_ALIGN_TOP);
    idle();
    ASSERT_TRUE(watch.IsFloating());
    SECDockContext& context = context_of(watch);
    const CSize start = watch.m_szFloat;
    CRect outline;
    watch.GetParentFrame()->GetWindowRect(&outline);
    const auto resize = [&](int hit, CPoint from, CPoint to) {
        display.then([&, to] {
            CPoint client = to;
            frame->ScreenToClient(&client);
            display.move(frame->m_hWnd, client);
            display.button(frame->m_hWnd, client, false);
        });
        context.StartResize(hit, from);
        idle();
    };
    const CPoint right_edge(outline.right - 1, outline.CenterPoint().y);
    resize(HTRIGHT, right_edge, right_edge + CSize(50, 0));
    EXPECT_EQ(watch.m_szFloat, start + CSize(50, 0));
    CRect now;
    watch.GetParentFrame()->GetWindowRect(&now);
    EXPECT_EQ(now.Width(), outline.Width() + 50);
    EXPECT_EQ(now.TopLeft(), outline.TopLeft());
    // Shrinking past the smallest frame leaves the edge where it was; so does growing past the screen.
    const CPoint corner = now.BottomRight() - CSize(1, 1);
    resize(HTBOTTOMRIGHT, corner, now.TopLeft());
    EXPECT_EQ(watch.m_szFloat, start + CSize(50, 0));
    resize(HTBOTTOM, CPoint(now.CenterPoint().x, now.bottom - 1), CPoint(now.CenterPoint().x, now.bottom + 5000));
    EXPECT_EQ(watch.m_szFloat, start + CSize(50, 0));
    resize(HTTOP, CPoint(now.CenterPoint().x, now.top), CPoint(now.CenterPoint().x, now.top + 20));
    EXPECT_EQ(watch.m_szFloat, start + CSize(50, -20));
    EXPECT_EQ(::GetCapture(), nullptr);
}

TEST_F(DockDragTest, EveryWayADragEndsReleasesWhatItHeldAndLeavesTheBar) {
    build();
    TitledBar& memory = bar(2);
    const std::string before = dump_layout();
    const std::vector<DragEnd> kEnds = drag_ends();
    for (const auto& item : kEnds) {
        quit_seen = false;
        const CPoint from = grip(memory);
        bool captured = false;
        display.then([&] {
            captured = ::GetCapture() == memory.m_hWnd;
            display.move(frame->m_hWnd, CPoint(1000, 100));
            item.end();
        });
        display.move(frame->m_hWnd, from);
        display.button(frame->m_hWnd, from, true);
        idle();
        EXPECT_TRUE(captured) << item.how;
        EXPECT_EQ(::GetCapture(), nullptr) << item.how;
        EXPECT_FALSE(context_of(memory).m_bDragging) << item.how;
        EXPECT_EQ(context_of(memory).m_pDC, nullptr) << item.how;
        EXPECT_TRUE(::LockWindowUpdate(frame->m_hWnd)) << item.how;
        ::LockWindowUpdate(nullptr);
        EXPECT_FALSE(memory.IsFloating()) << item.how;
        EXPECT_EQ(dump_layout(), before) << item.how;
        EXPECT_EQ(quit_seen, std::string(item.how) == "WM_QUIT") << "the quit goes on to the outer loop";
        display.button(frame->m_hWnd, from, false);
        display.button(frame->m_hWnd, CPoint(300, 100), false, kit::user::MouseButton::right);
        idle();
        display.advance(1000);
    }
}

}  // namespace
