#include "platform/afx/page_setup_dialog.h"

#include <string>

#include "platform/afx/common_dialog.h"

namespace {

const kit::res::Module& page_setup_module() {
    static const kit::res::Module module = [] {
        const DWORD number = kEditStyle | ES_NUMBER;
        kit::res::Module m;
        m.name = "afx page setup dialog";
        kit::res::Dialog d;
        d.id = CPageSetupDialog::kTemplateId;
        d.caption = "Page Setup";
        d.style = kCommonDialogStyle;
        d.cx = 220;
        d.cy = 118;
        d.font_face = "MS Sans Serif";
        d.font_size = 8;
        d.controls = {
            {"BUTTON", 0xFFFF, "Margins (1/1000 inch)", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, 0, 7, 4, 206, 46},
            {"STATIC", 0xFFFF, "&Left:", kLabelStyle, 0, 14, 17, 30, 8},
            {"EDIT", CPageSetupDialog::kLeftEdit, "", number, 0, 48, 15, 50, 12},
            {"STATIC", 0xFFFF, "&Right:", kLabelStyle, 0, 112, 17, 30, 8},
            {"EDIT", CPageSetupDialog::kRightEdit, "", number, 0, 150, 15, 50, 12},
            {"STATIC", 0xFFFF, "&Top:", kLabelStyle, 0, 14, 33, 30, 8},
            {"EDIT", CPageSetupDialog::kTopEdit, "", number, 0, 48, 31, 50, 12},
            {"STATIC", 0xFFFF, "&Bottom:", kLabelStyle, 0, 112, 33, 36, 8},
            {"EDIT", CPageSetupDialog::kBottomEdit, "", number, 0, 150, 31, 50, 12},
            {"STATIC", 0xFFFF, "&Header:", kLabelStyle, 0, 7, 59, 36, 8},
            {"EDIT", CPageSetupDialog::kHeaderEdit, "", kEditStyle, 0, 48, 57, 165, 12},
            {"STATIC", 0xFFFF, "&Footer:", kLabelStyle, 0, 7, 77, 36, 8},
            {"EDIT", CPageSetupDialog::kFooterEdit, "", kEditStyle, 0, 48, 75, 165, 12},
            {"BUTTON", IDOK, "OK", kOkStyle, 0, 109, 97, 50, 14},
            {"BUTTON", IDCANCEL, "Cancel", kButtonStyle, 0, 163, 97, 50, 14},
        };
        m.dialogs.push_back(d);
        return m;
    }();
    return module;
}

class PageSetupForm : public CommonDialogForm {
public:
    explicit PageSetupForm(const CPageSetupDialog& start)
        : margins(start.m_rtMargin), header(start.m_strHeader), footer(start.m_strFooter) {
        edits = {CPageSetupDialog::kLeftEdit,   CPageSetupDialog::kTopEdit,    CPageSetupDialog::kRightEdit,
                 CPageSetupDialog::kBottomEdit, CPageSetupDialog::kHeaderEdit, CPageSetupDialog::kFooterEdit};
    }

    void fill(HWND dialog) override {
        ::SetDlgItemInt(dialog, CPageSetupDialog::kLeftEdit, UINT(margins.left), FALSE);
        ::SetDlgItemInt(dialog, CPageSetupDialog::kTopEdit, UINT(margins.top), FALSE);
        ::SetDlgItemInt(dialog, CPageSetupDialog::kRightEdit, UINT(margins.right), FALSE);
        ::SetDlgItemInt(dialog, CPageSetupDialog::kBottomEdit, UINT(margins.bottom), FALSE);
        ::SetDlgItemText(dialog, CPageSetupDialog::kHeaderEdit, header);
        ::SetDlgItemText(dialog, CPageSetupDialog::kFooterEdit, footer);
    }

    bool accept(HWND owner, const DialogAnswers& answers) override {
        long sides[4] = {};
        const UINT ids[4] = {CPageSetupDialog::kLeftEdit, CPageSetupDialog::kTopEdit, CPageSetupDialog::kRightEdit,
                             CPageSetupDialog::kBottomEdit};
        for (int i = 0; i < 4; ++i) {
            if (!parse_bounded(answers.text(int(ids[i])), 0, CPageSetupDialog::kMaxMargin, &sides[i])) {
                const std::string message = "Enter each margin in thousandths of an inch, from 0 to " +
                                            std::to_string(CPageSetupDialog::kMaxMargin) + ".";
                ::MessageBox(owner, message.c_str(), "Page Setup", MB_OK | MB_ICONEXCLAMATION);
                return false;
            }
        }
        margins = CRect(int(sides[0]), int(sides[1]), int(sides[2]), int(sides[3]));
        header = answers.text(CPageSetupDialog::kHeaderEdit);
        footer = answers.text(CPageSetupDialog::kFooterEdit);
        return true;
    }

    CRect margins;
    CString header;
    CString footer;
};

}  // namespace

int CPageSetupDialog::DoModal() {
    PageSetupForm form(*this);
    if (run_common_dialog(page_setup_module(), kTemplateId, parent_, form) != IDOK) return IDCANCEL;
    m_rtMargin = form.margins;
    m_strHeader = form.header;
    m_strFooter = form.footer;
    return IDOK;
}
