// The MDI frame's default places for bars, its layouts during a modal
// customise dialog, floating bars shown and hidden with delay, and the place
// a bar's MDI child remembers for it.
#include "uikit/frames/mdi_frame.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/display/headless.h"
#include "platform/gdi/png_writer.h"
#include "platform/gdi/surface_dc.h"
#include "testing/golden.h"
#include "testing/painted_picture.h"
#include "uikit/frames/control_bar.h"
#include "uikit/frames/toolbar_manager.h"

namespace {

// A docking MDI frame and its sizable "Output" bar, docked.
void CreateFrameWithOutputBar(SECMDIFrameWnd* frame, SECControlBar*& bar) {
    ASSERT_TRUE(frame->Create(nullptr, "Frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 600, 400)));
    frame->EnableDocking(CBRS_ALIGN_ANY);
    bar = new SECControlBar;
    bar->m_bAutoDelete = TRUE;
    ASSERT_TRUE(bar->Create(frame, "Output", WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP | CBRS_SIZE_DYNAMIC, 0, 200));
    bar->EnableDocking(CBRS_ALIGN_ANY);
}

TEST(MdiFrameTest, DefaultPlacesTakeTheBottomLeftAndRightRowsInTurn) {
    SECMDIFrameWnd frame;
    struct Place {
        UINT id;
        int row;
        UINT flags;
    };
    // The cycle opens with row breaks before each side, then bars join the rows.
    const Place expected[] = {
        {AFX_IDW_DOCKBAR_BOTTOM, 0, SEC_DOCKPOS_FROM_END | SEC_DOCKPOS_NEW_ROW},
        {AFX_IDW_DOCKBAR_LEFT, 1, SEC_DOCKPOS_FROM_BOTTOM | SEC_DOCKPOS_FROM_END | SEC_DOCKPOS_NEW_ROW},
        {AFX_IDW_DOCKBAR_RIGHT, 0, SEC_DOCKPOS_FROM_END | SEC_DOCKPOS_NEW_ROW},
        {AFX_IDW_DOCKBAR_BOTTOM, 0, SEC_DOCKPOS_FROM_END},
        {AFX_IDW_DOCKBAR_LEFT, 0, SEC_DOCKPOS_FROM_BOTTOM | SEC_DOCKPOS_FROM_END},
        {AFX_IDW_DOCKBAR_RIGHT, 0, SEC_DOCKPOS_FROM_END},
        {AFX_IDW_DOCKBAR_BOTTOM, 0, SEC_DOCKPOS_FROM_END},
        {AFX_IDW_DOCKBAR_LEFT, 1, SEC_DOCKPOS_FROM_BOTTOM | SEC_DOCKPOS_FROM_END | SEC_DOCKPOS_NEW_ROW},
    };
    for (const Place& place : expected) {
        UINT id = 0;
        SECDockPos position;
        SECDockSize size;
        frame.GetNextDefaultDockPos(id, position, size);
        EXPECT_EQ(id, place.id);
        EXPECT_EQ(position.row, place.row);
        EXPECT_EQ(position.column, 1);
        EXPECT_EQ(position.flags, place.flags);
        EXPECT_EQ(size.pct, 1.0f);
        EXPECT_EQ(size.height, 150);
    }
}

TEST(MdiFrameTest, DelayedLayoutsRunWhileTheToolbarsAreCustomisedInADialog) {
    kit::display::Headless display;
    auto* frame = new SECMDIFrameWnd;
    ASSERT_TRUE(frame->Create(nullptr, "Frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 300, 200)));
    SECToolBarManager manager(frame);
    frame->SetControlBarManager(&manager);
    frame->DelayRecalcLayout();
    // Not customising: the layout waits for the idle time.
    frame->SendMessage(WM_ENTERIDLE, MSGF_DIALOGBOX, 0);
    EXPECT_TRUE(frame->m_nIdleFlags & CFrameWnd::idleLayout);
    manager.SetCustomizeMode(TRUE);
    // A menu's idle time is not the dialog's.
    frame->SendMessage(WM_ENTERIDLE, MSGF_MENU, 0);
    EXPECT_TRUE(frame->m_nIdleFlags & CFrameWnd::idleLayout);
    frame->SendMessage(WM_ENTERIDLE, MSGF_DIALOGBOX, 0);
    EXPECT_FALSE(frame->m_nIdleFlags & CFrameWnd::idleLayout);
    // Meanwhile the frame neither moves nor closes.
    CRect window;
    frame->GetWindowRect(&window);
    EXPECT_EQ(frame->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(window.left + 40, window.top + 5)), HTERROR);
    MSG close{frame->m_hWnd, WM_SYSCOMMAND, SC_CLOSE, 0, 0, {}};
    EXPECT_TRUE(frame->PreTranslateMessage(&close));
    manager.SetCustomizeMode(FALSE);
    EXPECT_EQ(frame->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(window.left + 40, window.top + 5)), HTCAPTION);
    EXPECT_FALSE(frame->PreTranslateMessage(&close));
    frame->DestroyWindow();
}

TEST(MdiFrameTest, AFloatingBarShownWithDelayComesBackAtItsSizeAtIdleTime) {
    kit::display::Headless display;
    auto* frame = new SECMDIFrameWnd;
    SECControlBar* bar = nullptr;
    ASSERT_NO_FATAL_FAILURE(CreateFrameWithOutputBar(frame, bar));
    frame->FloatControlBarEx(bar, 100, 100, CBRS_ALIGN_TOP);
    CWnd* floating = bar->GetParentFrame();
    ASSERT_NE(floating, frame);
    CRect shown;
    floating->GetWindowRect(&shown);
    ASSERT_GT(shown.Width(), 50);
    // What the message loop does when its queue runs dry.
    const auto idle = [&] {
        frame->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
        frame->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
    };
    // Closing the floating frame hides the bar with it.
    floating->SendMessage(WM_CLOSE);
    ASSERT_FALSE(floating->IsWindowVisible());
    ASSERT_FALSE(bar->IsWindowVisible());

    frame->ShowControlBar(bar, TRUE, TRUE);
    EXPECT_FALSE(floating->IsWindowVisible()) << "the show waits for the idle time";
    EXPECT_FALSE(bar->IsWindowVisible());
    idle();
    EXPECT_TRUE(floating->IsWindowVisible());
    EXPECT_TRUE(bar->IsWindowVisible());
    CRect back;
    floating->GetWindowRect(&back);
    EXPECT_EQ(back, shown);

    // Hidden with delay, it too waits for the idle time.
    frame->ShowControlBar(bar, FALSE, TRUE);
    EXPECT_TRUE(floating->IsWindowVisible());
    idle();
    EXPECT_FALSE(floating->IsWindowVisible());
    EXPECT_FALSE(bar->IsWindowVisible());
    frame->DestroyWindow();
}

TEST(MdiFrameTest, ABarsMdiChildRemembersWhereItMovesButNotASizeWithoutAMove) {
    kit::display::Headless display;
    auto* frame = new SECMDIFrameWnd;
    SECControlBar* bar = nullptr;
    ASSERT_NO_FATAL_FAILURE(CreateFrameWithOutputBar(frame, bar));
    frame->FloatControlBarAsMDIChild(bar, -1, -1, CBRS_ALIGN_TOP);
    ASSERT_TRUE(bar->IsMDIChild());
    CWnd* child = bar->m_pDockBar->GetParent();
    child->SetWindowPos(nullptr, 40, 25, 200, 120, SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(bar->m_pDockContext->m_ptMRUFloatPos, CPoint(40, 25));
    // Sized without a move, it stays where it was; the coordinates a change without a move comes
    // with are not the child's place, whatever they are.
    child->SetWindowPos(nullptr, 0, 0, 260, 150, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(bar->m_pDockContext->m_ptMRUFloatPos, CPoint(40, 25));
    WINDOWPOS sized{child->m_hWnd, nullptr, 7, 9, 260, 150, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE};
    child->SendMessage(WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&sized));
    EXPECT_EQ(bar->m_pDockContext->m_ptMRUFloatPos, CPoint(40, 25));
    CRect now;
    child->GetWindowRect(&now);
    EXPECT_EQ(now.Size(), CSize(260, 150));
    frame->DestroyWindow();
}

TEST(MdiFrameTest, TheFramePaintsItsOwnGradientCaptionActiveAndInactive) {
    kit::display::Headless display;
    gdi::set_test_font_everywhere(true);
    auto* frame = new SECMDIFrameWnd;
    ASSERT_TRUE(
        frame->Create(nullptr, "Frame lab - main.asm", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 360, 120)));
    EXPECT_FALSE(frame->EnableCustomCaption(TRUE));
    frame->SendMessage(WM_NCACTIVATE, TRUE);
    // A point in the icon's square, which is black while active.
    const int x_text = ::GetSystemMetrics(SM_CXFRAME) + 1;
    const int y = ::GetSystemMetrics(SM_CYFRAME) + 2;
    const auto pixel = [&](int x) { return gdi::colorref_from_pixel(display.snapshot(frame->m_hWnd).row(y)[x]); };
    EXPECT_EQ(pixel(x_text), RGB(0, 0, 0));
    EXPECT_TRUE(
        testing_kit::matches_painted_golden(frame->m_hWnd, "uikit/frames/tests/golden/mdi_gradient_caption.png"));
    frame->SendMessage(WM_NCACTIVATE, FALSE);
    EXPECT_EQ(pixel(x_text), ::GetSysColor(COLOR_INACTIVECAPTION));
    // A new title is painted the same way.
    frame->SetWindowText("Frame lab");
    EXPECT_EQ(pixel(x_text), ::GetSysColor(COLOR_INACTIVECAPTION));
    frame->DestroyWindow();
    gdi::set_test_font_everywhere(false);
}

// Takes command 500 and claims 501 as its own without handling it; refuses a frame when told to.
class CountingExtension : public SECCmdExtension {
    DECLARE_DYNCREATE(CountingExtension)
public:
    static inline bool refuse = false;
    static inline DWORD made_with_style = 0;
    int taken = 0;
    BOOL Create(CWnd*, UINT, DWORD style, CCreateContext*) override {
        made_with_style = style;
        return TRUE;
    }
    BOOL AttachFrame(SECMDIFrameWnd*) override { return !refuse; }
    BOOL OnCmdMsg(UINT id, int code, void*, AFX_CMDHANDLERINFO*) override {
        if (code != CN_COMMAND) return FALSE;
        m_bOwnCommand = id == 501;
        if (id != 500) return FALSE;
        ++taken;
        return TRUE;
    }
};
IMPLEMENT_DYNCREATE(CountingExtension, SECCmdExtension)

// Has handlers of its own for 501 and 502.
class AnsweringFrame : public SECMDIFrameWnd {
public:
    std::vector<UINT> answered;
    afx_msg BOOL OnAnswer(UINT id) {
        answered.push_back(id);
        return TRUE;
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(AnsweringFrame, SECMDIFrameWnd)
ON_COMMAND_EX(501, OnAnswer)
ON_COMMAND_EX(502, OnAnswer)
END_MESSAGE_MAP()

TEST(MdiFrameTest, TheCommandExtensionSeesCommandsBeforeTheFrameAndItsOwnAnswerIsFinal) {
    kit::display::Headless display;
    auto* frame = new AnsweringFrame;
    ASSERT_TRUE(frame->Create(nullptr, "Frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 300, 200)));
    EXPECT_EQ(frame->CreateCmdExtension(frame, 7, nullptr, nullptr), nullptr);
    EXPECT_EQ(frame->CreateCmdExtension(frame, 7, RUNTIME_CLASS(CObject), nullptr), nullptr);
    CountingExtension::refuse = true;
    EXPECT_EQ(frame->CreateCmdExtension(frame, 7, RUNTIME_CLASS(CountingExtension), nullptr), nullptr);
    CountingExtension::refuse = false;
    auto* extension =
        static_cast<CountingExtension*>(frame->CreateCmdExtension(frame, 7, RUNTIME_CLASS(CountingExtension), nullptr));
    ASSERT_NE(extension, nullptr);
    EXPECT_EQ(CountingExtension::made_with_style, DWORD(0x80000001));

    for (UINT id : {500u, 501u, 502u}) frame->SendMessage(WM_COMMAND, id);
    EXPECT_EQ(extension->taken, 1);
    // 501 was the extension's to answer; 502 went on to the frame.
    EXPECT_EQ(frame->answered, std::vector<UINT>{502});
    EXPECT_FALSE(extension->m_bOwnCommand);
    frame->DestroyWindow();
}

}  // namespace
