#include "uikit/controls/browse_edit.h"

#include <filesystem>
#include <system_error>

#include "platform/os/path.h"

IMPLEMENT_DYNAMIC(SECBrowseButton, CButton)
IMPLEMENT_DYNAMIC(SECBrowseEditBase, CEdit)
IMPLEMENT_DYNAMIC(SECBrowseDirEdit, SECBrowseEditBase)

UINT FirstFreeControlId(const CWnd* parent) {
    for (UINT id = 32767; id > 0; --id)
        if (!::GetDlgItem(parent->m_hWnd, int(id))) return id;
    return 0;
}

BOOL SECBrowseButton::CreateBeside(SECBrowseEditBase* edit) {
    CWnd* parent = edit->GetParent();
    if (!parent) return FALSE;
    CRect rect;
    edit->GetWindowRect(&rect);
    parent->ScreenToClient(&rect);
    edit->SetWindowPos(nullptr, 0, 0, rect.Width() - (kWidth + 1), rect.Height(),
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    edit_ = edit;
    id_ = FirstFreeControlId(parent);
    const CRect button(rect.right - kWidth, rect.top, rect.right, rect.bottom);
    if (!id_ || !Create("...", WS_CHILD | WS_VISIBLE | WS_TABSTOP, button, parent, id_)) return FALSE;
    SetFont(edit->GetFont(), FALSE);
    SetWindowPos(edit, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EnableWindow(parent->IsWindowEnabled());
    return TRUE;
}

BOOL SECBrowseButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message != WM_COMMAND || LOWORD(wParam) != id_ || HIWORD(wParam) != BN_CLICKED)
        return CButton::OnChildNotify(message, wParam, lParam, result);
    edit_->Browse();
    if (result) *result = 0;
    return TRUE;
}

BEGIN_MESSAGE_MAP(SECBrowseEditBase, CEdit)
ON_WM_ENABLE()
ON_WM_SHOWWINDOW()
ON_WM_DESTROY()
END_MESSAGE_MAP()

SECBrowseEditBase::~SECBrowseEditBase() { DestroyButton(); }

BOOL SECBrowseEditBase::Initialize(UINT id, CWnd* parent) {
    CWnd* control = parent ? parent->GetDlgItem(int(id)) : nullptr;
    if (!control || !control->m_hWnd) return FALSE;
    const BOOL enabled = control->IsWindowEnabled();
    if (!SubclassDlgItem(id, parent)) return FALSE;
    button_ = new SECBrowseButton;
    if (!button_->CreateBeside(this)) {
        delete button_;
        button_ = nullptr;
        return FALSE;
    }
    button_->EnableWindow(enabled);
    return TRUE;
}

void SECBrowseEditBase::DestroyButton() {
    SECBrowseButton* button = button_;
    button_ = nullptr;
    if (button && button->m_hWnd) button->DestroyWindow();  // the button deletes itself
}

void SECBrowseEditBase::OnEnable(BOOL enable) {
    if (button_ && button_->m_hWnd) button_->EnableWindow(enable);
}

void SECBrowseEditBase::OnShowWindow(BOOL show, UINT status) {
    if (button_ && button_->m_hWnd) button_->ShowWindow(show ? SW_SHOW : SW_HIDE);
    CEdit::OnShowWindow(show, status);
}

void SECBrowseEditBase::OnDestroy() {
    DestroyButton();
    CEdit::OnDestroy();
}

SECDirSelectDlg::SECDirSelectDlg(UINT mode, const char* title, const char* initial_folder, CWnd* owner)
    : mode_(mode), title_(title ? title : ""), initial_(initial_folder ? initial_folder : ""), owner_(owner) {}

SECDirSelectDlg::SECDirSelectDlg(const char* title, CWnd* owner, const char* initial_folder)
    : SECDirSelectDlg(kFileDialogMode, title, initial_folder, owner) {}

int SECDirSelectDlg::DoModal() {
    CString path = initial_;
    if (!BrowseForFolder(path)) return IDCANCEL;
    path_ = path;
    return IDOK;
}

BOOL SECDirSelectDlg::BrowseForFolder(CString& path) {
    CFolderDialog dialog(title_, path.IsEmpty() ? nullptr : static_cast<const char*>(path), owner_);
    if (dialog.DoModal() != IDOK) return FALSE;
    path = dialog.GetFolderPath();
    if (path.IsEmpty() || path[path.GetLength() - 1] != '/') path += '/';
    return TRUE;
}

CString BrowseStartFolder(const CString& text) {
    std::string spelled = text.str();
    if (spelled.empty()) return CString();
    if (spelled.size() > 1 && (spelled.back() == '\\' || spelled.back() == '/')) spelled.pop_back();
    if (spelled.back() == ':') spelled.assign(1, '/');  // a bare drive: the root of the one file system
    const std::filesystem::path folder = os::resolve_existing(spelled);
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error)) return CString();
    return CString(folder.string().c_str());
}

SECBrowseDirEdit::SECBrowseDirEdit() { title_ = kTitle; }

void SECBrowseDirEdit::Browse() {
    SECDirSelectDlg dialog(m_nMode, title_, BrowseStartFolder(GetWindowText()), GetParent());
    if (dialog.DoModal() != IDOK) return;
    CString path;
    dialog.GetPath(path);
    SetWindowText(path);
}
