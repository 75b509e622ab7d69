#pragma once
// Layout and drawing of menu bars and popup menus.
#include <vector>

#include "platform/user/user_types.h"

namespace kit::user {

// Item rectangles of a menu bar `width` wide, relative to the bar's top-left
// corner; `height` receives the bar's height (rows wrap).
std::vector<RECT> layout_menu_bar(HMENU menu, int width, int* height);
void paint_menu_bar(HWND hwnd, HDC dc, const RECT& bar);

struct PopupLayout {
    std::vector<RECT> items;  // client coordinates of the popup window
    SIZE size{};              // of the popup window, border included
    int label_x = 0;
    int shortcut_x = 0;
};
// Measures a popup (owner-drawn items through WM_MEASUREITEM to `owner`).
PopupLayout layout_popup(HMENU menu, HWND owner);
void paint_popup(HDC dc, HMENU menu, const PopupLayout& layout, int selected, HWND owner);

// The bar item the menu loop shows as hot (-1 for none), for painting.
int menu_bar_hot_item(HWND hwnd);
bool menu_bar_item_open(HWND hwnd);

}  // namespace kit::user
