// The LISTBOX class: single, multiple and extended selection, sorted or in
// order, with a vertical scroll bar and LBN_ notifications.
#include <algorithm>
#include <cstring>
#include <strings.h>
#include <string>
#include <vector>

#include "platform/gdi/gdi.h"
#include "platform/user/control_styles.h"
#include "platform/user/controls.h"
#include "platform/user/input_api.h"
#include "platform/user/message_api.h"
#include "platform/user/paint_api.h"
#include "platform/user/scroll_api.h"
#include "platform/user/system_api.h"
#include "platform/user/window_api.h"
#include "platform/user/window_extra.h"

namespace kit::user {

namespace {

struct Item {
    std::string text;
    LPARAM data = 0;
    bool selected = false;
    ListItemCheck check;  // used by the check list box built on this class
};

struct ListState : WindowExtra {
    std::vector<Item> items;
    int current = -1;  // the caret item; in single selection also the selected one
    int anchor = -1;
    int top = 0;
    ItemDecoration decorate = nullptr;
};

DWORD style_of(HWND hwnd) { return DWORD(GetWindowLong(hwnd, GWL_STYLE)); }
bool multi(HWND hwnd) { return (style_of(hwnd) & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0; }

int item_height(HWND hwnd) {
    HDC dc = GetDC(hwnd);
    HGDIOBJ old = select_control_font(hwnd, dc);
    TEXTMETRIC tm{};
    GetTextMetrics(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(hwnd, dc);
    return std::max<int>(1, tm.tmHeight);
}

int rows_shown(HWND hwnd) {
    RECT r;
    GetClientRect(hwnd, &r);
    return std::max(1, int(r.bottom) / item_height(hwnd));
}

void update_scroll(HWND hwnd, const ListState& s) {
    if (!(style_of(hwnd) & WS_VSCROLL)) return;
    SCROLLINFO si{sizeof si,
                  SIF_RANGE | SIF_PAGE | SIF_POS,
                  0,
                  std::max(0, int(s.items.size()) - 1),
                  UINT(rows_shown(hwnd)),
                  s.top,
                  0};
    SetScrollInfo(hwnd, SB_VERT, &si, TRUE);
}

void set_top(HWND hwnd, ListState& s, int top) {
    s.top = std::clamp(top, 0, std::max(0, int(s.items.size()) - rows_shown(hwnd)));
    update_scroll(hwnd, s);
    InvalidateRect(hwnd, nullptr, TRUE);
}

void make_visible(HWND hwnd, ListState& s, int index) {
    if (index < 0) return;
    if (index < s.top) set_top(hwnd, s, index);
    if (index >= s.top + rows_shown(hwnd)) set_top(hwnd, s, index - rows_shown(hwnd) + 1);
}

void select_only(HWND hwnd, ListState& s, int index) {
    for (size_t i = 0; i < s.items.size(); ++i) s.items[i].selected = int(i) == index;
    s.current = index;
    s.anchor = index;
    make_visible(hwnd, s, index);
    InvalidateRect(hwnd, nullptr, TRUE);
}

int insert_item(HWND hwnd, ListState& s, int at, const char* text) {
    Item item{text ? text : "", 0, false, {}};
    if (at < 0 || at > int(s.items.size())) at = int(s.items.size());
    if ((style_of(hwnd) & LBS_SORT) && at == int(s.items.size())) {
        auto it = std::upper_bound(s.items.begin(), s.items.end(), item, [](const Item& a, const Item& b) {
            return strcasecmp(a.text.c_str(), b.text.c_str()) < 0;
        });
        at = int(it - s.items.begin());
    }
    s.items.insert(s.items.begin() + at, item);
    if (s.current >= at) ++s.current;
    update_scroll(hwnd, s);
    InvalidateRect(hwnd, nullptr, TRUE);
    return at;
}

int find_item(const ListState& s, int after, const char* text, bool exact) {
    if (!text || s.items.empty()) return int(LB_ERR);
    size_t length = std::strlen(text);
    int count = int(s.items.size());
    for (int n = 1; n <= count; ++n) {
        int i = (after + n + count) % count;
        const std::string& item = s.items[size_t(i)].text;
        bool match = exact ? strcasecmp(item.c_str(), text) == 0 : strncasecmp(item.c_str(), text, length) == 0;
        if (match) return i;
    }
    return int(LB_ERR);
}

void user_selected(HWND hwnd, ListState& s, int index, bool toggle) {
    if (index < 0 || index >= int(s.items.size())) return;
    if (toggle && multi(hwnd)) {
        s.items[size_t(index)].selected = !s.items[size_t(index)].selected;
        s.current = index;
        InvalidateRect(hwnd, nullptr, TRUE);
    } else {
        select_only(hwnd, s, index);
    }
    if (style_of(hwnd) & LBS_NOTIFY) notify_parent(hwnd, LBN_SELCHANGE);
}

void paint(HWND hwnd, ListState& s, HDC dc) {
    RECT client;
    GetClientRect(hwnd, &client);
    HBRUSH background = control_colours(hwnd, dc, WM_CTLCOLORLISTBOX);
    FillRect(dc, &client, background);
    HGDIOBJ old = select_control_font(hwnd, dc);
    COLORREF text_colour = GetTextColor(dc);
    int height = item_height(hwnd);
    SetBkMode(dc, TRANSPARENT);
    // Before any key the keyboard acts on the first item, so that is where the focus shows.
    const int caret = std::max(s.current, 0);
    for (int i = s.top, y = 0; i < int(s.items.size()) && y < client.bottom; ++i, y += height) {
        const Item& item = s.items[size_t(i)];
        RECT r{0, y, client.right, y + height};
        if (item.selected) {
            FillRect(dc, &r, GetSysColorBrush(COLOR_HIGHLIGHT));
            SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
        } else {
            SetTextColor(dc, IsWindowEnabled(hwnd) ? text_colour : GetSysColor(COLOR_GRAYTEXT));
        }
        RECT text = r;
        text.left += 2 + (s.decorate ? s.decorate(hwnd, dc, i, r) : 0);
        DrawText(dc, item.text.c_str(), int(item.text.size()), &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        if (i == caret && GetFocus() == hwnd) DrawFocusRect(dc, &r);
    }
    SelectObject(dc, old);
}

LRESULT copy_text(const std::string& text, LPARAM buffer) {
    if (!buffer) return LB_ERR;
    std::memcpy(reinterpret_cast<char*>(buffer), text.c_str(), text.size() + 1);
    return LRESULT(text.size());
}

}  // namespace

void set_list_decoration(HWND list, ItemDecoration decoration) {
    auto s = window_extra<ListState>(list);
    if (!s) return;
    s->decorate = decoration;
    InvalidateRect(list, nullptr, TRUE);
}

ListItemCheck* list_item_check(HWND list, int index) {
    auto s = window_extra<ListState>(list);
    return s && index >= 0 && index < int(s->items.size()) ? &s->items[size_t(index)].check : nullptr;
}

namespace {

// One function per message that takes more than a line.

void click(HWND hwnd, ListState& s, bool double_click, WPARAM keys, int y) {
    SetFocus(hwnd);
    int index = s.top + y / item_height(hwnd);
    if (index >= int(s.items.size())) return;
    user_selected(hwnd, s, index, (style_of(hwnd) & LBS_MULTIPLESEL) || (keys & MK_CONTROL));
    if (double_click && (style_of(hwnd) & LBS_NOTIFY)) notify_parent(hwnd, LBN_DBLCLK);
}

void scroll(HWND hwnd, ListState& s, WORD code) {
    int rows = rows_shown(hwnd);
    switch (code) {
        case SB_LINEUP: set_top(hwnd, s, s.top - 1); break;
        case SB_LINEDOWN: set_top(hwnd, s, s.top + 1); break;
        case SB_PAGEUP: set_top(hwnd, s, s.top - rows); break;
        case SB_PAGEDOWN: set_top(hwnd, s, s.top + rows); break;
        case SB_TOP: set_top(hwnd, s, 0); break;
        case SB_BOTTOM: set_top(hwnd, s, int(s.items.size())); break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: {
            SCROLLINFO si{sizeof si, SIF_TRACKPOS, 0, 0, 0, 0, 0};
            GetScrollInfo(hwnd, SB_VERT, &si);
            set_top(hwnd, s, si.nTrackPos);
            break;
        }
        default: break;
    }
}

void key_down(HWND hwnd, ListState& s, int vk) {
    const int count = int(s.items.size());
    if (count == 0) return;
    int rows = rows_shown(hwnd);
    int next = s.current;
    switch (vk) {
        case VK_UP: next = std::max(0, s.current - 1); break;
        case VK_DOWN: next = std::min(count - 1, s.current + 1); break;
        case VK_PRIOR: next = std::max(0, s.current - rows + 1); break;
        case VK_NEXT: next = std::min(count - 1, s.current + rows - 1); break;
        case VK_HOME: next = 0; break;
        case VK_END: next = count - 1; break;
        case VK_SPACE:
            if (style_of(hwnd) & LBS_MULTIPLESEL) user_selected(hwnd, s, std::max(0, s.current), true);
            return;
        default: return;
    }
    if (style_of(hwnd) & LBS_MULTIPLESEL) {
        s.current = next;
        make_visible(hwnd, s, next);
        InvalidateRect(hwnd, nullptr, TRUE);
    } else if (next != s.current || !s.items[size_t(std::max(next, 0))].selected) {
        user_selected(hwnd, s, next, false);
    }
}

// LB_SETSEL: one item (or every item for -1) selected or not.
LRESULT set_selection(HWND hwnd, ListState& s, bool select, int index) {
    if (!multi(hwnd)) return LB_ERR;
    for (int i = 0; i < int(s.items.size()); ++i) {
        if (index == -1 || i == index) s.items[size_t(i)].selected = select;
    }
    InvalidateRect(hwnd, nullptr, TRUE);
    return 0;
}

// LB_GETSELITEMS: the selected items' indexes, at most `most` of them.
LRESULT selected_items(HWND hwnd, const ListState& s, int most, int* out) {
    if (!multi(hwnd)) return LB_ERR;
    int n = 0;
    for (int i = 0; i < int(s.items.size()) && n < most && out; ++i) {
        if (s.items[size_t(i)].selected) out[n++] = i;
    }
    return n;
}

LRESULT list_proc(HWND hwnd, ListState& s, UINT message, WPARAM wParam, LPARAM lParam) {
    int count = int(s.items.size());
    auto valid = [&](WPARAM i) { return int(i) >= 0 && int(i) < count; };
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            if (dc) paint(hwnd, s, dc);
            EndPaint(hwnd, &ps);
            return 0;
        }
        case WM_ERASEBKGND: return 1;
        case WM_SIZE: update_scroll(hwnd, s); return 0;
        case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
        case WM_SETFOCUS:
        case WM_KILLFOCUS: InvalidateRect(hwnd, nullptr, TRUE); return 0;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: click(hwnd, s, message == WM_LBUTTONDBLCLK, wParam, GET_Y_LPARAM(lParam)); return 0;
        case WM_MOUSEWHEEL: set_top(hwnd, s, s.top - 3 * short(HIWORD(wParam)) / WHEEL_DELTA); return 0;
        case WM_VSCROLL: scroll(hwnd, s, LOWORD(wParam)); return 0;
        case WM_KEYDOWN: key_down(hwnd, s, int(wParam)); return 0;
        case WM_CHAR: {
            char text[2] = {char(wParam), 0};
            int found = find_item(s, s.current, text, false);
            if (found >= 0 && !(style_of(hwnd) & LBS_MULTIPLESEL)) user_selected(hwnd, s, found, false);
            return 0;
        }
        case LB_ADDSTRING: return insert_item(hwnd, s, -1, reinterpret_cast<const char*>(lParam));
        case LB_INSERTSTRING: return insert_item(hwnd, s, int(wParam), reinterpret_cast<const char*>(lParam));
        case LB_DELETESTRING:
            if (!valid(wParam)) return LB_ERR;
            s.items.erase(s.items.begin() + int(wParam));
            if (s.current >= int(wParam)) s.current = s.current == int(wParam) ? -1 : s.current - 1;
            set_top(hwnd, s, s.top);
            return LRESULT(s.items.size());
        case LB_RESETCONTENT:
            s.items.clear();
            s.current = s.anchor = -1;
            s.top = 0;
            update_scroll(hwnd, s);
            InvalidateRect(hwnd, nullptr, TRUE);
            return 0;
        case LB_GETCOUNT: return count;
        case LB_GETTEXT: return valid(wParam) ? copy_text(s.items[wParam].text, lParam) : LB_ERR;
        case LB_GETTEXTLEN: return valid(wParam) ? LRESULT(s.items[wParam].text.size()) : LB_ERR;
        case LB_GETITEMDATA: return valid(wParam) ? s.items[wParam].data : LB_ERR;
        case LB_SETITEMDATA:
            if (!valid(wParam)) return LB_ERR;
            s.items[wParam].data = lParam;
            return 0;
        case LB_SETCURSEL:
            if (multi(hwnd)) return LB_ERR;
            select_only(hwnd, s, valid(wParam) ? int(wParam) : -1);
            return valid(wParam) ? LRESULT(wParam) : LB_ERR;
        case LB_GETCURSEL:
            if (multi(hwnd)) return s.current;
            return s.current >= 0 && s.current < count && s.items[size_t(s.current)].selected ? s.current : LB_ERR;
        case LB_SETSEL: return set_selection(hwnd, s, wParam != 0, int(lParam));
        case LB_GETSEL: return valid(wParam) ? LRESULT(s.items[wParam].selected) : LB_ERR;
        case LB_GETSELCOUNT:
            if (!multi(hwnd)) return LB_ERR;
            return std::count_if(s.items.begin(), s.items.end(), [](const Item& i) { return i.selected; });
        case LB_GETSELITEMS: return selected_items(hwnd, s, int(wParam), reinterpret_cast<int*>(lParam));
        case LB_FINDSTRING: return find_item(s, int(wParam), reinterpret_cast<const char*>(lParam), false);
        case LB_FINDSTRINGEXACT: return find_item(s, int(wParam), reinterpret_cast<const char*>(lParam), true);
        case LB_SELECTSTRING: {
            int found = find_item(s, int(wParam), reinterpret_cast<const char*>(lParam), false);
            if (found >= 0) select_only(hwnd, s, found);
            return found;
        }
        case LB_GETTOPINDEX: return s.top;
        case LB_SETTOPINDEX: set_top(hwnd, s, int(wParam)); return 0;
        case LB_GETITEMHEIGHT: return item_height(hwnd);
        default: return DefWindowProc(hwnd, message, wParam, lParam);
    }
}

}  // namespace

LRESULT listbox_proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return window_proc_with<ListState, list_proc>(hwnd, message, wParam, lParam);
}

void register_listbox_class() {
    WNDCLASS wc{};
    wc.lpfnWndProc = listbox_proc;
    wc.style = CS_DBLCLKS;
    wc.lpszClassName = "LISTBOX";
    RegisterClass(&wc);
}

}  // namespace kit::user
