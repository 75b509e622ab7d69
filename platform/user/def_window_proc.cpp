// What a window does with a message its procedure passes on.
#include "platform/user/context_menu_key.h"
#include "platform/user/input_api.h"
#include "platform/user/internal.h"
#include "platform/user/menu_api.h"
#include "platform/user/message_api.h"
#include "platform/user/modal_loop.h"
#include "platform/user/nonclient.h"
#include "platform/user/nonclient_paint.h"
#include "platform/user/paint_api.h"
#include "platform/user/scroll_api.h"
#include "platform/user/window_api.h"

using namespace kit::user;

namespace {

LRESULT calc_size(HWND hwnd, LPARAM lParam) {
    // Both forms carry the proposed window rectangle first; it becomes the client rectangle.
    RECT* proposed = reinterpret_cast<RECT*>(lParam);
    if (!proposed) return 0;
    NonClientLayout layout = nonclient_layout(hwnd);
    RECT window = *proposed;
    *proposed = RECT{window.left + layout.client.left, window.top + layout.client.top,
                     window.left + layout.client.right, window.top + layout.client.bottom};
    return 0;
}

// A caption box acts when the button goes up over it: it shows pushed while the pointer is over
// it, and a release elsewhere, Escape or a lost capture leave the window as it was.
LRESULT track_caption_box(HWND hwnd, LRESULT hit, LPARAM lParam) {
    CaptionBox box = caption_box(hwnd, nonclient_layout(hwnd), hit);
    if (!box.enabled) return 0;
    auto show_pressed = [hwnd, hit](bool pressed) {
        Window* w = find_window(hwnd);
        if (!w || (w->nc_pressed == hit) == pressed) return;
        w->nc_pressed = pressed ? hit : 0;
        invalidate_frame(hwnd);
    };
    auto over_box = [hwnd, hit](POINT screen) {
        return SendMessage(hwnd, WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y)) == hit;
    };
    show_pressed(true);
    bool released_over = false;
    run_capture_loop(hwnd, [&](const MSG& msg) {
        if (msg.message == WM_KEYDOWN && msg.wParam == WPARAM(VK_ESCAPE)) return LoopStep::cancelled;
        if (msg.message == WM_MOUSEMOVE) show_pressed(over_box(msg.pt));
        if (msg.message != WM_LBUTTONUP) return LoopStep::keep_going;
        released_over = over_box(msg.pt);
        return LoopStep::finished;
    });
    show_pressed(false);
    return released_over && IsWindow(hwnd) ? SendMessage(hwnd, WM_SYSCOMMAND, box.command, lParam) : 0;
}

LRESULT nonclient_button_down(HWND hwnd, WPARAM hit, LPARAM lParam) {
    POINT screen{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (LRESULT(hit)) {
        case HTCLOSE:
        case HTMAXBUTTON:
        case HTMINBUTTON: return track_caption_box(hwnd, LRESULT(hit), lParam);
        case HTMENU: track_menu_bar(hwnd, screen, 0); return 0;
        case HTVSCROLL: track_window_scroll_bar(hwnd, SB_VERT, screen); return 0;
        case HTHSCROLL: track_window_scroll_bar(hwnd, SB_HORZ, screen); return 0;
        case HTCAPTION:
        case HTLEFT:
        case HTRIGHT:
        case HTTOP:
        case HTBOTTOM:
        case HTTOPLEFT:
        case HTTOPRIGHT:
        case HTBOTTOMLEFT:
        case HTBOTTOMRIGHT:
            if (IsZoomed(hwnd)) return 0;
            if (!(GetWindowLong(hwnd, GWL_STYLE) & WS_CHILD)) SetActiveWindow(hwnd);
            track_move_size(hwnd, LRESULT(hit), screen);
            return 0;
        default: return 0;
    }
}

// A double click on a caption restores a minimized window; with a maximize box it maximizes the
// window, or restores it; on a caption box it is one more press of that box.
LRESULT nonclient_double_click(HWND hwnd, WPARAM hit, LPARAM lParam) {
    if (LRESULT(hit) == HTCLOSE || LRESULT(hit) == HTMAXBUTTON || LRESULT(hit) == HTMINBUTTON)
        return track_caption_box(hwnd, LRESULT(hit), lParam);
    if (LRESULT(hit) != HTCAPTION) return 0;
    if (IsIconic(hwnd)) return SendMessage(hwnd, WM_SYSCOMMAND, SC_RESTORE, lParam);
    if (!(GetWindowLong(hwnd, GWL_STYLE) & WS_MAXIMIZEBOX)) return 0;
    return SendMessage(hwnd, WM_SYSCOMMAND, IsZoomed(hwnd) ? SC_RESTORE : SC_MAXIMIZE, lParam);
}

LRESULT system_command(HWND hwnd, WPARAM command, LPARAM lParam) {
    switch (command & 0xFFF0) {
        case SC_CLOSE: return SendMessage(hwnd, WM_CLOSE, 0, 0);
        case SC_MINIMIZE: ShowWindow(hwnd, SW_MINIMIZE); return 0;
        case SC_MAXIMIZE: ShowWindow(hwnd, SW_SHOWMAXIMIZED); return 0;
        case SC_RESTORE: ShowWindow(hwnd, SW_RESTORE); return 0;
        case SC_KEYMENU: track_menu_bar(hwnd, POINT{-1, -1}, int(lParam)); return 0;
        default: return 0;
    }
}

// Asked for from the keyboard (Shift+F10, the context-menu key), with no point: the window
// places the menu at its caret or selected item.
LRESULT keyboard_context_menu(HWND hwnd) {
    return SendMessage(hwnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd), MAKELPARAM(-1, -1));
}

}  // namespace

