// The output bar: its three panes in tabs, the "Clear" item of its context
// menu, and navigation from every pane.
#include <vector>

#include "ide/shell/bars/output_bar.h"
#include "ide/shell/bars/tests/bars_fixture.h"

namespace {

class OutputBarTest : public BarsTest {
protected:
    void SetUp() override {
        BarsTest::SetUp();
        bar->m_bAutoDelete = TRUE;
        bar->SetNavigateCallback([this](const ide::SourceLocation& where) { visits.push_back(where); });
        ASSERT_TRUE(bar->Create(frame, "Output Window", 0x50001414, 0xF11, 101));
        bar->MoveWindow(0, 200, 600, 220);
        pump();
    }
    COutputBar* bar = new COutputBar;
    std::vector<ide::SourceLocation> visits;
};

TEST_F(OutputBarTest, HoldsTheThreePanesInTabOrder) {
    ASSERT_EQ(bar->TabWnd().GetTabCount(), 3);
    for (int i = 0; i < 3; ++i) {
        CInfoWnd* pane = bar->PaneByName(COutputBar::kLabels[std::size_t(i)]);
        ASSERT_TRUE(pane);
        EXPECT_EQ(pane, &bar->Pane(OutputPane(i)));
        EXPECT_EQ(pane->GetDlgCtrlID(), 1094 + i);
        EXPECT_EQ(pane->GetParent(), &bar->TabWnd());
        EXPECT_EQ(bar->TabWnd().GetScrollStyle(i), DWORD(WS_HSCROLL | WS_VSCROLL));
    }
    EXPECT_EQ(bar->PaneByName("Debug"), nullptr);
    EXPECT_EQ(bar->ActivePane(), &bar->Pane(OutputPane::build));
    // The tab window fills the inside of the bar.
    CRect inside, tabs;
    bar->GetInsideRect(inside);
    bar->TabWnd().GetWindowRect(&tabs);
    bar->ScreenToClient(&tabs);
    EXPECT_EQ(tabs, inside);
}

TEST_F(OutputBarTest, ClearEmptiesOnlyTheActivePane) {
    for (int i = 0; i < 3; ++i) bar->Pane(OutputPane(i)).AddLine("text of pane " + std::to_string(i));
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    bar->BuildContextMenu(menu);
    const int items = menu.GetMenuItemCount();
    ASSERT_GE(items, 2);
    EXPECT_EQ(menu.GetMenuItemID(items - 1), COutputBar::kClearCommand);
    EXPECT_EQ(menu.GetMenuItemID(items - 2), 0u);  // the separator
    CString text;
    menu.GetMenuString(items - 1, text, MF_BYPOSITION);
    EXPECT_EQ(std::string(text), "Clear");

    bar->ActivatePane(OutputPane::find_in_files2);
    bar->SendMessage(WM_COMMAND, COutputBar::kClearCommand);
    EXPECT_EQ(bar->Pane(OutputPane::build).GetLineCount(), 1);
    EXPECT_EQ(bar->Pane(OutputPane::find_in_files1).GetLineCount(), 1);
    EXPECT_EQ(bar->Pane(OutputPane::find_in_files2).GetLineCount(), 0);
}

TEST_F(OutputBarTest, EveryPaneOpensTheSourceOfADoubleClickedLine) {
    const char* lines[] = {"main.asm(3): error E12: unknown mnemonic", "util.asm(40): jsr wait",
                           "data.inc(7): .byte 1"};
    for (int i = 0; i < 3; ++i) {
        CInfoWnd& pane = bar->Pane(OutputPane(i));
        pane.AddLine(lines[i]);
        bar->ActivatePane(OutputPane(i));
        pump();
        double_click(pane.m_hWnd, {4, 2});
    }
    ASSERT_EQ(visits.size(), 3u);
    EXPECT_EQ(visits[0].path, "main.asm");
    EXPECT_EQ(visits[0].line, 3);
    EXPECT_EQ(visits[1].path, "util.asm");
    EXPECT_EQ(visits[1].line, 40);
    EXPECT_EQ(visits[2].path, "data.inc");
    EXPECT_EQ(visits[2].line, 7);
}

TEST_F(OutputBarTest, EachPaneKeepsItsOwnScrollPositionAcrossTabSwitches) {
    CInfoWnd& build = bar->Pane(OutputPane::build);
    for (int i = 0; i < 200; ++i) build.AddLine("line " + std::to_string(i));
    const int build_top = build.GetTopLine();
    bar->ActivatePane(OutputPane::find_in_files1);
    for (int i = 0; i < 200; ++i) build.AddLine("more " + std::to_string(i));  // while hidden
    CInfoWnd& find = bar->Pane(OutputPane::find_in_files1);
    find.AddLine("hit");
    CScrollBar* vert = bar->TabWnd().GetTabScrollBar(SB_VERT);
    ASSERT_TRUE(vert);
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    vert->GetScrollInfo(&info, SIF_ALL);
    EXPECT_EQ(info.nMax, 1);  // the find pane's range, untouched by the hidden Build pane
    bar->ActivatePane(OutputPane::build);
    vert = bar->TabWnd().GetTabScrollBar(SB_VERT);
    vert->GetScrollInfo(&info, SIF_ALL);
    EXPECT_EQ(info.nMax, 400);
    EXPECT_GT(build.GetTopLine(), build_top);
    EXPECT_EQ(info.nPos, build.GetTopLine());
}

}  // namespace

namespace {

TEST_F(OutputBarTest, PictureOfTheBuildPaneAfterABuild) {
    CInfoWnd& build = bar->Pane(OutputPane::build);
    build.AddLine("--------------------Configuration: hello - Debug--------------------");
    build.AddLine("Compiling main.asm...");
    build.AddLine(
        "main.asm(12): error E2003: undefined symbol 'delay'\r\nmain.asm(30): warning W1001:\tbranch out of range");
    for (int i = 0; i < 6; ++i) build.AddLine("\tlisting line " + std::to_string(i));
    build.AddLine("hello.bin - 1 error(s), 1 warning(s)");
    build.GotoNextInfoLine();
    bar->Pane(OutputPane::find_in_files1).AddLine("unused");
    shoot("output_bar_build");
}

}  // namespace
