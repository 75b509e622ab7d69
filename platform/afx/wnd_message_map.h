#pragma once
// ON_WM_ entries: each unpacks its message and calls the handler of the same name.
#include "platform/afx/cmd_target.h"

#define ON_WM_CREATE() \
    AFX_MSG_ENTRY(WM_CREATE, 0, 0, 0, nullptr, \
                  return LRESULT(self->OnCreate(reinterpret_cast<CREATESTRUCT*>(call.lParam)));)
#define ON_WM_DESTROY() AFX_MSG_ENTRY(WM_DESTROY, 0, 0, 0, nullptr, self->OnDestroy(); return 0;)
#define ON_WM_SIZE() \
    AFX_MSG_ENTRY(WM_SIZE, 0, 0, 0, nullptr, \
                  self->OnSize(UINT(call.wParam), short(LOWORD(call.lParam)), short(HIWORD(call.lParam))); \
                  return 0;)
#define ON_WM_MOVE() \
    AFX_MSG_ENTRY(WM_MOVE, 0, 0, 0, nullptr, self->OnMove(short(LOWORD(call.lParam)), short(HIWORD(call.lParam))); \
                  return 0;)
#define ON_WM_PAINT() AFX_MSG_ENTRY(WM_PAINT, 0, 0, 0, nullptr, self->OnPaint(); return 0;)
#define ON_WM_ERASEBKGND() \
    AFX_MSG_ENTRY(WM_ERASEBKGND, 0, 0, 0, nullptr, \
                  return LRESULT(self->OnEraseBkgnd(CDC::FromHandle(reinterpret_cast<HDC>(call.wParam))));)
#define ON_WM_CLOSE() AFX_MSG_ENTRY(WM_CLOSE, 0, 0, 0, nullptr, self->OnClose(); return 0;)
#define ON_WM_TIMER() AFX_MSG_ENTRY(WM_TIMER, 0, 0, 0, nullptr, self->OnTimer(UINT_PTR(call.wParam)); return 0;)
#define ON_WM_LBUTTONDOWN() \
    AFX_MSG_ENTRY(WM_LBUTTONDOWN, 0, 0, 0, nullptr, self->OnLButtonDown(UINT(call.wParam), AfxPointOf(call.lParam)); \
                  return 0;)
#define ON_WM_LBUTTONUP() \
    AFX_MSG_ENTRY(WM_LBUTTONUP, 0, 0, 0, nullptr, self->OnLButtonUp(UINT(call.wParam), AfxPointOf(call.lParam)); \
                  return 0;)
#define ON_WM_LBUTTONDBLCLK() \
    AFX_MSG_ENTRY(WM_LBUTTONDBLCLK, 0, 0, 0, nullptr, \
                  self->OnLButtonDblClk(UINT(call.wParam), AfxPointOf(call.lParam)); \
                  return 0;)
#define ON_WM_RBUTTONDOWN() \
    AFX_MSG_ENTRY(WM_RBUTTONDOWN, 0, 0, 0, nullptr, self->OnRButtonDown(UINT(call.wParam), AfxPointOf(call.lParam)); \
                  return 0;)
#define ON_WM_RBUTTONUP() \
    AFX_MSG_ENTRY(WM_RBUTTONUP, 0, 0, 0, nullptr, self->OnRButtonUp(UINT(call.wParam), AfxPointOf(call.lParam)); \
                  return 0;)
#define ON_WM_MOUSEMOVE() \
    AFX_MSG_ENTRY(WM_MOUSEMOVE, 0, 0, 0, nullptr, self->OnMouseMove(UINT(call.wParam), AfxPointOf(call.lParam)); \
                  return 0;)
#define ON_WM_MOUSEWHEEL() \
    AFX_MSG_ENTRY(WM_MOUSEWHEEL, 0, 0, 0, nullptr, \
                  return LRESULT(self->OnMouseWheel(UINT(LOWORD(call.wParam)), short(HIWORD(call.wParam)), \
                                                    AfxPointOf(call.lParam)));)
#define ON_WM_KEYDOWN() \
    AFX_MSG_ENTRY(WM_KEYDOWN, 0, 0, 0, nullptr, \
                  self->OnKeyDown(UINT(call.wParam), UINT(LOWORD(call.lParam)), UINT(HIWORD(call.lParam))); \
                  return 0;)
#define ON_WM_KEYUP() \
    AFX_MSG_ENTRY(WM_KEYUP, 0, 0, 0, nullptr, \
                  self->OnKeyUp(UINT(call.wParam), UINT(LOWORD(call.lParam)), UINT(HIWORD(call.lParam))); \
                  return 0;)
#define ON_WM_CHAR() \
    AFX_MSG_ENTRY(WM_CHAR, 0, 0, 0, nullptr, \
                  self->OnChar(UINT(call.wParam), UINT(LOWORD(call.lParam)), UINT(HIWORD(call.lParam))); \
                  return 0;)
#define ON_WM_SYSKEYDOWN() \
    AFX_MSG_ENTRY(WM_SYSKEYDOWN, 0, 0, 0, nullptr, \
                  self->OnSysKeyDown(UINT(call.wParam), UINT(LOWORD(call.lParam)), UINT(HIWORD(call.lParam))); \
                  return 0;)
