// Menus as data, and the menu loop: keyboard navigation, mnemonics,
// WM_MENUCHAR, the mouse, the menu bar, hooks, and the ways a loop ends.
#include "platform/user/tests/user_fixture.h"

#include <string>
#include <vector>

#include "platform/user/window_table.h"

namespace user_test {
namespace {

using Log = std::vector<std::string>;

class MenuTest : public UserTest {
protected:
    // &Alpha, separator, &Bravo (grayed), &Charlie > (&Delta, &Echo), &Foxtrot, F&ourth
    HMENU make_menu() {
        HMENU sub = CreatePopupMenu();
        AppendMenu(sub, MF_STRING, 21, "&Delta");
        AppendMenu(sub, MF_STRING, 22, "&Echo");
        HMENU menu = CreatePopupMenu();
        AppendMenu(menu, MF_STRING, 10, "&Alpha\tCtrl+A");
        AppendMenu(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenu(menu, MF_STRING | MF_GRAYED, 11, "&Bravo");
        AppendMenu(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), "&Charlie");
        AppendMenu(menu, MF_STRING, 12, "&Foxtrot");
        AppendMenu(menu, MF_STRING, 13, "F&ourth");
        return menu;
    }
};

TEST_F(MenuTest, ItemsByCommandAndByPosition) {
    HMENU menu = make_menu();
    EXPECT_EQ(GetMenuItemCount(menu), 6);
    EXPECT_EQ(GetMenuItemID(menu, 0), 10u);
    EXPECT_EQ(GetMenuItemID(menu, 3), UINT(-1));  // a popup
    EXPECT_EQ(GetMenuState(menu, 11, MF_BYCOMMAND), MF_GRAYED);
    EXPECT_EQ(GetMenuState(menu, 3, MF_BYPOSITION), MF_POPUP | (2u << 8));
    EXPECT_EQ(GetMenuState(menu, 22, MF_BYCOMMAND), 0u);  // found in the submenu
    char text[32];
    EXPECT_EQ(GetMenuString(menu, 0, text, sizeof text, MF_BYPOSITION), 13);
    EXPECT_STREQ(text, "&Alpha\tCtrl+A");
    CheckMenuItem(menu, 12, MF_CHECKED);
    EXPECT_EQ(GetMenuState(menu, 12, MF_BYCOMMAND), MF_CHECKED);
    InsertMenu(menu, 12, MF_BYCOMMAND | MF_STRING, 14, "Inserted");
    EXPECT_EQ(GetMenuItemID(menu, 4), 14u);
    ModifyMenu(menu, 14, MF_BYCOMMAND | MF_STRING | MF_GRAYED, 15, "Changed");
    EXPECT_EQ(GetMenuState(menu, 15, MF_BYCOMMAND), MF_GRAYED);
    DeleteMenu(menu, 15, MF_BYCOMMAND);
    EXPECT_EQ(GetMenuItemCount(menu), 6);
    EXPECT_TRUE(CheckMenuRadioItem(menu, 12, 13, 13, MF_BYCOMMAND));
    EXPECT_EQ(GetMenuState(menu, 12, MF_BYCOMMAND), 0u);
    EXPECT_EQ(GetMenuState(menu, 13, MF_BYCOMMAND) & MF_CHECKED, MF_CHECKED);
    EXPECT_EQ(GetMenuState(menu, 99, MF_BYCOMMAND), UINT(-1));
}

TEST_F(MenuTest, HandlesAreNeverReused) {
    HMENU menu = make_menu();
    HMENU sub = GetSubMenu(menu, 3);
    DestroyMenu(menu);
    EXPECT_FALSE(IsMenu(menu));
    EXPECT_FALSE(IsMenu(sub));  // destroyed with its parent
    for (int i = 0; i < 100; ++i) {
        HMENU fresh = CreatePopupMenu();
        EXPECT_NE(fresh, menu);
        EXPECT_NE(fresh, sub);
        DestroyMenu(fresh);
    }
    EXPECT_FALSE(AppendMenu(menu, MF_STRING, 1, "x"));
}

struct NavCase {
    const char* name;
    std::vector<int> keys;  // virtual keys; letters as upper case
    UINT expected;
};

TEST_F(MenuTest, KeyboardNavigation) {
    const NavCase cases[] = {
        {"down selects the first item", {VK_DOWN, VK_RETURN}, 10},
        {"separators are skipped", {VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}, 12},
        {"up wraps to the last", {VK_UP, VK_RETURN}, 13},
        {"a grayed item does nothing", {VK_DOWN, VK_DOWN, VK_RETURN, VK_ESCAPE}, 0},
        {"right opens a submenu", {VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT, VK_DOWN, VK_RETURN}, 22},
        {"left closes it again", {VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT, VK_LEFT, VK_DOWN, VK_RETURN}, 12},
        {"a mnemonic chooses", {'F'}, 12},
        {"a mnemonic opens a submenu", {'C', 'E'}, 22},
        {"escape closes one level at a time", {'C', VK_ESCAPE, VK_DOWN, VK_RETURN}, 12},
        {"escape at the top cancels", {VK_ESCAPE}, 0},
    };
    HWND owner = make_top();
    for (const auto& c : cases) {
        HMENU menu = make_menu();
        pump();
        for (int vk : c.keys) display.press(vk);
        UINT chosen = UINT(TrackPopupMenu(menu, TPM_RETURNCMD, 120, 120, 0, owner, nullptr));
        EXPECT_EQ(chosen, c.expected) << c.name;
        EXPECT_EQ(GetCapture(), nullptr) << c.name;
        DestroyMenu(menu);
    }
}

// A submenu opens beside its item, its first item level with it, whatever the
// separators above; near the screen's right edge, before its parent instead.
TEST_F(MenuTest, ASubmenuOpensBesideItsItem) {
    HWND owner = make_top();
    const int screen_w = GetSystemMetrics(SM_CXSCREEN);
    for (const int x : {120, screen_w - 150}) {
        HMENU menu = make_menu();
        pump();
        RECT parent{}, sub{};
        for (int vk : {VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT}) display.press(vk);
        display.then([&] {
            std::vector<HWND> popups;
            for (HWND top : kit::user::top_level_windows()) {
                char name[16] = {};
                GetClassName(top, name, int(sizeof name));
                if (std::string(name) == "#32768" && IsWindowVisible(top)) popups.push_back(top);
            }
            EXPECT_EQ(popups.size(), 2u);
            for (HWND popup : popups) {
                RECT r;
                GetWindowRect(popup, &r);
                // The menu itself opened where it was asked to.
                (r.left == x && r.top == 120 ? parent : sub) = r;
            }
            display.press(VK_ESCAPE);
            display.press(VK_ESCAPE);
        });
        TrackPopupMenu(menu, TPM_RETURNCMD, x, 120, 0, owner, nullptr);
        // Beside the parent, not below it: level with "&Charlie", under a separator.
        EXPECT_LT(sub.top, parent.bottom) << x;
        EXPECT_GT(sub.top, parent.top) << x;
        if (x == 120)
            EXPECT_GE(sub.left, parent.right - 8) << x;
        else
            EXPECT_LE(sub.right, parent.left + 8) << x;
        DestroyMenu(menu);
    }
}

TEST_F(MenuTest, TheLoopNotifiesTheOwnerAndPostsTheCommand) {
    HWND owner = make_top();
    HMENU menu = make_menu();
    pump();
    take_log();
    display.press(VK_DOWN);
    display.press(VK_RETURN);
    EXPECT_TRUE(TrackPopupMenu(menu, TPM_LEFTALIGN, 120, 120, 0, owner, nullptr));
    EXPECT_EQ(take_log({"WM_ENTERMENULOOP", "WM_INITMENU", "WM_INITMENUPOPUP", "WM_MENUSELECT", "WM_EXITMENULOOP",
                        "WM_COMMAND"}),
              (Log{"WM_ENTERMENULOOP", "WM_INITMENU", "WM_INITMENUPOPUP", "WM_MENUSELECT", "WM_MENUSELECT",
                   "WM_EXITMENULOOP"}));
    MSG msg;
    ASSERT_TRUE(PeekMessage(&msg, owner, WM_COMMAND, WM_COMMAND, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 10u);
}

TEST_F(MenuTest, UnknownCharactersAskTheOwner) {
    HWND owner = make_top();
    HMENU menu = make_menu();
    set_proc_hook([](HWND, UINT m, WPARAM w, LPARAM, bool* handled) -> LRESULT {
        if (m != WM_MENUCHAR) return 0;
        *handled = true;
        return LOWORD(w) == 'z' ? MAKELONG(4, MNC_EXECUTE) : MAKELONG(0, MNC_CLOSE);
    });
    pump();
    display.press('Z');
    EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 120, 120, 0, owner, nullptr), 12);
    display.press('Y');
    EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 120, 120, 0, owner, nullptr), 0);
}

