// The customize sheet over four toolbars: the Toolbars page makes a
// toolbar with the name typed and deletes it again; the menu bar's place,
// switches that follow at once and go back on Cancel; the command page's
// categories as toolbars whose buttons drag off as copies.
#include <gtest/gtest.h>

#include "platform/gdi/png_writer.h"
#include "platform/user/check_list_box.h"
#include "testing/golden.h"
#include "testing/painted_picture.h"
#include "uikit/frames/tests/docking_fixture.h"
#include "uikit/frames/tests/docking_toolbars.h"
#include "uikit/frames/bmp_mgr.h"
#include "uikit/frames/customize.h"
#include "uikit/frames/dock_state.h"
#include "uikit/frames/menu_button.h"

namespace {

using namespace docking_test;

class CustomizeTest : public DockingTest {
protected:
    void SetUp() override {
        DockingTest::SetUp();
        frame->SetWindowPos(nullptr, 0, 0, 1280, 480, SWP_NOZORDER | SWP_NOMOVE);
        build_toolbars();
        toolbars_page.SetManager(frame->toolbars.get());
        commands.SetManager(frame->toolbars.get());
        for (const TestToolBar& each : test_toolbars()) {
            std::vector<UINT> ids;
            for (UINT id : each.buttons)
                if (id) ids.push_back(id);
            commands.DefineBtnGroup(each.title, int(ids.size()), ids.data());
        }
        commands.DefineMenuGroup("Menu");
        sheet.AddPage(&toolbars_page);
        sheet.AddPage(&commands);
    }
    HWND page_list() { return ::GetDlgItem(toolbars_page.m_hWnd, SEC_IDC_LIST); }
    int list_count() { return int(::SendMessage(page_list(), LB_GETCOUNT, 0, 0)); }
    CString list_text(int item) {
        char text[256] = {};
        ::SendMessage(page_list(), LB_GETTEXT, WPARAM(item), LPARAM(text));
        return text;
    }
    void click_button(HWND page, UINT id) {
        ::SendMessage(page, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), LPARAM(::GetDlgItem(page, int(id))));
    }
    ::testing::AssertionResult sheet_matches(const char* name) {
        return testing_kit::matches_painted_golden(sheet.m_hWnd,
                                                   std::string("uikit/frames/tests/golden/") + name + ".png");
    }

    SECToolBarSheet sheet;
    SECToolBarsPage toolbars_page;
    SECToolBarCmdPage commands;
};

TEST_F(CustomizeTest, TheToolbarsPageMakesAToolBarAndDeletesIt) {
    SECToolBarManager& manager = *frame->toolbars;
    bool done = false;
    display.then([&] {
        EXPECT_TRUE(manager.InCustomizeMode());
        EXPECT_EQ(list_count(), 4);
        EXPECT_EQ(list_text(0), CString("File"));
        EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(toolbars_page.m_hWnd, SEC_IDC_NAME))) << "a default toolbar";
        EXPECT_TRUE(sheet_matches("customize_toolbars"));
        click_button(toolbars_page.m_hWnd, SEC_IDC_NEW);
    });
    display.then([&] {
        // The New Toolbar dialog: OK waits for a name.
        HWND dialog = ::GetActiveWindow();
        EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(dialog, IDOK)));
        display.type("Mine");
        display.press(VK_RETURN);
    });
    display.then([&] {
        SECCustomToolBar* made = manager.FindToolBar(0xE820);
        ASSERT_NE(made, nullptr);
        EXPECT_EQ(made->GetWindowText(), CString("Mine"));
        EXPECT_TRUE(made->IsFloating());
        EXPECT_TRUE(made->InCustomizeMode());
        ASSERT_EQ(list_count(), 5);
        EXPECT_EQ(toolbars_page.GetSelectedItem(), 4);
        EXPECT_EQ(list_text(4), CString("Mine"));
        EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(toolbars_page.m_hWnd, SEC_IDC_NAME)));
        char label[32] = {};
        ::GetDlgItemText(toolbars_page.m_hWnd, SEC_IDC_RESET_DELETE, label, sizeof label);
        EXPECT_STREQ(label, "&Delete");
        EXPECT_TRUE(sheet_matches("customize_new_toolbar"));
        click_button(toolbars_page.m_hWnd, SEC_IDC_RESET_DELETE);
    });
    display.then([&] {
        EXPECT_EQ(manager.FindToolBar(0xE820), nullptr);
        EXPECT_EQ(list_count(), 4);
        EXPECT_EQ(toolbars_page.GetSelectedItem(), 3);
        done = true;
        display.press(VK_ESCAPE);
    });
    sheet.DoModal();
    EXPECT_TRUE(done);
    EXPECT_FALSE(manager.InCustomizeMode());
    EXPECT_FALSE(manager.IsFrameLocked());
}

