// A document window of the lab switched from its caption: the right double
// click docks the MDI child, the state menu's choices dock it at a side and
// make it an MDI child again, the caption button swaps the two, and a right
// click on the docked window's bar shows the state menu; the document keeps
// one window throughout; a layout saved while it is docked brings every bar
// back at the next start.
#include <gtest/gtest.h>

#include "testing/painted_picture.h"
#include "tools/framelab/tests/lab_fixture.h"
#include "uikit/frames/frame_wnd.h"
#include "uikit/frames/layout_text.h"
#include "uikit/frames/sys_command.h"

namespace {

using namespace framelab;
using namespace nsSysCommandEx;

class DocumentsTest : public FrameLabTest {
protected:
    void SetUp() override {
        FrameLabTest::SetUp();
        build("documents");
        POSITION at = app.Sources()->GetFirstDocPosition();
        document = at ? app.Sources()->GetNextDoc(at) : nullptr;
        ASSERT_NE(document, nullptr);
    }
    // The document's only window.
    CFrameWnd* window() {
        int views = 0;
        CView* view = nullptr;
        for (POSITION at = document->GetFirstViewPosition(); at; ++views) view = document->GetNextView(at);
        EXPECT_EQ(views, 1);
        return view ? view->GetParentFrame() : nullptr;
    }
    SECDockableFrame* docked() { return dynamic_cast<SECDockableFrame*>(window()); }
    LabDocumentFrame* child() { return dynamic_cast<LabDocumentFrame*>(window()); }
    // What the state menu sends for the item chosen.
    void choose(UINT state) {
        SysCommandRecord record;
        record.window = window()->m_hWnd;
        record.target = state;
        SendSysCommandEx(record.window, SCX_SWITCHSTATE, record);
        idle();
    }
    UINT side_of(SECDockableFrame* frame) {
        CControlBar* bar = frame->GetFrameBar();
        return bar && bar->m_pDockBar ? UINT(bar->m_pDockBar->GetDlgCtrlID()) : 0;
    }

    CDocument* document = nullptr;
};

TEST_F(DocumentsTest, TheCaptionDocksADocumentWindowAndTheStateMenuMakesItAnMdiChildAgain) {
    ASSERT_NE(child(), nullptr);
    const HWND was = child()->m_hWnd;
    CRect caption;
    child()->GetWindowRect(&caption);
    child()->SendMessage(WM_NCRBUTTONDBLCLK_MSG, HTCAPTION, MAKELPARAM(caption.left + 40, caption.top + 8));
    idle();
    ASSERT_NE(docked(), nullptr) << "a right double click on the caption docks it";
    EXPECT_FALSE(::IsWindow(was));
    EXPECT_FALSE(docked()->IsFloating());
    EXPECT_EQ(side_of(docked()), UINT(AFX_IDW_DOCKBAR_LEFT));
    EXPECT_TRUE(docked()->IsWindowVisible());
    EXPECT_STREQ(docked()->GetFrameBar()->GetWindowText(), document->GetTitle());

    choose(SCX_STATE_DOCKED_BOTTOM);
    ASSERT_NE(docked(), nullptr);
    EXPECT_EQ(side_of(docked()), UINT(AFX_IDW_DOCKBAR_BOTTOM));
    const DWORD style = docked()->GetFrameBar()->GetBarStyle();
    EXPECT_EQ(style & CBRS_ALIGN_ANY, DWORD(CBRS_ALIGN_BOTTOM));
    EXPECT_TRUE(style & CBRS_BORDER_TOP);

    const HWND bar = docked()->GetFrameBar()->m_hWnd;
    choose(SCX_STATE_MAXIMIZED);
    ASSERT_NE(child(), nullptr) << "the state menu makes it an MDI child again";
    EXPECT_FALSE(::IsWindow(bar)) << "its bar goes with the docked window";
    BOOL maximised = FALSE;
    EXPECT_EQ(frame->MDIGetActive(&maximised), child());
    EXPECT_TRUE(maximised);

    // Minimized, it is a strip along the bottom of the MDI area; restored, it has its place back.
    choose(SCX_STATE_MINIMIZED);
    ASSERT_NE(child(), nullptr);
    EXPECT_TRUE(child()->IsIconic());
    EXPECT_EQ(frame->MDIGetActive(&maximised), child());
    EXPECT_FALSE(maximised);
    CRect strip, area;
    child()->GetWindowRect(&strip);
    ::GetClientRect(frame->m_hWndMDIClient, &area);
    ::MapWindowPoints(frame->m_hWndMDIClient, nullptr, reinterpret_cast<POINT*>(&area), 2);
    EXPECT_LT(strip.Height(), 2 * ::GetSystemMetrics(SM_CYCAPTION));
    EXPECT_EQ(strip.bottom, area.bottom);
    choose(SCX_STATE_RESTORED);
    EXPECT_FALSE(child()->IsIconic());
    CRect restored;
    child()->GetWindowRect(&restored);
    EXPECT_GT(restored.Height(), 2 * ::GetSystemMetrics(SM_CYCAPTION));
}

TEST_F(DocumentsTest, TheCaptionButtonAndTheDockedBarsMenuSwapAnMdiChildAndADockedWindow) {
    ASSERT_NE(child(), nullptr);
    // The button on the child's caption: pressed and released over it.
    SECMsgFilter* list = child()->GetRootFilter()->FindFilter(256, nullptr, -1);
    auto* button = dynamic_cast<ScxButtonMsgFilter*>(child()->GetRootFilter()->FindFilter(258, nullptr, -1));
    ASSERT_NE(list, nullptr);
    ASSERT_NE(button, nullptr);
    static_cast<SECCaptionControlListMsgFilter*>(list)->LayoutButtons();
    ASSERT_FALSE(button->m_rect.IsRectEmpty());
    CRect window_rect;
    child()->GetWindowRect(&window_rect);
    CPoint at(window_rect.left + button->m_rect.CenterPoint().x, window_rect.top + button->m_rect.CenterPoint().y);
    child()->SendMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(at.x, at.y));
    child()->ScreenToClient(&at);
    child()->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    idle();
    ASSERT_NE(docked(), nullptr) << "a click on the caption button docks it";
    EXPECT_EQ(side_of(docked()), UINT(AFX_IDW_DOCKBAR_LEFT));

