#include "ide/shell/dialogs/library_dialogs.h"

#include "ide/shell/dialogs/dialog_ids.h"

namespace ide {

using namespace dlg;

namespace {

std::string ItemText(HWND dialog, int id) {
    const int length = ::GetWindowTextLength(::GetDlgItem(dialog, id));
    std::string text(std::size_t(length) + 1, '\0');
    ::GetDlgItemText(dialog, id, text.data(), length + 1);
    text.resize(std::size_t(length));
    return text;
}

}  // namespace

// ---- library property

BEGIN_MESSAGE_MAP(CVyrLibPropertyDlg, CDialog)
ON_CONTROL(EN_CHANGE, kLibraryPath, OnPathChange)
END_MESSAGE_MAP()

CVyrLibPropertyDlg::CVyrLibPropertyDlg(LibraryRecord& record, std::uint32_t item_data, CWnd* parent)
    : CDialog(kLibraryPropertyDialog, parent), record_(record), item_data_(item_data) {}

BOOL CVyrLibPropertyDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    ::SetDlgItemText(m_hWnd, kLibraryType, IsDefaultLibrary() ? "Type: Standard Library" : "Type: Customed Library");
    ::SetDlgItemText(m_hWnd, kLibraryPath, record_.path.c_str());
    ::EnableWindow(::GetDlgItem(m_hWnd, kLibraryPath), !IsDefaultLibrary());
    if (!IsDefaultLibrary()) return TRUE;  // the path, selected, has the keyboard
    // The path of a default library cannot take the keyboard: OK, the default button, does.
    ::SetFocus(::GetDlgItem(m_hWnd, IDOK));
    return FALSE;
}

// An inserted library is known by its path alone: an empty one would turn it
// into a default library of no name, so OK waits for a path.
void CVyrLibPropertyDlg::OnPathChange() {
    ::EnableWindow(::GetDlgItem(m_hWnd, IDOK), IsDefaultLibrary() || !ItemText(m_hWnd, kLibraryPath).empty());
}

void CVyrLibPropertyDlg::OnOK() {
    if (!IsDefaultLibrary()) {
        const std::string path = ItemText(m_hWnd, kLibraryPath);
        if (path.empty()) return;  // Return does not get past a disabled OK
        record_.path = path;
    }
    CDialog::OnOK();
}

// ---- standard libraries

CVyrStdLibInsertDlg::CVyrStdLibInsertDlg(std::vector<std::string> offered, CWnd* parent)
    : CDialog(kStandardLibraryDialog, parent), offered_(std::move(offered)) {}

BOOL CVyrStdLibInsertDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    for (const std::string& name : offered_)
        ::SendDlgItemMessage(m_hWnd, kStandardLibraryList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    return TRUE;
}

void CVyrStdLibInsertDlg::OnOK() {
    HWND list = ::GetDlgItem(m_hWnd, kStandardLibraryList);
    chosen_.clear();
    const LRESULT count = ::SendMessage(list, LB_GETCOUNT, 0, 0);
    for (LRESULT index = 0; index < count; ++index) {
        if (::SendMessage(list, LB_GETSEL, WPARAM(index), 0) > 0) chosen_.push_back(offered_[std::size_t(index)]);
    }
    CDialog::OnOK();
}

}  // namespace ide
