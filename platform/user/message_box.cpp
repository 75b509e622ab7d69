// MessageBox: a dialog made on the spot, or the script's answer when a test runs headless.
#include <algorithm>
#include <cstdio>
#include <string_view>

#include "platform/gdi/gdi.h"
#include "platform/user/backend.h"
#include "platform/user/dialog_manager.h"
#include "platform/user/message_api.h"
#include "platform/user/modal_loop.h"
#include "platform/user/styles.h"
#include "platform/user/system_api.h"
#include "platform/user/window_api.h"

namespace {

constexpr unsigned kTextId = 0xFFFF;

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

// A text that lines its columns up with runs of spaces (a usage summary, a
// table) on two lines or more: only a fixed-pitch font keeps them lined up.
bool laid_out_in_columns(std::string_view text) {
    int lines_with_columns = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = std::min(text.find('\n', start), text.size());
        std::string_view line = text.substr(start, end - start);
        std::size_t words = line.find_first_not_of(' ');
        if (words != std::string_view::npos && line.find("  ", words) != std::string_view::npos) ++lines_with_columns;
        start = end + 1;
    }
    return lines_with_columns >= 2;
}

// The text's size in dialog units when drawn in `font`, wrapped at `max_width` units.
SIZE text_size_in_units(const std::string& text, HGDIOBJ font, int max_width) {
    LONG units = GetDialogBaseUnits();
    const int base_x = std::max(1, int(LOWORD(std::uintptr_t(units))));
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRIC metrics{};
    GetTextMetrics(dc, &metrics);
    RECT r{0, 0, max_width * base_x / 4, 0};
    DrawText(dc, text.c_str(), int(text.size()), &r, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
    SelectObject(dc, old);
    DeleteDC(dc);
    // Whole lines (eight units each in the dialog font), so the box grows by
    // the lines the text wraps to; units rounded up, so no line is cut.
    const int base_y = std::max(1, int(HIWORD(std::uintptr_t(units))));
    const int line_height = std::max(1, int(metrics.tmHeight));
    const int lines = std::max(1, int((r.bottom - r.top + line_height - 1) / line_height));
    const int line_units = std::max(8, (line_height * 8 + base_y - 1) / base_y);
    return SIZE{(int(r.right - r.left) * 4 + base_x - 1) / base_x, lines * line_units};
}

// The widest text a box takes before it wraps: at most 260 units for prose
// (a table's lines are not wrapped before the limit of the screen), and never
// wider than most of the screen.
int widest_text_in_units(bool columns) {
    LONG units = GetDialogBaseUnits();
    const int base_x = std::max(1, int(LOWORD(std::uintptr_t(units))));
    RECT work{};
    SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
    const int screen_units = int(work.right - work.left) * 4 / base_x;
    return std::clamp(screen_units * 3 / 4 - 20, 60, columns ? 1000 : 260);
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
    if (!kit::user::backend().person_present()) {
        // Nobody can answer: say what the box said and take its default.
        std::fprintf(stderr, "%s: %s [%s]\n", question.caption.c_str(), question.text.c_str(),
                     buttons[size_t(default_index)].text);
        return buttons[size_t(default_index)].id;
    }
    const bool columns = laid_out_in_columns(question.text);
    HGDIOBJ font = GetStockObject(columns ? ANSI_FIXED_FONT : DEFAULT_GUI_FONT);
    SIZE text_size = text_size_in_units(question.text, font, widest_text_in_units(columns));
    int text_width = std::max(60, int(text_size.cx));
    int row = 14 + int(text_size.cy);
    int buttons_width = int(buttons.size()) * 56 - 6;
    int width = std::max(text_width, buttons_width) + 20;

    kit::res::Dialog t;
    t.caption = question.caption;
    t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER;
    t.cx = width;
    t.cy = row + 30;
    t.controls.push_back({"STATIC", kTextId, question.text, WS_CHILD | WS_VISIBLE | SS_NOPREFIX, 0, 10, 10, width - 20,
                          int(text_size.cy)});
    int x = (width - buttons_width) / 2;
    for (size_t i = 0; i < buttons.size(); ++i) {
        DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | (int(i) == default_index ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
        if (i == 0) style |= WS_GROUP;
        t.controls.push_back({"BUTTON", unsigned(buttons[i].id), buttons[i].text, style, 0, x, row, 50, 14});
        x += 56;
    }
    HWND top = kit::user::modal_owner(owner);
    HWND dialog = kit::user::create_dialog(t, top, message_box_proc, 0);
    if (!dialog) return 0;
    SendMessage(GetDlgItem(dialog, kTextId), WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return int(kit::user::run_modal_dialog(dialog, top, nullptr));
}
