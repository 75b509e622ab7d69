// Minimised MDI children: strips along the bottom of the MDI area in the
// order they were minimised, rows stacking upward when one is full, and the
// activation passing to the next child that is not minimised.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/afx/afx.h"
#include "platform/afx/tests/afx_fixture.h"

namespace {

// A strip is this wide; the MDI area of the fixture's frame holds two of them in a row.
constexpr int kStripWidth = 160;

class MdiMinimizeTest : public AfxTest {
protected:
    void SetUp() override {
        AfxTest::SetUp();
        frame = new CMDIFrameWnd;
        ASSERT_TRUE(frame->Create(nullptr, "Frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 420, 360)));
        ASSERT_NE(frame->m_hWndMDIClient, nullptr);
        ASSERT_EQ(area().Width() / kStripWidth, 2);
        for (const char* title : {"A", "B", "C", "D"}) {
            auto* child = new CMDIChildWnd;
            ASSERT_TRUE(child->Create(nullptr, title, WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW,
                                      CRect(10, 10, 250, 200), frame));
            child->MDIActivate();
            children.push_back(child);
        }
    }
    void TearDown() override {
        if (frame->m_hWnd) frame->DestroyWindow();
        AfxDeleteTempMaps();
        AfxTest::TearDown();
    }
    CRect area() const {
        CRect client;
        ::GetClientRect(frame->m_hWndMDIClient, &client);
        return client;
    }
    // A child's place in the MDI area's client coordinates, as text.
    std::string place(CWnd* child) const {
        CRect r;
        child->GetWindowRect(&r);
        ::MapWindowPoints(nullptr, frame->m_hWndMDIClient, reinterpret_cast<POINT*>(&r), 2);
        return text(r);
    }
    static std::string text(const CRect& r) {
        return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" + std::to_string(r.right) + "," +
               std::to_string(r.bottom) + ")";
    }
    void minimize(CWnd* child) { child->SendMessage(WM_SYSCOMMAND, SC_MINIMIZE, 0); }
    std::string active_title() const {
        CMDIChildWnd* active = frame->MDIGetActive();
        return active ? std::string(active->GetWindowText()) : "none";
    }
    // A caption with the sizing frame above and below it: a minimised child shows nothing more.
    static int strip_height() { return ::GetSystemMetrics(SM_CYCAPTION) + 2 * ::GetSystemMetrics(SM_CYFRAME); }

    CMDIFrameWnd* frame = nullptr;  // deletes itself with its window, and its children with it
    std::vector<CMDIChildWnd*> children;
};

TEST_F(MdiMinimizeTest, MinimisedChildrenLineTheBottomInTheOrderMinimisedAndCloseUpWhenOneComesBack) {
    CMDIChildWnd *a = children[0], *b = children[1], *c = children[2];
    const int h = strip_height();
    for (CWnd* child : {b, c, a}) minimize(child);
    for (CWnd* child : {a, b, c}) EXPECT_TRUE(child->IsIconic()) << child->GetWindowText();
    const int bottom = area().bottom;
    // Left to right along the bottom; the third starts a row above.
    EXPECT_EQ(place(b), text(CRect(0, bottom - h, kStripWidth, bottom)));
    EXPECT_EQ(place(c), text(CRect(kStripWidth, bottom - h, 2 * kStripWidth, bottom)));
    EXPECT_EQ(place(a), text(CRect(0, bottom - 2 * h, kStripWidth, bottom - h)));

    // One restored: it gets its place back and the others close up.
    frame->MDIRestore(b);
    EXPECT_FALSE(b->IsIconic());
    EXPECT_EQ(place(b), text(CRect(10, 10, 250, 200)));
    EXPECT_EQ(place(c), text(CRect(0, bottom - h, kStripWidth, bottom)));
    EXPECT_EQ(place(a), text(CRect(kStripWidth, bottom - h, 2 * kStripWidth, bottom)));

    // The MDI area changes height: the strips follow its bottom.
    frame->SetWindowPos(nullptr, 0, 0, 420, 300, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    const int lower = area().bottom;
    ASSERT_NE(lower, bottom);
    EXPECT_EQ(place(c), text(CRect(0, lower - h, kStripWidth, lower)));
    EXPECT_EQ(place(a), text(CRect(kStripWidth, lower - h, 2 * kStripWidth, lower)));
}

TEST_F(MdiMinimizeTest, MinimisingTheActiveChildActivatesTheNextOneThatIsNotMinimised) {
    // Made and activated A to D: D is active and on top, then C, B, A below it.
    CMDIChildWnd *a = children[0], *b = children[1], *c = children[2], *d = children[3];
    ASSERT_EQ(active_title(), "D");
    d->SetFocus();
    const struct {
        CWnd* minimized;
        const char* active;
    } kSteps[] = {
        {b, "D"},  // not the active one: the activation stays
        {d, "C"},  // the next below it
        {c, "A"},  // B below it is minimised: passed over
        {a, "A"},  // none left that is not minimised: the minimised one stays active
    };
    for (const auto& step : kSteps) {
        minimize(step.minimized);
        EXPECT_EQ(active_title(), step.active) << "after " << step.minimized->GetWindowText();
    }
    // The keyboard went with the activation; with every child minimised the MDI area holds it.
    EXPECT_EQ(::GetFocus(), frame->m_hWndMDIClient);
}

}  // namespace
