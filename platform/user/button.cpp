// The BUTTON class: push buttons (default or not), check boxes, radio
// buttons and group boxes, with BN_CLICKED to the parent.
#include "platform/gdi/gdi.h"
#include "platform/user/control_styles.h"
#include "platform/user/controls.h"
#include "platform/user/dialog_api.h"
#include "platform/user/input_api.h"
#include "platform/user/message_api.h"
#include "platform/user/paint_api.h"
#include "platform/user/system_api.h"
#include "platform/user/window_api.h"

namespace kit::user {

namespace {

// Kept in the window's extra bytes: check state, pushed and focus bits.
constexpr int kStateSlot = 0;
constexpr LONG_PTR kPushed = BST_PUSHED;
constexpr LONG_PTR kFocus = BST_FOCUS;

DWORD kind_of(HWND hwnd) { return DWORD(GetWindowLong(hwnd, GWL_STYLE)) & BS_TYPEMASK; }
LONG_PTR state_of(HWND hwnd) { return GetWindowLongPtr(hwnd, kStateSlot); }

void set_state(HWND hwnd, LONG_PTR state) {
    if (state == state_of(hwnd)) return;
    SetWindowLongPtr(hwnd, kStateSlot, state);
    InvalidateRect(hwnd, nullptr, TRUE);
}

bool is_radio(DWORD kind) { return kind == BS_RADIOBUTTON || kind == BS_AUTORADIOBUTTON; }
bool is_check(DWORD kind) {
    return kind == BS_CHECKBOX || kind == BS_AUTOCHECKBOX || kind == BS_3STATE || kind == BS_AUTO3STATE;
}

void click(HWND hwnd) {
    DWORD kind = kind_of(hwnd);
    LONG_PTR state = state_of(hwnd);
    if (kind == BS_AUTOCHECKBOX) {
        set_state(hwnd, (state & ~LONG_PTR(3)) | ((state & 3) == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED));
    } else if (kind == BS_AUTO3STATE) {
        set_state(hwnd, (state & ~LONG_PTR(3)) | (((state & 3) + 1) % 3));
    } else if (kind == BS_AUTORADIOBUTTON) {
        // Checks itself and clears the other automatic radio buttons of its group.
        HWND parent = GetParent(hwnd);
        for (HWND other = GetNextDlgGroupItem(parent, hwnd, FALSE); other && other != hwnd;
             other = GetNextDlgGroupItem(parent, other, FALSE)) {
            if (kind_of(other) == BS_AUTORADIOBUTTON) SendMessage(other, BM_SETCHECK, BST_UNCHECKED, 0);
        }
        set_state(hwnd, (state & ~LONG_PTR(3)) | BST_CHECKED);
    }
    notify_parent(hwnd, BN_CLICKED);
}

void paint(HWND hwnd, HDC dc) {
    RECT r;
    GetClientRect(hwnd, &r);
    DWORD style = DWORD(GetWindowLong(hwnd, GWL_STYLE));
    DWORD kind = style & BS_TYPEMASK;
    LONG_PTR state = state_of(hwnd);
    bool enabled = IsWindowEnabled(hwnd);
    HBRUSH background = control_colours(hwnd, dc, WM_CTLCOLORBTN);
    HGDIOBJ old_font = select_control_font(hwnd, dc);
    SetBkMode(dc, TRANSPARENT);
    char text[256];
    int length = GetWindowText(hwnd, text, sizeof text);
    SetTextColor(dc, GetSysColor(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT));

    if (kind == BS_GROUPBOX) {
        FillRect(dc, &r, background);
        TEXTMETRIC tm{};
        GetTextMetrics(dc, &tm);
        RECT frame{r.left, r.top + tm.tmHeight / 2, r.right, r.bottom};
        DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
        SIZE extent{};
        GetTextExtentPoint32(dc, text, length, &extent);
        RECT label{r.left + 8, r.top, r.left + 8 + extent.cx + 4, r.top + tm.tmHeight};
        if (length) {
            FillRect(dc, &label, background);
            OffsetRect(&label, 2, 0);
            DrawText(dc, text, length, &label, DT_SINGLELINE | DT_LEFT);
        }
    } else if (is_check(kind) || is_radio(kind)) {
        FillRect(dc, &r, background);
        int box = GetSystemMetrics(SM_CXMENUCHECK);
        RECT mark{r.left, r.top + (r.bottom - r.top - box) / 2, r.left + box,
                  r.top + (r.bottom - r.top - box) / 2 + box};
        UINT how = (is_radio(kind) ? DFCS_BUTTONRADIO : DFCS_BUTTONCHECK) | ((state & 3) ? DFCS_CHECKED : 0) |
                   ((state & kPushed) ? DFCS_PUSHED : 0) | (enabled ? 0 : DFCS_INACTIVE);
        DrawFrameControl(dc, &mark, DFC_BUTTON, how);
        RECT label{mark.right + 4, r.top, r.right, r.bottom};
        DrawText(dc, text, length, &label, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
        if (state & kFocus) {
            RECT focus{};
            DrawText(dc, text, length, &focus, DT_SINGLELINE | DT_CALCRECT);
            OffsetRect(&focus, label.left, label.top + (label.bottom - label.top - focus.bottom) / 2);
            InflateRect(&focus, 1, 1);
            DrawFocusRect(dc, &focus);
        }
    } else {
        RECT face = r;
        bool is_default = kind == BS_DEFPUSHBUTTON;
        if (is_default) {
            FrameRect(dc, &face, GetSysColorBrush(COLOR_WINDOWFRAME));
            InflateRect(&face, -1, -1);
        }
        DrawFrameControl(dc, &face, DFC_BUTTON, DFCS_BUTTONPUSH | ((state & kPushed) ? DFCS_PUSHED : 0));
        RECT label = face;
        if (state & kPushed) OffsetRect(&label, 1, 1);
        DrawText(dc, text, length, &label, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
        if (state & kFocus) {
            RECT focus = face;
            InflateRect(&focus, -4, -4);
            DrawFocusRect(dc, &focus);
        }
    }
    SelectObject(dc, old_font);
}

LRESULT button_proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD kind = kind_of(hwnd);
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            if (dc) paint(hwnd, dc);
            EndPaint(hwnd, &ps);
            return 0;
        }
        case WM_ERASEBKGND: return 1;
        case WM_NCHITTEST:
            // A group box frames other controls: the mouse goes through it to them.
            if (kind == BS_GROUPBOX) return HTTRANSPARENT;
            return DefWindowProc(hwnd, message, wParam, lParam);
        case WM_GETDLGCODE:
            if (kind == BS_GROUPBOX) return DLGC_STATIC;
            if (is_radio(kind)) return DLGC_RADIOBUTTON | DLGC_BUTTON;
            if (kind == BS_DEFPUSHBUTTON) return DLGC_DEFPUSHBUTTON | DLGC_BUTTON;
            if (kind == BS_PUSHBUTTON) return DLGC_UNDEFPUSHBUTTON | DLGC_BUTTON;
            return DLGC_BUTTON;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            if (kind == BS_GROUPBOX) return 0;
            SetFocus(hwnd);
            SetCapture(hwnd);
            set_state(hwnd, state_of(hwnd) | kPushed);
            return 0;
        case WM_MOUSEMOVE:
            if (GetCapture() == hwnd) {
                RECT r;
                GetClientRect(hwnd, &r);
                POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
                bool inside = p.x >= 0 && p.y >= 0 && p.x < r.right && p.y < r.bottom;
                set_state(hwnd, inside ? (state_of(hwnd) | kPushed) : (state_of(hwnd) & ~kPushed));
            }
            return 0;
        case WM_LBUTTONUP:
            if (GetCapture() != hwnd) return 0;
            {
                bool pushed = state_of(hwnd) & kPushed;
                set_state(hwnd, state_of(hwnd) & ~kPushed);
                ReleaseCapture();
                if (pushed) click(hwnd);
            }
            return 0;
        case WM_CAPTURECHANGED: set_state(hwnd, state_of(hwnd) & ~kPushed); return 0;
        case WM_KEYDOWN:
            if (wParam == WPARAM(VK_SPACE) && kind != BS_GROUPBOX) set_state(hwnd, state_of(hwnd) | kPushed);
            return 0;
        case WM_KEYUP:
            if (wParam == WPARAM(VK_SPACE) && (state_of(hwnd) & kPushed)) {
                set_state(hwnd, state_of(hwnd) & ~kPushed);
                click(hwnd);
            }
            return 0;
        case WM_SETFOCUS:
            set_state(hwnd, state_of(hwnd) | kFocus);
            // Focus on an automatic radio button by the keyboard checks it.
            if (kind == BS_AUTORADIOBUTTON && !(state_of(hwnd) & 3) && !(GetKeyState(VK_LBUTTON) & 0x8000)) click(hwnd);
            return 0;
        case WM_KILLFOCUS:
            set_state(hwnd, state_of(hwnd) & ~(kFocus | kPushed));
            if (GetCapture() == hwnd) ReleaseCapture();
            return 0;
        case WM_ENABLE: InvalidateRect(hwnd, nullptr, TRUE); return 0;
        case BM_GETCHECK: return state_of(hwnd) & 3;
        case BM_SETCHECK:
            if (is_check(kind) || is_radio(kind))
                set_state(hwnd, (state_of(hwnd) & ~LONG_PTR(3)) | LONG_PTR(wParam & 3));
            return 0;
        case BM_GETSTATE: return state_of(hwnd);
        case BM_SETSTATE: set_state(hwnd, wParam ? (state_of(hwnd) | kPushed) : (state_of(hwnd) & ~kPushed)); return 0;
        case BM_SETSTYLE: {
            LONG style = GetWindowLong(hwnd, GWL_STYLE);
            SetWindowLong(hwnd, GWL_STYLE, LONG((DWORD(style) & ~BS_TYPEMASK) | (DWORD(wParam) & BS_TYPEMASK)));
            if (lParam) InvalidateRect(hwnd, nullptr, TRUE);
            return 0;
        }
        case BM_CLICK:
            if (IsWindowEnabled(hwnd)) click(hwnd);
            return 0;
        case WM_SETTEXT: {
            LRESULT result = DefWindowProc(hwnd, message, wParam, lParam);
            InvalidateRect(hwnd, nullptr, TRUE);
            return result;
        }
        default: return DefWindowProc(hwnd, message, wParam, lParam);
    }
}

}  // namespace

void register_button_class() {
    WNDCLASS wc{};
    wc.lpfnWndProc = button_proc;
    wc.cbWndExtra = sizeof(LONG_PTR);
    wc.lpszClassName = "BUTTON";
    RegisterClass(&wc);
}

}  // namespace kit::user