TEST_F(CustomizeTest, SwitchesActAtOnceAndCancelPutsThemBack) {
    SECToolBarManager& manager = *frame->toolbars;
    ASSERT_TRUE(manager.CoolLookEnabled());
    display.then([&] {
        ::CheckDlgButton(toolbars_page.m_hWnd, SEC_IDC_LARGE_BUTTONS, BST_CHECKED);
        click_button(toolbars_page.m_hWnd, SEC_IDC_LARGE_BUTTONS);
        ::CheckDlgButton(toolbars_page.m_hWnd, SEC_IDC_COOL_LOOK, BST_UNCHECKED);
        click_button(toolbars_page.m_hWnd, SEC_IDC_COOL_LOOK);
        EXPECT_TRUE(manager.LargeBtnsEnabled());
        EXPECT_FALSE(manager.CoolLookEnabled());
        EXPECT_EQ(frame->toolbars->FindToolBar(0xE800)->GetImageSize(), frame->toolbars->GetBmpMgr()->m_szLarge);
        // Renaming a default toolbar is not offered; the menu bar's item would stay checked.
        display.press(VK_ESCAPE);
    });
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    EXPECT_FALSE(manager.LargeBtnsEnabled());
    EXPECT_TRUE(manager.CoolLookEnabled());
}

TEST_F(CustomizeTest, TheListFollowsAToolBarTheFrameHidesAndShowsWhileDocked) {
    SECCustomToolBar& edit = *frame->toolbars->FindToolBar(0xE806);
    ASSERT_FALSE(edit.IsFloating());
    bool done = false;
    display.then([&] {
        ASSERT_EQ(list_text(2), CString("Edit"));
        const auto check = [&] { return ::SendMessage(page_list(), CLB_GETCHECK, 2, 0); };
        EXPECT_EQ(check(), BST_CHECKED);
        frame->ShowControlBar(&edit, FALSE, FALSE);
        EXPECT_EQ(check(), BST_UNCHECKED);
        frame->ShowControlBar(&edit, TRUE, FALSE);
        EXPECT_EQ(check(), BST_CHECKED);
        done = true;
        display.press(VK_ESCAPE);
    });
    sheet.DoModal();
    EXPECT_TRUE(done);
}

TEST_F(CustomizeTest, CategoriesAreToolBarsWhoseButtonsCopyOut) {
    SECToolBarManager& manager = *frame->toolbars;
    display.then([&] {
        sheet.SetActivePage(1);
        ASSERT_EQ(commands.GetGroupCount(), 5);
        EXPECT_EQ(commands.GetShownGroup(), 0);
        auto* group = dynamic_cast<SECTBBtnGroup*>(commands.GetGroup(2));
        ASSERT_NE(group, nullptr);
        commands.ShowGroup(2);
        SECCustomizeToolBar* edit = group->GetToolBar();
        EXPECT_TRUE(edit->IsWindowVisible());
        EXPECT_EQ(edit->GetButtonCount(), 13);
        EXPECT_TRUE(sheet_matches("customize_commands"));
        // A category's button dropped onto the File toolbar is copied there.
        SECCustomToolBar* file = manager.FindToolBar(0xE800);
        CRect target = file->GetButtonRect(0);
        file->ClientToScreen(&target);
        edit->ScreenToClient(&target);
        CPoint from = edit->GetButtonRect(0).CenterPoint();
        CPoint to = from + (target.CenterPoint() - edit->GetButtonRect(0).CenterPoint());
        CPoint to_screen = to;
        edit->ClientToScreen(&to_screen);
        display.button(edit->m_hWnd, from, true);
        display.move(nullptr, to_screen);
        display.button(nullptr, to_screen, false);
    });
    display.then([&] {
        SECCustomToolBar* file = manager.FindToolBar(0xE800);
        EXPECT_EQ(file->GetButtonCount(), 9);
        EXPECT_EQ(file->GetButtonID(1), 57635u);
        auto* group = static_cast<SECTBBtnGroup*>(commands.GetGroup(2));
        EXPECT_EQ(group->GetToolBar()->GetButtonCount(), 13) << "the category keeps its button";
        char text[128] = {};
        ::GetDlgItemText(commands.m_hWnd, SEC_IDC_DESCRIPTION, text, sizeof text);
        display.press(VK_ESCAPE);
    });
    sheet.DoModal();
}

