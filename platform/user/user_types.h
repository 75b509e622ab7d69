#pragma once
// Handles, message records and callback types of the window manager.
// Handles are opaque pointer-sized values: they are never dereferenced, so a
// stale copy can only miss in the window table, never reach freed memory.
#include <cstdint>

#include "platform/gdi/gdi_types.h"
#include "platform/gdi/win_types.h"

struct HWND__;
using HWND = HWND__*;
struct HMENU__;
using HMENU = HMENU__*;
struct HACCEL__;
using HACCEL = HACCEL__*;
struct HHOOK__;
using HHOOK = HHOOK__*;
struct HCURSOR__;
using HCURSOR = HCURSOR__*;
using HANDLE = void*;
using HINSTANCE = void*;

using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using UINT_PTR = std::uintptr_t;
using LONG_PTR = std::intptr_t;
using ATOM = std::uint16_t;

using WNDPROC = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);
using TIMERPROC = void (*)(HWND, UINT, UINT_PTR, DWORD);
using HOOKPROC = LRESULT (*)(int code, WPARAM, LPARAM);

struct MSG {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    DWORD time;
    POINT pt;
};

struct WNDCLASS {
    UINT style;
    WNDPROC lpfnWndProc;
    int cbClsExtra;
    int cbWndExtra;
    HINSTANCE hInstance;
    HCURSOR hIcon;
    HCURSOR hCursor;
    HBRUSH hbrBackground;
    const char* lpszMenuName;
    const char* lpszClassName;
};

struct CREATESTRUCT {
    void* lpCreateParams;
    HINSTANCE hInstance;
    HMENU hMenu;
    HWND hwndParent;
    int cy;
    int cx;
    int y;
    int x;
    LONG style;
    const char* lpszName;
    const char* lpszClass;
    DWORD dwExStyle;
};

struct WINDOWPOS {
    HWND hwnd;
    HWND hwndInsertAfter;
    int x;
    int y;
    int cx;
    int cy;
    UINT flags;
};

struct NCCALCSIZE_PARAMS {
    RECT rgrc[3];
    WINDOWPOS* lppos;
};

struct MINMAXINFO {
    POINT ptReserved;
    POINT ptMaxSize;
    POINT ptMaxPosition;
    POINT ptMinTrackSize;
    POINT ptMaxTrackSize;
};

struct PAINTSTRUCT {
    HDC hdc;
    BOOL fErase;
    RECT rcPaint;
    BOOL fRestore;
    BOOL fIncUpdate;
    BYTE rgbReserved[32];
};

struct NMHDR {
    HWND hwndFrom;
    UINT_PTR idFrom;
    UINT code;
};

constexpr LPARAM MAKELPARAM(int lo, int hi) { return LPARAM(MAKELONG(WORD(lo), WORD(hi))); }
constexpr WPARAM MAKEWPARAM(int lo, int hi) { return WPARAM(MAKELONG(WORD(lo), WORD(hi))); }
constexpr int GET_X_LPARAM(LPARAM lp) { return short(LOWORD(std::uintptr_t(lp))); }
constexpr int GET_Y_LPARAM(LPARAM lp) { return short(HIWORD(std::uintptr_t(lp))); }

inline HWND hwnd_from_value(std::uintptr_t v) { return reinterpret_cast<HWND>(v); }
inline std::uintptr_t value_of(HWND h) { return reinterpret_cast<std::uintptr_t>(h); }

constexpr HWND HWND_TOP = nullptr;
inline const HWND HWND_BOTTOM = reinterpret_cast<HWND>(1);
inline const HWND HWND_TOPMOST = reinterpret_cast<HWND>(-1);
inline const HWND HWND_NOTOPMOST = reinterpret_cast<HWND>(-2);
