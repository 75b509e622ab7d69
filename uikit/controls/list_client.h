#pragma once
// What the list tip and the in-place edit ask of their list.
#include "platform/afx/afx.h"

class SECListClient {
public:
    virtual ~SECListClient() = default;
    virtual HWND GetWindowHandle() const { return nullptr; }
    virtual BOOL GetLabelWrap() const { return FALSE; }
    virtual BOOL EndLabelEdit(BOOL accept) { return FALSE; }
    virtual int GetColumnSubItem(int column) const { return -1; }
    virtual BOOL GetScrollPosition(POINT* out) const { return FALSE; }
    virtual void GetInsideRect(RECT* out) const {}
    virtual BOOL GetSubItemRect(int item, int column, RECT* out, int code) { return FALSE; }
    virtual void GetSubItemText(CString& out, int item, int column) { out.Empty(); }
    virtual void ClientToScreen(POINT* point) const {}
    virtual BOOL CaptureMouse(BOOL capture) { return FALSE; }
    virtual BOOL IsItemSelected(int item) const { return FALSE; }
    virtual COLORREF GetSelTextColor() const { return 0; }
    virtual COLORREF GetSelBkColor() const { return 0; }
    virtual COLORREF GetTipTextColor() const { return 0; }
    virtual COLORREF GetTipBkColor() const { return 0; }
    virtual CFont* GetLabelFont() const { return nullptr; }
};
