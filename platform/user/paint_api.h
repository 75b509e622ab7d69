#pragma once
// Invalidation and painting.
#include "platform/user/user_types.h"

BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase);
BOOL ValidateRect(HWND hwnd, const RECT* rect);
BOOL InvalidateRgn(HWND hwnd, HRGN region, BOOL erase);
BOOL GetUpdateRect(HWND hwnd, RECT* out, BOOL erase);
BOOL UpdateWindow(HWND hwnd);
BOOL RedrawWindow(HWND hwnd, const RECT* rect, HRGN region, UINT flags);
BOOL LockWindowUpdate(HWND hwnd);
HDC BeginPaint(HWND hwnd, PAINTSTRUCT* ps);
BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* ps);
HDC GetDC(HWND hwnd);
HDC GetWindowDC(HWND hwnd);
int ReleaseDC(HWND hwnd, HDC dc);
BOOL ScrollWindow(HWND hwnd, int dx, int dy, const RECT* scroll, const RECT* clip);
// As ScrollWindow, with SW_ flags: children move only with SW_SCROLLCHILDREN, and what
// scrolls in is invalidated only with SW_INVALIDATE (with an erase only with SW_ERASE).
// `update` receives the bounds of what scrolled in. Returns the kind of that area.
int ScrollWindowEx(HWND hwnd, int dx, int dy, const RECT* scroll, const RECT* clip, HRGN update_region, RECT* update,
                   UINT flags);
