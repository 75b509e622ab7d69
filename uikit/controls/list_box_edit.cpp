#include "uikit/controls/list_box_edit.h"

BEGIN_MESSAGE_MAP(SECListBoxEdit, CEdit)
ON_WM_KEYDOWN()
ON_WM_CHAR()
ON_WM_GETDLGCODE()
ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

bool IsMultipleSelection(const CListBox& list) { return (list.GetStyle() & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0; }

void SelectRow(CListBox& list, int row) {
    if (!IsMultipleSelection(list)) {
        list.SetCurSel(row);
        return;
    }
    list.SetSel(-1, FALSE);
    list.SetSel(row, TRUE);
}

BOOL SECListBoxEdit::Create(CListBox* list, const char* initial, int width) {
    list_ = list;
    selection_before_ = list->GetCurSel();
    SelectRow(*list, row_);
    const int height = list->GetItemHeight(row_);
    CRect client;
    list->GetClientRect(&client);
    const int top = (row_ - list->GetTopIndex()) * height;
    const CRect rect(0, top - 2, width > 0 ? width : client.Width(), top + height + 2);
    if (!CEdit::Create(WS_CHILD | WS_BORDER | ES_AUTOHSCROLL, rect, list, kId)) return FALSE;
    SetFont(list->GetFont(), FALSE);
    if (initial) {
        SetWindowText(initial);
        const int end = GetWindowTextLength();
        SetSel(end, end);
    } else {
        CString text;
        list->GetText(row_, text);
        SetWindowText(text);
        SetSel(0, -1);
    }
    ShowWindow(SW_SHOW);
    SetFocus();
    return TRUE;
}

void SECListBoxEdit::Finish(UINT key) {
    if (finished_) return;
    finished_ = true;
    if (key == UINT(VK_RETURN)) {
        const CString text = GetWindowText();
        const UINT_PTR data = list_->GetItemData(row_);
        list_->SendMessage(WM_SETREDRAW, FALSE);
        list_->InsertString(row_, text);
        list_->SetItemData(row_, data);
        list_->DeleteString(UINT(row_ + 1));
        list_->SendMessage(WM_SETREDRAW, TRUE);
        SelectRow(*list_, row_);
    } else {
        if (new_row_) {
            list_->DeleteString(UINT(row_));
            if (selection_before_ >= 0 && selection_before_ < list_->GetCount()) SelectRow(*list_, selection_before_);
        }
        list_->SendMessage(kCancelledMessage, 1);
    }
    list_->Invalidate();
    NMHDR done{m_hWnd, kId, kDoneCode};
    list_->SendMessage(WM_NOTIFY, kId, reinterpret_cast<LPARAM>(&done));
}

void SECListBoxEdit::MoveFocusPast(BOOL previous) {
    CWnd* dialog = list_->GetParent();
    const HWND next = dialog ? ::GetNextDlgTabItem(dialog->m_hWnd, list_->m_hWnd, previous) : nullptr;
    if (!next) return;
    ::SetFocus(next);
    char name[16] = {};
    ::GetClassName(next, name, sizeof name);
    if (CString(name).CompareNoCase("EDIT") == 0) ::SendMessage(next, EM_SETSEL, 0, -1);
}

void SECListBoxEdit::OnKeyDown(UINT key, UINT repeat, UINT flags) {
    list_->SendMessage(kCancelledMessage, 0);
    switch (key) {
        case VK_UP:
        case VK_DOWN:
        case VK_PRIOR:
        case VK_NEXT:
        case VK_HOME:
        case VK_END:
            Finish(VK_RETURN);
            list_->PostMessage(WM_KEYDOWN, key, 0);
            return;
        case VK_TAB:
            Finish(VK_RETURN);
            MoveFocusPast(::GetKeyState(VK_SHIFT) < 0);
            return;
        case VK_RETURN:
        case VK_ESCAPE: Finish(key); return;
        case VK_F2:
            if (companion_) {
                if (CWnd* companion = list_->GetDlgItem(int(companion_))) {
                    companion->SetFocus();
                    list_->SendMessage(WM_COMMAND, MAKEWPARAM(companion_, BN_CLICKED), LPARAM(companion->m_hWnd));
                }
                return;
            }
            break;
        default: break;
    }
    CEdit::OnKeyDown(key, repeat, flags);
}

void SECListBoxEdit::OnChar(UINT key, UINT repeat, UINT flags) {
    if (key == '\r' || key == 0x1B || key == '\t') return;  // the keys that finished the edit leave nothing
    if (auto_advance_ && key == ' ') {
        int start = 0, end = 0;
        GetSel(start, end);
        CString text = GetWindowText();
        text.TrimRight();
        if (start == end && start >= text.GetLength() + auto_advance_count_) {
            Finish(VK_RETURN);
            MoveFocusPast(FALSE);
            return;
        }
    }
    CEdit::OnChar(key, repeat, flags);
}

UINT SECListBoxEdit::OnGetDlgCode() { return UINT(DLGC_WANTALLKEYS); }

void SECListBoxEdit::OnKillFocus(CWnd* next) {
    CEdit::OnKillFocus(next);
    const bool to_companion = next && companion_ && next->m_hWnd == ::GetDlgItem(list_->m_hWnd, int(companion_));
    if (!to_companion && m_hWnd) Finish(VK_RETURN);
}
