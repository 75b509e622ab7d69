#pragma once
// The check list box: a list box whose items carry a check box, toggled by a
// click on the box or by the space bar and reported to the parent.
#include "platform/user/messages.h"
#include "platform/user/user_types.h"

inline constexpr const char* CHECKLISTBOX_CLASS = "KitCheckListBox";

// Besides every LB_ message: item checks (BST_ states), the check style
// (BS_CHECKBOX, BS_AUTOCHECKBOX, BS_3STATE or BS_AUTO3STATE) and items the user cannot toggle.
constexpr UINT CLB_SETCHECK = WM_USER + 0x100;       // wParam item, lParam state; 0 or LB_ERR
constexpr UINT CLB_GETCHECK = WM_USER + 0x101;       // wParam item; the state or LB_ERR
constexpr UINT CLB_SETCHECKSTYLE = WM_USER + 0x102;  // wParam style; FALSE for another style
constexpr UINT CLB_GETCHECKSTYLE = WM_USER + 0x103;
constexpr UINT CLB_ENABLE = WM_USER + 0x104;     // wParam item, lParam BOOL; 0 or LB_ERR
constexpr UINT CLB_ISENABLED = WM_USER + 0x105;  // wParam item; TRUE, FALSE or LB_ERR

// WM_COMMAND notification: the user changed (or, with a manual style, asked to change) a check.
constexpr WORD CLBN_CHKCHANGE = 40;
