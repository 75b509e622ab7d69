#include "ide/shell/find/find_dialog.h"

#include "ide/shell/bars/output_bar.h"
#include "uikit/controls/browse_edit.h"

namespace ide {

using namespace find_ids;

BEGIN_MESSAGE_MAP(CVYRFindInFileDlg, CDialog)
ON_CONTROL(BN_CLICKED, kOutputTo2, OnOutputTo2)
ON_CONTROL(BN_CLICKED, kBrowse, OnBrowse)
END_MESSAGE_MAP()

CVYRFindInFileDlg::CVYRFindInFileDlg(profile::Store& profile, std::string project_folder, COutputBar* output,
                                     CWnd* parent)
    : CDialog(kDialog, parent), profile_(profile), project_folder_(std::move(project_folder)), output_(output) {}

BOOL CVYRFindInFileDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    const FindSettings settings = LoadFindSettings(profile_, project_folder_);
    const std::pair<UINT, bool> checks[] = {{kMatchCase, settings.match_case},
                                            {kSubfolders, settings.subfolders},
                                            {kOutputTo2, settings.output_to_2},
                                            {kWholeWord, settings.whole_word}};
    for (const auto& [id, on] : checks) ::CheckDlgButton(m_hWnd, int(id), on ? BST_CHECKED : BST_UNCHECKED);
    Fill(kFileTypes, settings.types);
    Fill(kFolder, settings.folders);
    Fill(kFindWhat, settings.strings);
    ShowPane(settings.output_to_2);
    return TRUE;
}

void CVYRFindInFileDlg::Fill(UINT combo, const std::vector<std::string>& items) {
    for (const std::string& item : items)
        ::SendDlgItemMessage(m_hWnd, int(combo), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    if (!items.empty()) ::SendDlgItemMessage(m_hWnd, int(combo), CB_SETCURSEL, 0, 0);
}

std::string CVYRFindInFileDlg::Text(UINT id) const {
    const HWND control = ::GetDlgItem(m_hWnd, int(id));
    std::string text(std::size_t(::GetWindowTextLength(control)) + 1, '\0');
    text.resize(std::size_t(::GetWindowText(control, text.data(), int(text.size()))));
    return text;
}

std::vector<std::string> CVYRFindInFileDlg::Items(UINT combo) const {
    const HWND control = ::GetDlgItem(m_hWnd, int(combo));
    std::vector<std::string> items;
    const LRESULT count = ::SendMessage(control, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        std::string item(std::size_t(::SendMessage(control, CB_GETLBTEXTLEN, WPARAM(i), 0)) + 1, '\0');
        const LRESULT length = ::SendMessage(control, CB_GETLBTEXT, WPARAM(i), reinterpret_cast<LPARAM>(item.data()));
        item.resize(length > 0 ? std::size_t(length) : 0);
        items.push_back(std::move(item));
    }
    return items;
}

bool CVYRFindInFileDlg::Checked(UINT id) const { return ::IsDlgButtonChecked(m_hWnd, int(id)) == BST_CHECKED; }

void CVYRFindInFileDlg::ShowPane(bool second) {
    if (!output_) return;
    // A tab window gives its new tab the keyboard; the dialog keeps it.
    const HWND focus = ::GetFocus();
    output_->ActivatePane(second ? OutputPane::find_in_files2 : OutputPane::find_in_files1);
    if (m_hWnd && ::IsWindowVisible(m_hWnd)) {
        ::SetActiveWindow(m_hWnd);
        ::SetFocus(focus && ::IsChild(m_hWnd, focus) ? focus : m_hWnd);
    }
}

void CVYRFindInFileDlg::OnOutputTo2() { ShowPane(Checked(kOutputTo2)); }

void CVYRFindInFileDlg::OnBrowse() {
    SECDirSelectDlg chooser(SECBrowseDirEdit::kTitle, this, BrowseStartFolder(Text(kFolder).c_str()));
    const bool chosen_ok = chooser.DoModal() == IDOK;
    // The keyboard comes back to the folder, whatever the chooser left it on.
    const HWND combo = ::GetDlgItem(m_hWnd, kFolder);
    ::SetFocus(combo);
    if (!chosen_ok) return;
    CString chosen;
    chooser.GetPath(chosen);
    std::string folder = chosen.str();
    if (folder.empty() || folder.back() != '/') folder += '/';
    const LRESULT listed =
        ::SendMessage(combo, CB_FINDSTRINGEXACT, WPARAM(-1), reinterpret_cast<LPARAM>(folder.c_str()));
    if (listed != CB_ERR)
        ::SendMessage(combo, CB_SETCURSEL, WPARAM(listed), 0);
    else
        ::SetWindowText(combo, folder.c_str());
}

void CVYRFindInFileDlg::OnOK() {
    const std::string text = Text(kFindWhat);
    const std::string types = Text(kFileTypes);
    const std::string folder = Text(kFolder);
    if (text.empty() || types.empty() || folder.empty()) {
        AfxMessageBox(kNullStringMessage);
        return;
    }
    FindSettings settings;
    settings.match_case = Checked(kMatchCase);
    settings.subfolders = Checked(kSubfolders);
    settings.output_to_2 = Checked(kOutputTo2);
    settings.whole_word = Checked(kWholeWord);
    settings.folders = UpdatedHistory(Items(kFolder), folder);
    settings.strings = UpdatedHistory(Items(kFindWhat), text);
    request_ = {{text, settings.match_case, settings.whole_word}, types, folder, settings.subfolders};
    output_to_2_ = settings.output_to_2;
    CDialog::OnOK();
    SaveFindSettings(profile_, settings);
}

}  // namespace ide
