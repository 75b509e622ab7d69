#include "editor/window/find_dialog.h"

namespace editor {

BEGIN_MESSAGE_MAP(OEFindDlg, CFindReplaceDialog)
ON_COMMAND(OEFindDlg::kMarkAll, OnMarkAll)
END_MESSAGE_MAP()

BOOL OEFindDlg::Open(bool replace, const std::string& find_text, ProfileAccess& profile, CWnd* owner) {
    replace_ = replace;
    settings_ = LoadFindSettings(profile);
    std::string find = find_text;
    if (find.empty()) {
        std::vector<std::string> history = LoadFindHistory(profile, FindHistory::kFind);
        if (!history.empty()) find = history.front();
    }
    std::string replace_with;
    if (replace) {
        std::vector<std::string> history = LoadFindHistory(profile, FindHistory::kReplace);
        if (!history.empty()) replace_with = history.front();
    }
    DWORD flags = (settings_.forward ? FR_DOWN : 0) | (settings_.match_case ? FR_MATCHCASE : 0);
    return Create(!replace, find.c_str(), replace_with.c_str(), flags, owner);
}

void OEFindDlg::AddControl(const char* cls, UINT id, const char* text, DWORD style, CRect units) {
    ::MapDialogRect(m_hWnd, &units);
    HWND control =
        ::CreateWindowEx(0, cls, text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, units.left, units.top, units.Width(),
                         units.Height(), m_hWnd, reinterpret_cast<HMENU>(UINT_PTR(id)), nullptr, nullptr);
    ::SendMessage(control, WM_SETFONT, ::SendMessage(m_hWnd, WM_GETFONT, 0, 0), 0);
}

BOOL OEFindDlg::OnInitDialog() {
    CFindReplaceDialog::OnInitDialog();
    // The editor has no whole-word search: its box makes way for the regular-expression one.
    ::ShowWindow(::GetDlgItem(m_hWnd, int(kWholeWord)), SW_HIDE);
    int row = replace_ ? 46 : 26;    // where the whole-word box was
    int below = replace_ ? 78 : 58;  // under the match-case box
    AddControl("BUTTON", kRegularExpressions, "Regular &expression", BS_AUTOCHECKBOX, CRect(4, row, 104, row + 12));
    AddControl("BUTTON", kWrapSearch, "Wrap around search", BS_AUTOCHECKBOX, CRect(4, below, 104, below + 12));
    int button = replace_ ? 77 : 41;
    AddControl("BUTTON", kMarkAll, "&Mark All", BS_PUSHBUTTON, CRect(182, button, 232, button + 14));
    // Room for the added row and button.
    CRect grow(0, 0, 0, 18);
    ::MapDialogRect(m_hWnd, &grow);
    CRect window;
    ::GetWindowRect(m_hWnd, &window);
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, window.Width(), window.Height() + grow.bottom, SWP_NOMOVE | SWP_NOZORDER);
    CheckDlgButton(m_hWnd, int(kRegularExpressions), settings_.regular_expressions ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(m_hWnd, int(kWrapSearch), settings_.wrap_search ? BST_CHECKED : BST_UNCHECKED);
    return TRUE;
}

void OEFindDlg::OnMarkAll() {
    // Mark All closes the dialog, which deletes it: Request() clears the flag, not this.
    mark_all_ = true;
    ::SendMessage(m_hWnd, WM_COMMAND, IDOK, 0);
}

SECEditCore::FindDialogRequest OEFindDlg::Request() {
    SECEditCore::FindDialogRequest request;
    using Request = SECEditCore::FindDialogRequest;
    request.action = IsTerminating()    ? Request::kClose
                     : mark_all_        ? Request::kMarkAll
                     : ReplaceAll()     ? Request::kReplaceAll
                     : ReplaceCurrent() ? Request::kReplace
                                        : Request::kFindNext;
    mark_all_ = false;
    request.replace_dialog = replace_;
    request.find_text = GetFindString().str();
    request.replace_text = GetReplaceString().str();
    request.settings.match_case = MatchCase() ? 1 : 0;
    request.settings.forward = SearchDown() ? 1 : 0;
    if (m_hWnd) {
        request.settings.regular_expressions = IsDlgButtonChecked(m_hWnd, int(kRegularExpressions)) ? 1 : 0;
        request.settings.wrap_search = IsDlgButtonChecked(m_hWnd, int(kWrapSearch)) ? 1 : 0;
    }
    return request;
}

void OEFindDlg::EnableReplace(bool enable) {
    if (!replace_) return;
    ::EnableWindow(::GetDlgItem(m_hWnd, int(kReplace)), enable);
    ::EnableWindow(::GetDlgItem(m_hWnd, int(kReplaceAll)), enable);
}

}  // namespace editor
