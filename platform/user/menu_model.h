#pragma once
// The records behind menu handles. Internal to the window manager.
#include <string>
#include <vector>

#include "platform/user/menu_api.h"

namespace kit::user {

struct MenuItem {
    UINT type = MFT_STRING;  // MFT_ bits
    UINT state = 0;          // MFS_ bits
    UINT id = 0;
    HMENU submenu = nullptr;
    std::string text;
    UINT_PTR data = 0;
    HBITMAP bitmap = nullptr;

    bool separator() const { return (type & MFT_SEPARATOR) != 0; }
    bool grayed() const { return (state & MFS_GRAYED) != 0; }
};

struct Menu {
    HMENU handle = nullptr;
    bool popup = false;
    std::vector<MenuItem> items;
    HWND bar_of = nullptr;  // the window showing it as its menu bar
};

Menu* find_menu(HMENU menu);
// The index of an item by command id (searching submenus, whose menu is
// returned through `owner`) or by position; -1 when absent.
int find_item(HMENU menu, UINT item, bool by_position, HMENU* owner);

// The mnemonic of an item's text: the character after a single '&', lower-cased, or 0.
int mnemonic_of(const std::string& text);
// The text without mnemonic marks, and the part after a tab (the shortcut).
std::string label_of(const std::string& text);
std::string shortcut_of(const std::string& text);

}  // namespace kit::user
