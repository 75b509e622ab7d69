// A frame as a workbook: the margins around the MDI area, one tab per
// worksheet below it with the widths, places and cut labels of the tabs,
// activation by a click, closing a sheet, tooltips for labels that do not
// fit, and a picture of the tabs.
#include <gtest/gtest.h>

#include <string>

#include "platform/gdi/png_writer.h"
#include "testing/golden.h"
#include "testing/painted_picture.h"
#include "uikit/frames/tests/docking_fixture.h"

namespace {

using namespace docking_test;

class WorkbookTest : public DockingTest {
protected:
    CRect mdi_area() {
        CRect r;
        ::GetWindowRect(frame->m_hWndMDIClient, &r);
        frame->ScreenToClient(&r);
        return r;
    }
    SECWorksheet& sheet(int index) { return *frame->GetSheet(index); }
    CPoint tab_centre(int index) {
        const SECWorkbook::TabPolygon p = frame->GetTabPolygon(&sheet(index));
        return CPoint((p[0].x + p[5].x) / 2, (p[0].y + p[2].y) / 2);
    }
};

TEST_F(WorkbookTest, WorkbookModeKeepsMarginsAroundTheMdiAreaAndOffTakesThemAway) {
    build();
    const CRect plain = mdi_area();
    frame->SetWorkbookMode(TRUE);
    int left = 0, right = 0, top = 0, bottom = 0;
    frame->GetClient()->GetMargins(&left, &right, &top, &bottom);
    EXPECT_EQ(CRect(left, top, right, bottom), CRect(13, 13, 13, 33));
    // The left dock bar grows by the border gap, then the margins.
    const int gap = 2;
    EXPECT_EQ(mdi_area(), CRect(plain.left + gap + 13, plain.top + 13, plain.right - 13, plain.bottom - 33));
    CRect area;
    frame->GetWorkbookArea(area);
    EXPECT_EQ(area, CRect(plain.left + gap, plain.top, plain.right, plain.bottom));
    // The dock bars keep their places.
    EXPECT_EQ(place(bar(0)), CRect(2, 0, 222, 205));

    // The left dock bar makes room for the border; bars in it keep their places.
    EXPECT_EQ(place(dock_bar(AFX_IDW_DOCKBAR_LEFT)).Width(), 220 + 2 + 6 + 2);

    frame->SetWorkbookMode(FALSE);
    EXPECT_EQ(place(dock_bar(AFX_IDW_DOCKBAR_LEFT)).Width(), 220 + 2 + 6);
    frame->GetClient()->GetMargins(&left, &right, &top, &bottom);
    EXPECT_EQ(CRect(left, top, right, bottom), CRect(0, 0, 0, 0));
    EXPECT_EQ(mdi_area(), plain);
}

TEST_F(WorkbookTest, AnotherFrameIgnoresTheWorkbooksMode) {
    build();
    frame->SetWorkbookMode(TRUE);
    auto* other = new SECMDIFrameWnd;
    ASSERT_TRUE(other->LoadFrame(IDR_DOCKING_FRAME));
    other->EnableDocking(CBRS_ALIGN_ANY);
    auto* side_bar = new SECControlBar;
    side_bar->m_bAutoDelete = TRUE;
    ASSERT_TRUE(side_bar->Create(other, "Side", kBarStyle, kBarExStyle, 100));
    side_bar->EnableDocking(CBRS_ALIGN_ANY);
    other->DockControlBarEx(side_bar, AFX_IDW_DOCKBAR_LEFT, 0, 0, 1.0f, 150);
    other->RecalcLayout();
    CRect left;
    other->GetControlBar(AFX_IDW_DOCKBAR_LEFT)->GetWindowRect(&left);
    EXPECT_EQ(left.Width(), 150 + 2 + 6);
    other->DestroyWindow();
}

TEST_F(WorkbookTest, TabsShareTheAreaUpToTheirWidestAndHangBelowTheClient) {
    build();
    frame->SetWorkbookMode(TRUE);
    // Wider than the frame's usual MDI area, so that one tab is as wide as a tab gets.
    frame->SetWindowPos(nullptr, 0, 0, 1000, 480, SWP_NOZORDER | SWP_NOMOVE);
    idle();
    frame->NewSheet("main.asm");
    idle();
    EXPECT_EQ(frame->GetTabWidth(), 90);
    frame->NewSheet("util.asm");
    frame->NewSheet("io.asm");
    frame->NewSheet("data.asm");
    frame->NewSheet("more.asm");
    idle();
    const CRect rc = mdi_area();
    const int width = std::min((rc.Width() + 5) / 5, 90);
    EXPECT_EQ(frame->GetTabWidth(), width);
    // The active sheet (the last made) is wider, taller and moved left by half the extra width.
    const SECWorkbook::TabPolygon inactive = frame->GetTabPolygon(&sheet(1));
    EXPECT_EQ(inactive[0], CPoint(rc.left + width, rc.bottom + 4));
    EXPECT_EQ(inactive[2], CPoint(rc.left + width + 2, rc.bottom + 4 + 23));
    EXPECT_EQ(inactive[5], CPoint(rc.left + 2 * width, rc.bottom + 4));
    const SECWorkbook::TabPolygon active = frame->GetTabPolygon(&sheet(4));
    EXPECT_EQ(active[0], CPoint(rc.left + 4 * width - 2, rc.bottom + 4));
    EXPECT_EQ(active[2].y, rc.bottom + 4 + 23 + 2);
    EXPECT_EQ(active[5].x - active[0].x, width + 4);
    // A hidden sheet takes no place: the next one moves into it.
    sheet(1).ShowWindow(SW_HIDE);
    EXPECT_EQ(frame->GetTabPolygon(&sheet(2))[0].x, rc.left + width);
}

TEST_F(WorkbookTest, AClickOnATabActivatesItsSheetAndClosingOneTakesItsTab) {
    build_workbook();
    ASSERT_EQ(frame->GetSheetCount(), 3);
    EXPECT_EQ(frame->MDIGetActive(), &sheet(0));
    display.click(frame->m_hWnd, tab_centre(2));
    idle();
    EXPECT_EQ(frame->MDIGetActive(), &sheet(2));
    EXPECT_FALSE(sheet(2).m_bPressed) << "the release clears it";
    display.advance(1000);
    // A click on the active sheet's tab changes nothing.
    display.click(frame->m_hWnd, tab_centre(2));
    idle();
    EXPECT_EQ(frame->MDIGetActive(), &sheet(2));
    display.advance(1000);
    display.click(frame->m_hWnd, tab_centre(1));
    idle();
    EXPECT_EQ(frame->MDIGetActive(), &sheet(1));
    display.advance(1000);

    // Closing the middle sheet renumbers the one after it.
    SECWorksheet* last = &sheet(2);
    sheet(1).SendMessage(WM_CLOSE);
    idle();
    ASSERT_EQ(frame->GetSheetCount(), 2);
    EXPECT_EQ(&sheet(1), last);
    EXPECT_EQ(last->m_nTabIndex, 1);
    EXPECT_EQ(frame->GetTabPolygon(last)[0].x,
              mdi_area().left + frame->GetTabWidth() - 2 * (frame->MDIGetActive() == last));
}

TEST_F(WorkbookTest, ABarMovedIntoTheMdiAreaIsASheetWithItsTab) {
    build_workbook();
    ASSERT_EQ(frame->GetSheetCount(), 3);
    frame->ShowControlBar(&bar(4), TRUE, FALSE);
    frame->FloatControlBarAsMDIChild(&bar(4), -1, -1, CBRS_ALIGN_TOP);
    idle();
    ASSERT_EQ(frame->GetSheetCount(), 4);
    SECWorksheet& watch_sheet = sheet(3);
    EXPECT_TRUE(watch_sheet.IsKindOf(RUNTIME_CLASS(SECControlBarWorksheet)));
    EXPECT_EQ(frame->GetSheetLabel(&watch_sheet), "Watch Window");
    EXPECT_EQ(static_cast<SECControlBarWorksheet&>(watch_sheet).GetHostedBar(), &bar(4));
    // Closing it hides the bar and its sheet; the sheet stays for when the bar comes back.
    watch_sheet.SendMessage(WM_CLOSE);
    idle();
    EXPECT_FALSE(bar(4).IsVisible());
    EXPECT_FALSE(watch_sheet.IsWindowVisible());
    EXPECT_EQ(frame->GetSheetCount(), 4);
    frame->ShowControlBar(&bar(4), TRUE, FALSE);
    idle();
    EXPECT_TRUE(watch_sheet.IsWindowVisible());
}

TEST_F(WorkbookTest, ALabelThatDoesNotFitIsCutAndShownWhole) {
    build_workbook();
    CClientDC dc(frame);
    // One character less at a time, ending in "..."; labels under four characters stay.
    const CString cut = frame->FitTabLabel(&dc, "a_rather_long_file_name.asm", 60);
    EXPECT_EQ(cut.Right(3), "...");
    EXPECT_LE(dc.GetTextExtent(cut).cx, 60);
    const CString one_more =
        cut.Left(cut.GetLength() - 3) + CString("a_rather_long_file_name.asm")[cut.GetLength() - 3] + "...";
    EXPECT_GT(dc.GetTextExtent(one_more).cx, 60);
    EXPECT_EQ(frame->FitTabLabel(&dc, "abc", 1), "abc");
    EXPECT_EQ(frame->FitTabLabel(&dc, "main.asm", 200), "main.asm");

    EXPECT_TRUE(frame->TabLabelFits(&sheet(0)));
    EXPECT_FALSE(frame->TabLabelFits(&sheet(2)));
    CWnd::ToolHit hit;
    EXPECT_EQ(frame->OnToolHitTest(tab_centre(2), &hit), 3);
    EXPECT_STREQ(hit.text, "a_rather_long_file_name.asm");
    EXPECT_EQ(frame->OnToolHitTest(tab_centre(0), &hit), -1) << "a label that fits needs no tip";
    EXPECT_EQ(frame->OnToolHitTest(CPoint(300, 100), &hit), -1);
}

TEST_F(WorkbookTest, TheTabsLookAsReviewed) {
    build_workbook();
    EXPECT_TRUE(testing_kit::matches_painted_golden(frame->m_hWnd, "uikit/frames/tests/golden/workbook.png"));
}

}  // namespace
