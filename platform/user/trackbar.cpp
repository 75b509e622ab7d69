// The trackbar ("msctls_trackbar32"): a thumb on a channel between a minimum
// and a maximum, moved by mouse and keys, reporting through WM_HSCROLL or
// WM_VSCROLL to its parent with its own handle in lParam.
#include <algorithm>

#include "platform/gdi/gdi.h"
#include "platform/user/common_controls.h"
#include "platform/user/controls.h"
#include "platform/user/input_api.h"
#include "platform/user/message_api.h"
#include "platform/user/modal_loop.h"
#include "platform/user/paint_api.h"
#include "platform/user/system_api.h"
#include "platform/user/window_api.h"
#include "platform/user/window_extra.h"

namespace kit::user {

namespace {

struct TrackState : WindowExtra {
    int min = 0, max = 100, pos = 0;
    int line = 1, page = 20;
};

constexpr int kThumbLength = 10;  // along the channel
constexpr int kMargin = 8;        // from the ends to the thumb's centre at min and max

bool vertical(HWND hwnd) { return (GetWindowLong(hwnd, GWL_STYLE) & TBS_VERT) != 0; }

// The pixel span along the channel that the thumb's centre covers.
void span(HWND hwnd, int& from, int& to) {
    RECT r;
    GetClientRect(hwnd, &r);
    int length = vertical(hwnd) ? r.bottom : r.right;
    from = kMargin;
    to = std::max(from + 1, length - kMargin);
}

int centre_of(HWND hwnd, const TrackState& s) {
    int from = 0, to = 0;
    span(hwnd, from, to);
    if (s.max <= s.min) return from;
    return from + int((long long)(to - from) * (s.pos - s.min) / (s.max - s.min));
}

int pos_at(HWND hwnd, const TrackState& s, int pixel) {
    int from = 0, to = 0;
    span(hwnd, from, to);
    if (s.max <= s.min) return s.min;
    long long offset = std::clamp(pixel, from, to) - from;
    return s.min + int((offset * (s.max - s.min) + (to - from) / 2) / (to - from));
}

void notify(HWND hwnd, WORD code, int pos) {
    UINT message = vertical(hwnd) ? WM_VSCROLL : WM_HSCROLL;
    SendMessage(GetParent(hwnd), message, MAKEWPARAM(code, pos), reinterpret_cast<LPARAM>(hwnd));
}

void set_pos(HWND hwnd, TrackState& s, int pos) {
    pos = std::clamp(pos, s.min, std::max(s.min, s.max));
    if (pos == s.pos) return;
    s.pos = pos;
    InvalidateRect(hwnd, nullptr, TRUE);
}

void paint(HWND hwnd, const TrackState& s, HDC dc) {
    RECT r;
    GetClientRect(hwnd, &r);
    FillRect(dc, &r, control_colours(hwnd, dc, WM_CTLCOLORSTATIC));
    bool v = vertical(hwnd);
    int from = 0, to = 0;
    span(hwnd, from, to);
    int middle = v ? r.right / 2 : r.bottom / 2;
    RECT channel = v ? RECT{middle - 2, from, middle + 2, to} : RECT{from, middle - 2, to, middle + 2};
    DrawEdge(dc, &channel, EDGE_SUNKEN, BF_RECT);
    int c = centre_of(hwnd, s);
    RECT thumb = v ? RECT{middle - 8, c - kThumbLength / 2, middle + 8, c + kThumbLength / 2}
                   : RECT{c - kThumbLength / 2, middle - 8, c + kThumbLength / 2, middle + 8};
    FillRect(dc, &thumb, GetSysColorBrush(COLOR_3DFACE));
    DrawEdge(dc, &thumb, EDGE_RAISED, BF_RECT);
    if (GetFocus() == hwnd) {
        RECT focus = r;
        DrawFocusRect(dc, &focus);
    }
}

void drag(HWND hwnd, TrackState& s, POINT start) {
    int c = centre_of(hwnd, s);
    int at = vertical(hwnd) ? start.y : start.x;
    if (std::abs(at - c) > kThumbLength / 2) {
        // A click on the channel pages towards it.
        bool before = at < c;
        set_pos(hwnd, s, s.pos + (before ? -s.page : s.page));
        notify(hwnd, before ? TB_PAGEUP : TB_PAGEDOWN, 0);
        notify(hwnd, TB_ENDTRACK, 0);
        return;
    }
    int grab = at - c;
    int original = s.pos;
    LoopStep end = run_capture_loop(hwnd, [&](const MSG& msg) {
        if (msg.message == WM_KEYDOWN && msg.wParam == WPARAM(VK_ESCAPE)) return LoopStep::cancelled;
        if (msg.message == WM_LBUTTONUP) return LoopStep::finished;
        if (msg.message == WM_MOUSEMOVE) {
            int pixel = (vertical(hwnd) ? GET_Y_LPARAM(msg.lParam) : GET_X_LPARAM(msg.lParam)) - grab;
            set_pos(hwnd, s, pos_at(hwnd, s, pixel));
            notify(hwnd, TB_THUMBTRACK, s.pos);
        }
        return LoopStep::keep_going;
    });
    if (end != LoopStep::finished) set_pos(hwnd, s, original);  // Escape or a lost capture puts it back
    notify(hwnd, TB_THUMBPOSITION, s.pos);
    notify(hwnd, TB_ENDTRACK, 0);
}

bool key(HWND hwnd, TrackState& s, int vk) {
    WORD code;
    int pos;
    switch (vk) {
        case VK_LEFT:
        case VK_UP:
            code = TB_LINEUP;
            pos = s.pos - s.line;
            break;
        case VK_RIGHT:
        case VK_DOWN:
            code = TB_LINEDOWN;
            pos = s.pos + s.line;
            break;
        case VK_PRIOR:
            code = TB_PAGEUP;
            pos = s.pos - s.page;
            break;
        case VK_NEXT:
            code = TB_PAGEDOWN;
            pos = s.pos + s.page;
            break;
        case VK_HOME:
            code = TB_TOP;
            pos = s.min;
            break;
        case VK_END:
            code = TB_BOTTOM;
            pos = s.max;
            break;
        default: return false;
    }
    set_pos(hwnd, s, pos);
    notify(hwnd, code, 0);
    notify(hwnd, TB_ENDTRACK, 0);
    return true;
}

LRESULT trackbar_proc(HWND hwnd, TrackState& s, UINT message, WPARAM wParam, LPARAM lParam) {
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
        case WM_LBUTTONDOWN:
            SetFocus(hwnd);
            drag(hwnd, s, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            return 0;
        case WM_KEYDOWN: return key(hwnd, s, int(wParam)) ? 0 : DefWindowProc(hwnd, message, wParam, lParam);
        case TBM_GETPOS: return s.pos;
        case TBM_GETRANGEMIN: return s.min;
        case TBM_GETRANGEMAX: return s.max;
        case TBM_SETPOS: set_pos(hwnd, s, int(lParam)); return 0;
        case TBM_SETRANGE:
            s.min = short(LOWORD(std::uintptr_t(lParam)));
            s.max = short(HIWORD(std::uintptr_t(lParam)));
            set_pos(hwnd, s, s.pos);
            InvalidateRect(hwnd, nullptr, TRUE);
            return 0;
        case TBM_SETRANGEMIN:
            s.min = int(lParam);
            set_pos(hwnd, s, s.pos);
            InvalidateRect(hwnd, nullptr, TRUE);
            return 0;
        case TBM_SETRANGEMAX:
            s.max = int(lParam);
            set_pos(hwnd, s, s.pos);
            InvalidateRect(hwnd, nullptr, TRUE);
            return 0;
        case TBM_SETPAGESIZE: {
            int old = s.page;
            s.page = int(lParam);
            return old;
        }
        case TBM_GETPAGESIZE: return s.page;
        case TBM_SETLINESIZE: {
            int old = s.line;
            s.line = int(lParam);
            return old;
        }
        case TBM_GETLINESIZE: return s.line;
        default: return DefWindowProc(hwnd, message, wParam, lParam);
    }
}

}  // namespace

void register_trackbar_class() {
    WNDCLASS wc{};
    wc.lpfnWndProc = window_proc_with<TrackState, trackbar_proc>;
    wc.lpszClassName = TRACKBAR_CLASS;
    RegisterClass(&wc);
}

}  // namespace kit::user
