// The single-document docking frame: a bar docked, dragged off
// to float and docked again by a double click; a dialog bar from a template
// with the template's size in every state; the layout with a dialog bar the
// new frame lacks, and one with a bar in an MDI child, which it has no room
// for; and the frame's own caption.
#include <gtest/gtest.h>

#include "platform/gdi/surface.h"
#include "uikit/frames/tests/docking_fixture.h"
#include "uikit/frames/dialog_bar.h"
#include "uikit/frames/dock_context.h"
#include "uikit/frames/dock_state.h"
#include "uikit/frames/frame_wnd.h"
#include "uikit/frames/gradient_caption.h"

namespace {

using namespace docking_test;

class FrameWndTest : public DockingTest {
protected:
    void SetUp() override {
        DockingTest::SetUp();
        sdi = make_frame();
    }
    void TearDown() override {
        if (sdi) sdi->DestroyWindow();
        DockingTest::TearDown();
    }
    SECFrameWnd* make_frame() {
        auto* made = new SECFrameWnd;
        EXPECT_TRUE(made->LoadFrame(IDR_DOCKING_FRAME));
        made->SetWindowPos(nullptr, 40, 40, 600, 400, SWP_NOZORDER);
        made->ShowWindow(SW_SHOW);
        made->EnableDocking(CBRS_ALIGN_ANY);
        return made;
    }
    SECControlBar* dock_bar_in(SECFrameWnd* frame_wnd, UINT id, UINT side) {
        auto* made = new SECControlBar;
        made->m_bAutoDelete = TRUE;
        EXPECT_TRUE(made->Create(frame_wnd, "Output Window", kBarStyle, kBarExStyle, id));
        made->EnableDocking(CBRS_ALIGN_ANY);
        frame_wnd->DockControlBarEx(made, side, 0, 0, 1.0f, 120);
        frame_wnd->RecalcLayout();
        return made;
    }
    SECDialogBar* dialog_bar_in(SECFrameWnd* frame_wnd, UINT id) {
        auto* made = new SECDialogBar;
        made->m_bAutoDelete = TRUE;
        EXPECT_TRUE(made->Create(frame_wnd, IDD_ADDRESS_BAR, WS_VISIBLE | CBRS_ALIGN_TOP, kBarExStyle, id));
        made->EnableDocking(CBRS_ALIGN_ANY);
        frame_wnd->DockControlBarEx(made, AFX_IDW_DOCKBAR_TOP, 0, 0, 1.0f, made->m_sizeDefault.cy);
        frame_wnd->RecalcLayout();
        return made;
    }
    CRect place_in(CFrameWnd* frame_wnd, CWnd& wnd) {
        CRect r;
        wnd.GetWindowRect(&r);
        frame_wnd->ScreenToClient(&r);
        return r;
    }
    SECFrameWnd* sdi = nullptr;
};

TEST_F(FrameWndTest, ABarDocksFloatsByDragAndDocksAgainByDoubleClick) {
    SECControlBar* output = dock_bar_in(sdi, 101, AFX_IDW_DOCKBAR_BOTTOM);
    idle();
    EXPECT_EQ(UINT(output->m_pDockBar->GetDlgCtrlID()), UINT(AFX_IDW_DOCKBAR_BOTTOM));
    EXPECT_EQ(place_in(sdi, *output).Height(), 120);
    const CPoint grip = place_in(sdi, *output).TopLeft() + CSize(7, 60);
    display.move(sdi->m_hWnd, grip);
    display.button(sdi->m_hWnd, grip, true);
    display.then([&] {
        display.move(sdi->m_hWnd, CPoint(300, 100));
        display.button(sdi->m_hWnd, CPoint(300, 100), false);
    });
    idle();
    display.advance(1000);
    ASSERT_TRUE(output->IsFloating());
    EXPECT_TRUE(output->GetParentFrame()->IsKindOf(RUNTIME_CLASS(SECMiniDockFrameWnd)));
    EXPECT_EQ(::GetCapture(), nullptr);
    // A double click on the floating bar docks it where it was.
    CRect floating_place;
    output->GetWindowRect(&floating_place);
    sdi->ScreenToClient(&floating_place);
    const CPoint on_bar = floating_place.TopLeft() + CSize(7, 40);
    display.click(sdi->m_hWnd, on_bar);
    display.click(sdi->m_hWnd, on_bar);
    idle();
    EXPECT_FALSE(output->IsFloating());
    EXPECT_EQ(UINT(output->m_pDockBar->GetDlgCtrlID()), UINT(AFX_IDW_DOCKBAR_BOTTOM));
}

TEST_F(FrameWndTest, ADialogBarTakesItsTemplatesSizeInEveryState) {
    SECDialogBar* address = new SECDialogBar;
    address->m_bAutoDelete = TRUE;
    ASSERT_TRUE(address->Create(sdi, IDD_ADDRESS_BAR, WS_VISIBLE | CBRS_ALIGN_TOP, kBarExStyle, 110));
    EXPECT_GT(address->m_sizeDefault.cx, 0);
    EXPECT_EQ(address->m_szFloat, address->m_sizeDefault);
    EXPECT_EQ(address->m_szHorzDock, address->m_sizeDefault);
    EXPECT_EQ(address->m_szVertDock, address->m_sizeDefault);
    EXPECT_EQ(address->CalcFixedLayout(FALSE, TRUE), address->m_sizeDefault);
    EXPECT_EQ(address->GetDlgCtrlID(), 110);
    EXPECT_FALSE(address->GetStyle() & WS_CAPTION);
    EXPECT_NE(address->GetDlgItem(0x8202), nullptr) << "the template's controls are its children";
    EXPECT_TRUE(address->IsVisible());
    EXPECT_EQ(sdi->GetControlBar(110), address);
    // A template that does not exist makes no bar.
    SECDialogBar missing;
    EXPECT_FALSE(missing.Create(sdi, 0x7777, WS_VISIBLE | CBRS_ALIGN_TOP, 0, 111));
    EXPECT_EQ(sdi->GetControlBar(111), nullptr);
}

TEST_F(FrameWndTest, TheLayoutMakesTheDialogBarANewFrameLacks) {
    dock_bar_in(sdi, 101, AFX_IDW_DOCKBAR_BOTTOM);
    dialog_bar_in(sdi, 110);
    idle();
    sdi->SaveBarState("Sdi");
    sdi->DestroyWindow();
    sdi = make_frame();
    dock_bar_in(sdi, 101, AFX_IDW_DOCKBAR_LEFT);
    idle();
    const os::Status loaded = sdi->LoadBarState("Sdi");
    ASSERT_TRUE(loaded) << loaded.error().text;
    idle();
    CControlBar* made = sdi->GetControlBar(110);
    ASSERT_NE(made, nullptr);
    ASSERT_TRUE(made->IsKindOf(RUNTIME_CLASS(SECDialogBar)));
    EXPECT_NE(made->GetDlgItem(0x8202), nullptr);
    EXPECT_EQ(UINT(made->m_pDockBar->GetDlgCtrlID()), UINT(AFX_IDW_DOCKBAR_TOP));
    EXPECT_EQ(UINT(sdi->GetControlBar(101)->m_pDockBar->GetDlgCtrlID()), UINT(AFX_IDW_DOCKBAR_BOTTOM));
}

TEST_F(FrameWndTest, ADockableFrameDocksFloatsAndGoesWithItsBar) {
    auto* dockable = new SECDockableFrame;
    ASSERT_TRUE(dockable->CreateHosted(sdi, "Symbols", 120));
    SECFrameBar* host = dockable->GetFrameBar();
    ASSERT_NE(host, nullptr);
    EXPECT_EQ(host->GetFrame(), dockable);
    EXPECT_EQ(sdi->GetControlBar(120), host);
    EXPECT_TRUE(dockable->GetExStyle() & WS_EX_TOOLWINDOW);
    sdi->DockControlBarEx(host, AFX_IDW_DOCKBAR_LEFT, 0, 0, 1.0f, 180);
    sdi->RecalcLayout();
    idle();
    EXPECT_FALSE(dockable->IsFloating());
    // The frame fills its bar's inside rectangle.
    CRect inside, frame_place;
    host->GetInsideRect(inside);
    dockable->GetWindowRect(&frame_place);
    host->ScreenToClient(&frame_place);
    EXPECT_EQ(frame_place, inside);
    EXPECT_GT(inside.Width(), 100);

    sdi->FloatControlBarEx(host, 300, 200, CBRS_ALIGN_TOP);
    idle();
    EXPECT_TRUE(dockable->IsFloating());
    EXPECT_STREQ(host->GetParentFrame()->GetWindowText(), "Symbols");
    // The layout leaves a floating dockable frame's floating frame to the application.
    SECDockState state;
    state.GetFrameState(sdi);
    for (int i = 0; i < state.GetInfoCount(); ++i) EXPECT_NE(state.GetInfo(i)->m_nBarID, UINT(AFX_IDW_DOCKBAR_FLOAT));

    dockable->DestroyWindow();
    idle();
    EXPECT_EQ(sdi->GetControlBar(120), nullptr);
}

TEST_F(FrameWndTest, ALayoutWithABarInAnMdiChildIsRefusedWithItsReason) {
    SECControlBar* output = dock_bar_in(sdi, 101, AFX_IDW_DOCKBAR_BOTTOM);
    // Saved from the workbook with a bar floating in its MDI area.
    build();
    frame->FloatControlBarAsMDIChild(&bar(4), -1, -1, CBRS_ALIGN_TOP);
    idle();
    ASSERT_TRUE(bar(4).IsMDIChild());
    frame->SaveBarState("Mixed");
    const os::Status loaded = sdi->LoadBarState("Mixed");
    ASSERT_FALSE(loaded);
    EXPECT_NE(loaded.error().text.find("without MDI children"), std::string::npos) << loaded.error().text;
    EXPECT_EQ(UINT(output->m_pDockBar->GetDlgCtrlID()), UINT(AFX_IDW_DOCKBAR_BOTTOM));
}

TEST_F(FrameWndTest, TheFramePaintsItsOwnCaption) {
    EXPECT_EQ(sec_gradient_band(RGB(0, 0, 0), RGB(0, 0, 200), 0, 60), RGB(0, 0, 0));
    EXPECT_EQ(sec_gradient_band(RGB(0, 0, 0), RGB(0, 0, 200), 59, 60), RGB(0, 0, 199));  // 8.8 steps fall short
    EXPECT_EQ(sec_gradient_band(RGB(10, 20, 30), RGB(10, 20, 30), 7, 60), RGB(10, 20, 30));
    EXPECT_EQ(sec_gradient_band(RGB(255, 0, 0), RGB(0, 0, 0), 1, 1), RGB(255, 0, 0));
    sdi->SetWindowText("Frame lab - main.asm");
    sdi->SetCustomCaption(TRUE);
    sdi->SendMessage(WM_NCACTIVATE, TRUE);
    sdi->SendMessage(WM_NCPAINT, 1);
    CRect caption;
    sdi->GetCaptionRect(caption);
    ASSERT_FALSE(caption.IsRectEmpty());
    EXPECT_EQ(sdi->m_rectCaption, caption);
    const gdi::Surface picture = display.snapshot(sdi->m_hWnd);
    ASSERT_FALSE(picture.empty());
    // The icon square is black; toward the right the gradient reaches the caption colour.
    EXPECT_EQ(picture.at(caption.left + 2, caption.top + 2), 0x000000u);
    const gdi::Pixel right = picture.at(caption.right - 1, caption.bottom - 2);
    EXPECT_NE(right, 0x000000u);
    // Inactive, it is the inactive colour all across.
    sdi->SendMessage(WM_NCACTIVATE, FALSE);
    const gdi::Surface inactive = display.snapshot(sdi->m_hWnd);
    EXPECT_EQ(inactive.at(caption.right - 1, caption.bottom - 2),
              gdi::pixel_from_colorref(::GetSysColor(COLOR_INACTIVECAPTION)));
}

}  // namespace
