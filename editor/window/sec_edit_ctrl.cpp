// SECEditCtrl: the editor control for dialogs.
#include "editor/window/sec_edit_ctrl.h"

namespace editor {

BEGIN_MESSAGE_MAP(SECEditCtrl, SECEditWindow<CWnd>)
ON_WM_CREATE()
ON_WM_GETDLGCODE()
ON_WM_SETFOCUS()
ON_WM_KILLFOCUS()
ON_WM_KEYDOWN()
END_MESSAGE_MAP()

SECEditCtrl::~SECEditCtrl() {
    // The core stops watching the buffer before the buffer goes.
    Attach(static_cast<SECEdit*>(nullptr));
}

SECEdit* SECEditCtrl::GetBuffer() {
    if (!buffer_) {
        buffer_ = std::make_unique<SECEdit>();
        Attach(buffer_.get());
    }
    return buffer_.get();
}

BOOL SECEditCtrl::CreateFromDlgItem(UINT id, CWnd* parent, DWORD ex_style) {
    HWND placeholder = ::GetDlgItem(parent->m_hWnd, int(id));
    if (!placeholder) return FALSE;
    CRect rect;
    ::GetWindowRect(placeholder, &rect);
    parent->ScreenToClient(&rect);
    if (!Create(nullptr, "SECEdit", WS_CHILD | WS_VISIBLE | WS_TABSTOP, rect, parent, id)) return FALSE;
    ::SetWindowPos(m_hWnd, placeholder, 0, 0, 0, 0,
                   SWP_NOSIZE | SWP_NOMOVE | SWP_NOREDRAW | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    ::DestroyWindow(placeholder);
    if (ex_style) ModifyStyleEx(0, ex_style, SWP_FRAMECHANGED);
    return TRUE;
}

int SECEditCtrl::OnCreate(CREATESTRUCT* cs) {
    if (SECEditWindow<CWnd>::OnCreate(cs) == -1) return -1;
    GetBuffer();
    InitView();
    return 0;
}

void SECEditCtrl::NotifyParent(WORD code) {
    if (CWnd* parent = GetParent())
        parent->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), code), reinterpret_cast<LPARAM>(m_hWnd));
}

void SECEditCtrl::OnSetFocus(CWnd* old) {
    SECEditWindow<CWnd>::OnSetFocus(old);
    NotifyParent(EN_SETFOCUS);
}

void SECEditCtrl::OnKillFocus(CWnd* next) {
    SECEditWindow<CWnd>::OnKillFocus(next);
    NotifyParent(EN_KILLFOCUS);
}

void SECEditCtrl::OnKeyDown(UINT key, UINT repeat, UINT flags) {
    // Escape also goes to the dialog, so that it can close.
    if (key == VK_ESCAPE && !IsDragSelecting())
        if (CWnd* parent = GetParent()) parent->PostMessage(WM_KEYDOWN, key, MAKELPARAM(repeat, flags));
    SECEditWindow<CWnd>::OnKeyDown(key, repeat, flags);
}

}  // namespace editor
