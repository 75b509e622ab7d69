// The control bar alone: its sizes by layout mode, the inside rectangle, and
// the proportional layout of its children.
#include <gtest/gtest.h>

#include "platform/display/headless.h"
#include "uikit/frames/control_bar.h"

namespace {

class ControlBarTest : public ::testing::Test {
protected:
    void SetUp() override {
        frame->Create(nullptr, "Bars", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 600, 400));
        bar->m_bAutoDelete = TRUE;
    }
    void TearDown() override {
        if (frame->m_hWnd) frame->DestroyWindow();
        MSG msg;
        while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
        AfxDeleteTempMaps();  // the wrappers of handles the painting saw
    }
    kit::display::Headless display;
    CFrameWnd* frame = new CFrameWnd;  // deletes itself when destroyed
    SECControlBar* bar = new SECControlBar;
};

TEST_F(ControlBarTest, CommittedLengthsGoToTheSizeOfTheirState) {
    ASSERT_TRUE(bar->Create(frame, "bar", WS_CHILD | WS_VISIBLE | CBRS_ALIGN_LEFT, 0, 200));
    EXPECT_EQ(bar->m_szHorzDock, SECControlBar::kDefaultSize);
    bar->m_fPctWidth = 0.5f;
    const struct {
        int length;
        DWORD mode;
        CSize horz, vert, floating;
    } kCommits[] = {
        {220, LM_COMMIT | LM_HORZDOCK | LM_LENGTHY, {300, 220}, {300, 180}, {300, 180}},
        {401, LM_COMMIT | LM_STRETCH | LM_HORZDOCK, {200, 220}, {300, 180}, {300, 180}},  // half, truncated
        {150, LM_COMMIT | LM_VERTDOCK, {200, 220}, {150, 180}, {300, 180}},
        {90, LM_COMMIT | LM_LENGTHY, {200, 220}, {150, 180}, {300, 90}},
        {77, LM_HORZDOCK, {200, 220}, {150, 180}, {300, 90}},  // without commit nothing is kept
    };
    for (const auto& item : kCommits) {
        bar->CalcDynamicLayout(item.length, item.mode);
        EXPECT_EQ(bar->m_szHorzDock, item.horz) << item.length;
        EXPECT_EQ(bar->m_szVertDock, item.vert) << item.length;
        EXPECT_EQ(bar->m_szFloat, item.floating) << item.length;
    }
    EXPECT_EQ(bar->CalcDynamicLayout(0, LM_HORZ | LM_HORZDOCK), CSize(200, 220));
    EXPECT_EQ(bar->CalcDynamicLayout(0, LM_VERTDOCK), CSize(150, 180));
    EXPECT_EQ(bar->CalcDynamicLayout(0, 0), CSize(300, 90));
}

TEST_F(ControlBarTest, TheInsideLeavesOutTheGripperOrTheInsetBorder) {
    ASSERT_TRUE(
        bar->Create(frame, "bar", WS_CHILD | WS_VISIBLE | CBRS_ALIGN_LEFT, CBRS_EX_GRIPPER | CBRS_EX_INSET, 200));
    bar->MoveWindow(0, 0, 200, 300);
    CRect inside;
    bar->GetInsideRect(inside);
    EXPECT_EQ(inside, CRect(3, 17, 197, 297));  // docked at the side: the strip is on top
    bar->SetBarStyle((bar->GetBarStyle() & ~CBRS_ALIGN_ANY) | CBRS_ALIGN_TOP);
    bar->GetInsideRect(inside);
    EXPECT_EQ(inside, CRect(17, 3, 197, 297));
    bar->SetBarStyle(bar->GetBarStyle() | CBRS_FLOATING);  // a floating bar shows no gripper
    bar->GetInsideRect(inside);
    EXPECT_EQ(inside, CRect(10, 10, 190, 290));
}

TEST_F(ControlBarTest, ChildrenScaleWithTheBar) {
    ASSERT_TRUE(bar->Create(frame, "bar", WS_CHILD | WS_VISIBLE, 0, 200));
    bar->MoveWindow(0, 0, 200, 100);
    CWnd* child = new CWnd;
    ASSERT_TRUE(
        child->CreateEx(0, AfxRegisterWndClass(0), nullptr, WS_CHILD | WS_VISIBLE, CRect(10, 10, 110, 60), bar, 1));
    bar->SetExBarStyle(CBRS_EX_PROPORTIONAL);
    const auto child_place = [&] {
        CRect r;
        child->GetWindowRect(&r);
        bar->ScreenToClient(&r);
        return r;
    };
    bar->MoveWindow(0, 0, 400, 200);
    EXPECT_EQ(child_place(), CRect(20, 20, 220, 120));
    // Minimised or empty sizes leave the children where they are.
    bar->SendMessage(WM_SIZE, SIZE_MINIMIZED, MAKELPARAM(800, 400));
    bar->SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(0, 400));
    EXPECT_EQ(child_place(), CRect(20, 20, 220, 120));
    // Without the record the first child fills the inside instead.
    bar->SetExBarStyle(CBRS_EX_FILL_CHILD);
    bar->MoveWindow(0, 0, 300, 150);
    EXPECT_EQ(child_place(), CRect(0, 0, 300, 150));
    child->DestroyWindow();
    delete child;
}

}  // namespace