LRESULT DefWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* w = find_window(hwnd);
    if (!w) return 0;
    bool child = (w->style & WS_CHILD) != 0;
    switch (message) {
        case WM_NCCREATE: return TRUE;
        case WM_NCCALCSIZE: return calc_size(hwnd, lParam);
        case WM_NCHITTEST: return nonclient_hit_test(hwnd, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        case WM_NCPAINT: paint_nonclient(hwnd); return 0;
        case WM_NCACTIVATE:
            w->nc_active = wParam != 0;
            invalidate_frame(hwnd);
            return TRUE;
        case WM_ERASEBKGND: return erase_background(hwnd, reinterpret_cast<HDC>(wParam)) ? 1 : 0;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            BeginPaint(hwnd, &ps);
            EndPaint(hwnd, &ps);
            return 0;
        }
        case WM_SETTEXT:
        case WM_GETTEXT:
        case WM_GETTEXTLENGTH: return default_text_message(*w, message, wParam, lParam);
        case WM_CLOSE: DestroyWindow(hwnd); return 0;
        case WM_WINDOWPOSCHANGED:
            if (lParam) default_window_pos_changed(hwnd, *reinterpret_cast<const WINDOWPOS*>(lParam));
            return 0;
        case WM_ACTIVATE:
            if (LOWORD(wParam) != WA_INACTIVE && !w->minimized) SetFocus(hwnd);
            return 0;
        case WM_MOUSEACTIVATE:
            if (child) {
                LRESULT parent_says = SendMessage(w->parent, WM_MOUSEACTIVATE, wParam, lParam);
                if (parent_says) return parent_says;
            }
            return MA_ACTIVATE;
        case WM_SETCURSOR:
            if (child && SendMessage(w->parent, WM_SETCURSOR, wParam, lParam)) return TRUE;
            if (LOWORD(lParam) == HTCLIENT && w->cls->cursor) {
                SetCursor(w->cls->cursor);
                return TRUE;
            }
            return FALSE;
        case WM_CONTEXTMENU:
            if (child) SendMessage(w->parent, WM_CONTEXTMENU, wParam, lParam);
            return 0;
        case WM_RBUTTONUP: {
            // A right click asks for the context menu, at the click on the screen.
            POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            ClientToScreen(hwnd, &p);
            SendMessage(hwnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd), MAKELPARAM(p.x, p.y));
            return 0;
        }

        case WM_NCLBUTTONDOWN: return nonclient_button_down(hwnd, wParam, lParam);
        case WM_NCLBUTTONDBLCLK: return nonclient_double_click(hwnd, wParam, lParam);
        case WM_SYSCOMMAND: return system_command(hwnd, wParam, lParam);
        case WM_SYSKEYDOWN:
            if (wParam == WPARAM(VK_F4) && (HIWORD(std::uintptr_t(lParam)) & 0x2000)) {
                return SendMessage(top_level_of(hwnd), WM_SYSCOMMAND, SC_CLOSE, 0);
            }
            // Shift+F10 asks for the context menu as F10 goes down: a person or a tool may
            // let go of Shift before F10.
            if (wParam == WPARAM(VK_F10) && (GetKeyState(VK_SHIFT) & 0x8000)) return keyboard_context_menu(hwnd);
            if (wParam == WPARAM(VK_F10)) return SendMessage(top_level_of(hwnd), WM_SYSCOMMAND, SC_KEYMENU, 0);
            return 0;
        case WM_KEYUP:
            if (wParam == WPARAM(VK_APPS)) return keyboard_context_menu(hwnd);
            return 0;
        case WM_SYSKEYUP:
            if (wParam == WPARAM(VK_APPS)) return keyboard_context_menu(hwnd);
            // Alt pressed and released alone opens the menu bar.
            if (wParam == WPARAM(VK_MENU) && menu_key_pressed_alone())
                return SendMessage(top_level_of(hwnd), WM_SYSCOMMAND, SC_KEYMENU, 0);
            return 0;
        case WM_SYSCHAR:
            if (wParam != WPARAM(' '))
                return SendMessage(top_level_of(hwnd), WM_SYSCOMMAND, SC_KEYMENU, LPARAM(wParam));
            return 0;
        case WM_SETFONT:
            w->font = reinterpret_cast<HFONT>(wParam);
            if (LOWORD(std::uintptr_t(lParam))) invalidate_client(hwnd, nullptr, true, false);
            return 0;
        case WM_GETFONT: return reinterpret_cast<LRESULT>(w->font);
        case WM_SETREDRAW: w->redraw_enabled = wParam != 0; return 0;
        case WM_CANCELMODE:
            if (GetCapture() == hwnd) ReleaseCapture();
            return 0;
        default: return 0;
    }
}

LRESULT CallWindowProc(WNDPROC proc, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return proc ? proc(hwnd, message, wParam, lParam) : 0;
}
