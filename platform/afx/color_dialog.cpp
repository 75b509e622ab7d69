#include "platform/afx/color_dialog.h"

#include <algorithm>
#include <cstdlib>

#include "platform/afx/common_dialog.h"

namespace {

const kit::res::Module& color_dialog_module() {
    static const kit::res::Module module = [] {
        const DWORD edit = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_NUMBER;
        kit::res::Module m;
        m.name = "afx colour dialog";
        kit::res::Dialog d;
        d.id = CColorDialog::kTemplateId;
        d.caption = "Color";
        d.style = kCommonDialogStyle;
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

// A part as typed, bounded to 0-255; text that is not a number keeps the part it had.
BYTE part_of(const CString& text, BYTE before) {
    const char* start = text;
    char* end = nullptr;
    const long value = std::strtol(start, &end, 10);
    if (end == start) return before;
    return BYTE(std::clamp(value, 0L, 255L));
}

class ColorForm : public CommonDialogForm {
public:
    explicit ColorForm(COLORREF initial) : color(initial) {
        edits = {CColorDialog::kRedEdit, CColorDialog::kGreenEdit, CColorDialog::kBlueEdit};
    }

    void fill(HWND dialog) override {
        ::SetDlgItemInt(dialog, CColorDialog::kRedEdit, GetRValue(color), FALSE);
        ::SetDlgItemInt(dialog, CColorDialog::kGreenEdit, GetGValue(color), FALSE);
        ::SetDlgItemInt(dialog, CColorDialog::kBlueEdit, GetBValue(color), FALSE);
    }

    bool accept(HWND, const DialogAnswers& answers) override {
        color = RGB(part_of(answers.text(CColorDialog::kRedEdit), GetRValue(color)),
                    part_of(answers.text(CColorDialog::kGreenEdit), GetGValue(color)),
                    part_of(answers.text(CColorDialog::kBlueEdit), GetBValue(color)));
        return true;
    }

    COLORREF color;
};

}  // namespace

int CColorDialog::DoModal() {
    ColorForm form(color_);
    if (run_common_dialog(color_dialog_module(), kTemplateId, parent_, form) != IDOK) return IDCANCEL;
    color_ = form.color;
    return IDOK;
}
