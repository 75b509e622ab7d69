// The picture of Corvel stopped in a debug run: the source with its execution
// line, and the disassembly, memory, watch and register bars in their places,
// each showing the stop (changed values marked).
#include <gtest/gtest.h>

#include <cstring>

#include "ide/debugger/register_model.h"

#include "ide/shell/tests/corvel_fixture.h"
#include "ide/shell/tests/stopped_corvel.h"
#include "testing/golden.h"
#include "testing/painted_picture.h"

namespace {

TEST_F(CorvelSampleTest, TheDebugLayoutShowsTheStopInEveryWindow) {
    shell::CMainFrame::SetFixedClock("12:00");
    {
        shell_test::StoppedCorvel corvel(work.path());
        corvel.Run(6);
        corvel.Stop();
        // The stop's messages, then the frame's idle update (the caret's place and the
        // clock in the status bar), painted as the loop would paint it before waiting.
        corvel.HandleQueued();
        EXPECT_TRUE(
            testing_kit::matches_painted_golden(corvel.frame().m_hWnd, "ide/shell/tests/golden/debug_layout.png"));
    }
    shell::CMainFrame::SetFixedClock("");
}

// The watch, register and memory windows, opened by their keys into the Output
// pane's row, each get room for their content.
TEST_F(CorvelSampleTest, EveryDebugWindowInTheOutputRowShowsItsContent) {
    shell_test::StoppedCorvel corvel(work.path());
    corvel.HandleQueued();
    ASSERT_TRUE(corvel.frame().output_bar().IsVisible());
    CRect shown;

    const CRegisterWnd& registers = corvel.frame().register_bar().Pane(0);
    registers.GetWindowRect(&shown);  // the pane stops at the tab window's scroll bar
    for (const char* line : ide::RegisterModel::kTemplates)
        EXPECT_GE(shown.Width(), int(std::strlen(line)) * registers.CharWidth()) << line;

    const CMemWnd& memory = corvel.frame().memory_bar().View(0);
    memory.GetWindowRect(&shown);
    EXPECT_GE(memory.View().bytes_per_row(), 4);
    EXPECT_GE(shown.Width(), memory.View().row_end() * memory.CharWidth());

    // Room for a name and for a value of a dozen characters each.
    CWatchTreeView& watches = corvel.watches().Tree();
    for (int column : {0, 1}) EXPECT_GE(watches.GetColumnWidth(column), 100) << column;
}

// Shift+F10 in the watch window opens the bar's menu below the selected watch, and its last
// item, Set Memory, shows the memory at the watch's value: all by keys.
TEST_F(CorvelSampleTest, ShiftF10InTheWatchWindowOpensItsMenuAtTheSelectedWatch) {
    shell_test::StoppedCorvel corvel(work.path());
    CWatchTreeView& tree = corvel.watches().Tree();
    corvel.watches().AddWatch("0x400+0x10");
    corvel.HandleQueued();
    tree.SelectItem(tree.GetRootItem());
    tree.SetFocus();
    SECListBaseC& rows = tree;
    CRect label;
    ASSERT_TRUE(rows.GetItemRect(rows.GetFocusItem(), &label, LVIR_LABEL));
    ::MapWindowPoints(tree.m_hWnd, nullptr, reinterpret_cast<POINT*>(&label), 2);
    CRect menu;
    display.then([&] {
        menu = ShownPopupMenu();
        display.press(VK_UP);  // the last item: Set Memory
        display.press(VK_RETURN);
    });
    display.chord(VK_SHIFT, VK_F10);
    corvel.HandleQueued();
    EXPECT_EQ(menu.TopLeft(), CPoint(label.left, label.bottom));
    corvel.frame().RecalcLayout();
    ASSERT_TRUE(corvel.frame().memory_bar().IsVisible());
    EXPECT_EQ(corvel.frame().memory_bar().View(0).View().top(), 0x410);
}

// After the run the Output pane has its row back, and its tab strip the room it had before
// the debug windows came beside it: every tab's label whole again.
TEST_F(CorvelSampleTest, AfterTheRunTheOutputTabStripTakesTheWholeBarAgain) {
    shell_test::StoppedCorvel corvel(work.path());
    corvel.HandleQueued();
    SECTabWnd& tabs = corvel.frame().output_bar().TabWnd();
    auto& strip = static_cast<SECTabControl&>(*tabs.GetTabControl());
    const int last = strip.GetTabCount() - 1;
    ASSERT_EQ(strip.GetTab(last)->m_csLabel, "FindInFiles2");
    const auto last_tab_whole = [&] {
        return strip.TabLeft(last) + strip.GetTab(last)->m_nWidth <= strip.TabArea().right;
    };
    ASSERT_FALSE(last_tab_whole()) << "the debug windows leave the strip room for every tab";
    corvel.frame().HideDebugBars();
    corvel.HandleQueued();
    EXPECT_TRUE(last_tab_whole());
    CRect alone;
    tabs.GetClientRect(&alone);
    EXPECT_GE(tabs.GetSplitterPos(), alone.Width() * 9 / 10);
}

}  // namespace
