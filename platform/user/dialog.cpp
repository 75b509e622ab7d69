// Dialogs from templates: creation in dialog units, the default dialog
// procedure, keyboard navigation (tab order, groups, default button, Escape,
// mnemonics) and the modal loop.
#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "platform/gdi/gdi.h"
#include "platform/user/backend.h"
#include "platform/user/controls.h"
#include "platform/user/dialog_manager.h"
#include "platform/user/input_api.h"
#include "platform/user/internal.h"
#include "platform/user/menu_model.h"
#include "platform/user/modal_loop.h"
#include "platform/user/message_api.h"
#include "platform/user/on_scope_exit.h"
#include "platform/user/resource_api.h"
#include "platform/user/system_api.h"
#include "platform/user/window_api.h"
#include "platform/user/window_extra.h"

namespace kit::user {

namespace {

constexpr const char* kDialogClass = "#32770";
constexpr WORD DC_HASDEFID = 0x534B;

struct DialogState : WindowExtra {
    DLGPROC proc = nullptr;
    HFONT font = nullptr;
    bool own_font = false;
    int base_x = 6, base_y = 13;
    HWND saved_focus = nullptr;
    UINT default_id = 0;
    bool ended = false;
    LONG_PTR result = 0;
};

// A window of the dialog class gets its state at WM_NCCREATE; DefDlgProc on
// a window of another class finds none and handles what needs no state.
std::shared_ptr<DialogState> state_of(HWND dialog) { return window_extra<DialogState>(dialog); }

DialogScript& script() {
    static DialogScript s;
    return s;
}

// A control's own visible style counts, so that navigation works before the dialog shows.
bool usable(HWND hwnd) { return (GetWindowLong(hwnd, GWL_STYLE) & WS_VISIBLE) && IsWindowEnabled(hwnd); }
LRESULT dialog_code(HWND control, const MSG* msg) {
    return SendMessage(control, WM_GETDLGCODE, msg ? msg->wParam : 0, reinterpret_cast<LPARAM>(msg));
}

// The direct child of the dialog that holds `hwnd`.
HWND control_of(HWND dialog, HWND hwnd) {
    while (hwnd && GetParent(hwnd) != dialog) hwnd = GetParent(hwnd);
    return hwnd;
}

void set_focus_to(HWND dialog, HWND control) {
    if (!control) return;
    if (dialog_code(control, nullptr) & DLGC_HASSETSEL) SendMessage(control, EM_SETSEL, 0, -1);
    SetFocus(control);
    if (auto s = state_of(dialog)) s->saved_focus = control;
}

void press_default(HWND dialog) {
    HWND focus = control_of(dialog, GetFocus());
    UINT id = IDOK;
    if (focus && (dialog_code(focus, nullptr) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON))) {
        id = UINT(GetDlgCtrlID(focus));
    } else {
        LRESULT def = SendMessage(dialog, DM_GETDEFID, 0, 0);
        if (HIWORD(std::uintptr_t(def)) == DC_HASDEFID) id = LOWORD(std::uintptr_t(def));
    }
    HWND button = GetDlgItem(dialog, int(id));
    if (button && !IsWindowEnabled(button)) return;
    SendMessage(dialog, WM_COMMAND, MAKEWPARAM(int(id), BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

// The control a mnemonic names: a button itself, or the control after a label.
bool press_mnemonic(HWND dialog, int ch) {
    ch = std::tolower(ch & 0xFF);
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!usable(child)) continue;
        char text[256];
        GetWindowText(child, text, sizeof text);
        if (mnemonic_of(text) != ch) continue;
        LRESULT code = dialog_code(child, nullptr);
        if (code & DLGC_STATIC) {
            HWND next = GetNextDlgTabItem(dialog, child, FALSE);
            set_focus_to(dialog, next);
        } else if (code & DLGC_BUTTON) {
            set_focus_to(dialog, child);
            SendMessage(child, BM_CLICK, 0, 0);
        } else {
            set_focus_to(dialog, child);
        }
        return true;
    }
    return false;
}

LRESULT default_dialog_handling(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto s = state_of(dialog);
    switch (message) {
        case WM_ERASEBKGND: {
            HDC dc = reinterpret_cast<HDC>(wParam);
            RECT r;
            GetClientRect(dialog, &r);
            auto brush =
                reinterpret_cast<HBRUSH>(SendMessage(dialog, WM_CTLCOLORDLG, wParam, reinterpret_cast<LPARAM>(dialog)));
            FillRect(dc, &r, brush ? brush : GetSysColorBrush(COLOR_3DFACE));
            return 1;
        }
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORSCROLLBAR: return default_control_colours(message, reinterpret_cast<HDC>(wParam));
        case WM_CLOSE: {
            HWND cancel = GetDlgItem(dialog, IDCANCEL);
            if (!cancel || IsWindowEnabled(cancel)) {
                SendMessage(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(cancel));
            }
            return 0;
        }
        case WM_ACTIVATE:
            if (!s) return 0;
            if (LOWORD(wParam) == WA_INACTIVE) {
                if (HWND focus = control_of(dialog, GetFocus())) s->saved_focus = focus;
            } else {
                HWND target = IsWindow(s->saved_focus) ? s->saved_focus : GetNextDlgTabItem(dialog, nullptr, FALSE);
                SetFocus(target ? target : dialog);
            }
            return 0;
        case WM_SETFOCUS:
            if (s && IsWindow(s->saved_focus)) SetFocus(s->saved_focus);
            return 0;
        case WM_NEXTDLGCTL: {
            HWND target = lParam ? reinterpret_cast<HWND>(wParam)
                                 : GetNextDlgTabItem(dialog, control_of(dialog, GetFocus()), wParam != 0);
            set_focus_to(dialog, target);
            return 0;
        }
        case DM_GETDEFID: {
            if (s && s->default_id) return LRESULT(MAKELONG(WORD(s->default_id), DC_HASDEFID));
            for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
                if (dialog_code(child, nullptr) & DLGC_DEFPUSHBUTTON) {
                    return LRESULT(MAKELONG(WORD(GetDlgCtrlID(child)), DC_HASDEFID));
                }
            }
            return 0;
        }
        case DM_SETDEFID: {
            if (!s) return FALSE;
            if (HWND old = GetDlgItem(dialog, int(s->default_id))) SendMessage(old, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
            s->default_id = UINT(wParam);
            if (HWND now = GetDlgItem(dialog, int(wParam))) SendMessage(now, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
            return TRUE;
        }
        case WM_NCDESTROY:
            if (s && s->own_font) DeleteObject(s->font);
            destroy_window_extra<DialogState>(dialog);
            return 0;
        default: return DefWindowProc(dialog, message, wParam, lParam);
    }
}

bool returns_value_directly(UINT message) {
    return message == WM_INITDIALOG || (message >= WM_CTLCOLOREDIT && message <= WM_CTLCOLORSTATIC) ||
           message == WM_CTLCOLORDLG;
}

LRESULT dialog_window_proc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto s = message == WM_NCCREATE ? create_window_extra<DialogState>(dialog) : state_of(dialog);
    if (s && s->proc) {
        Window* w = find_window(dialog);
        if (w) w->dialog_result = 0;
        LONG_PTR handled = s->proc(dialog, message, wParam, lParam);
        if (handled) {
            if (returns_value_directly(message)) return handled;
            w = find_window(dialog);
            return w ? w->dialog_result : 0;
        }
    }
    return default_dialog_handling(dialog, message, wParam, lParam);
}

void base_units_of(HFONT font, int& base_x, int& base_y) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    static const char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    SIZE size{};
    GetTextExtentPoint32(dc, letters, 52, &size);
    TEXTMETRIC tm{};
    GetTextMetrics(dc, &tm);
    SelectObject(dc, old);
    DeleteDC(dc);
    base_x = std::max(1, int((size.cx / 26 + 1) / 2));
    base_y = std::max(1, int(tm.tmHeight));
}

}  // namespace

