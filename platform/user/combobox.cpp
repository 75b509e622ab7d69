// The COMBOBOX class: a drop-down list (CBS_DROPDOWNLIST) or an edit with a
// drop-down list (CBS_DROPDOWN). The items live in a popup LISTBOX that the
// drop-down loop shows under the control.
#include <algorithm>
#include <string>
#include <vector>

#include "platform/gdi/gdi.h"
#include "platform/user/control_styles.h"
#include "platform/user/controls.h"
#include "platform/user/input_api.h"
#include "platform/user/message_api.h"
#include "platform/user/modal_loop.h"
#include "platform/user/paint_api.h"
#include "platform/user/scroll_api.h"
#include "platform/user/system_api.h"
#include "platform/user/window_api.h"
#include "platform/user/window_extra.h"

namespace kit::user {

namespace {

constexpr WORD CBN_DROPDOWN = 7;
constexpr WORD CBN_CLOSEUP = 8;
constexpr WORD CBN_SELENDOK = 9;
constexpr int kEditId = 1001;
constexpr int kVisibleItems = 8;

struct ComboState : WindowExtra {
    HWND list = nullptr;
    HWND edit = nullptr;
    bool dropped = false;
    int drop_height = 0;  // the height asked at creation: field and list together
    ItemDecoration decorate = nullptr;
};

// Carried by a combo box's list, naming the combo box it drops down for.
struct ComboListLink : WindowExtra {
    explicit ComboListLink(HWND combo) : combo(combo) {}
    HWND combo;
};

DWORD kind_of(HWND hwnd) { return DWORD(GetWindowLong(hwnd, GWL_STYLE)) & 3; }

int button_width() { return GetSystemMetrics(SM_CXVSCROLL); }

// The closed control is one line of its font high; the rest of the height asked for is the list's.
int field_height(HWND hwnd) {
    HDC dc = GetDC(hwnd);
    HGDIOBJ old = select_control_font(hwnd, dc);
    TEXTMETRIC tm{};
    GetTextMetrics(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(hwnd, dc);
    return int(tm.tmHeight) + 8;
}

void fit_field(HWND hwnd, const ComboState& s) {
    RECT r;
    GetClientRect(hwnd, &r);
    int height = field_height(hwnd);
    SetWindowPos(hwnd, nullptr, 0, 0, r.right, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (HWND edit = s.edit) MoveWindow(edit, 3, 3, r.right - 6 - button_width(), height - 6, TRUE);
}

LRESULT list(const ComboState& s, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return SendMessage(s.list, message, wParam, lParam);
}

void show_selection_text(HWND hwnd, const ComboState& s) {
    if (!s.edit) {
        InvalidateRect(hwnd, nullptr, TRUE);
        return;
    }
    int index = int(list(s, LB_GETCURSEL));
    std::string text;
    if (index >= 0) {
        text.resize(size_t(list(s, LB_GETTEXTLEN, WPARAM(index))) + 1);
        list(s, LB_GETTEXT, WPARAM(index), reinterpret_cast<LPARAM>(text.data()));
        text.resize(text.size() - 1);
    }
    SetWindowText(s.edit, text.c_str());
}

void choose(HWND hwnd, const ComboState& s, int index) {
    if (index == int(list(s, LB_GETCURSEL))) return;
    list(s, LB_SETCURSEL, WPARAM(index));
    show_selection_text(hwnd, s);
    notify_parent(hwnd, CBN_SELCHANGE);
}

// Shows the list under the control and runs its loop until a choice, Escape,
// a click elsewhere or a lost capture.
void drop_down(HWND hwnd, ComboState& s) {
    if (s.dropped) return;
    notify_parent(hwnd, CBN_DROPDOWN);
    RECT r;
    GetWindowRect(hwnd, &r);
    int item = int(list(s, LB_GETITEMHEIGHT));
    int rows = std::clamp(int(list(s, LB_GETCOUNT)), 1, kVisibleItems);
    int height = s.drop_height - (r.bottom - r.top);
    if (height < item + 2) height = rows * item + 2;
    SetWindowPos(s.list, HWND_TOP, r.left, r.bottom, r.right - r.left, height, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    s.dropped = true;
    HWND list_window = s.list;
    int original = int(list(s, LB_GETCURSEL));
    LoopStep end = run_capture_loop(list_window, [&](const MSG& msg) {
        RECT client;
        GetClientRect(list_window, &client);
        POINT p{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
        bool inside = p.x >= 0 && p.y >= 0 && p.x < client.right && p.y < client.bottom;
        int row = int(list(s, LB_GETTOPINDEX)) + p.y / std::max(1, int(list(s, LB_GETITEMHEIGHT)));
        switch (msg.message) {
            case WM_MOUSEMOVE:
                if (inside && row < int(list(s, LB_GETCOUNT))) list(s, LB_SETCURSEL, WPARAM(row));
                return LoopStep::keep_going;
            case WM_LBUTTONUP: return inside ? LoopStep::finished : LoopStep::keep_going;
            case WM_LBUTTONDOWN: return inside ? LoopStep::keep_going : LoopStep::cancelled;
            case WM_KEYDOWN:
                if (msg.wParam == WPARAM(VK_ESCAPE)) return LoopStep::cancelled;
                if (msg.wParam == WPARAM(VK_RETURN) || msg.wParam == WPARAM(VK_F4)) return LoopStep::finished;
                SendMessage(list_window, WM_KEYDOWN, msg.wParam, msg.lParam);
                return LoopStep::keep_going;
            default: return LoopStep::keep_going;
        }
    });
    ShowWindow(list_window, SW_HIDE);
    s.dropped = false;
    int chosen = int(list(s, LB_GETCURSEL));
    list(s, LB_SETCURSEL, WPARAM(original));
    if (end == LoopStep::finished) {
        choose(hwnd, s, chosen);
        notify_parent(hwnd, CBN_SELENDOK);
    }
    notify_parent(hwnd, CBN_CLOSEUP);
    InvalidateRect(hwnd, nullptr, TRUE);
}

void paint(HWND hwnd, const ComboState& s, HDC dc) {
    RECT r;
    GetClientRect(hwnd, &r);
    HBRUSH background = control_colours(hwnd, dc, WM_CTLCOLOREDIT);
    FillRect(dc, &r, background);
    RECT edge = r;
    DrawEdge(dc, &edge, EDGE_SUNKEN, BF_RECT);
    RECT button{r.right - 2 - button_width(), r.top + 2, r.right - 2, r.bottom - 2};
    DrawFrameControl(dc, &button, DFC_SCROLL, DFCS_SCROLLCOMBOBOX | (IsWindowEnabled(hwnd) ? 0 : DFCS_INACTIVE));
    if (s.edit) return;
    int index = int(list(s, LB_GETCURSEL));
    RECT text{r.left + 3, r.top + 3, button.left - 1, r.bottom - 3};
    bool focused = GetFocus() == hwnd;
    if (focused) FillRect(dc, &text, GetSysColorBrush(COLOR_HIGHLIGHT));
    if (index >= 0) {
        std::string item(size_t(list(s, LB_GETTEXTLEN, WPARAM(index))) + 1, '\0');
        list(s, LB_GETTEXT, WPARAM(index), reinterpret_cast<LPARAM>(item.data()));
        HGDIOBJ old = select_control_font(hwnd, dc);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(focused ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        RECT label = text;
        label.left += 2;
        if (ItemDecoration decorate = s.decorate) label.left += decorate(hwnd, dc, index, label);
        DrawText(dc, item.c_str(), -1, &label, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        SelectObject(dc, old);
    }
    if (focused) DrawFocusRect(dc, &text);
}

// CB_ messages that are LB_ messages of the list under another number.
UINT list_message(UINT message) {
    switch (message) {
        case CB_ADDSTRING: return LB_ADDSTRING;
        case CB_INSERTSTRING: return LB_INSERTSTRING;
        case CB_DELETESTRING: return LB_DELETESTRING;
        case CB_RESETCONTENT: return LB_RESETCONTENT;
        case CB_GETCOUNT: return LB_GETCOUNT;
        case CB_GETCURSEL: return LB_GETCURSEL;
        case CB_GETLBTEXT: return LB_GETTEXT;
        case CB_GETLBTEXTLEN: return LB_GETTEXTLEN;
        case CB_FINDSTRING: return LB_FINDSTRING;
        case CB_FINDSTRINGEXACT: return LB_FINDSTRINGEXACT;
        case CB_GETITEMDATA: return LB_GETITEMDATA;
        case CB_SETITEMDATA: return LB_SETITEMDATA;
        default: return 0;
    }
}

}  // namespace

void set_combo_decoration(HWND combo, ItemDecoration decoration) {
    auto s = window_extra<ComboState>(combo);
    if (!s) return;
    s->decorate = decoration;
    if (s->list) set_list_decoration(s->list, decoration);
    InvalidateRect(combo, nullptr, TRUE);
}

HWND combo_of_list(HWND list) {
    auto link = window_extra<ComboListLink>(list);
    return link ? link->combo : nullptr;
}

namespace {

void create(HWND hwnd, ComboState& s, const CREATESTRUCT& cs) {
    s.drop_height = cs.cy;
    DWORD sort = (GetWindowLong(hwnd, GWL_STYLE) & CBS_SORT) ? LBS_SORT : 0;
    s.list = CreateWindowEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, "LISTBOX", "", WS_POPUP | WS_BORDER | WS_VSCROLL | sort,
                            0, 0, 10, 10, hwnd, nullptr, nullptr, nullptr);
    create_window_extra<ComboListLink>(s.list, hwnd);
    if (kind_of(hwnd) == CBS_DROPDOWN) {
        RECT r;
        GetClientRect(hwnd, &r);
        s.edit =
            CreateWindowEx(0, "EDIT", "", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 3, 3, r.right - 6 - button_width(),
                           r.bottom - 6, hwnd, reinterpret_cast<HMENU>(std::uintptr_t(kEditId)), nullptr, nullptr);
    }
    fit_field(hwnd, s);
}

// False for a key the combo box leaves to DefWindowProc.
bool key_down(HWND hwnd, ComboState& s, bool alt, int vk) {
    if (vk == VK_F4 || (alt && (vk == VK_DOWN || vk == VK_UP))) {
        drop_down(hwnd, s);
        return true;
    }
    int count = int(list(s, LB_GETCOUNT));
    int current = int(list(s, LB_GETCURSEL));
    if (alt || count == 0) return false;
    if (vk == VK_DOWN) choose(hwnd, s, std::min(count - 1, current + 1));
    if (vk == VK_UP) choose(hwnd, s, std::max(0, current - 1));
    if (vk == VK_HOME) choose(hwnd, s, 0);
    if (vk == VK_END) choose(hwnd, s, count - 1);
    return true;
}

// The text of a drop-down list combo box is its chosen item's.
LRESULT chosen_text_length(const ComboState& s) {
    int index = int(list(s, LB_GETCURSEL));
    return index < 0 ? 0 : list(s, LB_GETTEXTLEN, WPARAM(index));
}

LRESULT copy_chosen_text(const ComboState& s, char* buffer, WPARAM size) {
    int index = int(list(s, LB_GETCURSEL));
    if (index < 0 || !buffer || size == 0) return 0;
    std::string item(size_t(list(s, LB_GETTEXTLEN, WPARAM(index))) + 1, '\0');
    list(s, LB_GETTEXT, WPARAM(index), reinterpret_cast<LPARAM>(item.data()));
    size_t n = std::min(item.size() - 1, size_t(size) - 1);
    std::copy_n(item.data(), n, buffer);
    buffer[n] = 0;
    return LRESULT(n);
}

LRESULT combo_proc(HWND hwnd, ComboState& s, UINT message, WPARAM wParam, LPARAM lParam) {
    if (UINT forwarded = list_message(message)) return list(s, forwarded, wParam, lParam);
    switch (message) {
        case WM_NCCREATE:
            // Scroll bars asked of a combo box are its list's (which always has one), never
            // its own: they would take the place of the drop button.
            SetWindowLong(hwnd, GWL_STYLE, GetWindowLong(hwnd, GWL_STYLE) & ~(WS_VSCROLL | WS_HSCROLL));
            return DefWindowProc(hwnd, message, wParam, lParam);
        case WM_CREATE: create(hwnd, s, *reinterpret_cast<CREATESTRUCT*>(lParam)); return 0;
        case WM_DESTROY: DestroyWindow(s.list); return 0;
        case WM_SETFONT:
            list(s, WM_SETFONT, wParam, lParam);
            if (HWND edit = s.edit) SendMessage(edit, WM_SETFONT, wParam, lParam);
            DefWindowProc(hwnd, message, wParam, lParam);
            fit_field(hwnd, s);
            return 0;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            if (dc) paint(hwnd, s, dc);
            EndPaint(hwnd, &ps);
            return 0;
        }
        case WM_ERASEBKGND: return 1;
        case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
        case WM_SETFOCUS:
            // Coming to the combo box (Tab, Alt+letter, the dialog's first focus) selects its
            // text, so what is typed replaces it.
            if (HWND edit = s.edit) {
                SendMessage(edit, EM_SETSEL, 0, -1);
                SetFocus(edit);
            }
            InvalidateRect(hwnd, nullptr, TRUE);
            return 0;
        case WM_KILLFOCUS: InvalidateRect(hwnd, nullptr, TRUE); return 0;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            SetFocus(hwnd);
            drop_down(hwnd, s);
            return 0;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            return key_down(hwnd, s, message == WM_SYSKEYDOWN, int(wParam))
                       ? 0
                       : DefWindowProc(hwnd, message, wParam, lParam);
        case WM_CHAR: {
            char text[2] = {char(wParam), 0};
            int found = int(list(s, LB_FINDSTRING, WPARAM(list(s, LB_GETCURSEL)), reinterpret_cast<LPARAM>(text)));
            if (found >= 0) choose(hwnd, s, found);
            return 0;
        }
        case WM_COMMAND:
            // The edit's changes are the combo box's.
            if (LOWORD(wParam) == kEditId && HIWORD(wParam) == EN_CHANGE) notify_parent(hwnd, 5 /* CBN_EDITCHANGE */);
            return 0;
        case CB_SETCURSEL: {
            LRESULT result = list(s, LB_SETCURSEL, wParam);
            show_selection_text(hwnd, s);
            return result;
        }
        case CB_SELECTSTRING: {
            LRESULT result = list(s, LB_SELECTSTRING, wParam, lParam);
            show_selection_text(hwnd, s);
            return result;
        }
        case CB_SHOWDROPDOWN:
            if (wParam) drop_down(hwnd, s);
            return TRUE;
        case CB_GETDROPPEDSTATE: return s.dropped;
        case CB_LIMITTEXT:
            // The limit is the edit's; a drop-down list has no text to type.
            if (HWND edit = s.edit) SendMessage(edit, EM_LIMITTEXT, wParam, 0);
            return TRUE;
        case WM_SETTEXT:
        case WM_GETTEXT:
        case WM_GETTEXTLENGTH:
            if (s.edit) return SendMessage(s.edit, message, wParam, lParam);
            if (message == WM_GETTEXTLENGTH) return chosen_text_length(s);
            if (message == WM_GETTEXT) return copy_chosen_text(s, reinterpret_cast<char*>(lParam), wParam);
            return DefWindowProc(hwnd, message, wParam, lParam);
        default: return DefWindowProc(hwnd, message, wParam, lParam);
    }
}

}  // namespace

LRESULT combobox_proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return window_proc_with<ComboState, combo_proc>(hwnd, message, wParam, lParam);
}

void register_combobox_class() {
    WNDCLASS wc{};
    wc.lpfnWndProc = combobox_proc;
    wc.lpszClassName = "COMBOBOX";
    RegisterClass(&wc);
}

}  // namespace kit::user
