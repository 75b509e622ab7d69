#include "platform/afx/controls.h"

IMPLEMENT_DYNAMIC(CStatic, CWnd)
IMPLEMENT_DYNAMIC(CButton, CWnd)
IMPLEMENT_DYNAMIC(CEdit, CWnd)
IMPLEMENT_DYNAMIC(CListBox, CWnd)
IMPLEMENT_DYNAMIC(CCheckListBox, CListBox)
IMPLEMENT_DYNAMIC(CComboBox, CWnd)
IMPLEMENT_DYNAMIC(CScrollBar, CWnd)

void CEdit::GetSel(int& start, int& end) const {
    DWORD first = 0, last = 0;
    SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&first), reinterpret_cast<LPARAM>(&last));
    start = int(first);
    end = int(last);
}

int CListBox::GetText(int index, CString& text) const {
    const int length = GetTextLen(index);
    if (length < 0) {
        text.Empty();
        return length;
    }
    SendMessage(LB_GETTEXT, WPARAM(index), reinterpret_cast<LPARAM>(text.GetBufferSetLength(length + 1)));
    text.ReleaseBuffer();
    return text.GetLength();
}

int CComboBox::GetLBText(int index, CString& text) const {
    const int length = GetLBTextLen(index);
    if (length < 0) {
        text.Empty();
        return length;
    }
    SendMessage(CB_GETLBTEXT, WPARAM(index), reinterpret_cast<LPARAM>(text.GetBufferSetLength(length + 1)));
    text.ReleaseBuffer();
    return text.GetLength();
}

int CCheckListBox::GetCheck(int index) const { return index >= 0 && index < checks_.GetSize() ? checks_[index] : 0; }

void CCheckListBox::SetCheck(int index, int check) {
    if (index < 0 || index >= GetCount()) return;
    checks_.SetAtGrow(index, check);
    Invalidate();
}