std::optional<LONG_PTR> ask_dialog_script(const DialogQuestion& question) {
    if (!script()) return std::nullopt;
    return script()(question);
}

void set_dialog_script(DialogScript s) { script() = std::move(s); }

void register_dialog_class() {
    WNDCLASS wc{};
    wc.lpfnWndProc = dialog_window_proc;
    wc.lpszClassName = kDialogClass;
    RegisterClass(&wc);
}

HWND create_dialog(const res::Dialog& t, HWND owner, DLGPROC proc, LPARAM param) {
    ensure_standard_classes();
    DialogState state;
    state.proc = proc;
    if (!t.font_face.empty()) {
        state.font =
            CreateFont(-std::abs(t.font_size * 96 / 72), 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, t.font_face.c_str());
        state.own_font = state.font != nullptr;
    }
    if (!state.font) state.font = reinterpret_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    base_units_of(state.font, state.base_x, state.base_y);
    auto px = [&](int du) { return du * state.base_x / 4; };
    auto py = [&](int du) { return du * state.base_y / 8; };

    DWORD style = t.style & ~WS_VISIBLE;
    RECT frame{0, 0, px(t.cx), py(t.cy)};
    AdjustWindowRectEx(&frame, style, FALSE, t.ex_style);
    int width = frame.right - frame.left, height = frame.bottom - frame.top;
    RECT around{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (owner) GetWindowRect(owner, &around);
    int x = (t.style & DS_CENTER) || (t.x == 0 && t.y == 0) ? (around.left + around.right - width) / 2
                                                            : around.left + px(t.x);
    int y = (t.style & DS_CENTER) || (t.x == 0 && t.y == 0) ? (around.top + around.bottom - height) / 2
                                                            : around.top + py(t.y);
    HWND dialog = CreateWindowEx(t.ex_style, kDialogClass, t.caption.c_str(), style, x, y, width, height, owner,
                                 nullptr, nullptr, nullptr);
    if (!dialog) {
        if (state.own_font) DeleteObject(state.font);
        return nullptr;
    }
    HFONT font = state.font;
    if (auto made = state_of(dialog)) *made = state;
    for (const auto& c : t.controls) {
        HWND control =
            CreateWindowEx(c.ex_style, c.class_name.c_str(), c.text.c_str(), c.style, px(c.x), py(c.y), px(c.cx),
                           py(c.cy), dialog, reinterpret_cast<HMENU>(std::uintptr_t(c.id)), nullptr, nullptr);
        if (control) SendMessage(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    HWND first = GetNextDlgTabItem(dialog, nullptr, FALSE);
    if (SendMessage(dialog, WM_INITDIALOG, reinterpret_cast<WPARAM>(first), param) && first) {
        // The first control takes the focus when the dialog shows, an edit with its text selected.
        if (auto s = state_of(dialog)) s->saved_focus = first;
        if (dialog_code(first, nullptr) & DLGC_HASSETSEL) SendMessage(first, EM_SETSEL, 0, -1);
    }
    if (IsWindow(dialog) && (t.style & WS_VISIBLE)) ShowWindow(dialog, SW_SHOW);
    return IsWindow(dialog) ? dialog : nullptr;
}

LONG_PTR run_modal_dialog(HWND dialog, HWND owner, const DialogQuestion* question) {
    bool owner_was_enabled = owner && IsWindowEnabled(owner);
    if (owner) EnableWindow(owner, FALSE);
    // However the loop ends (a procedure may throw), the owner comes back and the dialog goes.
    OnScopeExit restore([&] {
        if (owner_was_enabled) EnableWindow(owner, TRUE);
        if (owner && IsWindow(owner)) SetActiveWindow(owner);
        if (IsWindow(dialog)) DestroyWindow(dialog);
    });
    if (question) {
        if (auto answer = ask_dialog_script(*question)) {
            EndDialog(dialog, *answer);
        } else if (!backend().person_present()) {
            // Nobody can answer: say so and cancel, as Escape would.
            std::fprintf(stderr, "%s: no one to answer the dialog; cancelled\n", question->caption.c_str());
            EndDialog(dialog, IDCANCEL);
        }
    }
    ModalLoopScope scope(dialog, true);
    auto s = state_of(dialog);
    if (s && !s->ended) ShowWindow(dialog, SW_SHOW);
    LONG_PTR result = IDCANCEL;
    MSG msg;
    for (;;) {
        s = state_of(dialog);
        if (!s || scope.cancelled()) break;  // destroyed under us, or closed with its owner
        if (s->ended) {
            result = s->result;
            break;
        }
        if (!PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (owner) SendMessage(owner, WM_ENTERIDLE, MSGF_DIALOGBOX, reinterpret_cast<LPARAM>(dialog));
            if (!PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE)) backend().idle(current_queue().next_timer_due());
            continue;
        }
        if (msg.message == WM_QUIT) {
            PostQuitMessage(int(msg.wParam));
            break;
        }
        if (CallMsgFilter(&msg, MSGF_DIALOGBOX) || IsDialogMessage(dialog, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
    return result;
}

}  // namespace kit::user

using namespace kit::user;

HWND CreateDialogParam(HINSTANCE, const char* name, HWND parent, DLGPROC proc, LPARAM param) {
    unsigned id = IS_INTRESOURCE(name) ? unsigned(reinterpret_cast<std::uintptr_t>(name)) : 0;
    const kit::res::Dialog* t = kit::res::find_dialog(id);
    return t ? create_dialog(*t, parent, proc, param) : nullptr;
}

HWND CreateDialog(HINSTANCE instance, const char* name, HWND parent, DLGPROC proc) {
    return CreateDialogParam(instance, name, parent, proc, 0);
}

LONG_PTR DialogBoxParam(HINSTANCE, const char* name, HWND parent, DLGPROC proc, LPARAM param) {
    unsigned id = IS_INTRESOURCE(name) ? unsigned(reinterpret_cast<std::uintptr_t>(name)) : 0;
    const kit::res::Dialog* t = kit::res::find_dialog(id);
    if (!t) return -1;
    HWND owner = modal_owner(parent);
    HWND dialog = create_dialog(*t, owner, proc, param);
    if (!dialog) return -1;
    DialogQuestion question;
    question.template_id = id;
    question.caption = t->caption;
    question.dialog = dialog;
    return run_modal_dialog(dialog, owner, &question);
}

LONG_PTR DialogBox(HINSTANCE instance, const char* name, HWND parent, DLGPROC proc) {
    return DialogBoxParam(instance, name, parent, proc, 0);
}

BOOL EndDialog(HWND dialog, LONG_PTR result) {
    auto s = state_of(dialog);
    if (!s) return FALSE;
    s->ended = true;
    s->result = result;
    ShowWindow(dialog, SW_HIDE);
    return TRUE;
}

LRESULT DefDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    return dialog_window_proc(dialog, message, wParam, lParam);
}

BOOL IsDialogMessage(HWND dialog, MSG* msg) {
    if (!msg || !dialog || (msg->hwnd != dialog && !IsChild(dialog, msg->hwnd))) return FALSE;
    HWND control = control_of(dialog, msg->hwnd);
    LRESULT code = msg->hwnd != dialog ? dialog_code(msg->hwnd, msg) : 0;
    if (msg->message == WM_KEYDOWN && !(code & DLGC_WANTALLKEYS)) {
        bool shift = GetKeyState(VK_SHIFT) & 0x8000;
        switch (int(msg->wParam)) {
            case VK_TAB:
                if (code & DLGC_WANTTAB) break;
                SendMessage(dialog, WM_NEXTDLGCTL, shift, 0);
                return TRUE;
            case VK_LEFT:
            case VK_UP:
            case VK_RIGHT:
            case VK_DOWN: {
                if (code & DLGC_WANTARROWS) break;
                bool back = msg->wParam == WPARAM(VK_LEFT) || msg->wParam == WPARAM(VK_UP);
                HWND next = GetNextDlgGroupItem(dialog, control, back);
                if (next && next != control) {
                    SetFocus(next);
                    if (auto s = state_of(dialog)) s->saved_focus = next;
                    if (dialog_code(next, nullptr) & DLGC_RADIOBUTTON) SendMessage(next, BM_CLICK, 0, 0);
                }
                return TRUE;
            }
            case VK_RETURN: press_default(dialog); return TRUE;
            case VK_ESCAPE:
                SendMessage(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                            reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
                return TRUE;
            default: break;
        }
    }
    if (msg->message == WM_SYSCHAR || (msg->message == WM_CHAR && !(code & (DLGC_WANTCHARS | DLGC_WANTALLKEYS)))) {
        if (press_mnemonic(dialog, int(msg->wParam))) return TRUE;
    }
    TranslateMessage(msg);
    DispatchMessage(msg);
    return TRUE;
}

HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous) {
    std::vector<HWND> stops;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (usable(child) && (GetWindowLong(child, GWL_STYLE) & WS_TABSTOP)) stops.push_back(child);
    }
    if (stops.empty()) return nullptr;
    if (!control) return previous ? stops.back() : stops.front();
    // Steps from the control's place among all children, so a control that is no tab stop still has one.
    std::vector<HWND> all;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) all.push_back(child);
    auto at = std::find(all.begin(), all.end(), control);
    if (at == all.end()) return stops.front();
    size_t n = all.size(), i = size_t(at - all.begin());
    for (size_t step = 1; step <= n; ++step) {
        HWND candidate = all[previous ? (i + n - step) % n : (i + step) % n];
        if (std::find(stops.begin(), stops.end(), candidate) != stops.end()) return candidate;
    }
    return control;
}

HWND GetNextDlgGroupItem(HWND dialog, HWND control, BOOL previous) {
    std::vector<HWND> all;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) all.push_back(child);
    auto at = std::find(all.begin(), all.end(), control);
    if (at == all.end()) return nullptr;
    // The group runs from a WS_GROUP control up to the next one.
    size_t first = size_t(at - all.begin());
    while (first > 0 && !(GetWindowLong(all[first], GWL_STYLE) & WS_GROUP)) --first;
    size_t last = size_t(at - all.begin()) + 1;
    while (last < all.size() && !(GetWindowLong(all[last], GWL_STYLE) & WS_GROUP)) ++last;
    std::vector<HWND> group(all.begin() + long(first), all.begin() + long(last));
    size_t n = group.size(), i = size_t(std::find(group.begin(), group.end(), control) - group.begin());
    for (size_t step = 1; step <= n; ++step) {
        HWND candidate = group[previous ? (i + n - step) % n : (i + step) % n];
        if (usable(candidate)) return candidate;
    }
    return control;
}

