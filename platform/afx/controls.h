#pragma once
// Wrappers of the standard controls: each Create makes the control of its
// class, and the members send the control's messages.
#include "platform/afx/collections.h"
#include "platform/afx/wnd.h"

class CStatic : public CWnd {
    DECLARE_DYNAMIC(CStatic)
public:
    BOOL Create(const char* text, DWORD style, const RECT& rect, CWnd* parent, UINT id = 0xFFFF) {
        return CWnd::Create("STATIC", text, style, rect, parent, id);
    }
};

class CButton : public CWnd {
    DECLARE_DYNAMIC(CButton)
public:
    BOOL Create(const char* text, DWORD style, const RECT& rect, CWnd* parent, UINT id) {
        return CWnd::Create("BUTTON", text, style, rect, parent, id);
    }
    int GetCheck() const { return int(SendMessage(BM_GETCHECK)); }
    void SetCheck(int check) { SendMessage(BM_SETCHECK, WPARAM(check)); }
    UINT GetState() const { return UINT(SendMessage(BM_GETSTATE)); }
    void SetState(BOOL pushed) { SendMessage(BM_SETSTATE, WPARAM(pushed)); }
    void SetButtonStyle(UINT style, BOOL redraw = TRUE) { SendMessage(BM_SETSTYLE, style, redraw); }
};

class CEdit : public CWnd {
    DECLARE_DYNAMIC(CEdit)
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
        return CWnd::Create("EDIT", nullptr, style, rect, parent, id);
    }
    void GetSel(int& start, int& end) const;
    void SetSel(int start, int end, BOOL no_scroll = FALSE) { SendMessage(EM_SETSEL, WPARAM(start), LPARAM(end)); }
    void ReplaceSel(const char* text, BOOL can_undo = FALSE) {
        SendMessage(EM_REPLACESEL, can_undo, reinterpret_cast<LPARAM>(text));
    }
    void LimitText(int max = 0) { SendMessage(EM_LIMITTEXT, WPARAM(max)); }
    UINT GetLimitText() const { return UINT(SendMessage(EM_GETLIMITTEXT)); }
    int GetLineCount() const { return int(SendMessage(EM_GETLINECOUNT)); }
    BOOL GetModify() const { return BOOL(SendMessage(EM_GETMODIFY)); }
    void SetModify(BOOL modified = TRUE) { SendMessage(EM_SETMODIFY, modified); }
    BOOL SetReadOnly(BOOL read_only = TRUE) { return BOOL(SendMessage(EM_SETREADONLY, read_only)); }
};

class CListBox : public CWnd {
    DECLARE_DYNAMIC(CListBox)
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
        return CWnd::Create("LISTBOX", nullptr, style, rect, parent, id);
    }
    int GetCount() const { return int(SendMessage(LB_GETCOUNT)); }
    int GetCurSel() const { return int(SendMessage(LB_GETCURSEL)); }
    int SetCurSel(int index) { return int(SendMessage(LB_SETCURSEL, WPARAM(index))); }
    int GetSel(int index) const { return int(SendMessage(LB_GETSEL, WPARAM(index))); }
    int SetSel(int index, BOOL select = TRUE) { return int(SendMessage(LB_SETSEL, select, LPARAM(index))); }
    int GetSelCount() const { return int(SendMessage(LB_GETSELCOUNT)); }
    int GetTopIndex() const { return int(SendMessage(LB_GETTOPINDEX)); }
    int SetTopIndex(int index) { return int(SendMessage(LB_SETTOPINDEX, WPARAM(index))); }
    int GetText(int index, CString& text) const;
    int GetTextLen(int index) const { return int(SendMessage(LB_GETTEXTLEN, WPARAM(index))); }
    int AddString(const char* text) { return int(SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text))); }
    int InsertString(int index, const char* text) {
        return int(SendMessage(LB_INSERTSTRING, WPARAM(index), reinterpret_cast<LPARAM>(text)));
    }
    int DeleteString(UINT index) { return int(SendMessage(LB_DELETESTRING, index)); }
    void ResetContent() { SendMessage(LB_RESETCONTENT); }
    int FindString(int start, const char* text) const {
        return int(SendMessage(LB_FINDSTRING, WPARAM(start), reinterpret_cast<LPARAM>(text)));
    }
    int FindStringExact(int start, const char* text) const {
        return int(SendMessage(LB_FINDSTRINGEXACT, WPARAM(start), reinterpret_cast<LPARAM>(text)));
    }
    int SelectString(int start, const char* text) {
        return int(SendMessage(LB_SELECTSTRING, WPARAM(start), reinterpret_cast<LPARAM>(text)));
    }
    UINT_PTR GetItemData(int index) const { return UINT_PTR(SendMessage(LB_GETITEMDATA, WPARAM(index))); }
    int SetItemData(int index, UINT_PTR data) { return int(SendMessage(LB_SETITEMDATA, WPARAM(index), LPARAM(data))); }
    int GetItemHeight(int index) const { return int(SendMessage(LB_GETITEMHEIGHT, WPARAM(index))); }
};

