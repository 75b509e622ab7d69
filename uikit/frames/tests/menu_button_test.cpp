// Menu buttons: descriptors built from menus (one bit per menu that exists),
// mnemonics, sizes from the text, and pressing that asks the owner to drop
// the menu (never for a disabled button).
#include <gtest/gtest.h>

#include "uikit/frames/menu_bar.h"
#include "uikit/frames/menu_button.h"
#include "uikit/frames/tests/toolbar_fixture.h"

namespace toolbar_test {
namespace {

TEST_F(ToolBarTest, EachMenuThatExistsGetsTheNextBit) {
    std::vector<UINT> bits;
    const SECBtnDescriptors d = sec_build_menu_descriptors({kMenuNoDocument, 4242, kMenuDocument}, &bits);
    EXPECT_EQ(bits, (std::vector<UINT>{1, 0, 2}));
    ASSERT_EQ(d.size(), 7u);
    EXPECT_EQ(d[0].id, SEC_FIRST_MENU_BUTTON_ID);
    EXPECT_EQ(d[6].id, SEC_FIRST_MENU_BUTTON_ID + 6);
    EXPECT_EQ(d[2].bits, 1u);
    EXPECT_EQ(d[3].bits, 2u);
    EXPECT_EQ(d[4].menu, kMenuDocument);
    EXPECT_EQ(d[4].position, 1);
    EXPECT_STREQ(d[4].title, "&Edit");
}

TEST_F(ToolBarTest, MenuButtonsShowTheirTitleAndDropTheirMenu) {
    manager->SetMenuInfo({kMenuNoDocument, kMenuDocument});
    SECCustomToolBar* bar = make_bar(0xE800, manager->GetMenuBarButtons());
    ASSERT_EQ(bar->GetButtonCount(), 7);
    auto* file = dynamic_cast<SECTBMenuBtn*>(bar->GetButton(3));
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->m_cMnemonic, 'f');
    EXPECT_EQ(static_cast<SECTBMenuBtn*>(bar->GetButton(6))->m_cMnemonic, 0) << "a title ending in &";
    // The test font's cells are fixed: "&File" is 5 characters measured with the prefix shown as such.
    CRect text(0, 0, 0, 0);
    HDC dc = ::CreateCompatibleDC(nullptr);
    ::SelectObject(dc, bar->GetTextFont()->m_hObject);
    ::DrawText(dc, "&File", 5, &text, DT_CALCRECT | DT_SINGLELINE);
    ::DeleteDC(dc);
    EXPECT_EQ(file->m_cx, text.Width() + 10);
    EXPECT_EQ(file->m_cy, text.Height() + 6);
    // Text menu buttons are not disabled for want of a handler.
    bar->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    EXPECT_FALSE(bar->GetButtonStyle(3) & TBBS_DISABLED);
    display.click(bar->m_hWnd, bar->GetButtonRect(4).CenterPoint());
    pump();
    ASSERT_EQ(frame->drops.size(), 1u);
    EXPECT_EQ(frame->drops[0], std::make_pair(UINT_PTR(kMenuDocument), 1));
    EXPECT_EQ(bar->m_nOpenMenu, 4);
    bar->EndMenuMode();
    EXPECT_EQ(bar->m_nOpenMenu, -1);
    bar->SetButtonStyle(4, bar->GetButtonStyle(4) | TBBS_DISABLED);
    EXPECT_FALSE(bar->GetButton(4)->BtnPressDown(bar->GetButtonRect(4).CenterPoint()));
    EXPECT_EQ(frame->drops.size(), 1u);
}

TEST_F(ToolBarTest, MenuModeMovesBetweenMenuButtons) {
    manager->SetMenuInfo({kMenuNoDocument});
    SECCustomToolBar* bar = make_bar(0xE800, manager->GetMenuBarButtons());
    EXPECT_EQ(bar->NextMenuButton(1), 0);
    EXPECT_EQ(bar->NextMenuButton(0), 2);
    bar->m_nOpenMenu = 1;
    EXPECT_EQ(bar->NextMenuButton(1), 2);
    EXPECT_EQ(bar->NextMenuButton(0), 0);
    bar->m_nOpenMenu = 2;
    EXPECT_EQ(bar->NextMenuButton(1), -1);
    bar->HideButton(1, TRUE);
    bar->m_nOpenMenu = 0;
    EXPECT_EQ(bar->NextMenuButton(1), 2) << "hidden buttons are passed over";
    bar->m_nOpenMenu = -1;
}

}  // namespace
}  // namespace toolbar_test

namespace toolbar_test {
namespace {

TEST_F(ToolBarTest, TheManagerMakesTheFramesMenuBarFirst) {
    manager->SetMenuInfo({kMenuNoDocument, kMenuDocument});
    auto* menu_bar = new SECMenuBar;
    menu_bar->m_bAutoDelete = TRUE;
    frame->SetMenuBar(menu_bar);
    const UINT ids[] = {100, 101};
    manager->DefineDefaultToolBar(0xE800, "File", 2, ids);
    manager->CreateDefaultToolBars();
    ASSERT_TRUE(menu_bar->m_hWnd);
    EXPECT_EQ(menu_bar->GetDlgCtrlID(), int(SEC_IDW_MENUBAR));
    EXPECT_EQ(menu_bar->GetWindowText(), CString("Menu bar"));
    EXPECT_EQ(menu_bar->GetManager(), manager);
    EXPECT_EQ(manager->GetBarTypeID(menu_bar), SEC_TYPE_MENU_BAR);
    EXPECT_EQ(manager->GetBarTypeID(manager->FindToolBar(0xE800)), SEC_TYPE_CUSTOM_TOOLBAR);
    CRect menu_place, file_place;
    menu_bar->GetWindowRect(&menu_place);
    manager->FindToolBar(0xE800)->GetWindowRect(&file_place);
    EXPECT_LT(menu_place.top, file_place.top) << "the menu bar's row comes first";
    frame->SetMenuBar(nullptr);
}

}  // namespace
}  // namespace toolbar_test
