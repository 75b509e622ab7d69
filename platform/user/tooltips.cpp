// The tooltip control ("tooltips_class32"). The owner relays its mouse
// messages; when the pointer rests on a tool for the initial delay the tip
// shows below it (sooner when moving on from a tip just shown), and it goes
// after the automatic-pop delay, on a click, or when the pointer leaves.
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
#include "platform/user/resource_api.h"
#include "platform/user/system_api.h"
#include "platform/user/window_api.h"
#include "platform/user/window_extra.h"

namespace kit::user {

namespace {

struct Tool {
    UINT flags = 0;
    HWND hwnd = nullptr;
    UINT_PTR id = 0;
    RECT rect{};
    HINSTANCE hinst = nullptr;
    const char* source = nullptr;  // LPSTR_TEXTCALLBACK or a string id; otherwise `text` holds a copy
    std::string text;
    LPARAM lParam = 0;
};

struct TipState : WindowExtra {
    std::vector<Tool> tools;
    int current = -1;  // the tool under the pointer
    bool active = true;
    bool shown = false;
    bool clicked = false;  // a click hid the tip; it stays away until the pointer leaves the tool
    int initial = -1, reshow = -1, autopop = -1;  // -1: follow the double-click time
};

constexpr UINT_PTR kShowTimer = 1;
constexpr UINT_PTR kPopTimer = 2;
constexpr int kPaddingX = 3, kPaddingY = 1;
constexpr std::size_t kTextBuffer = sizeof(NMTTDISPINFO::szText);

DWORD style_of(HWND hwnd) { return DWORD(GetWindowLong(hwnd, GWL_STYLE)); }

int delay(const TipState& s, WPARAM which) {
    int automatic = int(GetDoubleClickTime());
    switch (which) {
        case TTDT_RESHOW: return s.reshow >= 0 ? s.reshow : automatic / 5;
        case TTDT_AUTOPOP: return s.autopop >= 0 ? s.autopop : automatic * 10;
        default: return s.initial >= 0 ? s.initial : automatic;
    }
}

void set_delay(TipState& s, WPARAM which, int ms) {
    int value = ms < 0 ? -1 : ms;
    switch (which) {
        case TTDT_RESHOW: s.reshow = value; break;
        case TTDT_AUTOPOP: s.autopop = value; break;
        case TTDT_INITIAL: s.initial = value; break;
        case TTDT_AUTOMATIC:
            s.initial = value;
            s.reshow = value < 0 ? -1 : value / 5;
            s.autopop = value < 0 ? -1 : value * 10;
            break;
        default: break;
    }
}

int find_tool(const TipState& s, HWND hwnd, UINT_PTR id) {
    for (std::size_t i = 0; i < s.tools.size(); ++i) {
        if (s.tools[i].hwnd == hwnd && s.tools[i].id == id) return int(i);
    }
    return -1;
}

// The tool under a point in the client coordinates of `hwnd`.
int tool_at(const TipState& s, HWND hwnd, POINT p) {
    for (std::size_t i = 0; i < s.tools.size(); ++i) {
        const Tool& t = s.tools[i];
        bool hit =
            (t.flags & TTF_IDISHWND) ? reinterpret_cast<HWND>(t.id) == hwnd : t.hwnd == hwnd && PtInRect(&t.rect, p);
        if (hit) return int(i);
    }
    return -1;
}

// Takes the text part of a TOOLINFO: a copy of a string, or the callback or string id to use when showing.
void take_text(Tool& tool, const TOOLINFO& info) {
    tool.hinst = info.hinst;
    bool deferred = info.lpszText == LPSTR_TEXTCALLBACK || (info.lpszText && IS_INTRESOURCE(info.lpszText));
    tool.source = deferred ? info.lpszText : nullptr;
    tool.text = !deferred && info.lpszText ? info.lpszText : "";
}

std::string resolve_text(HINSTANCE hinst, const char* text, const char* own_buffer) {
    if (!text || text == LPSTR_TEXTCALLBACK) return {};
    if (IS_INTRESOURCE(text)) {
        char loaded[256] = {};
        int length = LoadString(hinst, UINT(reinterpret_cast<std::uintptr_t>(text)), loaded, int(sizeof loaded));
        return std::string(loaded, std::size_t(std::max(0, length)));
    }
    // A handler may fill the whole buffer it was given without a terminator.
    if (text == own_buffer) return std::string(text, strnlen(text, kTextBuffer));
    return text;
}

std::string tool_text(HWND tip, const Tool& tool) {
    if (tool.source != LPSTR_TEXTCALLBACK)
        return tool.source ? resolve_text(tool.hinst, tool.source, nullptr) : tool.text;
    NMTTDISPINFO info{};
    info.hdr = NMHDR{tip, tool.id, TTN_NEEDTEXT};
    info.lpszText = info.szText;
    info.hinst = tool.hinst;
    info.uFlags = tool.flags;
    info.lParam = tool.lParam;
    SendMessage(tool.hwnd, WM_NOTIFY, WPARAM(tool.id), reinterpret_cast<LPARAM>(&info));
    return resolve_text(info.hinst, info.lpszText, info.szText);
}

UINT text_format(HWND tip) { return DT_LEFT | DT_EXPANDTABS | ((style_of(tip) & TTS_NOPREFIX) ? DT_NOPREFIX : 0); }

SIZE tip_size(HWND tip, const std::string& text) {
    HDC dc = GetDC(tip);
    HGDIOBJ old = select_control_font(tip, dc);
    RECT r{0, 0, 0, 0};
    DrawText(dc, text.c_str(), int(text.size()), &r, text_format(tip) | DT_CALCRECT);
    SelectObject(dc, old);
    ReleaseDC(tip, dc);
    return SIZE{r.right + 2 * (kPaddingX + 1), r.bottom + 2 * (kPaddingY + 1)};
}

// Below the pointer, or centred below the tool with TTF_CENTERTIP; kept on the screen.
POINT tip_position(const Tool& tool, SIZE size) {
    POINT cursor{};
    GetCursorPos(&cursor);
    int below = GetSystemMetrics(SM_CYCURSOR) * 5 / 8;  // clear of the arrow's tip
    POINT at{cursor.x, cursor.y + below};
    if (tool.flags & TTF_CENTERTIP) {
        RECT r = tool.rect;
        if (tool.flags & TTF_IDISHWND) GetClientRect(reinterpret_cast<HWND>(tool.id), &r);
        HWND holder = (tool.flags & TTF_IDISHWND) ? reinterpret_cast<HWND>(tool.id) : tool.hwnd;
        MapWindowPoints(holder, nullptr, reinterpret_cast<POINT*>(&r), 2);
        at = POINT{(r.left + r.right - size.cx) / 2, r.bottom};
    }
    int screen_x = GetSystemMetrics(SM_CXSCREEN), screen_y = GetSystemMetrics(SM_CYSCREEN);
    if (at.y + size.cy > screen_y) at.y = cursor.y - size.cy;
    at.x = std::clamp<LONG>(at.x, 0, std::max(0, screen_x - int(size.cx)));
    at.y = std::max<LONG>(at.y, 0);
    return at;
}

void notify(HWND tip, const Tool& tool, UINT code, LRESULT* answer = nullptr) {
    NMHDR header{tip, tool.id, code};
    LRESULT result = SendMessage(tool.hwnd, WM_NOTIFY, WPARAM(tool.id), reinterpret_cast<LPARAM>(&header));
    if (answer) *answer = result;
}

void hide(HWND tip, TipState& s) {
    KillTimer(tip, kShowTimer);
    KillTimer(tip, kPopTimer);
    if (!s.shown) return;
    s.shown = false;
    ShowWindow(tip, SW_HIDE);
    if (s.current >= 0) notify(tip, s.tools[std::size_t(s.current)], TTN_POP);
}

void show(HWND tip, TipState& s) {
    KillTimer(tip, kShowTimer);
    if (s.current < 0 || !s.active) return;
    Tool tool = s.tools[std::size_t(s.current)];  // a copy: the notifications may change the tools
    bool owner_active = GetActiveWindow() == GetAncestorTopLevel(tool.hwnd);
    if (!(style_of(tip) & TTS_ALWAYSTIP) && !owner_active) return;
    std::string text = tool_text(tip, tool);
    if (text.empty() || !IsWindow(tip)) return;
    SetWindowText(tip, text.c_str());  // the tip shows its window text
    SIZE size = tip_size(tip, text);
    SetWindowPos(tip, HWND_TOPMOST, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOACTIVATE);
    LRESULT placed = 0;
    notify(tip, tool, TTN_SHOW, &placed);  // non-zero: the owner has placed the tip itself
    if (!IsWindow(tip)) return;
    if (!placed) {
        POINT at = tip_position(tool, size);
        SetWindowPos(tip, HWND_TOPMOST, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
    }
    SetWindowPos(tip, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    InvalidateRect(tip, nullptr, TRUE);
    s.shown = true;
    SetTimer(tip, kPopTimer, UINT(delay(s, TTDT_AUTOPOP)), nullptr);
}

void relay(HWND tip, TipState& s, const MSG& msg) {
    if (!s.active) return;
    switch (msg.message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP:
            hide(tip, s);
            s.clicked = s.current >= 0;
            return;
        case WM_MOUSEMOVE: break;
        default: return;
    }
    int tool = tool_at(s, msg.hwnd, POINT{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)});
    if (tool == s.current) return;
    bool was_shown = s.shown;
    hide(tip, s);
    s.current = tool;
    s.clicked = false;
    if (tool >= 0) SetTimer(tip, kShowTimer, UINT(delay(s, was_shown ? TTDT_RESHOW : TTDT_INITIAL)), nullptr);
}

BOOL add_tool(TipState& s, const TOOLINFO* info) {
    if (!info || info->cbSize < TTTOOLINFO_V1_SIZE) return FALSE;
    Tool tool;
    tool.flags = info->uFlags;
    tool.hwnd = info->hwnd;
    tool.id = info->uId;
    tool.rect = info->rect;
    tool.lParam = info->cbSize >= sizeof(TOOLINFO) ? info->lParam : 0;
    take_text(tool, *info);
    // Adding a tool again replaces it, so that owners that add on each hover do not pile up copies.
    int existing = find_tool(s, tool.hwnd, tool.id);
    if (existing >= 0) {
        s.tools[std::size_t(existing)] = std::move(tool);
    } else {
        s.tools.push_back(std::move(tool));
    }
    return TRUE;
}

void delete_tool(HWND tip, TipState& s, const TOOLINFO* info) {
    if (!info || info->cbSize < TTTOOLINFO_V1_SIZE) return;
    int index = find_tool(s, info->hwnd, info->uId);
    if (index < 0) return;
    if (index == s.current) hide(tip, s);
    s.tools.erase(s.tools.begin() + index);
    if (s.current == index) {
        s.current = -1;
    } else if (s.current > index) {
        --s.current;
    }
}

Tool* tool_named(TipState& s, const TOOLINFO* info) {
    if (!info || info->cbSize < TTTOOLINFO_V1_SIZE) return nullptr;
    int index = find_tool(s, info->hwnd, info->uId);
    return index < 0 ? nullptr : &s.tools[std::size_t(index)];
}

BOOL get_tool_info(TipState& s, TOOLINFO* info) {
    Tool* tool = tool_named(s, info);
    if (!tool) return FALSE;
    info->uFlags = tool->flags;
    info->rect = tool->rect;
    info->hinst = tool->hinst;
    if (info->cbSize >= sizeof(TOOLINFO)) info->lParam = tool->lParam;
    // A text buffer, when given, is taken to be as large as the notification's.
    if (tool->source) {
        info->lpszText = const_cast<char*>(tool->source);
    } else if (info->lpszText) {
        std::size_t n = std::min(tool->text.size(), kTextBuffer - 1);
        std::memcpy(info->lpszText, tool->text.data(), n);
        info->lpszText[n] = '\0';
    }
    return TRUE;
}

void paint(HWND tip, HDC dc) {
    RECT r;
    GetClientRect(tip, &r);
    FillRect(dc, &r, GetSysColorBrush(COLOR_INFOBK));
    FrameRect(dc, &r, GetSysColorBrush(COLOR_INFOTEXT));
    HGDIOBJ old = select_control_font(tip, dc);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
    InflateRect(&r, -(kPaddingX + 1), -(kPaddingY + 1));
    std::string text(std::size_t(GetWindowTextLength(tip)) + 1, '\0');
    text.resize(std::size_t(GetWindowText(tip, text.data(), int(text.size()))));
    DrawText(dc, text.c_str(), int(text.size()), &r, text_format(tip));
    SelectObject(dc, old);
}

LRESULT tooltip_proc(HWND hwnd, TipState& s, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            if (dc) paint(hwnd, dc);
            EndPaint(hwnd, &ps);
            return 0;
        }
        case WM_CREATE:
            // A tip floats above every window, whoever made it; no window manager places it or
            // gives it the keyboard.
            SetWindowLong(hwnd, GWL_EXSTYLE, GetWindowLong(hwnd, GWL_EXSTYLE) | WS_EX_TOPMOST);
            return 0;
        case WM_ERASEBKGND: return 1;
        case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN: hide(hwnd, s); return 0;
        case WM_TIMER:
            if (wParam == kShowTimer) show(hwnd, s);
            if (wParam == kPopTimer) hide(hwnd, s);
            return 0;
        case TTM_ACTIVATE:
            s.active = wParam != 0;
            if (!s.active) {
                hide(hwnd, s);
                s.current = -1;
            }
            return 0;
        case TTM_ADDTOOL: return add_tool(s, reinterpret_cast<const TOOLINFO*>(lParam));
        case TTM_DELTOOL: delete_tool(hwnd, s, reinterpret_cast<const TOOLINFO*>(lParam)); return 0;
        case TTM_NEWTOOLRECT:
            if (Tool* tool = tool_named(s, reinterpret_cast<const TOOLINFO*>(lParam))) {
                tool->rect = reinterpret_cast<const TOOLINFO*>(lParam)->rect;
            }
            return 0;
        case TTM_UPDATETIPTEXT:
            if (Tool* tool = tool_named(s, reinterpret_cast<const TOOLINFO*>(lParam))) {
                take_text(*tool, *reinterpret_cast<const TOOLINFO*>(lParam));
                if (s.shown && tool == &s.tools[std::size_t(s.current)]) show(hwnd, s);
            }
            return 0;
        case TTM_GETTOOLINFO: return get_tool_info(s, reinterpret_cast<TOOLINFO*>(lParam));
        case TTM_GETTOOLCOUNT: return LRESULT(s.tools.size());
        case TTM_RELAYEVENT:
            if (const auto* msg = reinterpret_cast<const MSG*>(lParam)) relay(hwnd, s, *msg);
            return 0;
        case TTM_SETDELAYTIME: set_delay(s, wParam, short(LOWORD(std::uintptr_t(lParam)))); return 0;
        case TTM_GETDELAYTIME: return delay(s, wParam);
        case TTM_POP: hide(hwnd, s); return 0;
        default: return DefWindowProc(hwnd, message, wParam, lParam);
    }
}

}  // namespace

void register_tooltip_class() {
    WNDCLASS wc{};
    wc.lpfnWndProc = window_proc_with<TipState, tooltip_proc>;
    wc.lpszClassName = TOOLTIPS_CLASS;
    RegisterClass(&wc);
}

}  // namespace kit::user