#define ON_WM_SETFOCUS() \
    AFX_MSG_ENTRY(WM_SETFOCUS, 0, 0, 0, nullptr, \
                  self->OnSetFocus(CWnd::FromHandle(reinterpret_cast<HWND>(call.wParam))); \
                  return 0;)
#define ON_WM_KILLFOCUS() \
    AFX_MSG_ENTRY(WM_KILLFOCUS, 0, 0, 0, nullptr, \
                  self->OnKillFocus(CWnd::FromHandle(reinterpret_cast<HWND>(call.wParam))); \
                  return 0;)
#define ON_WM_NCHITTEST() \
    AFX_MSG_ENTRY(WM_NCHITTEST, 0, 0, 0, nullptr, return LRESULT(self->OnNcHitTest(AfxPointOf(call.lParam)));)
#define ON_WM_NCPAINT() AFX_MSG_ENTRY(WM_NCPAINT, 0, 0, 0, nullptr, self->OnNcPaint(); return 0;)
#define ON_WM_NCCALCSIZE() \
    AFX_MSG_ENTRY(WM_NCCALCSIZE, 0, 0, 0, nullptr, \
                  self->OnNcCalcSize(BOOL(call.wParam), reinterpret_cast<NCCALCSIZE_PARAMS*>(call.lParam)); \
                  return 0;)
#define ON_WM_NCLBUTTONDOWN() \
    AFX_MSG_ENTRY(WM_NCLBUTTONDOWN, 0, 0, 0, nullptr, \
                  self->OnNcLButtonDown(UINT(call.wParam), AfxPointOf(call.lParam)); \
                  return 0;)
#define ON_WM_NCLBUTTONUP() \
    AFX_MSG_ENTRY(WM_NCLBUTTONUP, 0, 0, 0, nullptr, self->OnNcLButtonUp(UINT(call.wParam), AfxPointOf(call.lParam)); \
                  return 0;)
#define ON_WM_NCLBUTTONDBLCLK() \
    AFX_MSG_ENTRY(WM_NCLBUTTONDBLCLK, 0, 0, 0, nullptr, \
                  self->OnNcLButtonDblClk(UINT(call.wParam), AfxPointOf(call.lParam)); \
                  return 0;)
#define ON_WM_NCMOUSEMOVE() \
    AFX_MSG_ENTRY(WM_NCMOUSEMOVE, 0, 0, 0, nullptr, self->OnNcMouseMove(UINT(call.wParam), AfxPointOf(call.lParam)); \
                  return 0;)
#define ON_WM_NCACTIVATE() \
    AFX_MSG_ENTRY(WM_NCACTIVATE, 0, 0, 0, nullptr, return LRESULT(self->OnNcActivate(BOOL(call.wParam)));)
#define ON_WM_SETCURSOR() \
    AFX_MSG_ENTRY(WM_SETCURSOR, 0, 0, 0, nullptr, \
                  return LRESULT(self->OnSetCursor(CWnd::FromHandle(reinterpret_cast<HWND>(call.wParam)), \
                                                   UINT(LOWORD(call.lParam)), UINT(HIWORD(call.lParam))));)
#define ON_WM_HSCROLL() \
    AFX_MSG_ENTRY( \
        WM_HSCROLL, 0, 0, 0, nullptr, \
        self->OnHScroll(UINT(LOWORD(call.wParam)), UINT(short(HIWORD(call.wParam))), AfxScrollBarOf(call.lParam)); \
        return 0;)
#define ON_WM_VSCROLL() \
    AFX_MSG_ENTRY( \
        WM_VSCROLL, 0, 0, 0, nullptr, \
        self->OnVScroll(UINT(LOWORD(call.wParam)), UINT(short(HIWORD(call.wParam))), AfxScrollBarOf(call.lParam)); \
        return 0;)
#define ON_WM_CONTEXTMENU() \
    AFX_MSG_ENTRY(WM_CONTEXTMENU, 0, 0, 0, nullptr, \
                  self->OnContextMenu(CWnd::FromHandle(reinterpret_cast<HWND>(call.wParam)), AfxPointOf(call.lParam)); \
                  return 0;)
#define ON_WM_SHOWWINDOW() \
    AFX_MSG_ENTRY(WM_SHOWWINDOW, 0, 0, 0, nullptr, self->OnShowWindow(BOOL(call.wParam), UINT(call.lParam)); return 0;)
#define ON_WM_WINDOWPOSCHANGING() \
    AFX_MSG_ENTRY(WM_WINDOWPOSCHANGING, 0, 0, 0, nullptr, \
                  self->OnWindowPosChanging(reinterpret_cast<WINDOWPOS*>(call.lParam)); \
                  return 0;)
#define ON_WM_WINDOWPOSCHANGED() \
    AFX_MSG_ENTRY(WM_WINDOWPOSCHANGED, 0, 0, 0, nullptr, \
                  self->OnWindowPosChanged(reinterpret_cast<WINDOWPOS*>(call.lParam)); \
                  return 0;)
