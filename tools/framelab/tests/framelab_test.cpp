// The frame lab headless: the IDE's six docking windows laid out in rows with
// splitters, proportional widths and their rounding, row normalisation,
// splitter drags with their limits and every way a drag ends, showing and
// hiding at once and at idle time, the gripper buttons, the context menu,
// caption filters, MDI children in the docked frame, and a picture.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/display/headless.h"
#include "platform/gdi/png_writer.h"
#include "platform/gdi/surface_dc.h"
#include "testing/golden.h"
#include "testing/painted_picture.h"
#include "testing/temp_dir.h"
#include "tools/framelab/lab.h"
#include "tools/framelab/tests/lab_fixture.h"
#include "uikit/frames/dock_layout.h"
#include "uikit/frames/sys_colors.h"

namespace {

using namespace framelab;

TEST_F(FrameLabTest, TheIdesSixWindowsDockWhereTheIdePutsThem) {
    build();
    const struct {
        int bar;
        CRect expected;
    } kPlaces[] = {
        {0, CRect(2, 0, 222, 205)},    // workspace: after the left edge, 220 wide
        {4, CRect(0, 211, 153, 431)},  // watch, register, memory, output share the bottom row
        {3, CRect(159, 211, 312, 431)}, {2, CRect(318, 211, 471, 431)},
        {1, CRect(477, 211, 632, 431)},  // the last takes what the others leave
        {5, CRect(410, 0, 630, 205)},    // disassembly: after the right row splitter
    };
    for (const auto& item : kPlaces) {
        EXPECT_EQ(place(bar(item.bar)), item.expected) << kBars[std::size_t(item.bar)].title;
        EXPECT_TRUE(bar(item.bar).IsVisible());
    }
    EXPECT_EQ(frame->GetLastClientRect(), CRect(228, 0, 404, 205));
    EXPECT_EQ(place(dock_bar(AFX_IDW_DOCKBAR_TOP)).Height(), 0);  // nothing docked: no room taken
    EXPECT_EQ(splitter_place(AFX_IDW_DOCKBAR_BOTTOM, false), CRect(0, 205, 632, 211));
    EXPECT_EQ(splitter_place(AFX_IDW_DOCKBAR_BOTTOM, true, 0), CRect(153, 211, 159, 431));
    EXPECT_EQ(splitter_place(AFX_IDW_DOCKBAR_LEFT, false), CRect(222, 0, 228, 205));
    // Each id is the first free one from the table's.
    for (std::size_t i = 0; i < kBars.size(); ++i) EXPECT_EQ(UINT(bar(int(i)).GetDlgCtrlID()), kBars[i].id);
    EXPECT_EQ(FindUnusedBarID(frame, 100), 106u);
    EXPECT_EQ(FindUnusedBarID(nullptr, 100), 0u);
}

TEST_F(FrameLabTest, RowsShareTheirLengthByRelativeWidthsAndTheLastBarTakesTheRest) {
    const struct {
        std::vector<float> pcts;
        int extent;
        std::vector<int> lengths;
    } kRows[] = {
        {{0.75f, 0.25f}, 406, {300, 100}},
        {{0.5f, 0.5f}, 406, {200, 200}},
        {{1.0f, 1.0f, 1.0f}, 406, {131, 131, 132}},  // truncated; the last is 406 - 2 x 6 - 262
        {{0.0f, 0.0f}, 406, {200, 200}},             // a row of zero widths shares evenly
        {{0.5f, 0.5f}, 0, {0, 0}},                   // a dock bar with no length divides nothing
    };
    for (const auto& row : kRows) {
        std::vector<SECControlBar*> bars;
        SECDockBar& top = dock_bar(AFX_IDW_DOCKBAR_TOP);
        for (std::size_t i = 0; i < row.pcts.size(); ++i) {
            auto* made = new SECControlBar;
            made->m_bAutoDelete = TRUE;
            ASSERT_TRUE(made->Create(frame, "bar", WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, 0, 300 + UINT(i)));
            made->EnableDocking(CBRS_ALIGN_ANY);
            frame->DockControlBarEx(made, AFX_IDW_DOCKBAR_TOP, int(i), 0, row.pcts[i], 50);
            bars.push_back(made);
        }
        AFX_SIZEPARENTPARAMS layout{};
        layout.rect = CRect(0, 0, row.extent, 300);
        layout.hDWP = ::BeginDeferWindowPos(4);
        top.m_pLayoutParams = &layout;
        const CSize size = top.CalcFixedLayout(FALSE, TRUE);
        top.m_pLayoutParams = nullptr;
        ::EndDeferWindowPos(layout.hDWP);
        EXPECT_EQ(size.cy, 2 + 50 + 6);  // edge, row, row splitter
        for (std::size_t i = 0; i < bars.size(); ++i) {
            EXPECT_EQ(bars[i]->m_szHorzDock.cx, row.lengths[i]) << row.extent << " bar " << i;
            EXPECT_EQ(bars[i]->m_szHorzDock.cy, 50);
        }
        for (SECControlBar* made : bars) made->DestroyWindow();
    }
}

TEST_F(FrameLabTest, NormalisingARowGivesEveryBarItsMinimum) {
    build();
    SECDockBar& bottom = dock_bar(AFX_IDW_DOCKBAR_BOTTOM);
    bottom.CalcMinPct(400);
    EXPECT_FLOAT_EQ(bottom.m_fMinPct, 0.045f);
    bar(4).m_fPctWidth = 0.5f;
    bar(3).m_fPctWidth = 0.5f;
    bar(2).m_fPctWidth = 0.0f;
    frame->ShowControlBar(&bar(1), FALSE, FALSE);
    bottom.CalcMinPct(400);
    bottom.NormalizeRow(1, nullptr);
    EXPECT_NEAR(bar(4).m_fPctWidth, 0.455f, 1e-5);
    EXPECT_NEAR(bar(3).m_fPctWidth, 0.5f, 1e-5);
    EXPECT_NEAR(bar(2).m_fPctWidth, 0.045f, 1e-5);
    // Limits of a dock bar without length: the minimum falls back to 0.05.
    bottom.CalcMinPct(0);
    EXPECT_FLOAT_EQ(bottom.m_fMinPct, 0.05f);
}

TEST_F(FrameLabTest, AnInRowSplitterDragStopsAt24PixelsForEachBar) {
    build();
    const CRect first = splitter_place(AFX_IDW_DOCKBAR_BOTTOM, true, 0);
    const CPoint grab = first.CenterPoint();
    drag(grab, CPoint(grab.x + 2000, grab.y));
    // Three bars after the splitter keep 24 pixels each of the 632: its far edge stops at 560.
    SECDockBar& bottom = dock_bar(AFX_IDW_DOCKBAR_BOTTOM);
    EXPECT_GE(place(bar(4)).Width(), 540);
    for (int i : {3, 2, 1}) EXPECT_GE(place(bar(i)).Width(), kSecMinLength) << i;
    EXPECT_TRUE(bottom.IsBarExpanded(&bar(4)) || place(bar(4)).Width() < 560);
    int total = 0;
    for (int i : {4, 3, 2, 1}) total += place(bar(i)).Width();
    EXPECT_EQ(total + 3 * kSecSplitterSize, 632);

    // Back the other way: the bar before the splitter keeps its 24 pixels.
    const CRect moved = splitter_place(AFX_IDW_DOCKBAR_BOTTOM, true, 0);
    drag(moved.CenterPoint(), CPoint(-500, moved.CenterPoint().y));
    EXPECT_GE(place(bar(4)).Width(), kSecMinLength);
    EXPECT_LE(place(bar(4)).Width(), kSecMinDragLength);
}

TEST_F(FrameLabTest, ARowSplitterKeepsTheRowAndTheClientAreaAtLeast19Pixels) {
    build();
    const CRect row_splitter = splitter_place(AFX_IDW_DOCKBAR_BOTTOM, false);
    drag(row_splitter.CenterPoint(), CPoint(row_splitter.CenterPoint().x, -1000));
    EXPECT_GE(frame->GetLastClientRect().Height(), 19);
    EXPECT_GT(place(bar(1)).Height(), 220);
    const CRect moved = splitter_place(AFX_IDW_DOCKBAR_BOTTOM, false);
    drag(moved.CenterPoint(), CPoint(moved.CenterPoint().x, 5000));
    EXPECT_GE(place(bar(1)).Height(), 13);
    EXPECT_LT(place(bar(1)).Height(), 40);
}

TEST_F(FrameLabTest, EveryWayASplitterDragEndsReleasesWhatItHeld) {
    build();
    const CRect before = place(bar(4));
    SECDockBar& bottom = dock_bar(AFX_IDW_DOCKBAR_BOTTOM);
    const std::vector<DragEnd> kEnds = drag_ends();
    for (const auto& item : kEnds) {
        quit_seen = false;
        const CPoint grab = splitter_place(AFX_IDW_DOCKBAR_BOTTOM, true, 0).CenterPoint();
        bool tracking_seen = false;
        display.then([&] {
            tracking_seen = bottom.IsTracking() && ::GetCapture() == bottom.m_hWnd;
            display.move(frame->m_hWnd, CPoint(grab.x + 100, grab.y));
            item.end();
        });
        display.move(frame->m_hWnd, grab);
        display.button(frame->m_hWnd, grab, true);
        idle();
        EXPECT_TRUE(tracking_seen) << item.how;
        EXPECT_FALSE(bottom.IsTracking()) << item.how;
        EXPECT_EQ(::GetCapture(), nullptr) << item.how;
        // The frame's updates were unlocked: another lock can be taken.
        EXPECT_TRUE(::LockWindowUpdate(frame->m_hWnd)) << item.how;
        ::LockWindowUpdate(nullptr);
        EXPECT_EQ(place(bar(4)), before) << item.how;
        EXPECT_EQ(quit_seen, std::string(item.how) == "WM_QUIT") << "the quit goes on to the outer loop";
        display.button(frame->m_hWnd, grab, false);
        display.button(frame->m_hWnd, CPoint(300, 100), false, kit::user::MouseButton::right);
        idle();
        display.advance(1000);  // the next press is no double click
    }
}

TEST_F(FrameLabTest, BarsShowAndHideAtOnceOrAtIdleTime) {
    build();
    LabBar& disassembly = bar(5);
    frame->ShowControlBar(&disassembly, FALSE, TRUE);
    EXPECT_TRUE(disassembly.GetStyle() & WS_VISIBLE);  // nothing moves until idle time
    EXPECT_FALSE(disassembly.IsVisible());
    idle();
    EXPECT_FALSE(disassembly.GetStyle() & WS_VISIBLE);
    // The right dock bar's only bar went: no row, no splitter, no gap.
    EXPECT_EQ(place(dock_bar(AFX_IDW_DOCKBAR_RIGHT)).Width(), 0);
    EXPECT_TRUE(dock_bar(AFX_IDW_DOCKBAR_RIGHT).m_arrSplitters.empty());
    EXPECT_EQ(frame->GetLastClientRect(), CRect(228, 0, 632, 205));

    frame->ShowControlBar(&disassembly, TRUE, FALSE);
    EXPECT_TRUE(disassembly.GetStyle() & WS_VISIBLE);
    EXPECT_EQ(place(disassembly), CRect(410, 0, 630, 205));

    // Hiding the output gives its share to the others; showing it again gives it back.
    frame->ShowControlBar(&bar(1), FALSE, FALSE);
    EXPECT_EQ(place(bar(2)).right, 632);
    EXPECT_NEAR(bar(4).m_fPctWidth, 1.0f / 3, 1e-5);
    frame->ShowControlBar(&bar(1), TRUE, TRUE);
    idle();
    EXPECT_NEAR(bar(1).m_fPctWidth, 0.25f, 1e-5);
    EXPECT_EQ(place(bar(1)), CRect(477, 211, 632, 431));
    EXPECT_EQ(place(bar(4)), CRect(0, 211, 153, 431));

    // Hiding every bar of the bottom row leaves the dock bar no thickness.
    for (int i : {1, 2, 3, 4}) frame->ShowControlBar(&bar(i), FALSE, FALSE);
    EXPECT_EQ(place(dock_bar(AFX_IDW_DOCKBAR_BOTTOM)).Height(), 0);
    EXPECT_EQ(frame->GetLastClientRect().bottom, 433);
}

TEST_F(FrameLabTest, TheIdeStartsWithTheWorkspaceAndTheOutput) {
    build("ide-start");
    EXPECT_TRUE(bar(0).IsVisible());
    EXPECT_TRUE(bar(1).IsVisible());
    for (int i : {2, 3, 4, 5}) EXPECT_FALSE(bar(i).GetStyle() & WS_VISIBLE) << i;
    EXPECT_EQ(place(bar(1)), CRect(0, 211, 632, 431));
    EXPECT_EQ(place(bar(0)), CRect(2, 0, 222, 205));
    // A window shown for the first time shares its row with what is there.
    frame->ShowControlBar(&bar(2), TRUE, FALSE);
    EXPECT_NEAR(bar(2).m_fPctWidth, 0.5f, 1e-5);
    EXPECT_NEAR(bar(1).m_fPctWidth, 0.5f, 1e-5);
    EXPECT_EQ(place(bar(2)).Width(), 313);
}

TEST_F(FrameLabTest, GripperButtonsHideAndExpandTheirBar) {
    build();
    paint();
    LabBar& watch = bar(4);
    // A bar docked across a bottom row has its gripper at its left, hide button on top.
    EXPECT_EQ(watch.m_rectHideBtn.Width(), 11);
    EXPECT_EQ(watch.m_rectHideBtn.Height(), 11);
    EXPECT_LT(watch.m_rectHideBtn.bottom, watch.m_rectExpandBtn.top);
    // A bar docked at the left has its gripper strip on top, the hide button rightmost.
    LabBar& workspace = bar(0);
    EXPECT_EQ(workspace.m_rectHideBtn.Width(), 11);
    EXPECT_GT(workspace.m_rectHideBtn.left, workspace.m_rectExpandBtn.left);
    CRect inside;
    workspace.GetInsideRect(inside);
    EXPECT_EQ(inside.top, 17);
    {
        CWnd::ToolHit hit;
        EXPECT_EQ(workspace.OnToolHitTest(workspace.m_rectHideBtn.CenterPoint(), &hit), int(kSecHideToolId));
        EXPECT_STREQ(hit.text, "Hide docked window");
    }
    // The workspace is alone in its row: it has nothing to expand over.
    EXPECT_FALSE(workspace.m_bExpandBtnEnabled);

    const CPoint expand = watch.m_rectExpandBtn.CenterPoint();
    display.click(watch.m_hWnd, expand);
    idle();
    display.advance(1000);
    SECDockBar& bottom = dock_bar(AFX_IDW_DOCKBAR_BOTTOM);
    EXPECT_TRUE(bottom.IsBarExpanded(&watch));
    EXPECT_EQ(place(watch).Width(), 632 - 3 * (kSecMinLength + kSecSplitterSize));
    paint();
    CWnd::ToolHit hit;
    EXPECT_EQ(watch.OnToolHitTest(watch.m_rectExpandBtn.CenterPoint(), &hit), int(kSecExpandToolId));
    EXPECT_STREQ(hit.text, "Contract docked window");
    display.click(watch.m_hWnd, watch.m_rectExpandBtn.CenterPoint());
    idle();
    display.advance(1000);
    EXPECT_FALSE(bottom.IsBarExpanded(&watch));
    EXPECT_EQ(place(watch).Width(), 153);

    // A press that leaves the button before the release does nothing.
    const CPoint hide = watch.m_rectHideBtn.CenterPoint();
    display.move(watch.m_hWnd, hide);
    display.button(watch.m_hWnd, hide, true);
    display.move(watch.m_hWnd, CPoint(80, 80));
    display.button(watch.m_hWnd, CPoint(80, 80), false);
    idle();
    display.advance(1000);
    EXPECT_TRUE(watch.IsVisible());
    EXPECT_FALSE(watch.m_bHideBtnDown);
    display.click(watch.m_hWnd, hide);
    idle();
    EXPECT_FALSE(watch.IsVisible());
    EXPECT_EQ(place(bar(3)).left, 0);
}

TEST_F(FrameLabTest, TheContextMenuListsTheBarsItemsThenTheIdesThenTheFrames) {
    build();
    const auto items = [](CMenu& menu) {
        std::vector<std::string> texts;
        for (int i = 0; i < int(menu.GetMenuItemCount()); ++i) {
            CString text;
            menu.GetMenuString(UINT(i), text, MF_BYPOSITION);
            const UINT state = menu.GetMenuState(UINT(i), MF_BYPOSITION);
            texts.push_back(text.IsEmpty() ? "-" : std::string(text) + ((state & MF_CHECKED) ? " (checked)" : ""));
        }
        return texts;
    };
    CMenu menu;
    menu.CreatePopupMenu();
    bar(1).BuildContextMenu(menu);
    EXPECT_EQ(items(menu), (std::vector<std::string>{"Allow Docking (checked)", "Hide", "-", "Options"}));

    bar(1).ModifyExBarStyle(0, CBRS_EX_FLOAT_IN_MAIN);
    CMenu extended;
    extended.CreatePopupMenu();
    bar(1).BuildContextMenu(extended);
    EXPECT_EQ(items(extended), (std::vector<std::string>{"Allow Docking (checked)", "Hide", "-", "Options", "-",
                                                         "Float In Main Window"}));

    // Allow Docking off and on again restores exactly the sides allowed before.
    LabBar& workspace = bar(0);
    workspace.SendMessage(WM_COMMAND, ID_SEC_ALLOW_DOCKING);
    EXPECT_EQ(workspace.m_dwDockStyle & CBRS_ALIGN_ANY, 0u);
    workspace.SendMessage(WM_COMMAND, ID_SEC_ALLOW_DOCKING);
    EXPECT_EQ(workspace.m_dwDockStyle & CBRS_ALIGN_ANY, 0x5000u);
    // Hide from the menu.
    workspace.SendMessage(WM_COMMAND, ID_SEC_HIDE_BAR);
    EXPECT_FALSE(workspace.IsVisible());
}

TEST_F(FrameLabTest, MDIChildrenMaximiseAndRestoreInsideTheDockedFrame) {
    build("sheets");
    CMDIChildWnd* active = frame->MDIGetActive();
    ASSERT_NE(active, nullptr);
    EXPECT_TRUE(active->IsKindOf(RUNTIME_CLASS(SECWorksheet)));
    const CRect restored = place(*active);
    frame->MDIMaximize(active);
    BOOL maximized = FALSE;
    frame->MDIGetActive(&maximized);
    EXPECT_TRUE(maximized);
    CRect client;
    ::GetClientRect(frame->m_hWndMDIClient, &client);
    CRect child;
    active->GetWindowRect(&child);
    EXPECT_EQ(child.Size(), client.Size());
    EXPECT_EQ(client.Size(), frame->GetLastClientRect().Size());
    frame->MDIRestore(active);
    EXPECT_EQ(place(*active), restored);
    // The extended system command is the filters' alone; nothing handles it here.
    EXPECT_EQ(active->SendMessage(sec_syscommandex_message(), 1, 2), 0);
    EXPECT_EQ(frame->SendMessage(sec_syscommandex_message(), 1, 2), 0);
}

TEST_F(FrameLabTest, ABarFloatsAsAnMDIChildAndClosingItHidesTheBar) {
    build("sheets");
    LabBar& watch = bar(4);
    frame->FloatControlBarAsMDIChild(&watch, -1, -1, CBRS_ALIGN_TOP);
    idle();
    EXPECT_TRUE(watch.IsMDIChild());
    auto* host = static_cast<CMDIChildWnd*>(watch.m_pDockBar->GetParent());
    ASSERT_NE(sec_bar_host(host), nullptr);
    // In the workbook the bar's child is a sheet with a tab of its own.
    ASSERT_TRUE(host->IsKindOf(RUNTIME_CLASS(SECControlBarWorksheet)));
    CRect at;
    host->GetWindowRect(&at);
    CPoint origin(0, 0);
    ::ClientToScreen(frame->m_hWndMDIClient, &origin);
    EXPECT_EQ(at.TopLeft() - origin, CSize(30, 30));
    EXPECT_STREQ(host->GetWindowText(), "Watch Window");
    frame->FloatControlBarAsMDIChild(&bar(3), -1, -1, CBRS_ALIGN_TOP);
    auto* second = bar(3).m_pDockBar->GetParent();
    second->GetWindowRect(&at);
    EXPECT_EQ(at.TopLeft() - origin, CSize(50, 53));
    // The bottom row closes up behind them.
    idle();
    EXPECT_EQ(place(bar(2)).left, 0);

    // The frame's item in the context menu is checked and docking is greyed for a bar in the MDI area.
    watch.ModifyExBarStyle(0, CBRS_EX_FLOAT_IN_MAIN);
    CMenu menu;
    menu.CreatePopupMenu();
    watch.BuildContextMenu(menu);
    EXPECT_TRUE(menu.GetMenuState(ID_SEC_ALLOW_DOCKING, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_TRUE(menu.GetMenuState(ID_SEC_FLOAT_IN_MAIN, MF_BYCOMMAND) & MF_CHECKED);

    host->SendMessage(WM_CLOSE);
    EXPECT_TRUE(::IsWindow(host->m_hWnd));
    EXPECT_FALSE(watch.IsVisible());
    EXPECT_FALSE(host->IsWindowVisible());
    frame->ShowControlBar(&watch, TRUE, FALSE);
    EXPECT_TRUE(watch.IsVisible());
    EXPECT_TRUE(host->IsWindowVisible());
}

TEST_F(FrameLabTest, ABarFloatsInItsOwnFrameHidesWithItAndDocksAgain) {
    build();
    LabBar& disassembly = bar(5);
    frame->FloatControlBarEx(&disassembly, 100, 100, CBRS_ALIGN_LEFT);
    idle();
    ASSERT_TRUE(disassembly.IsFloating());
    // A side-docked dynamic bar floats across.
    EXPECT_TRUE(disassembly.GetBarStyle() & CBRS_ALIGN_TOP);
    CWnd* floating = disassembly.GetParentFrame();
    ASSERT_NE(floating, frame);
    EXPECT_TRUE(floating->IsWindowVisible());
    EXPECT_EQ(place(dock_bar(AFX_IDW_DOCKBAR_RIGHT)).Width(), 0);
    EXPECT_EQ(frame->GetLastClientRect().right, 632);

    frame->ShowControlBar(&disassembly, FALSE, FALSE);
    EXPECT_FALSE(floating->IsWindowVisible());
    frame->ShowControlBar(&disassembly, TRUE, FALSE);
    EXPECT_TRUE(floating->IsWindowVisible());

    frame->DockControlBarEx(&disassembly, AFX_IDW_DOCKBAR_RIGHT, 0, 0, 1.0f, 220);
    idle();
    EXPECT_FALSE(disassembly.IsFloating());
    EXPECT_EQ(place(disassembly), CRect(410, 0, 630, 205));
}

TEST_F(FrameLabTest, ATinyFrameLaysOutWithoutDividingByZero) {
    build();
    frame->SetWindowPos(nullptr, 0, 0, 120, 60, SWP_NOZORDER | SWP_NOMOVE);
    idle();
    SECDockBar& bottom = dock_bar(AFX_IDW_DOCKBAR_BOTTOM);
    for (SECDockBar::Splitter splitter : bottom.m_arrSplitters) {
        bottom.CalcSplitterLimits(splitter);
        EXPECT_LE(splitter.m_nMin, splitter.m_nMax) << "limits never cross";
    }
    for (int i = 0; i < 6; ++i) EXPECT_GE(place(bar(i)).Width(), 0);
    EXPECT_EQ(sec_track_splitter_edge(50, 0, 40, 20), 40);  // crossed limits hold the minimum
    EXPECT_EQ(sec_track_splitter_edge(50, 5, 10, 100), 45);
    EXPECT_EQ(sec_track_splitter_edge(200, 0, 10, 100), 94);
    frame->SetWindowPos(nullptr, 0, 0, 640, 480, SWP_NOZORDER | SWP_NOMOVE);
    idle();
    EXPECT_EQ(place(bar(0)), CRect(2, 0, 222, 205));
}

TEST_F(FrameLabTest, AColourChangeReachesTheSharedRecordThroughTheFrame) {
    build();
    const int index = COLOR_BTNSHADOW;
    const COLORREF before = ::GetSysColor(index), changed = RGB(1, 2, 3);
    ::SetSysColors(1, &index, &changed);
    frame->SendMessage(WM_SYSCOLORCHANGE);
    EXPECT_EQ(sec_sys_colors().shadow, changed);
    ::SetSysColors(1, &index, &before);
    frame->SendMessage(WM_SYSCOLORCHANGE);
    EXPECT_EQ(sec_sys_colors().shadow, before);
}

TEST_F(FrameLabTest, TheIdeLayoutLooksAsReviewed) {
    build();
    EXPECT_TRUE(testing_kit::matches_painted_golden(frame->m_hWnd, "tools/framelab/tests/golden/ide.png"));
}

}  // namespace

namespace {

TEST_F(FrameLabTest, TheTextDumpListsEveryBarWithItsPlace) {
    build();
    EXPECT_TRUE(testing_kit::matches_golden("tools/framelab/tests/golden/ide.txt", dump_layout(*frame)));
}

struct LabRun {
    int code = -1;
    std::string output;
};

// The lab program on the headless display, with what it printed (both streams),
// in its own profile unless one is given.
LabRun run_lab(const std::string& arguments, const testing_kit::TempDir* kept_profile = nullptr) {
    testing_kit::TempDir own_profile;
    const testing_kit::TempDir& profile = kept_profile ? *kept_profile : own_profile;
    const std::string command = "KIT_DISPLAY=headless KIT_PROFILE_DIR='" + profile.path().string() + "' '" +
                                testing_kit::program_path("framelab").string() + "' " + arguments + " 2>&1";
    LabRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return run;
    char buffer[4096];
    while (std::size_t got = std::fread(buffer, 1, sizeof buffer, pipe)) run.output.append(buffer, got);
    const int status = pclose(pipe);
    run.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

TEST(FrameLabProgram, DragsAreInjectedAndTheLayoutDumped) {
    // The first in-row splitter of the bottom row sits at x 153-158 of the frame's client area.
    const LabRun moved = run_lab("--scenario ide --drag 155,300,255,300 --dump");
    EXPECT_EQ(moved.code, 0) << moved.output;
    EXPECT_NE(moved.output.find("bar \"Watch Window\" bottom row 0 col 0 (0,211)-(253,431) 253x220 visible"),
              std::string::npos)
        << moved.output;
    const LabRun start = run_lab("--scenario ide-start --dump");
    EXPECT_EQ(start.code, 0);
    EXPECT_NE(start.output.find("bar \"Memory Window\" bottom row 0 col 2 (0,205)-(0,205) 0x0 hidden"),
              std::string::npos)
        << start.output;
}

TEST(FrameLabProgram, TheLayoutIsSavedOnCloseAndRestoredNextTime) {
    testing_kit::TempDir profile;
    const LabRun first = run_lab("--scenario floating --layout Lab --dump", &profile);
    ASSERT_EQ(first.code, 0) << first.output;
    ASSERT_NE(first.output.find("floating \"Memory Window\""), std::string::npos) << first.output;
    const LabRun next = run_lab("--scenario ide --layout Lab --dump", &profile);
    EXPECT_EQ(next.code, 0) << next.output;
    EXPECT_EQ(next.output, first.output);
}

TEST(FrameLabProgram, ABadCommandLineIsRefusedWithItsReason) {
    const struct {
        const char* arguments;
        const char* says;
    } kBad[] = {
        {"--scenario nowhere", "no scenario is named \"nowhere\""},
        {"--drag 1,2,3", "usage: framelab"},
        {"--click 5,x", "usage: framelab"},
        {"--frobnicate", "usage: framelab"},
    };
    for (const auto& item : kBad) {
        const LabRun run = run_lab(item.arguments);
        EXPECT_EQ(run.code, 2) << item.arguments;
        EXPECT_NE(run.output.find(item.says), std::string::npos) << run.output;
    }
}

}  // namespace
