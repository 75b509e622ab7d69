#include "ide/shell/dialogs/project_sheet.h"

namespace ide {

namespace {

CString Caption(UINT id) {
    CString text;
    text.LoadString(id);
    return text;
}

}  // namespace

void EnableSheetOk(CWnd* page, bool enable) {
    if (CWnd* sheet = page->GetParent())
        if (HWND ok = ::GetDlgItem(sheet->m_hWnd, IDOK)) ::EnableWindow(ok, enable);
}

BEGIN_MESSAGE_MAP(ProjectSheet, CPropertySheet)
ON_COMMAND(IDOK, OnOk)
END_MESSAGE_MAP()

ProjectSheet::ProjectSheet(UINT caption_id, CWnd* parent) : CPropertySheet(Caption(caption_id), parent) {
    m_psh.dwFlags |= PSH_NOAPPLYNOW;
}

void ProjectSheet::OnOk() {
    HWND ok = ::GetDlgItem(m_hWnd, IDOK);
    if ((ok && !::IsWindowEnabled(ok)) || !AllowOk()) return;
    OnOKCommand();
}

}  // namespace ide
