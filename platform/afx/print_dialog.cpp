#include "platform/afx/print_dialog.h"

#include <string>

#include "platform/afx/common_dialog.h"

namespace {

const kit::res::Module& print_dialog_module() {
    static const kit::res::Module module = [] {
        const DWORD number = kEditStyle | ES_NUMBER;
        const DWORD radio = WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON;
        kit::res::Module m;
        m.name = "afx print dialog";
        kit::res::Dialog d;
        d.id = CPrintDialog::kTemplateId;
        d.caption = "Print";
        d.style = kCommonDialogStyle;
        d.cx = 200;
        d.cy = 108;
        d.font_face = "MS Sans Serif";
        d.font_size = 8;
        d.controls = {
            {"BUTTON", 0xFFFF, "Print range", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, 0, 7, 4, 186, 62},
            {"BUTTON", CPrintDialog::kAllRadio, "&All", radio | WS_GROUP | WS_TABSTOP, 0, 14, 16, 60, 10},
            {"BUTTON", CPrintDialog::kPagesRadio, "Pa&ges", radio, 0, 14, 32, 40, 10},
            {"BUTTON", CPrintDialog::kSelectionRadio, "&Selection", radio, 0, 14, 48, 60, 10},
            {"STATIC", 0xFFFF, "&from:", kLabelStyle | WS_GROUP, 0, 58, 33, 20, 8},
            {"EDIT", CPrintDialog::kFromEdit, "", number, 0, 80, 31, 36, 12},
            {"STATIC", 0xFFFF, "&to:", kLabelStyle, 0, 124, 33, 14, 8},
            {"EDIT", CPrintDialog::kToEdit, "", number, 0, 140, 31, 36, 12},
            {"STATIC", 0xFFFF, "&Copies:", kLabelStyle, 0, 7, 75, 32, 8},
            {"EDIT", CPrintDialog::kCopiesEdit, "", number, 0, 44, 73, 30, 12},
            {"BUTTON", IDOK, "OK", kOkStyle, 0, 89, 88, 50, 14},
            {"BUTTON", IDCANCEL, "Cancel", kButtonStyle, 0, 143, 88, 50, 14},
        };
        m.dialogs.push_back(d);
        return m;
    }();
    return module;
}

class PrintForm : public CommonDialogForm {
public:
    explicit PrintForm(const CPrintDialog::PD& start) : pd(start) {
        edits = {CPrintDialog::kFromEdit, CPrintDialog::kToEdit, CPrintDialog::kCopiesEdit};
        buttons = {CPrintDialog::kPagesRadio, CPrintDialog::kSelectionRadio};
    }

    void fill(HWND dialog) override {
        const bool no_selection = pd.Flags & PD_NOSELECTION;
        const int choice = pd.Flags & PD_PAGENUMS                       ? CPrintDialog::kPagesRadio
                           : (pd.Flags & PD_SELECTION) && !no_selection ? CPrintDialog::kSelectionRadio
                                                                        : CPrintDialog::kAllRadio;
        ::CheckRadioButton(dialog, CPrintDialog::kAllRadio, CPrintDialog::kSelectionRadio, choice);
        ::EnableWindow(::GetDlgItem(dialog, CPrintDialog::kSelectionRadio), !no_selection);
        ::SetDlgItemInt(dialog, CPrintDialog::kFromEdit, pd.nFromPage, FALSE);
        ::SetDlgItemInt(dialog, CPrintDialog::kToEdit, pd.nToPage, FALSE);
        ::SetDlgItemInt(dialog, CPrintDialog::kCopiesEdit, pd.nCopies, FALSE);
    }

    bool accept(HWND owner, const DialogAnswers& answers) override {
        long copies = 0;
        if (!parse_bounded(answers.text(CPrintDialog::kCopiesEdit), 1, CPrintDialog::kMaxCopies, &copies))
            return refuse(owner,
                          "Enter a number of copies from 1 to " + std::to_string(CPrintDialog::kMaxCopies) + ".");
        DWORD choice = PD_ALLPAGES;
        long from = pd.nFromPage, to = pd.nToPage;
        if (answers.checked(CPrintDialog::kPagesRadio)) {
            choice = PD_PAGENUMS;
            if (!parse_bounded(answers.text(CPrintDialog::kFromEdit), pd.nMinPage, pd.nMaxPage, &from) ||
                !parse_bounded(answers.text(CPrintDialog::kToEdit), pd.nMinPage, pd.nMaxPage, &to) || from > to)
                return refuse(owner, "Enter pages from " + std::to_string(pd.nMinPage) + " to " +
                                         std::to_string(pd.nMaxPage) + ", the first not after the last.");
        } else if (answers.checked(CPrintDialog::kSelectionRadio) && !(pd.Flags & PD_NOSELECTION)) {
            choice = PD_SELECTION;
        }
        pd.Flags = (pd.Flags & ~(PD_PAGENUMS | PD_SELECTION)) | choice;
        pd.nFromPage = WORD(from);
        pd.nToPage = WORD(to);
        pd.nCopies = WORD(copies);
        return true;
    }

    CPrintDialog::PD pd;

private:
    static bool refuse(HWND owner, const std::string& message) {
        ::MessageBox(owner, message.c_str(), "Print", MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
};

}  // namespace

int CPrintDialog::DoModal() {
    PrintForm form(m_pd);
    if (run_common_dialog(print_dialog_module(), kTemplateId, parent_, form) != IDOK) return IDCANCEL;
    m_pd = form.pd;
    return IDOK;
}
