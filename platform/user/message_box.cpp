// MessageBox: a dialog made on the spot, or the script's answer when a test runs headless.
#include <algorithm>

#include "platform/gdi/gdi.h"
#include "platform/user/dialog_manager.h"
#include "platform/user/message_api.h"
#include "platform/user/styles.h"
#include "platform/user/window_api.h"

namespace {

struct Button {
    int id;
    const char* text;
};

std::vector<Button> buttons_for(UINT type) {
    switch (type & 0xF) {
        case MB_OKCANCEL: return {{IDOK, "OK"}, {IDCANCEL, "Cancel"}};
        case MB_ABORTRETRYIGNORE: return {{IDABORT, "&Abort"}, {IDRETRY, "&Retry"}, {IDIGNORE, "&Ignore"}};
        case MB_YESNOCANCEL: return {{IDYES, "&Yes"}, {IDNO, "&No"}, {IDCANCEL, "Cancel"}};
        case MB_YESNO: return {{IDYES, "&Yes"}, {IDNO, "&No"}};
        case MB_RETRYCANCEL: return {{IDRETRY, "&Retry"}, {IDCANCEL, "Cancel"}};
        default: return {{IDOK, "OK"}};
    }
}

// Escape means Cancel where there is one, and OK in a box with only OK.
LONG_PTR message_box_proc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) {
        // The focus starts on the default button.
        for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            if ((GetWindowLong(child, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON &&
                SendMessage(child, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON) {
                SendMessage(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(child), TRUE);
            }
        }
        return FALSE;
    }
    if (message != WM_COMMAND) return FALSE;
    int id = LOWORD(wParam);
    if (id == IDCANCEL && !GetDlgItem(dialog, IDCANCEL)) {
        if (!GetDlgItem(dialog, IDOK)) return TRUE;
        id = IDOK;
    }
    EndDialog(dialog, id);
    return TRUE;
}

// Width of the text in dialog units of the default font, for the layout.
int text_width_in_units(const std::string& text) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    RECT r{0, 0, 400, 0};
    DrawText(dc, text.c_str(), int(text.size()), &r, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    SelectObject(dc, old);
    DeleteDC(dc);
    LONG units = GetDialogBaseUnits();
    return int(r.right) * 4 / std::max(1, int(LOWORD(std::uintptr_t(units))));
}

}  // namespace

int MessageBox(HWND owner, const char* text, const char* caption, UINT type) {
    kit::user::DialogQuestion question;
    question.message_box = true;
    question.text = text ? text : "";
    question.caption = caption ? caption : "Error";
    question.type = type;
    if (auto answer = kit::user::ask_dialog_script(question)) return int(*answer);

    std::vector<Button> buttons = buttons_for(type);
    int default_index = (type & MB_DEFBUTTON3) ? 2 : (type & MB_DEFBUTTON2) ? 1 : 0;
    default_index = std::min(default_index, int(buttons.size()) - 1);
    int lines = 1 + int(std::count(question.text.begin(), question.text.end(), '\n'));
    int text_width = std::clamp(text_width_in_units(question.text), 60, 260);
    int row = 14 + 8 * lines;
    int buttons_width = int(buttons.size()) * 56 - 6;
    int width = std::max(text_width, buttons_width) + 20;

    kit::res::Dialog t;
    t.caption = question.caption;
    t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER;
    t.cx = width;
    t.cy = row + 30;
    t.controls.push_back(
        {"STATIC", 0xFFFF, question.text, WS_CHILD | WS_VISIBLE | SS_NOPREFIX, 0, 10, 10, width - 20, 8 * lines});
    int x = (width - buttons_width) / 2;
    for (size_t i = 0; i < buttons.size(); ++i) {
        DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | (int(i) == default_index ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
        if (i == 0) style |= WS_GROUP;
        t.controls.push_back({"BUTTON", unsigned(buttons[i].id), buttons[i].text, style, 0, x, row, 50, 14});
        x += 56;
    }
    HWND top = owner ? GetAncestorTopLevel(owner) : nullptr;
    HWND dialog = kit::user::create_dialog(t, top, message_box_proc, 0);
    if (!dialog) return 0;
    return int(kit::user::run_modal_dialog(dialog, top, nullptr));
}
