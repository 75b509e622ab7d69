#include "platform/afx/color_dialog.h"

#include <algorithm>
#include <cstdlib>

#include "platform/afx/app.h"
#include "platform/res/resources.h"

namespace {

const kit::res::Module& color_dialog_module() {
    static const kit::res::Module module = [] {
        const DWORD edit = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_NUMBER;
        kit::res::Module m;
        m.name = "afx colour dialog";
        kit::res::Dialog d;
        d.id = CColorDialog::kTemplateId;
        d.caption = "Color";
        d.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER;
        d.cx = 150;
        d.cy = 70;
        d.font_face = "MS Sans Serif";
        d.font_size = 8;
        d.controls = {
            {"STATIC", 0xFFFF, "&Red:", WS_CHILD | WS_VISIBLE, 0, 7, 9, 30, 8},
            {"EDIT", CColorDialog::kRedEdit, "", edit, 0, 40, 7, 30, 12},
            {"STATIC", 0xFFFF, "&Green:", WS_CHILD | WS_VISIBLE, 0, 7, 25, 30, 8},
            {"EDIT", CColorDialog::kGreenEdit, "", edit, 0, 40, 23, 30, 12},
            {"STATIC", 0xFFFF, "&Blue:", WS_CHILD | WS_VISIBLE, 0, 7, 41, 30, 8},
            {"EDIT", CColorDialog::kBlueEdit, "", edit, 0, 40, 39, 30, 12},
            {"BUTTON", IDOK, "OK", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 93, 7, 50, 14},
            {"BUTTON", IDCANCEL, "Cancel", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 93, 25, 50, 14},
        };
        m.dialogs.push_back(d);
        return m;
    }();
    return module;
}

struct Asking {
    COLORREF initial;
    COLORREF answer;
};

// A part as typed, bounded to 0-255; text that is not a number keeps the part it had.
BYTE part_of(HWND dialog, int id, BYTE before) {
    char text[16] = {};
    ::GetDlgItemText(dialog, id, text, sizeof text);
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (end == text) return before;
    return BYTE(std::clamp(value, 0L, 255L));
}

LONG_PTR color_dialog_proc(HWND dialog, UINT message, WPARAM, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        ::SetWindowLongPtr(dialog, GWL_USERDATA, lParam);
        const auto* asking = reinterpret_cast<Asking*>(lParam);
        ::SetDlgItemInt(dialog, CColorDialog::kRedEdit, GetRValue(asking->initial), FALSE);
        ::SetDlgItemInt(dialog, CColorDialog::kGreenEdit, GetGValue(asking->initial), FALSE);
        ::SetDlgItemInt(dialog, CColorDialog::kBlueEdit, GetBValue(asking->initial), FALSE);
        return TRUE;
    }
    if (message == WM_DESTROY) {
        // Read here, so that an answer given by script sees the parts it set.
        if (auto* asking = reinterpret_cast<Asking*>(::GetWindowLongPtr(dialog, GWL_USERDATA))) {
            asking->answer = RGB(part_of(dialog, CColorDialog::kRedEdit, GetRValue(asking->initial)),
                                 part_of(dialog, CColorDialog::kGreenEdit, GetGValue(asking->initial)),
                                 part_of(dialog, CColorDialog::kBlueEdit, GetBValue(asking->initial)));
        }
    }
    return FALSE;
}

}  // namespace

int CColorDialog::DoModal() {
    static const bool registered = (kit::res::register_module(&color_dialog_module()), true);
    (void)registered;
    Asking asking{color_, color_};
    CWnd* owner = parent_ ? parent_ : AfxGetMainWnd();
    const LONG_PTR result = ::DialogBoxParam(nullptr, MAKEINTRESOURCE(kTemplateId), owner ? owner->m_hWnd : nullptr,
                                             &color_dialog_proc, reinterpret_cast<LPARAM>(&asking));
    if (result != IDOK) return IDCANCEL;
    color_ = asking.answer;
    return IDOK;
}
