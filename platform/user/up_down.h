#pragma once
// The spin button ("msctls_updown32"): a pair of arrows that step a position
// within a range, shown in a buddy window's text when asked.
#include "platform/user/messages.h"
#include "platform/user/user_types.h"

inline constexpr const char* UPDOWN_CLASS = "msctls_updown32";

constexpr DWORD UDS_WRAP = 0x0001;
constexpr DWORD UDS_SETBUDDYINT = 0x0002;
constexpr DWORD UDS_ALIGNRIGHT = 0x0004;
constexpr DWORD UDS_ALIGNLEFT = 0x0008;
constexpr DWORD UDS_AUTOBUDDY = 0x0010;
constexpr DWORD UDS_ARROWKEYS = 0x0020;
constexpr DWORD UDS_HORZ = 0x0040;
constexpr DWORD UDS_NOTHOUSANDS = 0x0080;

constexpr UINT UDM_SETRANGE = WM_USER + 101;
constexpr UINT UDM_GETRANGE = WM_USER + 102;
constexpr UINT UDM_SETPOS = WM_USER + 103;
constexpr UINT UDM_GETPOS = WM_USER + 104;
constexpr UINT UDM_SETBUDDY = WM_USER + 105;
constexpr UINT UDM_GETBUDDY = WM_USER + 106;
constexpr UINT UDM_SETACCEL = WM_USER + 107;
constexpr UINT UDM_GETACCEL = WM_USER + 108;
constexpr UINT UDM_SETBASE = WM_USER + 109;
constexpr UINT UDM_GETBASE = WM_USER + 110;
constexpr UINT UDM_SETRANGE32 = WM_USER + 111;
constexpr UINT UDM_GETRANGE32 = WM_USER + 112;
constexpr UINT UDM_SETPOS32 = WM_USER + 113;
constexpr UINT UDM_GETPOS32 = WM_USER + 114;

// The range a new control starts with: the up arrow moves towards the upper end.
constexpr int UD_DEFAULT_LOWER = 100;
constexpr int UD_DEFAULT_UPPER = 0;

constexpr UINT UDN_FIRST = UINT(-721);
constexpr UINT UDN_DELTAPOS = UDN_FIRST - 1;

// After nSec seconds of holding an arrow, each step moves by nInc.
struct UDACCEL {
    UINT nSec;
    UINT nInc;
};

// UDN_DELTAPOS: the position before the step and the step; a non-zero answer refuses it.
struct NMUPDOWN {
    NMHDR hdr;
    int iPos;
    int iDelta;
};
