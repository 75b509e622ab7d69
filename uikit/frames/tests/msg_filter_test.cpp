// Message filters: the tree and its dispatch, descriptor tables, and the
// caption controls laid out, drawn, pressed, tracked and fired on a real
// captioned window->
#include <gtest/gtest.h>

#include <vector>

#include "platform/display/headless.h"
#include "platform/gdi/surface_dc.h"
#include "uikit/frames/msg_filter.h"

namespace {

std::vector<int> seen;

// Answers each message with its id's answer and records that it saw it.
class Answering : public SECMsgFilter {
    DECLARE_DYNCREATE(Answering)
public:
    UINT answer = 0;
    UINT OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override {
        seen.push_back(m_nID);
        return answer | DispatchToChildren(message, wParam, lParam, result);
    }
};
IMPLEMENT_DYNCREATE(Answering, SECMsgFilter)

TEST(MsgFilterTest, DispatchOrsTheAnswersAndStopsAtTheStopBit) {
    SECMsgFilter root(nullptr, -1);
    auto* a = static_cast<Answering*>(root.FindFilter(1, RUNTIME_CLASS(Answering)));
    auto* b = static_cast<Answering*>(root.FindFilter(2, RUNTIME_CLASS(Answering)));
    auto* c = static_cast<Answering*>(root.FindFilter(3, RUNTIME_CLASS(Answering)));
    ASSERT_TRUE(a && b && c);
    a->answer = SEC_FILTER_HANDLED;
    seen.clear();
    EXPECT_EQ(root.ProcessMessage(WM_MOUSEMOVE, 0, 0, nullptr), SEC_FILTER_HANDLED);
    EXPECT_EQ(seen, (std::vector<int>{1, 2, 3}));
    b->answer = SEC_FILTER_STOP;
    seen.clear();
    EXPECT_EQ(root.ProcessMessage(WM_MOUSEMOVE, 0, 0, nullptr), SEC_FILTER_HANDLED | SEC_FILTER_STOP);
    EXPECT_EQ(seen, (std::vector<int>{1, 2}));  // the third never hears of it
    // Disabled filters answer nothing and pass nothing on.
    a->Enable(FALSE);
    b->Enable(FALSE);
    seen.clear();
    EXPECT_EQ(root.ProcessMessage(WM_MOUSEMOVE, 0, 0, nullptr), 0u);
    EXPECT_EQ(seen, (std::vector<int>{3}));
    root.Enable(FALSE);
    EXPECT_EQ(root.ProcessMessage(WM_MOUSEMOVE, 0, 0, nullptr), 0u);
}

TEST(MsgFilterTest, DescriptorTablesCreateAndSwitchFiltersById) {
    SECMsgFilter root(nullptr, -1);
    SECMsgFilter::DescriptorTable table;
    table.Add(10, SEC_FILTER_ROOT_PARENT, RUNTIME_CLASS(Answering), 0);
    table.Add(11, 10, RUNTIME_CLASS(Answering), 1);  // stays on when the table is switched off
    table.Add(12, 99, RUNTIME_CLASS(Answering), 0);  // its parent never exists
    const BOOL off[] = {FALSE, FALSE, FALSE};
    root.ApplyDescriptorTable(table, off);
    EXPECT_EQ(root.GetChildCount(), 0);  // switching off never creates
    const BOOL on[] = {TRUE, TRUE, TRUE};
    root.ApplyDescriptorTable(table, on);
    ASSERT_EQ(root.GetChildCount(), 1);
    SECMsgFilter* child = root.FindFilter(11, nullptr, -1);
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(root.FindFilter(11, nullptr, 0), nullptr);  // not a direct child
    EXPECT_EQ(root.FindFilter(12, nullptr, -1), nullptr);
    root.ApplyDescriptorTable(table, off);
    EXPECT_FALSE(root.FindFilter(10)->IsEnabled());
    EXPECT_TRUE(child->IsEnabled());
    // A clone copies the tree with its states.
    std::unique_ptr<SECMsgFilter> copy(root.Clone());
    ASSERT_NE(copy->FindFilter(11, nullptr, -1), nullptr);
    EXPECT_NE(copy->FindFilter(11, nullptr, -1), child);
    EXPECT_FALSE(copy->FindFilter(10)->IsEnabled());
}

class CaptionTest : public ::testing::Test {
protected:
    void SetUp() override {
        gdi::set_test_font_everywhere(true);
        window->Create(nullptr, "Captioned", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(10, 10, 410, 310));
        list = std::make_unique<SECCaptionControlListMsgFilter>();
        list->SetWindow(window, TRUE);
    }
    void TearDown() override {
        list.reset();
        if (window->m_hWnd) window->DestroyWindow();  // and deletes it
        MSG msg;
        while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
        AfxDeleteTempMaps();  // the wrappers of handles the painting saw
        gdi::set_test_font_everywhere(false);
    }
    SECCaptionControlMsgFilter& control(int id) {
        return *static_cast<SECCaptionControlMsgFilter*>(list->FindFilter(id));
    }
    // A point on a control, in screen coordinates.
    CPoint on(int id) {
        CRect window_rect;
        window->GetWindowRect(window_rect);
        const CPoint centre = control(id).m_rect.CenterPoint();
        return CPoint(centre.x + window_rect.left, centre.y + window_rect.top);
    }
    LPARAM at(CPoint p) { return MAKELPARAM(p.x, p.y); }
    // The client-coordinate lParam of a mouse message at a screen point.
    LPARAM client_at(CPoint p) {
        window->ScreenToClient(&p);
        return MAKELPARAM(p.x, p.y);
    }
    bool posted(WPARAM command) {
        MSG msg;
        bool found = false;
        while (PeekMessage(&msg, window->m_hWnd, WM_SYSCOMMAND, WM_SYSCOMMAND, PM_REMOVE))
            found = found || msg.wParam == command;
        return found;
    }

