#include "platform/afx/common_controls.h"

IMPLEMENT_DYNAMIC(CToolTipCtrl, CWnd)
IMPLEMENT_DYNAMIC(CStatusBarCtrl, CWnd)
IMPLEMENT_DYNAMIC(CTabCtrl, CWnd)
IMPLEMENT_DYNAMIC(CSliderCtrl, CWnd)
IMPLEMENT_DYNAMIC(CProgressCtrl, CWnd)
IMPLEMENT_DYNAMIC(CSpinButtonCtrl, CWnd)

BOOL CToolTipCtrl::Create(CWnd* parent, DWORD style) {
    return CreateEx(WS_EX_TOPMOST, TOOLTIPS_CLASS, nullptr, WS_POPUP | style, CW_USEDEFAULT, CW_USEDEFAULT,
                    CW_USEDEFAULT, CW_USEDEFAULT, parent ? parent->m_hWnd : nullptr, nullptr);
}

TOOLINFO CToolTipCtrl::tool_for(CWnd* wnd, UINT_PTR id) const {
    TOOLINFO tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = wnd ? wnd->m_hWnd : nullptr;
    tool.uId = id;
    if (id == 0 && wnd) {
        // Without an id the tool is the whole window.
        tool.uFlags = TTF_IDISHWND;
        tool.uId = reinterpret_cast<UINT_PTR>(wnd->m_hWnd);
        tool.hwnd = ::GetParent(wnd->m_hWnd) ? ::GetParent(wnd->m_hWnd) : wnd->m_hWnd;
    }
    return tool;
}

BOOL CToolTipCtrl::AddTool(CWnd* wnd, const char* text, const RECT* rect, UINT_PTR id) {
    if (!wnd) return FALSE;
    TOOLINFO tool = tool_for(wnd, id);
    tool.lpszText = const_cast<char*>(text ? text : "");
    if (rect) tool.rect = *rect;
    return BOOL(SendMessage(TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&tool)));
}

void CToolTipCtrl::DelTool(CWnd* wnd, UINT_PTR id) {
    TOOLINFO tool = tool_for(wnd, id);
    SendMessage(TTM_DELTOOL, 0, reinterpret_cast<LPARAM>(&tool));
}

void CToolTipCtrl::UpdateTipText(const char* text, CWnd* wnd, UINT_PTR id) {
    TOOLINFO tool = tool_for(wnd, id);
    tool.lpszText = const_cast<char*>(text ? text : "");
    SendMessage(TTM_UPDATETIPTEXT, 0, reinterpret_cast<LPARAM>(&tool));
}

int CTabCtrl::InsertItem(int index, const char* text, int image) {
    TCITEM item{};
    item.mask = TCIF_TEXT | (image >= 0 ? TCIF_IMAGE : 0);
    item.pszText = const_cast<char*>(text ? text : "");
    item.iImage = image;
    return int(SendMessage(TCM_INSERTITEM, WPARAM(index), reinterpret_cast<LPARAM>(&item)));
}

CString CStatusBarCtrl::GetText(int part) const {
    const int length = LOWORD(std::uintptr_t(SendMessage(SB_GETTEXTLENGTH, WPARAM(part))));
    CString text;
    SendMessage(SB_GETTEXT, WPARAM(part), reinterpret_cast<LPARAM>(text.GetBufferSetLength(length + 1)));
    text.ReleaseBuffer();
    return text;
}
