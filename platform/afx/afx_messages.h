#pragma once
// Messages private to the framework and the MDI messages its MDI client
// answers. Values are the platform's, since programs send some of them by number.
#include "platform/user/messages.h"
#include "platform/user/window_api.h"

constexpr UINT WM_SIZEPARENT = 0x0361;        // lParam: AFX_SIZEPARENTPARAMS*
constexpr UINT WM_SETMESSAGESTRING = 0x0362;  // wParam: string id, or lParam: text
constexpr UINT WM_IDLEUPDATECMDUI = 0x0363;   // wParam: disable when no handler
constexpr UINT WM_INITIALUPDATE = 0x0364;
constexpr UINT WM_RECALCPARENT = 0x0368;
constexpr UINT WM_KICKIDLE = 0x036A;
constexpr UINT WM_FLOATSTATUS = 0x036D;  // wParam: FS_ flags
// What WM_FLOATSTATUS tells a frame's floating window, or asks it.
constexpr DWORD FS_ACTIVATE = 0x0004;    // the frame is active: show active
constexpr DWORD FS_DEACTIVATE = 0x0008;  // the frame is not: show inactive
constexpr DWORD FS_SYNCACTIVE = 0x0040;  // answered non-zero: its activation counts as the frame's

constexpr UINT WM_MDICREATE = 0x0220;
constexpr UINT WM_MDIDESTROY = 0x0221;
constexpr UINT WM_MDIACTIVATE = 0x0222;
constexpr UINT WM_MDIRESTORE = 0x0223;
constexpr UINT WM_MDINEXT = 0x0224;
constexpr UINT WM_MDIMAXIMIZE = 0x0225;
constexpr UINT WM_MDITILE = 0x0226;
constexpr UINT WM_MDICASCADE = 0x0227;
constexpr UINT WM_MDIGETACTIVE = 0x0229;
constexpr UINT WM_MDISETMENU = 0x0230;
constexpr UINT WM_MDIREFRESHMENU = 0x0234;

// Standard command ids the framework handles.
constexpr UINT ID_FILE_NEW = 0xE100;
constexpr UINT ID_FILE_OPEN = 0xE101;
constexpr UINT ID_FILE_CLOSE = 0xE102;
constexpr UINT ID_FILE_SAVE = 0xE103;
constexpr UINT ID_FILE_SAVE_AS = 0xE104;
constexpr UINT ID_FILE_PRINT = 0xE107;
constexpr UINT ID_FILE_MRU_FILE1 = 0xE110;
constexpr UINT ID_FILE_MRU_LAST = 0xE11F;
constexpr UINT ID_APP_EXIT = 0xE141;
constexpr UINT ID_WINDOW_NEW = 0xE130;
constexpr UINT ID_WINDOW_CASCADE = 0xE132;
constexpr UINT ID_WINDOW_TILE_HORZ = 0xE133;
constexpr UINT ID_WINDOW_TILE_VERT = 0xE134;
constexpr UINT ID_NEXT_PANE = 0xE150;
constexpr UINT ID_PREV_PANE = 0xE151;
constexpr UINT ID_VIEW_TOOLBAR = 0xE800;
constexpr UINT ID_VIEW_STATUS_BAR = 0xE801;
constexpr UINT AFX_IDW_PANE_FIRST = 0xE900;
constexpr UINT AFX_IDW_TOOLBAR = 0xE800;
constexpr UINT AFX_IDW_STATUS_BAR = 0xE801;
constexpr UINT AFX_IDW_DOCKBAR_TOP = 0xE81B;
constexpr UINT AFX_IDW_DOCKBAR_LEFT = 0xE81C;
constexpr UINT AFX_IDW_DOCKBAR_RIGHT = 0xE81D;
constexpr UINT AFX_IDW_DOCKBAR_BOTTOM = 0xE81E;
constexpr UINT AFX_IDW_DOCKBAR_FLOAT = 0xE81F;
constexpr UINT AFX_IDS_IDLEMESSAGE = 0xE001;
constexpr UINT AFX_IDM_FIRST_MDICHILD = 0xFF00;

// What WM_SIZEPARENT carries: the parent's client area that is left, and the
// deferred moves. With hDWP null the bars only reserve their space (query mode).
struct AFX_SIZEPARENTPARAMS {
    HDWP hDWP;
    RECT rect;
    SIZE sizeTotal;
    BOOL bStretch;
};
