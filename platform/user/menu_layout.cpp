// Menu bar and popup menu geometry and drawing, in the classic style.
#include <algorithm>

#include "platform/gdi/gdi.h"
#include "platform/user/internal.h"
#include "platform/user/menu_bar.h"
#include "platform/user/menu_model.h"
#include "platform/user/message_api.h"
#include "platform/user/system_api.h"
#include "platform/user/window_dc.h"

namespace kit::user {

namespace {

constexpr int kBarItemPadding = 6;  // each side of a bar item's text
constexpr int kPopupBorder = 3;     // raised edge and one pixel of face
constexpr int kSeparatorHeight = 9;
constexpr int kShortcutGap = 16;

// A measuring DC with the menu font selected; released by the destructor.
struct MenuFontDc {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    ~MenuFontDc() {
        SelectObject(dc, old);
        DeleteDC(dc);
    }
    int width_of(const std::string& text) const {
        SIZE size{0, 0};
        GetTextExtentPoint32(dc, text.c_str(), int(text.size()), &size);
        return size.cx;
    }
};

int item_height() { return GetSystemMetrics(SM_CYMENU); }
int check_width() { return GetSystemMetrics(SM_CXMENUCHECK) + 4; }

void draw_label(HDC dc, const std::string& text, RECT r, UINT flags, bool grayed, bool selected) {
    SetBkMode(dc, TRANSPARENT);
    if (grayed && !selected) {
        // Embossed: a highlight copy one pixel down and right under the grey text.
        RECT shadow = r;
        OffsetRect(&shadow, 1, 1);
        SetTextColor(dc, GetSysColor(COLOR_3DHILIGHT));
        DrawText(dc, text.c_str(), int(text.size()), &shadow, flags);
    }
    SetTextColor(dc, GetSysColor(grayed ? COLOR_GRAYTEXT : selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
    DrawText(dc, text.c_str(), int(text.size()), &r, flags);
}

}  // namespace

std::vector<RECT> layout_menu_bar(HMENU menu, int width, int* height) {
    std::vector<RECT> rects;
    Menu* m = find_menu(menu);
    int row_height = item_height();
    if (height) *height = m ? row_height : 0;
    if (!m) return rects;
    MenuFontDc measure;
    int x = 0, y = 0;
    for (const MenuItem& item : m->items) {
        int w = item.separator() ? 0 : measure.width_of(label_of(item.text)) + 2 * kBarItemPadding;
        if ((x > 0 && x + w > width) || (item.type & MFT_MENUBARBREAK)) {
            x = 0;
            y += row_height;
        }
        rects.push_back(RECT{x, y, x + w, y + row_height});
        x += w;
    }
    if (height) *height = y + row_height + 1;  // a face line under the last row
    return rects;
}

int menu_bar_height(HWND hwnd, int width) {
    Window* w = find_window(hwnd);
    int height = 0;
    if (w && w->menu) layout_menu_bar(w->menu, width, &height);
    return height;
}

void paint_menu_bar(HWND hwnd, HDC dc, const RECT& bar) {
    Window* w = find_window(hwnd);
    if (!w) return;
    FillRect(dc, &bar, GetSysColorBrush(COLOR_MENU));
    Menu* m = find_menu(w->menu);
    if (!m) return;
    auto rects = layout_menu_bar(w->menu, bar.right - bar.left, nullptr);
    HGDIOBJ old_font = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    int hot = menu_bar_hot_item(hwnd);
    bool open = menu_bar_item_open(hwnd);
    for (size_t i = 0; i < m->items.size(); ++i) {
        const MenuItem& item = m->items[i];
        RECT r = rects[i];
        OffsetRect(&r, bar.left, bar.top);
        if (int(i) == hot) {
            RECT edge = r;
            DrawEdge(dc, &edge, open ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
            if (open) OffsetRect(&r, 1, 1);
        }
        draw_label(dc, item.text, r, DT_SINGLELINE | DT_CENTER | DT_VCENTER, item.grayed(), false);
    }
    SelectObject(dc, old_font);
}

PopupLayout layout_popup(HMENU menu, HWND owner) {
    PopupLayout layout;
    Menu* m = find_menu(menu);
    if (!m) return layout;
    MenuFontDc measure;
    int label_width = 0, shortcut_width = 0, y = kPopupBorder;
    std::vector<int> heights, owner_widths;
    // A copy: the owner answering WM_MEASUREITEM may change the menu.
    const std::vector<MenuItem> items = m->items;
    for (const MenuItem& item : items) {
        int h = item.separator() ? kSeparatorHeight : item_height();
        int owner_width = 0;
        if (item.type & MFT_OWNERDRAW) {
            MEASUREITEMSTRUCT mis{ODT_MENU, 0, item.id, 0, UINT(h), item.data};
            SendMessage(owner, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis));
            h = int(mis.itemHeight);
            owner_width = int(mis.itemWidth);
        } else if (!item.separator()) {
            label_width = std::max(label_width, measure.width_of(label_of(item.text)));
            shortcut_width = std::max(shortcut_width, measure.width_of(shortcut_of(item.text)));
        }
        heights.push_back(h);
        owner_widths.push_back(owner_width);
    }
    layout.label_x = kPopupBorder + check_width();
    layout.shortcut_x = layout.label_x + label_width + kShortcutGap;
    int content = check_width() + label_width + (shortcut_width ? kShortcutGap + shortcut_width : 0) + check_width();
    for (int w : owner_widths) content = std::max(content, w);
    for (size_t i = 0; i < items.size(); ++i) {
        layout.items.push_back(RECT{kPopupBorder, y, kPopupBorder + content, y + heights[i]});
        y += heights[i];
    }
    layout.size = SIZE{content + 2 * kPopupBorder, y + kPopupBorder};
    return layout;
}

void paint_popup(HDC dc, HMENU menu, const PopupLayout& layout, int selected, HWND owner) {
    Menu* m = find_menu(menu);
    if (!m) return;
    RECT all{0, 0, layout.size.cx, layout.size.cy};
    FillRect(dc, &all, GetSysColorBrush(COLOR_MENU));
    RECT edge = all;
    DrawEdge(dc, &edge, EDGE_RAISED, BF_RECT);
    HGDIOBJ old_font = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    // A copy: the owner answering WM_DRAWITEM may change the menu.
    const std::vector<MenuItem> items = m->items;
    for (size_t i = 0; i < items.size() && i < layout.items.size(); ++i) {
        const MenuItem& item = items[i];
        RECT r = layout.items[i];
        bool hot = int(i) == selected && !item.separator();
        if (item.type & MFT_OWNERDRAW) {
            UINT state = (hot ? ODS_SELECTED : 0) | (item.grayed() ? ODS_GRAYED : 0) |
                         ((item.state & MFS_CHECKED) ? ODS_CHECKED : 0);
            DRAWITEMSTRUCT dis{ODT_MENU, 0, item.id,  ODA_DRAWENTIRE, state, reinterpret_cast<HWND>(menu),
                               dc,       r, item.data};
            SendMessage(owner, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis));
            continue;
        }
        if (item.separator()) {
            RECT line{r.left + 1, r.top + kSeparatorHeight / 2 - 1, r.right - 1, r.top + kSeparatorHeight / 2 + 1};
            DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
            continue;
        }
        if (hot) FillRect(dc, &r, GetSysColorBrush(COLOR_HIGHLIGHT));
        if (item.state & MFS_CHECKED) {
            RECT check{r.left + 2, r.top + 3, r.left + 2 + GetSystemMetrics(SM_CXMENUCHECK), r.bottom - 3};
            DrawFrameControl(dc, &check, DFC_MENU, (item.type & MFT_RADIOCHECK) ? DFCS_MENUBULLET : DFCS_MENUCHECK);
        }
        RECT label{layout.label_x, r.top, r.right, r.bottom};
        draw_label(dc, item.text.substr(0, item.text.find('\t')), label, DT_SINGLELINE | DT_VCENTER, item.grayed(),
                   hot);
        std::string shortcut = shortcut_of(item.text);
        if (!shortcut.empty()) {
            RECT keys{layout.shortcut_x, r.top, r.right, r.bottom};
            draw_label(dc, shortcut, keys, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX, item.grayed(), hot);
        }
        if (item.submenu) {
            RECT arrow{r.right - check_width(), r.top + 3, r.right - 2, r.bottom - 3};
            DrawFrameControl(dc, &arrow, DFC_MENU, DFCS_MENUARROW);
        }
    }
    SelectObject(dc, old_font);
}

}  // namespace kit::user
