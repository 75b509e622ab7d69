#pragma once
// Window classes, creation and destruction, the window tree, window state and geometry.
#include <string>

#include "platform/user/styles.h"
#include "platform/user/user_types.h"

ATOM RegisterClass(const WNDCLASS* wc);
BOOL UnregisterClass(const char* name, HINSTANCE instance);
BOOL GetClassInfo(HINSTANCE instance, const char* name, WNDCLASS* out);
int GetClassName(HWND hwnd, char* buffer, int size);

HWND CreateWindowEx(DWORD ex_style, const char* class_name, const char* title, DWORD style, int x, int y, int width,
                    int height, HWND parent, HMENU menu_or_id, HINSTANCE instance, void* param);
HWND CreateWindow(const char* class_name, const char* title, DWORD style, int x, int y, int width, int height,
                  HWND parent, HMENU menu_or_id, HINSTANCE instance, void* param);
BOOL DestroyWindow(HWND hwnd);
BOOL IsWindow(HWND hwnd);

HWND GetParent(HWND hwnd);
HWND SetParent(HWND child, HWND new_parent);
HWND GetWindow(HWND hwnd, UINT relation);
HWND GetTopWindow(HWND hwnd);
HWND GetAncestorTopLevel(HWND hwnd);
BOOL IsChild(HWND parent, HWND hwnd);
// Calls `proc` for each top-level window (topmost first) or each descendant of
// `parent` (depth first, in sibling order) until it returns FALSE.
using WNDENUMPROC = BOOL (*)(HWND, LPARAM);
BOOL EnumWindows(WNDENUMPROC proc, LPARAM param);
BOOL EnumChildWindows(HWND parent, WNDENUMPROC proc, LPARAM param);
HWND GetDlgItem(HWND dialog, int id);
int GetDlgCtrlID(HWND hwnd);

int GetWindowText(HWND hwnd, char* buffer, int size);
int GetWindowTextLength(HWND hwnd);
BOOL SetWindowText(HWND hwnd, const char* text);
LONG_PTR GetWindowLongPtr(HWND hwnd, int index);
LONG_PTR SetWindowLongPtr(HWND hwnd, int index, LONG_PTR value);
LONG GetWindowLong(HWND hwnd, int index);
LONG SetWindowLong(HWND hwnd, int index, LONG value);
BOOL SetProp(HWND hwnd, const char* name, HANDLE value);
HANDLE GetProp(HWND hwnd, const char* name);
HANDLE RemoveProp(HWND hwnd, const char* name);

BOOL ShowWindow(HWND hwnd, int command);
BOOL IsWindowVisible(HWND hwnd);
BOOL EnableWindow(HWND hwnd, BOOL enable);
BOOL IsWindowEnabled(HWND hwnd);
BOOL IsIconic(HWND hwnd);
BOOL IsZoomed(HWND hwnd);

// The placement record programs persist: 44 bytes, as stored in profiles.
struct WINDOWPLACEMENT {
    UINT length;
    UINT flags;
    UINT showCmd;
    POINT ptMinPosition;
    POINT ptMaxPosition;
    RECT rcNormalPosition;
};
static_assert(sizeof(WINDOWPLACEMENT) == 44);
// In `flags`: a minimized window that was maximized before.
constexpr UINT WPF_RESTORETOMAXIMIZED = 0x0002;
BOOL GetWindowPlacement(HWND hwnd, WINDOWPLACEMENT* out);
BOOL SetWindowPlacement(HWND hwnd, const WINDOWPLACEMENT* placement);

BOOL GetClientRect(HWND hwnd, RECT* out);
BOOL GetWindowRect(HWND hwnd, RECT* out);
BOOL ClientToScreen(HWND hwnd, POINT* point);
BOOL ScreenToClient(HWND hwnd, POINT* point);
int MapWindowPoints(HWND from, HWND to, POINT* points, UINT count);
BOOL SetWindowPos(HWND hwnd, HWND insert_after, int x, int y, int cx, int cy, UINT flags);
BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint);
BOOL AdjustWindowRectEx(RECT* rect, DWORD style, BOOL has_menu, DWORD ex_style);
HWND WindowFromPoint(POINT screen_point);
// A hidden window covering the screen, for programs that measure or centre against it.
HWND GetDesktopWindow();
HWND ChildWindowFromPoint(HWND parent, POINT client_point);

// Deferred positioning: the moves are applied together at EndDeferWindowPos.
struct HDWP__;
using HDWP = HDWP__*;
HDWP BeginDeferWindowPos(int count);
HDWP DeferWindowPos(HDWP info, HWND hwnd, HWND insert_after, int x, int y, int cx, int cy, UINT flags);
BOOL EndDeferWindowPos(HDWP info);

// Window regions shape a window's painting and hit-testing (window coordinates).
// SetWindowRgn takes the region over: the caller must not use or delete it
// afterwards; null gives the window back its rectangle.
int SetWindowRgn(HWND hwnd, HRGN region, BOOL redraw);
// Copies the window's region into `region`; ERROR (0) when it has none.
int GetWindowRgn(HWND hwnd, HRGN region);
bool window_region_contains(HWND hwnd, POINT window_point);
// What the mouse reaches at `screen` through a child that answered
// HTTRANSPARENT: the sibling below it there (its deepest child), or its parent.
HWND window_beneath(HWND transparent, POINT screen);

LRESULT DefWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CallWindowProc(WNDPROC proc, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