    kit::display::Headless display;
    CFrameWnd* window = new CFrameWnd;  // deletes itself when destroyed
    std::unique_ptr<SECCaptionControlListMsgFilter> list;
};

TEST_F(CaptionTest, ButtonsAreLaidOutRightToLeftAndHiddenWhenTheyDoNotApply) {
    list->LayoutButtons();
    const CRect caption = list->GetCaptionRect();
    const int frame_x = ::GetSystemMetrics(SM_CXFRAME);
    EXPECT_EQ(caption.left, frame_x);
    EXPECT_EQ(caption.Height(), ::GetSystemMetrics(SM_CYCAPTION) - ::GetSystemMetrics(SM_CYBORDER));
    const CSize button = list->GetButtonSize();
    EXPECT_EQ(button, CSize(::GetSystemMetrics(SM_CXSIZE) - 2, ::GetSystemMetrics(SM_CYSIZE) - 4));
    const int first = caption.right - button.cx - 2;
    EXPECT_EQ(control(SEC_CAPTION_CLOSE).m_rect,
              CRect(first, caption.top + 2, first + button.cx, caption.top + 2 + button.cy));
    // After the close button a gap of two pixels; a window neither maximised nor iconic has no restore button.
    EXPECT_EQ(control(SEC_CAPTION_MAX).m_rect.right, first - 2);
    EXPECT_TRUE(control(SEC_CAPTION_RESTORE).m_rect.IsRectEmpty());
    EXPECT_EQ(control(SEC_CAPTION_MIN).m_rect.right, control(SEC_CAPTION_MAX).m_rect.left);
    EXPECT_TRUE(control(SEC_CAPTION_HELP).m_rect.IsRectEmpty());
    // Hit-testing takes screen points.
    EXPECT_TRUE(control(SEC_CAPTION_CLOSE).HitTest(on(SEC_CAPTION_CLOSE).x, on(SEC_CAPTION_CLOSE).y));
    EXPECT_FALSE(control(SEC_CAPTION_CLOSE).HitTest(on(SEC_CAPTION_MIN).x, on(SEC_CAPTION_MIN).y));
    // Without a caption there is nothing to lay out.
    window->ModifyStyle(WS_CAPTION, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
    EXPECT_EQ(list->GetCaptionRect().Height(), 0);
}

TEST_F(CaptionTest, APressAndReleaseOnAButtonPostsItsCommand) {
    const CPoint close = (list->LayoutButtons(), on(SEC_CAPTION_CLOSE));
    RedrawWindow(window->m_hWnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    const gdi::Surface before = display.snapshot(window->m_hWnd);
    EXPECT_EQ(list->ProcessMessage(WM_NCLBUTTONDOWN, HTCAPTION, at(close), nullptr), SEC_FILTER_CONSUMED);
    SECCaptionControlMsgFilter& button = control(SEC_CAPTION_CLOSE);
    EXPECT_TRUE(button.m_bTracking);
    EXPECT_TRUE(button.m_nState & DFCS_PUSHED);
    EXPECT_EQ(::GetCapture(), window->m_hWnd);
    // The pushed button is drawn over the caption.
    const gdi::Surface pushed = display.snapshot(window->m_hWnd);
    EXPECT_FALSE(before.pixels() == pushed.pixels());

    // Off the button it comes up, back on it goes down again, and the release fires.
    list->ProcessMessage(WM_MOUSEMOVE, 0, client_at(CPoint(close.x - 100, close.y + 100)), nullptr);
    EXPECT_FALSE(button.m_nState & DFCS_PUSHED);
    list->ProcessMessage(WM_MOUSEMOVE, 0, client_at(close), nullptr);
    EXPECT_TRUE(button.m_nState & DFCS_PUSHED);
    EXPECT_EQ(list->ProcessMessage(WM_LBUTTONUP, 0, client_at(close), nullptr), SEC_FILTER_CONSUMED);
    EXPECT_FALSE(button.m_bTracking);
    EXPECT_EQ(::GetCapture(), nullptr);
    EXPECT_TRUE(posted(SC_CLOSE));

    // Released away from the button: nothing.
    const CPoint min = on(SEC_CAPTION_MIN);
    list->ProcessMessage(WM_NCLBUTTONDOWN, HTCAPTION, at(min), nullptr);
    list->ProcessMessage(WM_MOUSEMOVE, 0, client_at(CPoint(min.x, min.y + 100)), nullptr);
    list->ProcessMessage(WM_LBUTTONUP, 0, client_at(CPoint(min.x, min.y + 100)), nullptr);
    EXPECT_FALSE(posted(SC_MINIMIZE));
    // A press elsewhere in the caption is not the buttons'.
    EXPECT_EQ(list->ProcessMessage(WM_NCLBUTTONDOWN, HTCAPTION, at(CPoint(close.x - 200, close.y)), nullptr), 0u);
}

TEST_F(CaptionTest, ADisabledButtonSwallowsThePressWithoutACommand) {
    window->ModifyStyle(WS_MAXIMIZEBOX, 0);
    list->LayoutButtons();
    SECCaptionControlMsgFilter& maximise = control(SEC_CAPTION_MAX);
    EXPECT_TRUE(maximise.m_nState & DFCS_INACTIVE);
    EXPECT_EQ(list->ProcessMessage(WM_NCLBUTTONDOWN, HTCAPTION, at(on(SEC_CAPTION_MAX)), nullptr), SEC_FILTER_CONSUMED);
    EXPECT_FALSE(maximise.m_bTracking);
    EXPECT_EQ(::GetCapture(), nullptr);
    EXPECT_FALSE(posted(SC_MAXIMIZE));
}

TEST_F(CaptionTest, AHeldPressEndsTrackingWhenItsTimeComes) {
    list->LayoutButtons();
    SECCaptionControlMsgFilter& close = control(SEC_CAPTION_CLOSE);
    close.m_nHoldDelay = 500;
    list->ProcessMessage(WM_NCLBUTTONDOWN, HTCAPTION, at(on(SEC_CAPTION_CLOSE)), nullptr);
    ASSERT_NE(close.m_pHoldTimer, nullptr);
    EXPECT_TRUE(close.m_bTracking);
    display.advance(600);
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(&msg);
    EXPECT_FALSE(close.m_bTracking);
    EXPECT_EQ(close.m_pHoldTimer, nullptr);
    EXPECT_EQ(::GetCapture(), nullptr);
    EXPECT_FALSE(posted(SC_CLOSE));  // a hold has no command of its own
}

}  // namespace