TEST_F(MenuTest, TheMouseChoosesAfterItMoved) {
    HWND owner = make_top();
    HMENU menu = make_menu();
    pump();
    // The popup opens at (120, 120): its first item starts 3 pixels in.
    display.button(nullptr, POINT{130, 126}, false);  // the release of the click that opened it
    display.move(nullptr, POINT{130, 127});
    display.click(nullptr, POINT{130, 127});
    EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 120, 120, 0, owner, nullptr), 10);
    // A click outside the menu cancels it.
    display.click(nullptr, POINT{900, 900});
    EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 120, 120, 0, owner, nullptr), 0);
}

TEST_F(MenuTest, QuitAndLostCaptureEndTheLoop) {
    HWND owner = make_top();
    HMENU menu = make_menu();
    pump();
    PostQuitMessage(4);
    EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 120, 120, 0, owner, nullptr), 0);
    MSG msg;
    ASSERT_EQ(GetMessage(&msg, nullptr, 0, 0), FALSE);  // posted again
    EXPECT_EQ(msg.wParam, 4u);

    display.then([] { SetCapture(nullptr), ReleaseCapture(); });
    EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 120, 120, 0, owner, nullptr), 0);
}

TEST_F(MenuTest, AMessageFilterHookSeesTheLoopFirst) {
    HWND owner = make_top();
    HMENU menu = make_menu();
    static int offered = 0;
    offered = 0;
    HHOOK hook = SetWindowsHookEx(
        WH_MSGFILTER,
        [](int code, WPARAM, LPARAM lParam) -> LRESULT {
            auto* msg = reinterpret_cast<MSG*>(lParam);
            if (code == MSGF_MENU) ++offered;
            return msg->message == WM_KEYDOWN && msg->wParam == WPARAM(VK_UP);  // eats Up
        },
        nullptr, 0);
    pump();
    display.press(VK_UP);
    display.press(VK_DOWN);
    display.press(VK_RETURN);
    EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 120, 120, 0, owner, nullptr), 10);
    EXPECT_GE(offered, 3);
    UnhookWindowsHookEx(hook);
}