TEST_F(CustomizeTest, NamesAreCutByCharacters) {
    EXPECT_EQ(sec_cut_characters("abcdef", 4), CString("abcd"));
    // Two double-byte characters and a letter: cut after two characters, never inside one.
    EXPECT_EQ(sec_cut_characters("\xB0\xA1\xB0\xA2x", 2), CString("\xB0\xA1\xB0\xA2"));
    EXPECT_EQ(sec_cut_characters("\xB0\xA1\xB0\xA2x", 1), CString("\xB0\xA1"));
    EXPECT_EQ(sec_cut_characters(std::string(300, 'n').c_str(), kSecMaxToolBarName).GetLength(), 128);
}

}  // namespace

namespace {

TEST_F(CustomizeTest, TheMenuCategoryListsTheMenuBarAndItsItemsDragLikeButtons) {
    SECToolBarManager& manager = *frame->toolbars;
    manager.SetMenuInfo({IDR_DOCKING_FRAME});
    auto* menu_bar = new SECCustomToolBar;
    menu_bar->m_bAutoDelete = TRUE;
    manager.m_pMenuBar = menu_bar;
    SECControlBarInfo info(&manager);
    info.m_nTypeID = SEC_TYPE_MENU_BAR;
    info.m_nBarID = SEC_IDW_MENUBAR;
    ASSERT_EQ(manager.CreateBar(&info), menu_bar);
    menu_bar->SetButtons(manager.GetMenuBarButtons().data(), int(manager.GetMenuBarButtons().size()));
    frame->DockControlBar(menu_bar, AFX_IDW_DOCKBAR_TOP);
    idle();
    bool done = false;
    display.then([&] {
        sheet.SetActivePage(1);
        commands.ShowGroup(4);
        auto* list = static_cast<CListBox*>(commands.GetGroup(4)->GetChild());
        ASSERT_EQ(list->GetCount(), 4);
        CString first;
        list->GetText(0, first);
        EXPECT_EQ(first, CString("File"));
        SECCustomToolBar* file = manager.FindToolBar(0xE800);
        CRect target = file->GetButtonRect(0);
        file->ClientToScreen(&target);
        const CPoint from(10, 5);
        CPoint start = from;
        list->ClientToScreen(&start);
        display.button(list->m_hWnd, from, true);
        display.move(nullptr, start + (target.CenterPoint() - start));
        display.button(nullptr, target.CenterPoint(), false);
    });
    display.then([&] {
        SECCustomToolBar* file = manager.FindToolBar(0xE800);
        EXPECT_EQ(file->GetButtonCount(), 9);
        EXPECT_EQ(file->GetButtonID(1), SEC_FIRST_MENU_BUTTON_ID);
        EXPECT_NE(dynamic_cast<SECTBMenuBtn*>(file->GetButton(1)), nullptr) << "a menu button on a toolbar";
        done = true;
        display.press(VK_ESCAPE);
    });
    sheet.DoModal();
    EXPECT_TRUE(done);
}

}  // namespace
