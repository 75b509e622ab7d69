#include "ide/shell/dialogs/options_sheet.h"

#include "ide/shell/dialogs/dialog_ids.h"

namespace ide {

namespace {

CString Caption() {
    CString text;
    text.LoadString(dlg::kOptionsCaption);
    return text;
}

}  // namespace

CVyrOptionSheet::CVyrOptionSheet(CWnd* parent, profile::Store& profile, COLORREF window_colour)
    : CPropertySheet(Caption(), parent),
      editor_page_(profile),
      directory_page_(profile),
      format_page_(profile, window_colour) {
    AddPage(&editor_page_);
    AddPage(&directory_page_);
    AddPage(&format_page_);
}

bool RunOptionsSheet(CWnd* parent, profile::Store& profile) {
    CVyrOptionSheet sheet(parent, profile, ::GetSysColor(COLOR_WINDOW));
    return sheet.DoModal() == IDOK;
}

}  // namespace ide