#define ON_WM_GETMINMAXINFO() \
    AFX_MSG_ENTRY(WM_GETMINMAXINFO, 0, 0, 0, nullptr, \
                  self->OnGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(call.lParam)); \
                  return 0;)
#define ON_WM_SYSCOMMAND() \
    AFX_MSG_ENTRY(WM_SYSCOMMAND, 0, 0, 0, nullptr, self->OnSysCommand(UINT(call.wParam), call.lParam); return 0;)
#define ON_WM_INITMENUPOPUP() \
    AFX_MSG_ENTRY(WM_INITMENUPOPUP, 0, 0, 0, nullptr, \
                  self->OnInitMenuPopup(CMenu::FromHandle(reinterpret_cast<HMENU>(call.wParam)), \
                                        UINT(LOWORD(call.lParam)), BOOL(HIWORD(call.lParam))); \
                  return 0;)
#define ON_WM_MENUSELECT() \
    AFX_MSG_ENTRY(WM_MENUSELECT, 0, 0, 0, nullptr, \
                  self->OnMenuSelect(UINT(LOWORD(call.wParam)), UINT(HIWORD(call.wParam)), \
                                     reinterpret_cast<HMENU>(call.lParam)); \
                  return 0;)
#define ON_WM_ACTIVATE() \
    AFX_MSG_ENTRY(WM_ACTIVATE, 0, 0, 0, nullptr, \
                  self->OnActivate(UINT(LOWORD(call.wParam)), CWnd::FromHandle(reinterpret_cast<HWND>(call.lParam)), \
                                   BOOL(HIWORD(call.wParam))); \
                  return 0;)
#define ON_WM_MOUSEACTIVATE() \
    AFX_MSG_ENTRY(WM_MOUSEACTIVATE, 0, 0, 0, nullptr, \
                  return LRESULT(self->OnMouseActivate(CWnd::FromHandle(reinterpret_cast<HWND>(call.wParam)), \
                                                       UINT(LOWORD(call.lParam)), UINT(HIWORD(call.lParam))));)
#define ON_WM_CANCELMODE() AFX_MSG_ENTRY(WM_CANCELMODE, 0, 0, 0, nullptr, self->OnCancelMode(); return 0;)
#define ON_WM_CAPTURECHANGED() \
    AFX_MSG_ENTRY(WM_CAPTURECHANGED, 0, 0, 0, nullptr, \
                  self->OnCaptureChanged(CWnd::FromHandle(reinterpret_cast<HWND>(call.lParam))); \
                  return 0;)
#define ON_WM_SYSCOLORCHANGE() AFX_MSG_ENTRY(WM_SYSCOLORCHANGE, 0, 0, 0, nullptr, self->OnSysColorChange(); return 0;)
#define ON_WM_SETTINGCHANGE() \
    AFX_MSG_ENTRY(WM_SETTINGCHANGE, 0, 0, 0, nullptr, \
                  self->OnSettingChange(UINT(call.wParam), reinterpret_cast<const char*>(call.lParam)); \
                  return 0;)
#define ON_WM_DRAWITEM() \
    AFX_MSG_ENTRY(WM_DRAWITEM, 0, 0, 0, nullptr, \
                  self->OnDrawItem(int(call.wParam), reinterpret_cast<DRAWITEMSTRUCT*>(call.lParam)); \
                  return 0;)
#define ON_WM_MEASUREITEM() \
    AFX_MSG_ENTRY(WM_MEASUREITEM, 0, 0, 0, nullptr, \
                  self->OnMeasureItem(int(call.wParam), reinterpret_cast<MEASUREITEMSTRUCT*>(call.lParam)); \
                  return 0;)
#define ON_WM_GETDLGCODE() AFX_MSG_ENTRY(WM_GETDLGCODE, 0, 0, 0, nullptr, return LRESULT(self->OnGetDlgCode());)
#define ON_WM_ENABLE() AFX_MSG_ENTRY(WM_ENABLE, 0, 0, 0, nullptr, self->OnEnable(BOOL(call.wParam)); return 0;)
#define ON_WM_ENTERIDLE() \
    AFX_MSG_ENTRY(WM_ENTERIDLE, 0, 0, 0, nullptr, \
                  self->OnEnterIdle(UINT(call.wParam), CWnd::FromHandle(reinterpret_cast<HWND>(call.lParam))); \
                  return 0;)
#define ON_WM_MDIACTIVATE() \
    AFX_MSG_ENTRY(WM_MDIACTIVATE, 0, 0, 0, nullptr, \
                  self->OnMDIActivate(BOOL(reinterpret_cast<HWND>(call.lParam) == self->m_hWnd), \
                                      CWnd::FromHandle(reinterpret_cast<HWND>(call.lParam)), \
                                      CWnd::FromHandle(reinterpret_cast<HWND>(call.wParam))); \
                  return 0;)
#define ON_WM_NCDESTROY() AFX_MSG_ENTRY(WM_NCDESTROY, 0, 0, 0, nullptr, self->OnNcDestroy(); return 0;)
