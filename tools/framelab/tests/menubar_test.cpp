// The frame lab as the IDE's main frame stands: the menu as a menu bar above
// the four toolbars and the status bar below; a menu dropped by Alt+letter,
// the arrows moving to the next menu, and a toolbar button clicked.
#include <gtest/gtest.h>

#include "platform/gdi/png_writer.h"
#include "platform/user/window_table.h"
#include "testing/golden.h"
#include "testing/painted_picture.h"
#include "tools/framelab/tests/lab_fixture.h"

namespace {

using namespace framelab;

class MenuBarLabTest : public FrameLabTest {
protected:
    void SetUp() override {
        FrameLabTest::SetUp();
        build("menubar");
    }
    bool dump_has(const std::string& text) { return dump_layout(*frame).find(text) != std::string::npos; }
};

TEST_F(MenuBarLabTest, TheMenuBarOpensByAltLetterMovesByArrowsAndTheToolBarsStillWork) {
    ASSERT_NE(frame->menu_bar, nullptr);
    // A row of its own at the top, above the toolbars; the window has no menu.
    EXPECT_EQ(place(*frame->menu_bar).top, 0);
    EXPECT_EQ(::GetMenu(frame->m_hWnd), nullptr);
    EXPECT_GT(place(*frame->toolbars->FindToolBar(0xE800)).top, place(*frame->menu_bar).top);
    EXPECT_TRUE(dump_has("menubar closed"));
    EXPECT_TRUE(testing_kit::matches_painted_golden(frame->m_hWnd, "tools/framelab/tests/golden/menubar.png"));

    std::vector<bool> seen;
    display.then([&] {
        seen.push_back(dump_has("menubar open \"&File\""));
        display.press(VK_RIGHT);
    });
    display.then([&] {
        seen.push_back(dump_has("menubar open \"&View\""));
        display.press(VK_ESCAPE);
    });
    display.chord(VK_MENU, 'F');
    idle();
    EXPECT_EQ(seen, (std::vector<bool>{true, true}));
    EXPECT_TRUE(dump_has("menubar closed"));

    SECCustomToolBar& compile = *frame->toolbars->FindToolBar(0xE805);
    display.click(compile.m_hWnd, compile.GetButtonRect(1).CenterPoint());
    idle();
    EXPECT_TRUE(dump_has("command 32931"));
}

TEST_F(MenuBarLabTest, TheWindowMenuListsTheWorksheetsAndItsMnemonicActivatesOne) {
    SECWorksheet* first = frame->NewSheet("main.asm");
    SECWorksheet* second = frame->NewSheet("util.asm");
    ASSERT_TRUE(first && second);
    idle();
    ASSERT_EQ(frame->MDIGetActive(), second);
    bool compared = false;
    display.then([&] {
        EXPECT_TRUE(dump_has("menubar open \"&Window\""));
        HWND popup = kit::user::top_level_windows().front();
        EXPECT_TRUE(testing_kit::matches_painted_golden(popup, "tools/framelab/tests/golden/menubar_window_list.png"));
        compared = true;
        display.press('1');
    });
    display.chord(VK_MENU, 'W');
    idle();
    EXPECT_TRUE(compared);
    EXPECT_TRUE(dump_has("menubar closed"));
    EXPECT_EQ(frame->MDIGetActive(), first);
}

// The titles the Window menu lists after its own items.
std::vector<std::string> window_list(LabFrame& frame) {
    HMENU window = ::GetSubMenu(frame.GetMenu()->m_hMenu, 2);
    std::vector<std::string> listed;
    for (int i = 0; i < ::GetMenuItemCount(window); ++i) {
        if (::GetMenuItemID(window, i) < AFX_IDM_FIRST_MDICHILD) continue;
        char text[64] = {};
        ::GetMenuString(window, UINT(i), text, sizeof text, MF_BYPOSITION);
        listed.emplace_back(text);
    }
    return listed;
}

TEST_F(MenuBarLabTest, ABarInTheMDIAreaIsListedWhileItShows) {
    ASSERT_NE(frame->NewSheet("main.asm"), nullptr);
    LabBar& watch = bar(4);
    frame->FloatControlBarAsMDIChild(&watch, -1, -1, CBRS_ALIGN_TOP);
    idle();
    EXPECT_EQ(window_list(*frame), (std::vector<std::string>{"&1 main.asm", "&2 Watch Window"}));
    // Closing it hides the bar; the list leaves it out, and its number goes to the next shown child.
    watch.m_pDockBar->GetParent()->SendMessage(WM_CLOSE);
    idle();
    EXPECT_FALSE(watch.IsVisible());
    EXPECT_EQ(window_list(*frame), std::vector<std::string>{"&1 main.asm"});
    frame->ShowControlBar(&watch, TRUE, FALSE);
    idle();
    EXPECT_EQ(window_list(*frame), (std::vector<std::string>{"&1 main.asm", "&2 Watch Window"}));
}

}  // namespace
