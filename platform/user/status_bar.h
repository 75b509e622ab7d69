#pragma once
// The status bar ("msctls_statusbar32"): a row of parts along the bottom of
// its parent, each with a text and a drawing style, and a size grip.
#include "platform/user/messages.h"
#include "platform/user/user_types.h"

inline constexpr const char* STATUSCLASSNAME = "msctls_statusbar32";

// Styles shared by the bars (CCS_) and the status bar's own.
constexpr DWORD CCS_TOP = 0x0001;
constexpr DWORD CCS_NOMOVEY = 0x0002;
constexpr DWORD CCS_BOTTOM = 0x0003;
constexpr DWORD CCS_NORESIZE = 0x0004;
constexpr DWORD CCS_NOPARENTALIGN = 0x0008;
constexpr DWORD CCS_NODIVIDER = 0x0040;
constexpr DWORD SBARS_SIZEGRIP = 0x0100;

constexpr UINT SB_SETTEXT = WM_USER + 1;
constexpr UINT SB_GETTEXT = WM_USER + 2;
constexpr UINT SB_GETTEXTLENGTH = WM_USER + 3;
constexpr UINT SB_SETPARTS = WM_USER + 4;
constexpr UINT SB_GETPARTS = WM_USER + 6;
constexpr UINT SB_GETBORDERS = WM_USER + 7;
constexpr UINT SB_SETMINHEIGHT = WM_USER + 8;
constexpr UINT SB_SIMPLE = WM_USER + 9;
constexpr UINT SB_GETRECT = WM_USER + 10;
constexpr UINT SB_ISSIMPLE = WM_USER + 14;

// The part index SB_SETTEXT names for the single part of simple mode.
constexpr UINT SB_SIMPLEID = 0x00FF;
// Drawing styles, or-ed into SB_SETTEXT's wParam and returned in the high word of SB_GETTEXT.
constexpr UINT SBT_NOBORDERS = 0x0100;
constexpr UINT SBT_POPOUT = 0x0200;
constexpr UINT SBT_RTLREADING = 0x0400;
constexpr UINT SBT_NOTABPARSING = 0x0800;
constexpr UINT SBT_OWNERDRAW = 0x1000;
// The most parts SB_SETPARTS accepts.
constexpr int kMaxStatusParts = 256;
