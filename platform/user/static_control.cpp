// The STATIC class: text, frames, rectangles and bitmaps.
#include "platform/gdi/gdi.h"
#include "platform/user/control_styles.h"
#include "platform/user/controls.h"
#include "platform/user/message_api.h"
#include "platform/user/paint_api.h"
#include "platform/user/system_api.h"
#include "platform/user/window_api.h"

namespace kit::user {

namespace {

constexpr UINT STM_SETIMAGE = 0x0172;
constexpr UINT STM_GETIMAGE = 0x0173;
constexpr int kImageSlot = 0;

void paint(HWND hwnd, HDC dc) {
    RECT r;
    GetClientRect(hwnd, &r);
    DWORD style = DWORD(GetWindowLong(hwnd, GWL_STYLE));
    DWORD kind = style & SS_TYPEMASK;
    HBRUSH background = control_colours(hwnd, dc, WM_CTLCOLORSTATIC);
    switch (kind) {
        case SS_BLACKRECT: FillRect(dc, &r, GetSysColorBrush(COLOR_WINDOWFRAME)); return;
        case SS_GRAYRECT: FillRect(dc, &r, GetSysColorBrush(COLOR_3DSHADOW)); return;
        case SS_ETCHEDHORZ: {
            FillRect(dc, &r, background);
            RECT line{r.left, r.top, r.right, r.top + 2};
            DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
            return;
        }
        case SS_BITMAP: {
            FillRect(dc, &r, background);
            auto bitmap = reinterpret_cast<HBITMAP>(GetWindowLongPtr(hwnd, kImageSlot));
            BITMAP info{};
            if (!bitmap || !GetObject(bitmap, sizeof info, &info)) return;
            HDC source = CreateCompatibleDC(dc);
            HGDIOBJ old = SelectObject(source, bitmap);
            int x = (style & SS_CENTERIMAGE) ? (r.right - info.bmWidth) / 2 : 0;
            int y = (style & SS_CENTERIMAGE) ? (r.bottom - info.bmHeight) / 2 : 0;
            BitBlt(dc, x, y, info.bmWidth, info.bmHeight, source, 0, 0, SRCCOPY);
            SelectObject(source, old);
            DeleteDC(source);
            return;
        }
        default: break;
    }
    FillRect(dc, &r, background);
    RECT text_area = r;
    if (style & SS_SUNKEN) {
        RECT edge = r;
        DrawEdge(dc, &edge, BDR_SUNKENOUTER, BF_RECT);
        InflateRect(&text_area, -1, -1);
    }
    HGDIOBJ old_font = select_control_font(hwnd, dc);
    char text[1024];
    int length = GetWindowText(hwnd, text, sizeof text);
    SetBkMode(dc, TRANSPARENT);
    if (!IsWindowEnabled(hwnd)) SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    UINT format = DT_WORDBREAK | DT_EXPANDTABS |
                  (kind == SS_CENTER  ? DT_CENTER
                   : kind == SS_RIGHT ? DT_RIGHT
                                      : DT_LEFT) |
                  ((style & SS_NOPREFIX) ? DT_NOPREFIX : 0) |
                  ((style & SS_CENTERIMAGE) ? DT_SINGLELINE | DT_VCENTER : 0);
    DrawText(dc, text, length, &text_area, format);
    SelectObject(dc, old_font);
}

LRESULT static_proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            if (dc) paint(hwnd, dc);
            EndPaint(hwnd, &ps);
            return 0;
        }
        case WM_ERASEBKGND: return 1;
        case WM_GETDLGCODE: return DLGC_STATIC;
        case WM_LBUTTONDOWN:
            if (GetWindowLong(hwnd, GWL_STYLE) & SS_NOTIFY) notify_parent(hwnd, 0 /* STN_CLICKED */);
            return 0;
        case WM_SETTEXT:
        case WM_ENABLE: {
            LRESULT result = DefWindowProc(hwnd, message, wParam, lParam);
            InvalidateRect(hwnd, nullptr, TRUE);
            return result;
        }
        case STM_SETIMAGE: {
            LONG_PTR old = SetWindowLongPtr(hwnd, kImageSlot, lParam);
            InvalidateRect(hwnd, nullptr, TRUE);
            return old;
        }
        case STM_GETIMAGE: return GetWindowLongPtr(hwnd, kImageSlot);
        default: return DefWindowProc(hwnd, message, wParam, lParam);
    }
}

}  // namespace

void register_static_class() {
    WNDCLASS wc{};
    wc.lpfnWndProc = static_proc;
    wc.cbWndExtra = sizeof(LONG_PTR);
    wc.lpszClassName = "STATIC";
    RegisterClass(&wc);
}

}  // namespace kit::user
