// The tab control ("SysTabControl32"): one row of tabs over a page area;
// choosing a tab asks the parent (TCN_SELCHANGING, which may refuse) and then
// tells it (TCN_SELCHANGE) through WM_NOTIFY.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "platform/gdi/gdi.h"
#include "platform/user/common_controls.h"
#include "platform/user/controls.h"
#include "platform/user/input_api.h"
#include "platform/user/message_api.h"
#include "platform/user/paint_api.h"
#include "platform/user/system_api.h"
#include "platform/user/window_api.h"
#include "platform/user/window_extra.h"

namespace kit::user {

namespace {

struct Tab {
    std::string text;
    int image = -1;
    LPARAM data = 0;
};

struct TabState : WindowExtra {
    std::vector<Tab> tabs;
    int current = -1;
};

constexpr int kPadding = 6;

int row_height(HWND hwnd) {
    HDC dc = GetDC(hwnd);
    HGDIOBJ old = select_control_font(hwnd, dc);
    TEXTMETRIC tm{};
    GetTextMetrics(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(hwnd, dc);
    return int(tm.tmHeight) + 6;
}

std::vector<RECT> tab_rects(HWND hwnd, const TabState& s) {
    std::vector<RECT> rects;
    HDC dc = GetDC(hwnd);
    HGDIOBJ old = select_control_font(hwnd, dc);
    int height = row_height(hwnd), x = 2;
    for (const Tab& tab : s.tabs) {
        SIZE size{};
        GetTextExtentPoint32(dc, tab.text.c_str(), int(tab.text.size()), &size);
        int width = int(size.cx) + 2 * kPadding;
        rects.push_back(RECT{x, 2, x + width, 2 + height});
        x += width;
    }
    SelectObject(dc, old);
    ReleaseDC(hwnd, dc);
    return rects;
}

LRESULT notify(HWND hwnd, UINT code) {
    NMHDR header{hwnd, UINT_PTR(GetDlgCtrlID(hwnd)), code};
    return SendMessage(GetParent(hwnd), WM_NOTIFY, WPARAM(header.idFrom), reinterpret_cast<LPARAM>(&header));
}

// A choice by the user: the parent may refuse it.
void choose(HWND hwnd, TabState& s, int index) {
    if (index < 0 || index >= int(s.tabs.size()) || index == s.current) return;
    if (notify(hwnd, TCN_SELCHANGING)) return;
    s.current = index;
    InvalidateRect(hwnd, nullptr, TRUE);
    notify(hwnd, TCN_SELCHANGE);
}

void paint(HWND hwnd, const TabState& s, HDC dc) {
    RECT r;
    GetClientRect(hwnd, &r);
    FillRect(dc, &r, control_colours(hwnd, dc, WM_CTLCOLORSTATIC));
    int height = row_height(hwnd);
    RECT page{0, 2 + height, r.right, r.bottom};
    DrawEdge(dc, &page, EDGE_RAISED, BF_RECT);
    HGDIOBJ old = select_control_font(hwnd, dc);
    SetBkMode(dc, TRANSPARENT);
    auto rects = tab_rects(hwnd, s);
    for (size_t i = 0; i < rects.size(); ++i) {
        RECT tab = rects[i];
        bool current = int(i) == s.current;
        if (current) InflateRect(&tab, 2, 2);  // the chosen tab stands out and joins its page
        RECT fill{tab.left, tab.top, tab.right, tab.bottom + (current ? 1 : 0)};
        FillRect(dc, &fill, GetSysColorBrush(COLOR_3DFACE));
        RECT edge = tab;
        DrawEdge(dc, &edge, EDGE_RAISED, BF_LEFT | BF_TOP | BF_RIGHT);
        RECT text = rects[i];
        DrawText(dc, s.tabs[i].text.c_str(), int(s.tabs[i].text.size()), &text, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
        if (current && GetFocus() == hwnd) {
            InflateRect(&text, -2, -2);
            DrawFocusRect(dc, &text);
        }
    }
    SelectObject(dc, old);
}

void copy_item(const Tab& tab, TCITEM* item) {
    if (item->mask & TCIF_TEXT && item->pszText && item->cchTextMax > 0) {
        size_t n = std::min(tab.text.size(), size_t(item->cchTextMax - 1));
        std::memcpy(item->pszText, tab.text.data(), n);
        item->pszText[n] = 0;
    }
    if (item->mask & TCIF_IMAGE) item->iImage = tab.image;
    if (item->mask & TCIF_PARAM) item->lParam = tab.data;
}

void apply_item(Tab& tab, const TCITEM& item) {
    if ((item.mask & TCIF_TEXT) && item.pszText) tab.text = item.pszText;
    if (item.mask & TCIF_IMAGE) tab.image = item.iImage;
    if (item.mask & TCIF_PARAM) tab.data = item.lParam;
}

void click(HWND hwnd, TabState& s, POINT p) {
    auto rects = tab_rects(hwnd, s);
    for (size_t i = 0; i < rects.size(); ++i) {
        if (PtInRect(&rects[i], p)) {
            SetFocus(hwnd);
            choose(hwnd, s, int(i));
        }
    }
}

LRESULT insert_tab(HWND hwnd, TabState& s, int at, const TCITEM* item) {
    if (!item) return -1;
    at = std::clamp(at, 0, int(s.tabs.size()));
    Tab tab;
    apply_item(tab, *item);
    s.tabs.insert(s.tabs.begin() + at, tab);
    if (s.current >= at) ++s.current;
    if (s.current < 0) s.current = 0;  // the first tab is chosen from the start
    InvalidateRect(hwnd, nullptr, TRUE);
    return at;
}

// TCM_ADJUSTRECT: from the control's rectangle to its page area, or (`larger`) the other way.
void adjust_rect(HWND hwnd, bool larger, RECT* r) {
    if (!r) return;
    int top = 2 + row_height(hwnd);
    int sign = larger ? -1 : 1;
    r->left += sign * 4;
    r->right -= sign * 4;
    r->top += sign * (top + 2);
    r->bottom -= sign * 4;
}

LRESULT tab_proc(HWND hwnd, TabState& s, UINT message, WPARAM wParam, LPARAM lParam) {
    int count = int(s.tabs.size());
    bool valid = int(wParam) >= 0 && int(wParam) < count;
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            if (dc) paint(hwnd, s, dc);
            EndPaint(hwnd, &ps);
            return 0;
        }
        case WM_ERASEBKGND: return 1;
        case WM_GETDLGCODE: return DLGC_WANTARROWS;
        case WM_SETFOCUS:
        case WM_KILLFOCUS: InvalidateRect(hwnd, nullptr, TRUE); return 0;
        case WM_LBUTTONDOWN: click(hwnd, s, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}); return 0;
        case WM_KEYDOWN:
            if (wParam == WPARAM(VK_LEFT)) choose(hwnd, s, s.current - 1);
            if (wParam == WPARAM(VK_RIGHT)) choose(hwnd, s, s.current + 1);
            return 0;
        case TCM_GETITEMCOUNT: return count;
        case TCM_INSERTITEM: return insert_tab(hwnd, s, int(wParam), reinterpret_cast<const TCITEM*>(lParam));
        case TCM_SETITEM:
            if (!valid || !lParam) return FALSE;
            apply_item(s.tabs[wParam], *reinterpret_cast<const TCITEM*>(lParam));
            InvalidateRect(hwnd, nullptr, TRUE);
            return TRUE;
        case TCM_GETITEM:
            if (!valid || !lParam) return FALSE;
            copy_item(s.tabs[wParam], reinterpret_cast<TCITEM*>(lParam));
            return TRUE;
        case TCM_DELETEITEM:
            if (!valid) return FALSE;
            s.tabs.erase(s.tabs.begin() + int(wParam));
            if (s.current >= int(s.tabs.size())) s.current = int(s.tabs.size()) - 1;
            InvalidateRect(hwnd, nullptr, TRUE);
            return TRUE;
        case TCM_DELETEALLITEMS:
            s = TabState{};
            InvalidateRect(hwnd, nullptr, TRUE);
            return TRUE;
        case TCM_GETCURSEL: return s.current;
        case TCM_SETCURSEL: {
            // The program's own choice sends no notification.
            int old = s.current;
            if (!valid) return -1;
            s.current = int(wParam);
            InvalidateRect(hwnd, nullptr, TRUE);
            return old;
        }
        case TCM_GETITEMRECT: {
            auto rects = tab_rects(hwnd, s);
            if (!valid || !lParam) return FALSE;
            *reinterpret_cast<RECT*>(lParam) = rects[wParam];
            return TRUE;
        }
        case TCM_ADJUSTRECT: adjust_rect(hwnd, wParam != 0, reinterpret_cast<RECT*>(lParam)); return 0;
        default: return DefWindowProc(hwnd, message, wParam, lParam);
    }
}

}  // namespace

void register_tab_class() {
    WNDCLASS wc{};
    wc.lpfnWndProc = window_proc_with<TabState, tab_proc>;
    wc.lpszClassName = WC_TABCONTROL;
    RegisterClass(&wc);
}

}  // namespace kit::user
