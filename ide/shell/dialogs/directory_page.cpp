#include "ide/shell/dialogs/directory_page.h"

#include "ide/shell/dialogs/dialog_ids.h"
#include "ide/workspace/text_utils.h"
#include "platform/profile/store.h"

namespace ide {

using namespace dlg;

namespace {

constexpr DWORD kEditorStyle = 0xF3E;
constexpr UINT kOptionsChangedCommand = 4001;
constexpr UINT kOptionsChangedCode = 5001;

}  // namespace

void TellMainWindowOptionsChanged() {
    if (CWnd* main = AfxGetMainWnd())
        main->SendMessage(WM_COMMAND, MAKEWPARAM(kOptionsChangedCommand, kOptionsChangedCode), 0);
}

void CVyrListBoxDirEditor::Tell(UINT code) {
    CWnd* parent = GetParent();
    CListBox* list = GetListBoxCtrl();
    if (parent && list)
        parent->SendMessage(WM_COMMAND, MAKEWPARAM(list_id_, code), reinterpret_cast<LPARAM>(list->m_hWnd));
}

void CVyrListBoxDirEditor::OnEditingStopped(int row, const CString& old_text, const CString& new_text) {
    SECListBoxDirEditor::OnEditingStopped(row, old_text, new_text);
    Tell(kEditStopped);
}

void CVyrListBoxDirEditor::OnEditingJustStopped(int row, const CString& text) {
    SECListBoxDirEditor::OnEditingJustStopped(row, text);
    Tell(kEditJustStopped);
}

BEGIN_MESSAGE_MAP(CVyrDirPage, CPropertyPage)
ON_CONTROL(CBN_SELCHANGE, kDirectoryChooser, OnListChosen)
END_MESSAGE_MAP()

CVyrDirPage::CVyrDirPage(profile::Store& profile) : CPropertyPage(kDirectoriesPage), profile_(profile) {}

BOOL CVyrDirPage::OnInitDialog() {
    CPropertyPage::OnInitDialog();
    HWND chooser = ::GetDlgItem(m_hWnd, kDirectoryChooser);
    for (const char* name : kDirectoryLists) ::SendMessage(chooser, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
    ::SendMessage(chooser, CB_SETCURSEL, WPARAM(shown_), 0);
    for (std::size_t i = 0; i < lists_.size(); ++i) {
        lists_[i].clear();
        SplitString(profile_.GetProfileString(kDirectoriesSection, kDirectoryLists[i]), lists_[i], ';');
    }
    ::SetDlgItemText(m_hWnd, kDirectoryList, "&Directories:");
    editor_.Initialize(this, kDirectoryList, kEditorStyle);
    editor_.RefillRows(lists_[shown_]);
    return TRUE;
}

void CVyrDirPage::StoreRows() {
    CListBox* list = editor_.GetListBoxCtrl();
    if (!list) return;
    std::vector<std::string>& rows = lists_[shown_];
    rows.clear();
    for (int i = 0; i < list->GetCount(); ++i) {
        CString text;
        list->GetText(i, text);
        if (!text.IsEmpty()) rows.emplace_back(text.str());
    }
}

void CVyrDirPage::OnListChosen() {
    const LRESULT chosen = ::SendDlgItemMessage(m_hWnd, kDirectoryChooser, CB_GETCURSEL, 0, 0);
    if (chosen < 0 || std::size_t(chosen) >= lists_.size()) return;
    StoreRows();
    shown_ = std::size_t(chosen);
    editor_.RefillRows(lists_[shown_]);
}

BOOL CVyrDirPage::OnCommand(WPARAM wParam, LPARAM lParam) {
    // Only finished edits change the lists: choosing a list or a row does not.
    const UINT id = LOWORD(wParam), code = HIWORD(wParam);
    if (id == kDirectoryList && code >= SECListBoxEditor::kRowDeleted && code <= CVyrListBoxDirEditor::kEditStopped)
        SetModified(TRUE);
    if (id == kDirectoryList || id == kDirectoryChooser) return CDialog::OnCommand(wParam, lParam);
    return CPropertyPage::OnCommand(wParam, lParam);
}

BOOL CVyrDirPage::OnApply() {
    StoreRows();
    for (std::size_t i = 0; i < lists_.size(); ++i)
        profile_.WriteProfileString(kDirectoriesSection, kDirectoryLists[i], JoinStrings(lists_[i], ';'));
    TellMainWindowOptionsChanged();
    return CPropertyPage::OnApply();
}

bool RunDirectoriesDialog(CWnd* parent, profile::Store& profile) {
    CVyrDirPage page(profile);
    CPropertySheet sheet("Options", parent);
    sheet.AddPage(&page);
    return sheet.DoModal() == IDOK;
}

}  // namespace ide
