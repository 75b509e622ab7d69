// Bitmap menus: popup items become owner-drawn with the command's picture,
// keep their mnemonics, leave system commands alone, and turn back into
// plain items when the frame goes.
#include <gtest/gtest.h>

#include "platform/gdi/png_writer.h"
#include "platform/gdi/surface_dc.h"
#include "platform/user/window_table.h"
#include "testing/golden.h"
#include "testing/painted_picture.h"
#include "uikit/frames/bmp_mgr.h"
#include "uikit/frames/tests/toolbar_fixture.h"

namespace toolbar_test {
namespace {

class BmpMenuTest : public ToolBarTest {
protected:
    void SetUp() override {
        ToolBarTest::SetUp();
        delete manager;
        frame->DestroyWindow();
        pump();
        frame = new CountingFrame;
        frame->EnableBmpMenus(TRUE, TRUE);
        frame->Create(nullptr, "Menus", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 480, 240));
        manager = new SECToolBarManager(frame);
        ASSERT_TRUE(manager->LoadToolBarResource(kToolBarResource));
        frame->SetControlBarManager(manager);
        menu = ::CreatePopupMenu();
        ::AppendMenu(menu, MF_STRING, 100, "&Open\tCtrl+O");
        ::AppendMenu(menu, MF_STRING | MF_CHECKED, 103, "&Checked picture");
        ::AppendMenu(menu, MF_STRING, 101, "&Disabled");
        ::AppendMenu(menu, MF_SEPARATOR, 0, nullptr);
        ::AppendMenu(menu, MF_STRING | MF_CHECKED, 900, "No &picture");
        ::AppendMenu(menu, MF_STRING, 901, "&Delete");
        ::AppendMenu(menu, MF_STRING, 0xF060, "Close");
        frame->disabled = {101};
    }
    void TearDown() override {
        if (::IsMenu(menu)) ::DestroyMenu(menu);
        if (frame) frame->SetControlBarManager(nullptr);
        ToolBarTest::TearDown();
    }
    HMENU menu = nullptr;
};

UINT item_type(HMENU menu, UINT position) {
    MENUITEMINFO info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_TYPE;
    ::GetMenuItemInfo(menu, position, TRUE, &info);
    return info.fType;
}

TEST_F(BmpMenuTest, APopupShowsCommandPictures) {
    bool compared = false;
    display.then([&] { display.press(VK_DOWN); });
    display.then([&] {
        HWND popup = kit::user::top_level_windows().front();
        EXPECT_TRUE(testing_kit::matches_painted_golden(popup, "uikit/frames/tests/golden/bitmap_menu.png"));
        compared = true;
        display.press(VK_ESCAPE);
    });
    ::TrackPopupMenu(menu, TPM_RETURNCMD, 40, 40, 0, frame->m_hWnd, nullptr);
    EXPECT_TRUE(compared);
    EXPECT_TRUE(item_type(menu, 0) & MFT_OWNERDRAW);
    EXPECT_FALSE(item_type(menu, 3) & MFT_OWNERDRAW);  // the separator
    EXPECT_FALSE(item_type(menu, 6) & MFT_OWNERDRAW);  // a system command
}

TEST_F(BmpMenuTest, MnemonicsOfOwnerDrawnItemsChooseAndSelect) {
    display.press(VK_ESCAPE);
    ::TrackPopupMenu(menu, TPM_RETURNCMD, 40, 40, 0, frame->m_hWnd, nullptr);
    const auto menu_char = [&](char c) {
        return LRESULT(frame->SendMessage(WM_MENUCHAR, MAKEWPARAM(c, MF_POPUP), LPARAM(menu)));
    };
    EXPECT_EQ(menu_char('O'), MAKELONG(0, MNC_EXECUTE));
    EXPECT_EQ(menu_char('z'), 0);
    // Two items share "d": the first after the highlighted one is selected.
    EXPECT_EQ(menu_char('d'), MAKELONG(2, MNC_SELECT));
    frame->SendMessage(WM_MENUSELECT, MAKEWPARAM(101, 0), LPARAM(menu));
    EXPECT_EQ(menu_char('d'), MAKELONG(5, MNC_SELECT));
    frame->SendMessage(WM_MENUSELECT, MAKEWPARAM(901, 0), LPARAM(menu));
    EXPECT_EQ(menu_char('D'), MAKELONG(2, MNC_SELECT));
}

TEST_F(BmpMenuTest, AShortcutKeepsAGapFromItsLabel) {
    // The screen's own font, in which a tab is about as wide as nothing.
    gdi::set_test_font_everywhere(false);
    display.press(VK_ESCAPE);
    ::TrackPopupMenu(menu, TPM_RETURNCMD, 40, 40, 0, frame->m_hWnd, nullptr);
    MENUITEMINFO info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_DATA;
    ASSERT_TRUE(::GetMenuItemInfo(menu, 0, TRUE, &info));
    MEASUREITEMSTRUCT measure{ODT_MENU, 0, 100, 0, 0, info.dwItemData};
    frame->SendMessage(WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure));
    // Label and shortcut each measured in the menu font, and the room the picture takes.
    NONCLIENTMETRICS metrics{};
    metrics.cbSize = sizeof metrics;
    ::SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    HFONT font = ::CreateFontIndirect(&metrics.lfMenuFont);
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, font);
    const auto extent = [dc](const char* text) {
        CRect r(0, 0, 0, 0);
        ::DrawText(dc, text, -1, &r, DT_CALCRECT | DT_SINGLELINE);
        return r.Size();
    };
    const int label = extent("&Open").cx, shortcut = extent("Ctrl+O").cx, line = extent("O").cy;
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    ::DeleteObject(font);
    const int text_room = int(measure.itemWidth) - manager->GetBmpMgr()->m_szSmall.cx - 30;
    ASSERT_GT(label, 0);
    // About two letters apart (a line's height).
    EXPECT_GE(text_room - label - shortcut, line) << "label and shortcut nearly touch";
}

TEST_F(BmpMenuTest, ItemsTurnBackIntoTextWithTheFrame) {
    display.press(VK_ESCAPE);
    ::TrackPopupMenu(menu, TPM_RETURNCMD, 40, 40, 0, frame->m_hWnd, nullptr);
    ASSERT_TRUE(item_type(menu, 0) & MFT_OWNERDRAW);
    frame->SetControlBarManager(nullptr);
    delete manager;
    manager = nullptr;
    frame->DestroyWindow();
    frame = nullptr;
    pump();
    EXPECT_FALSE(item_type(menu, 0) & MFT_OWNERDRAW);
    char text[64] = {};
    ::GetMenuString(menu, 0, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, "&Open\tCtrl+O");
}

}  // namespace
}  // namespace toolbar_test
