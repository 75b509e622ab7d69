#pragma once
// The common controls the programs' dialogs use beyond the standard ones:
// the trackbar, the progress bar and the tab control here, the others in a
// header each, with the platform's messages and values.
#include "platform/user/check_list_box.h"
#include "platform/user/image_combo_box.h"
#include "platform/user/messages.h"
#include "platform/user/status_bar.h"
#include "platform/user/tooltips.h"
#include "platform/user/up_down.h"
#include "platform/user/user_types.h"

inline constexpr const char* TRACKBAR_CLASS = "msctls_trackbar32";
inline constexpr const char* PROGRESS_CLASS = "msctls_progress32";

constexpr DWORD TBS_AUTOTICKS = 0x0001;
constexpr DWORD TBS_VERT = 0x0002;
constexpr DWORD TBS_HORZ = 0x0000;
constexpr DWORD TBS_NOTICKS = 0x0010;
constexpr UINT TBM_GETPOS = WM_USER;
constexpr UINT TBM_GETRANGEMIN = WM_USER + 1;
constexpr UINT TBM_GETRANGEMAX = WM_USER + 2;
constexpr UINT TBM_SETPOS = WM_USER + 5;
constexpr UINT TBM_SETRANGE = WM_USER + 6;
constexpr UINT TBM_SETRANGEMIN = WM_USER + 7;
constexpr UINT TBM_SETRANGEMAX = WM_USER + 8;
constexpr UINT TBM_SETPAGESIZE = WM_USER + 21;
constexpr UINT TBM_GETPAGESIZE = WM_USER + 22;
constexpr UINT TBM_SETLINESIZE = WM_USER + 23;
constexpr UINT TBM_GETLINESIZE = WM_USER + 24;
constexpr WORD TB_LINEUP = 0;
constexpr WORD TB_LINEDOWN = 1;
constexpr WORD TB_PAGEUP = 2;
constexpr WORD TB_PAGEDOWN = 3;
constexpr WORD TB_THUMBPOSITION = 4;
constexpr WORD TB_THUMBTRACK = 5;
constexpr WORD TB_TOP = 6;
constexpr WORD TB_BOTTOM = 7;
constexpr WORD TB_ENDTRACK = 8;

constexpr UINT PBM_SETRANGE = WM_USER + 1;
constexpr UINT PBM_SETPOS = WM_USER + 2;
constexpr UINT PBM_DELTAPOS = WM_USER + 3;
constexpr UINT PBM_SETSTEP = WM_USER + 4;
constexpr UINT PBM_STEPIT = WM_USER + 5;
constexpr UINT PBM_SETRANGE32 = WM_USER + 6;
constexpr UINT PBM_GETPOS = WM_USER + 8;

// The tab control.
inline constexpr const char* WC_TABCONTROL = "SysTabControl32";
constexpr UINT TCM_GETITEMCOUNT = 0x1304;
constexpr UINT TCM_GETITEM = 0x1305;
constexpr UINT TCM_SETITEM = 0x1306;
constexpr UINT TCM_INSERTITEM = 0x1307;
constexpr UINT TCM_DELETEITEM = 0x1308;
constexpr UINT TCM_DELETEALLITEMS = 0x1309;
constexpr UINT TCM_GETITEMRECT = 0x130A;
constexpr UINT TCM_GETCURSEL = 0x130B;
constexpr UINT TCM_SETCURSEL = 0x130C;
constexpr UINT TCM_ADJUSTRECT = 0x1328;
constexpr UINT TCIF_TEXT = 0x0001;
constexpr UINT TCIF_IMAGE = 0x0002;
constexpr UINT TCIF_PARAM = 0x0008;
constexpr UINT TCN_SELCHANGE = UINT(-551);
constexpr UINT TCN_SELCHANGING = UINT(-552);

struct TCITEM {
    UINT mask;
    DWORD dwState;
    DWORD dwStateMask;
    char* pszText;
    int cchTextMax;
    int iImage;
    LPARAM lParam;
};