TEST_F(MenuTest, TheMenuBarByKeyboard) {
    HWND owner = make_top();
    HMENU bar = CreateMenu();
    HMENU file = CreatePopupMenu();
    AppendMenu(file, MF_STRING, 100, "&Open");
    AppendMenu(file, MF_STRING, 101, "&Save");
    HMENU edit = CreatePopupMenu();
    AppendMenu(edit, MF_STRING, 200, "&Copy");
    AppendMenu(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "&File");
    AppendMenu(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(edit), "&Edit");
    SetMenu(owner, bar);
    struct Case {
        const char* name;
        std::function<void()> keys;
        std::vector<UINT> commands;
    } cases[] = {
        {"alt, right, down, enter",
         [&] {
             display.press(VK_MENU);
             display.press(VK_RIGHT);
             display.press(VK_DOWN);
             display.press(VK_RETURN);
         },
         {200}},
        {"alt+f then s",
         [&] {
             display.chord(VK_MENU, 'F');
             display.press('S');
         },
         {101}},
        {"f10 then escape twice",
         [&] {
             display.press(VK_F10);
             display.press(VK_DOWN);
             display.press(VK_ESCAPE);
             display.press(VK_ESCAPE);
         },
         {}},
        {"f10 held: its repeats keep the menu open",
         [&] {
             for (int press = 0; press < 4; ++press) kit::user::inject_key(VK_F10, true);
             kit::user::inject_key(VK_F10, false);
             display.press(VK_DOWN);
             display.press(VK_RETURN);
         },
         {100}},
    };
    for (auto& c : cases) {
        static std::vector<UINT> commands;
        commands.clear();
        set_proc_hook([](HWND, UINT m, WPARAM w, LPARAM, bool*) -> LRESULT {
            if (m == WM_COMMAND) commands.push_back(LOWORD(w));
            return 0;
        });
        pump();
        c.keys();
        pump();
        EXPECT_EQ(commands, c.commands) << c.name;
        EXPECT_EQ(GetCapture(), nullptr) << c.name;
    }
}

}  // namespace
}  // namespace user_test