// A list box whose items carry a check box drawn in front of their text.
class CCheckListBox : public CListBox {
    DECLARE_DYNAMIC(CCheckListBox)
public:
    int GetCheck(int index) const;
    void SetCheck(int index, int check);

private:
    CArray<int> checks_;  // by item index, grown on demand
};

class CComboBox : public CWnd {
    DECLARE_DYNAMIC(CComboBox)
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
        return CWnd::Create("COMBOBOX", nullptr, style, rect, parent, id);
    }
    int GetCount() const { return int(SendMessage(CB_GETCOUNT)); }
    int GetCurSel() const { return int(SendMessage(CB_GETCURSEL)); }
    int SetCurSel(int index) { return int(SendMessage(CB_SETCURSEL, WPARAM(index))); }
    int GetLBText(int index, CString& text) const;
    int GetLBTextLen(int index) const { return int(SendMessage(CB_GETLBTEXTLEN, WPARAM(index))); }
    int AddString(const char* text) { return int(SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text))); }
    int InsertString(int index, const char* text) {
        return int(SendMessage(CB_INSERTSTRING, WPARAM(index), reinterpret_cast<LPARAM>(text)));
    }
    int DeleteString(UINT index) { return int(SendMessage(CB_DELETESTRING, index)); }
    void ResetContent() { SendMessage(CB_RESETCONTENT); }
    int FindStringExact(int start, const char* text) const {
        return int(SendMessage(CB_FINDSTRINGEXACT, WPARAM(start), reinterpret_cast<LPARAM>(text)));
    }
    int SelectString(int start, const char* text) {
        return int(SendMessage(CB_SELECTSTRING, WPARAM(start), reinterpret_cast<LPARAM>(text)));
    }
    UINT_PTR GetItemData(int index) const { return UINT_PTR(SendMessage(CB_GETITEMDATA, WPARAM(index))); }
    int SetItemData(int index, UINT_PTR data) { return int(SendMessage(CB_SETITEMDATA, WPARAM(index), LPARAM(data))); }
    void ShowDropDown(BOOL show = TRUE) { SendMessage(CB_SHOWDROPDOWN, show); }
    BOOL GetDroppedState() const { return BOOL(SendMessage(CB_GETDROPPEDSTATE)); }
};

class CScrollBar : public CWnd {
    DECLARE_DYNAMIC(CScrollBar)
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
        return CWnd::Create("SCROLLBAR", nullptr, style, rect, parent, id);
    }
    int GetScrollPos() const { return ::GetScrollPos(m_hWnd, SB_CTL); }
    int SetScrollPos(int pos, BOOL redraw = TRUE) { return ::SetScrollPos(m_hWnd, SB_CTL, pos, redraw); }
    void SetScrollRange(int min, int max, BOOL redraw = TRUE) { ::SetScrollRange(m_hWnd, SB_CTL, min, max, redraw); }
    void GetScrollRange(int* min, int* max) const { ::GetScrollRange(m_hWnd, SB_CTL, min, max); }
    BOOL SetScrollInfo(SCROLLINFO* info, BOOL redraw = TRUE) {
        return ::SetScrollInfo(m_hWnd, SB_CTL, info, redraw) || info;
    }
    BOOL GetScrollInfo(SCROLLINFO* info, UINT mask = SIF_ALL) {
        info->fMask = mask;
        return ::GetScrollInfo(m_hWnd, SB_CTL, info);
    }
    void ShowScrollBar(BOOL show = TRUE) { ::ShowScrollBar(m_hWnd, SB_CTL, show); }
};