LRESULT SendDlgItemMessage(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam) {
    return SendMessage(GetDlgItem(dialog, id), message, wParam, lParam);
}

BOOL SetDlgItemText(HWND dialog, int id, const char* text) {
    HWND control = GetDlgItem(dialog, id);
    return control ? SetWindowText(control, text) : FALSE;
}

UINT GetDlgItemText(HWND dialog, int id, char* buffer, int size) {
    HWND control = GetDlgItem(dialog, id);
    if (!control) {
        if (buffer && size > 0) buffer[0] = 0;
        return 0;
    }
    return UINT(GetWindowText(control, buffer, size));
}

BOOL SetDlgItemInt(HWND dialog, int id, UINT value, BOOL is_signed) {
    std::string text = is_signed ? std::to_string(int(value)) : std::to_string(value);
    return SetDlgItemText(dialog, id, text.c_str());
}

UINT GetDlgItemInt(HWND dialog, int id, BOOL* translated, BOOL is_signed) {
    char text[64];
    GetDlgItemText(dialog, id, text, sizeof text);
    char* end = nullptr;
    errno = 0;
    long long value = std::strtoll(text, &end, 10);
    bool ok = end != text && *end == 0 && errno == 0 &&
              (is_signed ? (value >= INT32_MIN && value <= INT32_MAX) : (value >= 0 && value <= UINT32_MAX));
    if (translated) *translated = ok ? TRUE : FALSE;
    return ok ? UINT(value) : 0;
}

BOOL CheckDlgButton(HWND dialog, int id, UINT check) {
    HWND button = GetDlgItem(dialog, id);
    if (!button) return FALSE;
    SendMessage(button, BM_SETCHECK, check, 0);
    return TRUE;
}

UINT IsDlgButtonChecked(HWND dialog, int id) { return UINT(SendDlgItemMessage(dialog, id, BM_GETCHECK, 0, 0)); }

BOOL CheckRadioButton(HWND dialog, int first, int last, int check) {
    for (int id = first; id <= last; ++id)
        SendDlgItemMessage(dialog, id, BM_SETCHECK, id == check ? BST_CHECKED : 0, 0);
    return TRUE;
}

LONG GetDialogBaseUnits() {
    int x = 0, y = 0;
    base_units_of(reinterpret_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)), x, y);
    return LONG(MAKELONG(WORD(x), WORD(y)));
}

BOOL MapDialogRect(HWND dialog, RECT* rect) {
    auto s = state_of(dialog);
    if (!s || !rect) return FALSE;
    rect->left = rect->left * s->base_x / 4;
    rect->right = rect->right * s->base_x / 4;
    rect->top = rect->top * s->base_y / 8;
    rect->bottom = rect->bottom * s->base_y / 8;
    return TRUE;
}