    // A right click on the docked window's bar shows the state menu; "&MDI Child" takes it back.
    SECFrameBar* bar = docked()->GetFrameBar();
    CRect gripper;
    bar->GetWindowRect(&gripper);
    display.then([&] { display.press('M'); });
    bar->SendMessage(WM_CONTEXTMENU, WPARAM(bar->m_hWnd), MAKELPARAM(gripper.left + 3, gripper.top + 3));
    idle();
    EXPECT_NE(child(), nullptr) << "the state menu's MDI Child item makes it an MDI child again";
    EXPECT_EQ(display.steps_left(), 0u);

    // Its default switch docks it again.
    choose(SCX_STATE_DEFAULT);
    EXPECT_NE(docked(), nullptr);
}

// Closed with its document docked, the lab starts again with every bar where the layout it saved
// puts it; the docked document's bar, which comes only with its document, is all it leaves out.
TEST_F(DocumentsTest, ALayoutSavedWithADocumentDockedBringsEveryBarBackAtTheNextStart) {
    frame->layout_name = "lab";
    // A layout of the user's own: the memory window beside the output, the registers floating.
    frame->ShowControlBar(&bar(2), TRUE, FALSE);
    frame->FloatControlBarEx(&bar(3), 420, 40, CBRS_ALIGN_TOP);
    idle();
    const auto places = [&] {
        std::string text = "client " + sec_rect_text(frame->GetLastClientRect()) + "\n";
        for (std::size_t i = 0; i < kBars.size(); ++i) {
            LabBar& each = frame->bars[i];
            text += std::string(kBars[i].title) + (each.IsVisible() ? " shown " : " hidden ") +
                    sec_rect_text(place(each)) + (each.IsFloating() ? " floating\n" : "\n");
        }
        return text;
    };
    const std::string saved = places();

    choose(SCX_STATE_DOCKED);
    ASSERT_NE(docked(), nullptr);
    const UINT bar_id = UINT(docked()->GetFrameBar()->GetDlgCtrlID());
    EXPECT_EQ(::GetDlgItem(frame->m_hWnd, int(bar_id)), nullptr) << "no window of the frame has its bar's id";
    frame->SendMessage(WM_CLOSE);
    ASSERT_EQ(app.m_pMainWnd, nullptr);
    idle();
    EXPECT_TRUE(quit_seen) << "closing the main frame ends the program";

    ASSERT_TRUE(app.InitInstance());
    frame = app.frame();
    build("documents");
    frame->layout_name = "lab";
    const os::Status restored = frame->RestoreLayout();
    ASSERT_TRUE(restored) << restored.error().text;
    idle();
    EXPECT_EQ(places(), saved);
    EXPECT_EQ(frame->GetControlBar(bar_id), nullptr) << "nothing is made for the document's bar";
    EXPECT_TRUE(
        testing_kit::matches_painted_golden(frame->m_hWnd, "tools/framelab/tests/golden/documents_restored.png"));
}

}  // namespace
