#pragma once
// The tooltip control ("tooltips_class32"): a popup that shows a tool's text
// after the mouse has rested on it, fed by the owner with TTM_RELAYEVENT.
#include <cstddef>

#include "platform/user/messages.h"
#include "platform/user/user_types.h"

inline constexpr const char* TOOLTIPS_CLASS = "tooltips_class32";

constexpr DWORD TTS_ALWAYSTIP = 0x01;
constexpr DWORD TTS_NOPREFIX = 0x02;

constexpr UINT TTF_IDISHWND = 0x0001;   // uId is a window and the tool covers all of it
constexpr UINT TTF_CENTERTIP = 0x0002;  // the tip is centred below the tool
constexpr UINT TTF_RTLREADING = 0x0004;
constexpr UINT TTF_SUBCLASS = 0x0010;
constexpr UINT TTF_TRANSPARENT = 0x0100;

constexpr UINT TTM_ACTIVATE = WM_USER + 1;
constexpr UINT TTM_SETDELAYTIME = WM_USER + 3;
constexpr UINT TTM_ADDTOOL = WM_USER + 4;
constexpr UINT TTM_DELTOOL = WM_USER + 5;
constexpr UINT TTM_NEWTOOLRECT = WM_USER + 6;
constexpr UINT TTM_RELAYEVENT = WM_USER + 7;
constexpr UINT TTM_GETTOOLINFO = WM_USER + 8;
constexpr UINT TTM_UPDATETIPTEXT = WM_USER + 12;
constexpr UINT TTM_GETTOOLCOUNT = WM_USER + 13;
constexpr UINT TTM_GETDELAYTIME = WM_USER + 21;
constexpr UINT TTM_POP = WM_USER + 28;

// TTM_SETDELAYTIME and TTM_GETDELAYTIME: which delay.
constexpr WPARAM TTDT_AUTOMATIC = 0;
constexpr WPARAM TTDT_RESHOW = 1;
constexpr WPARAM TTDT_AUTOPOP = 2;
constexpr WPARAM TTDT_INITIAL = 3;

// Notifications, through WM_NOTIFY to the tool's window.
constexpr UINT TTN_FIRST = UINT(-520);
constexpr UINT TTN_NEEDTEXT = TTN_FIRST;
constexpr UINT TTN_SHOW = TTN_FIRST - 1;
constexpr UINT TTN_POP = TTN_FIRST - 2;

// As a tool's text: ask the tool's window with TTN_NEEDTEXT each time the tip shows.
inline char* const LPSTR_TEXTCALLBACK = reinterpret_cast<char*>(std::intptr_t(-1));

struct TOOLINFO {
    UINT cbSize;
    UINT uFlags;
    HWND hwnd;        // the window that holds the tool and hears its notifications
    UINT_PTR uId;     // the tool's id, or its window with TTF_IDISHWND
    RECT rect;        // the tool's area in hwnd's client coordinates
    HINSTANCE hinst;  // with a string id in lpszText: where the string is
    char* lpszText;
    LPARAM lParam;
};
// The size of the first version of TOOLINFO, without lParam; still accepted.
constexpr UINT TTTOOLINFO_V1_SIZE = UINT(offsetof(TOOLINFO, lParam));

struct NMTTDISPINFO {
    NMHDR hdr;
    char* lpszText;  // the answer: a string, a string id with hinst, or szText
    char szText[80];
    HINSTANCE hinst;
    UINT uFlags;
    LPARAM lParam;
};
using TOOLTIPTEXT = NMTTDISPINFO;
