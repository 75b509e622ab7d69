// The SCROLLBAR class: a scroll bar of its own that notifies its parent.
#include "platform/user/control_styles.h"
#include "platform/user/controls.h"
#include "platform/user/input_api.h"
#include "platform/user/internal.h"
#include "platform/user/message_api.h"
#include "platform/user/paint_api.h"
#include "platform/user/scroll_api.h"
#include "platform/user/window_api.h"

namespace kit::user {

namespace {

LRESULT scrollbar_proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    bool vertical = (GetWindowLong(hwnd, GWL_STYLE) & SBS_VERT) != 0;
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            Window* w = find_window(hwnd);
            if (dc && w) {
                const ScrollBarState& s = vertical ? w->vscroll : w->hscroll;
                RECT r;
                GetClientRect(hwnd, &r);
                paint_scroll_bar(dc, r, vertical, s.min, s.max, s.page, s.pos, IsWindowEnabled(hwnd) && !s.disabled,
                                 ScrollPart::none);
            }
            EndPaint(hwnd, &ps);
            return 0;
        }
        case WM_ERASEBKGND: return 1;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: track_scroll_control(hwnd, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}); return 0;
        case WM_GETDLGCODE: return DLGC_WANTARROWS;
        case WM_KEYDOWN: {
            WORD code = 0xFFFF;
            switch (int(wParam)) {
                case VK_UP:
                case VK_LEFT: code = SB_LINEUP; break;
                case VK_DOWN:
                case VK_RIGHT: code = SB_LINEDOWN; break;
                case VK_PRIOR: code = SB_PAGEUP; break;
                case VK_NEXT: code = SB_PAGEDOWN; break;
                case VK_HOME: code = SB_TOP; break;
                case VK_END: code = SB_BOTTOM; break;
                default: break;
            }
            if (code != 0xFFFF) {
                UINT notify = vertical ? WM_VSCROLL : WM_HSCROLL;
                SendMessage(GetParent(hwnd), notify, code, reinterpret_cast<LPARAM>(hwnd));
                SendMessage(GetParent(hwnd), notify, SB_ENDSCROLL, reinterpret_cast<LPARAM>(hwnd));
            }
            return 0;
        }
        default: return DefWindowProc(hwnd, message, wParam, lParam);
    }
}

}  // namespace

void register_scrollbar_class() {
    WNDCLASS wc{};
    wc.lpfnWndProc = scrollbar_proc;
    wc.lpszClassName = "SCROLLBAR";
    RegisterClass(&wc);
}

}  // namespace kit::user
