// The rectangle tracker: hit testing its handles, moving and resizing by a
// drag in its own loop, and the ways that loop ends.
#include "platform/afx/afx.h"
#include "platform/afx/rect_tracker.h"
#include "platform/afx/tests/afx_fixture.h"

namespace {

class RectTrackerTest : public AfxTest {
protected:
    void SetUp() override {
        AfxTest::SetUp();
        ASSERT_TRUE(
            wnd.CreateEx(0, nullptr, "tracker", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200, nullptr, nullptr));
    }
    CWnd wnd;
    CRectTracker tracker{CRect(10, 10, 60, 50), CRectTracker::resizeInside | CRectTracker::solidLine};
};

TEST_F(RectTrackerTest, HitTestFindsHandlesAndTheMiddle) {
    struct Case {
        CPoint point;
        int hit;
    };
    const Case cases[] = {
        {{11, 11}, CRectTracker::hitTopLeft}, {{58, 48}, CRectTracker::hitBottomRight},
        {{35, 11}, CRectTracker::hitTop},     {{11, 30}, CRectTracker::hitLeft},
        {{30, 30}, CRectTracker::hitMiddle},  {{100, 100}, CRectTracker::hitNothing},
    };
    for (const Case& c : cases) EXPECT_EQ(tracker.HitTest(c.point), c.hit) << c.point.x << "," << c.point.y;
}

TEST_F(RectTrackerTest, DraggingMovesOrResizesAndEscapeRestores) {
    display.then([&] {
        display.move(wnd.m_hWnd, POINT{50, 35});
        display.button(wnd.m_hWnd, POINT{50, 35}, false);
    });
    EXPECT_TRUE(tracker.Track(&wnd, CPoint(30, 30)));
    EXPECT_EQ(tracker.m_rect, CRect(30, 15, 80, 55));

    display.then([&] {
        display.move(wnd.m_hWnd, POINT{100, 70});
        display.button(wnd.m_hWnd, POINT{100, 70}, false);
    });
    EXPECT_TRUE(tracker.Track(&wnd, CPoint(78, 53)));  // the bottom-right handle
    EXPECT_EQ(tracker.m_rect, CRect(30, 15, 102, 72));

    const CRect before = tracker.m_rect;
    display.then([&] {
        display.move(wnd.m_hWnd, POINT{150, 150});
        display.press(VK_ESCAPE);
    });
    EXPECT_FALSE(tracker.Track(&wnd, CPoint(60, 40)));
    EXPECT_EQ(tracker.m_rect, before);
    EXPECT_EQ(GetCapture(), nullptr);
}

// The release of a drag that went elsewhere is made at the first move that
// finds the button up: the tracker ends there, keeping the rectangle.
TEST_F(RectTrackerTest, AMoveThatFindsTheButtonUpEndsTheDragThere) {
    display.button(wnd.m_hWnd, POINT{30, 30}, true);
    display.then([&] {
        display.move(wnd.m_hWnd, POINT{40, 35}, kit::user::HeldButtons{true, false, false});
        display.move(wnd.m_hWnd, POINT{50, 35}, kit::user::HeldButtons{});
        display.move(wnd.m_hWnd, POINT{120, 90}, kit::user::HeldButtons{});
    });
    EXPECT_TRUE(tracker.Track(&wnd, CPoint(30, 30)));
    EXPECT_EQ(tracker.m_rect, CRect(30, 15, 80, 55));
    EXPECT_EQ(GetCapture(), nullptr);
}

// A close request during a drag waits for the drag: the tracker ends as
// cancelled with its rectangle put back, and only then does the window close.
TEST_F(RectTrackerTest, ACloseRequestDuringTheDragCancelsItBeforeTheWindowCloses) {
    const CRect before = tracker.m_rect;
    const HWND hwnd = wnd.m_hWnd;
    display.then([&] {
        display.move(hwnd, POINT{50, 35});
        ::PostMessage(hwnd, WM_CLOSE, 0, 0);
    });
    EXPECT_FALSE(tracker.Track(&wnd, CPoint(30, 30)));
    EXPECT_EQ(tracker.m_rect, before);
    EXPECT_TRUE(::IsWindow(hwnd)) << "the window closed under the tracker";
    MSG msg;
    while (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessage(&msg);
    EXPECT_FALSE(::IsWindow(hwnd)) << "the close was not carried out after the drag";
}

}  // namespace
