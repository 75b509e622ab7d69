#include "ide/shell/dialogs/options_sheet.h"

#include "ide/shell/dialogs/dialog_ids.h"
#include "ide/shell/dialogs/settings_save.h"

namespace ide {

namespace {

CString Caption() {
    CString text;
    text.LoadString(dlg::kOptionsCaption);
    return text;
}

}  // namespace

BEGIN_MESSAGE_MAP(CVyrOptionSheet, CPropertySheet)
ON_COMMAND(IDOK, OnOk)
ON_COMMAND(ID_APPLY_NOW, OnApply)
END_MESSAGE_MAP()

CVyrOptionSheet::CVyrOptionSheet(CWnd* parent, profile::Store& profile, COLORREF window_colour)
    : CPropertySheet(Caption(), parent),
      profile_(profile),
      editor_page_(profile),
      directory_page_(profile),
      format_page_(profile, window_colour) {
    AddPage(&editor_page_);
    AddPage(&directory_page_);
    AddPage(&format_page_);
}

// What the changed pages wrote is saved, also when a later page refused to apply.
void CVyrOptionSheet::OnOk() {
    OnOKCommand();
    SaveSettings(profile_);
}

void CVyrOptionSheet::OnApply() {
    OnApplyCommand();
    SaveSettings(profile_);
}

bool RunOptionsSheet(CWnd* parent, profile::Store& profile) {
    CVyrOptionSheet sheet(parent, profile, ::GetSysColor(COLOR_WINDOW));
    return sheet.DoModal() == IDOK;
}

}  // namespace ide