namespace user_test {
namespace {

TEST_F(MenuTest, OwnerDrawnItemsAreMeasuredAndDrawnByTheOwner) {
    HWND owner = make_top();
    HMENU menu = CreatePopupMenu();
    AppendMenu(menu, MF_OWNERDRAW, 30, reinterpret_cast<const char*>(std::uintptr_t(0xD47A)));
    AppendMenu(menu, MF_STRING, 31, "&Plain");
    static std::vector<std::string> seen;
    seen.clear();
    set_proc_hook([](HWND, UINT m, WPARAM, LPARAM l, bool* handled) -> LRESULT {
        if (m == WM_MEASUREITEM) {
            auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(l);
            seen.push_back("measure " + std::to_string(mis->itemID) + " data " + std::to_string(mis->itemData));
            mis->itemWidth = 80;
            mis->itemHeight = 30;
            *handled = true;
            return TRUE;
        }
        if (m == WM_DRAWITEM) {
            auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(l);
            seen.push_back("draw " + std::to_string(dis->itemID) + " height " +
                           std::to_string(dis->rcItem.bottom - dis->rcItem.top) +
                           ((dis->itemState & ODS_SELECTED) ? " selected" : ""));
            *handled = true;
            return TRUE;
        }
        return 0;
    });
    pump();
    display.then([] { inject_key_press(VK_DOWN); });
    display.then([] { inject_key_press(VK_ESCAPE); });
    EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 120, 120, 0, owner, nullptr), 0);
    ASSERT_GE(seen.size(), 3u);
    EXPECT_EQ(seen[0], "measure 30 data 54394");
    EXPECT_EQ(seen[1], "draw 30 height 30");
    EXPECT_EQ(seen.back(), "draw 30 height 30 selected");
}

TEST_F(MenuTest, InitMenuPopupNamesThePopupsPlace) {
    HWND owner = make_top();
    HMENU bar = CreateMenu();
    HMENU first = CreatePopupMenu(), second = CreatePopupMenu();
    AppendMenu(first, MF_STRING, 1, "&One");
    AppendMenu(second, MF_STRING, 2, "&Two");
    AppendMenu(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(first), "&First");
    AppendMenu(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(second), "&Second");
    SetMenu(owner, bar);
    static std::vector<std::pair<HMENU, int>> opened;
    opened.clear();
    set_proc_hook([](HWND, UINT m, WPARAM w, LPARAM l, bool*) -> LRESULT {
        if (m == WM_INITMENUPOPUP) opened.emplace_back(reinterpret_cast<HMENU>(w), LOWORD(l));
        return 0;
    });
    pump();
    display.chord(VK_MENU, 'S');
    display.press(VK_ESCAPE);
    display.press(VK_ESCAPE);
    pump();
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].first, second);
    EXPECT_EQ(opened[0].second, 1);
}

}  // namespace
}  // namespace user_test

namespace user_test {
namespace {

TEST_F(MenuTest, AnOwnerEmptyingTheMenuWhileToldOfASelectionDoesNoHarm) {
    HWND owner = make_top();
    static HMENU menu;
    menu = make_menu();
    set_proc_hook([](HWND, UINT m, WPARAM, LPARAM, bool*) -> LRESULT {
        if (m == WM_MENUSELECT || m == WM_MEASUREITEM) {
            while (GetMenuItemCount(menu) > 0) DeleteMenu(menu, 0, MF_BYPOSITION);
        }
        return 0;
    });
    pump();
    display.then([] {
        inject_key_press(VK_DOWN);
        inject_key_press(VK_RETURN);
    });
    display.then([] { inject_key_press(VK_ESCAPE); });
    UINT chosen = UINT(TrackPopupMenu(menu, TPM_RETURNCMD, 120, 120, 0, owner, nullptr));
    EXPECT_TRUE(chosen == 0 || chosen == 10);
    EXPECT_EQ(GetCapture(), nullptr);
}

}  // namespace
}  // namespace user_test
