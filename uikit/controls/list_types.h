#pragma once
// The records, codes and flags of the list and tree controls, with the
// common controls' values: item and column descriptions, states, navigation
// codes, hit flags and the notification records sent with WM_NOTIFY.
#include <cstdint>

#include "platform/user/tooltips.h"  // LPSTR_TEXTCALLBACK
#include "platform/user/user_types.h"

// ---- notifications shared by every control ----
constexpr UINT NM_CLICK = UINT(-2);
constexpr UINT NM_DBLCLK = UINT(-3);
constexpr UINT NM_RETURN = UINT(-4);
constexpr UINT NM_RCLICK = UINT(-5);
constexpr UINT NM_SETFOCUS = UINT(-7);
constexpr UINT NM_KILLFOCUS = UINT(-8);

// ---- list ----
constexpr int I_IMAGECALLBACK = -1;

constexpr UINT LVIF_TEXT = 0x0001;
constexpr UINT LVIF_IMAGE = 0x0002;
constexpr UINT LVIF_PARAM = 0x0004;
constexpr UINT LVIF_STATE = 0x0008;
constexpr UINT LVIF_DI_SETITEM = 0x1000;

constexpr UINT LVIS_FOCUSED = 0x0001;
constexpr UINT LVIS_SELECTED = 0x0002;
constexpr UINT LVIS_CUT = 0x0004;
constexpr UINT LVIS_DROPHILITED = 0x0008;

constexpr UINT LVNI_ALL = 0x0000;
constexpr UINT LVNI_FOCUSED = 0x0001;
constexpr UINT LVNI_SELECTED = 0x0002;
constexpr UINT LVNI_CUT = 0x0004;
constexpr UINT LVNI_DROPHILITED = 0x0008;
constexpr UINT LVNI_ABOVE = 0x0100;
constexpr UINT LVNI_BELOW = 0x0200;
constexpr UINT LVNI_TOLEFT = 0x0400;
constexpr UINT LVNI_TORIGHT = 0x0800;

constexpr int LVIR_BOUNDS = 0;
constexpr int LVIR_ICON = 1;
constexpr int LVIR_LABEL = 2;

constexpr UINT LVCF_FMT = 0x0001;
constexpr UINT LVCF_WIDTH = 0x0002;
constexpr UINT LVCF_TEXT = 0x0004;
constexpr UINT LVCF_SUBITEM = 0x0008;
constexpr int LVCFMT_LEFT = 0;
constexpr int LVCFMT_RIGHT = 1;
constexpr int LVCFMT_CENTER = 2;

// List style bits (the list's own style word).
constexpr DWORD LVS_ICON = 0x0000;
constexpr DWORD LVS_REPORT = 0x0001;
constexpr DWORD LVS_TYPEMASK = 0x0003;
constexpr DWORD LVS_SINGLESEL = 0x0004;
constexpr DWORD LVS_SHOWSELALWAYS = 0x0008;
constexpr DWORD LVS_SHAREIMAGELISTS = 0x0040;
constexpr DWORD LVS_NOLABELWRAP = 0x0080;
constexpr DWORD LVS_EDITLABELS = 0x0200;
constexpr DWORD LVS_NOSCROLL = 0x2000;
constexpr DWORD LVS_NOCOLUMNHEADER = 0x4000;
// Extended list style bits.
constexpr DWORD LVXS_LABELTIPS = 0x00100000;
constexpr DWORD LVXS_HGRIDLINES = 0x00400000;
constexpr DWORD LVXS_VGRIDLINES = 0x00800000;
constexpr DWORD LVXS_FULLROWSELECT = 0x02000000;
constexpr DWORD LVXS_FITCOLUMNS = 0x04000000;
constexpr DWORD LVXS_KEEPDELETEDWIDTH = 0x08000000;
// Which creation style bits are the list's.
constexpr DWORD LVS_CREATION_MASK = 0xF3FF;
constexpr DWORD LVXS_CREATION_MASK = 0x0FF00000;

constexpr int LVSIL_NORMAL = 0;
constexpr int LVSIL_SMALL = 1;
constexpr int LVSIL_STATE = 2;

// Hit flags of the list's HitTest.
constexpr UINT LVHT_NOWHERE = 0x0001;
constexpr UINT LVHT_ONITEMICON = 0x0002;
constexpr UINT LVHT_ONITEMLABEL = 0x0004;
constexpr UINT LVHT_ONITEMSTATEICON = 0x0008;
constexpr UINT LVHT_ABOVE = 0x0008;
constexpr UINT LVHT_BELOW = 0x0010;
constexpr UINT LVHT_TORIGHT = 0x0020;
constexpr UINT LVHT_TOLEFT = 0x0040;
constexpr UINT LVHT_COLUMNSEP = 0x0800;
constexpr UINT LVHT_COLUMNHEADING = 0x1000;
constexpr UINT LVHT_ONITEM = 0x2000;
constexpr UINT LVHT_ONITEMLEFT = 0x4000;
constexpr UINT LVHT_ONITEMRIGHT = 0x8000;

constexpr UINT LVN_INSERTITEM = UINT(-102);
constexpr UINT LVN_DELETEITEM = UINT(-103);
constexpr UINT LVN_BEGINLABELEDIT = UINT(-105);
constexpr UINT LVN_ENDLABELEDIT = UINT(-106);
constexpr UINT LVN_GETDISPINFO = UINT(-150);
constexpr UINT LVN_KEYDOWN = UINT(-155);

struct LV_ITEM {
    UINT mask;
    int iItem;
    int iSubItem;
    UINT state;
    UINT stateMask;
    char* pszText;
    int cchTextMax;
    int iImage;
    LPARAM lParam;
    int iIndent;
};

struct LV_COLUMN {
    UINT mask;
    int fmt;
    int cx;
    char* pszText;
    int cchTextMax;
    int iSubItem;
};

struct NM_LISTVIEW {
    NMHDR hdr;
    int iItem;
    int iSubItem;
    UINT uNewState;
    UINT uOldState;
    UINT uChanged;
    POINT ptAction;
    LPARAM lParam;
};

struct LV_DISPINFO {
    NMHDR hdr;
    LV_ITEM item;
};

struct LV_KEYDOWN {
    NMHDR hdr;
    WORD wVKey;
    UINT flags;
};

// ---- tree ----
struct _TREEITEM;
using HTREEITEM = _TREEITEM*;
// The special handles lie in a range that no item handle is ever given (see SECTreeBaseC).
inline const HTREEITEM TVI_ROOT = reinterpret_cast<HTREEITEM>(std::uintptr_t(0xFFFF0000));
inline const HTREEITEM TVI_FIRST = reinterpret_cast<HTREEITEM>(std::uintptr_t(0xFFFF0001));
inline const HTREEITEM TVI_LAST = reinterpret_cast<HTREEITEM>(std::uintptr_t(0xFFFF0002));
inline const HTREEITEM TVI_SORT = reinterpret_cast<HTREEITEM>(std::uintptr_t(0xFFFF0003));
inline const HTREEITEM TVI_SORT_DESCENDING = reinterpret_cast<HTREEITEM>(std::uintptr_t(0xFFFF0010));

constexpr UINT TVIF_TEXT = 0x0001;
constexpr UINT TVIF_IMAGE = 0x0002;
constexpr UINT TVIF_PARAM = 0x0004;
constexpr UINT TVIF_STATE = 0x0008;
constexpr UINT TVIF_HANDLE = 0x0010;
constexpr UINT TVIF_SELECTEDIMAGE = 0x0020;
constexpr UINT TVIF_CHILDREN = 0x0040;

constexpr UINT TVIS_SELECTED = 0x0002;
constexpr UINT TVIS_CUT = 0x0004;
constexpr UINT TVIS_DROPHILITED = 0x0008;
constexpr UINT TVIS_BOLD = 0x0010;
constexpr UINT TVIS_EXPANDED = 0x0020;
constexpr UINT TVIS_OVERLAYMASK = 0x0F00;
constexpr UINT TVIS_STATEIMAGEMASK = 0xF000;
// The toolkit's own extended item flags; both are inherited down the tree.
constexpr UINT TVIS_EX_MARKED = 0x0100;
constexpr UINT TVIS_EX_HIDDEN = 0x0200;

constexpr int I_CHILDRENCALLBACK = -1;
constexpr int TV_NO_IMAGE = -12;

constexpr UINT TVE_COLLAPSE = 0x0001;
constexpr UINT TVE_EXPAND = 0x0002;
constexpr UINT TVE_TOGGLE = 0x0003;
constexpr UINT TVE_COLLAPSERESET = 0x8000;

constexpr UINT TVGN_ROOT = 0x0000;
constexpr UINT TVGN_NEXT = 0x0001;
constexpr UINT TVGN_PREVIOUS = 0x0002;
constexpr UINT TVGN_PARENT = 0x0003;
constexpr UINT TVGN_CHILD = 0x0004;
constexpr UINT TVGN_FIRSTVISIBLE = 0x0005;
constexpr UINT TVGN_NEXTVISIBLE = 0x0006;
constexpr UINT TVGN_PREVIOUSVISIBLE = 0x0007;
constexpr UINT TVGN_DROPHILITE = 0x0008;
constexpr UINT TVGN_CARET = 0x0009;
constexpr UINT TVGN_FIRSTSELECTED = 0x0020;
constexpr UINT TVGN_NEXTSELECTED = 0x0021;
constexpr UINT TVGN_PREVSELECTED = 0x0022;

constexpr DWORD TVS_HASBUTTONS = 0x0001;
constexpr DWORD TVS_HASLINES = 0x0002;
constexpr DWORD TVS_LINESATROOT = 0x0004;
constexpr DWORD TVS_EDITLABELS = 0x0008;
constexpr DWORD TVS_DISABLEDRAGDROP = 0x0010;
constexpr DWORD TVS_SHOWSELALWAYS = 0x0020;
// Extended tree style bits: mirrors of list switches.
constexpr DWORD TVXS_MULTISEL = 0x00100000;
constexpr DWORD TVXS_WORDWRAP = 0x00200000;
constexpr DWORD TVXS_COLUMNHEADER = 0x00400000;
constexpr DWORD TVXS_LABELTIPS = 0x00800000;

constexpr UINT TVHT_NOWHERE = 0x0001;
constexpr UINT TVHT_ONITEMICON = 0x0002;
constexpr UINT TVHT_ONITEMLABEL = 0x0004;
constexpr UINT TVHT_ONITEMINDENT = 0x0008;
constexpr UINT TVHT_ONITEMBUTTON = 0x0010;
constexpr UINT TVHT_ONITEMRIGHT = 0x0020;
constexpr UINT TVHT_ONITEMSTATEICON = 0x0040;
constexpr UINT TVHT_ABOVE = 0x0100;
constexpr UINT TVHT_BELOW = 0x0200;
constexpr UINT TVHT_TORIGHT = 0x0400;
constexpr UINT TVHT_TOLEFT = 0x0800;
constexpr UINT TVHT_ONITEMROW = 0x4000;

constexpr UINT TVC_UNKNOWN = 0;
constexpr UINT TVC_BYMOUSE = 1;
constexpr UINT TVC_BYKEYBOARD = 2;

constexpr UINT TVN_SELCHANGING = UINT(-401);
constexpr UINT TVN_SELCHANGED = UINT(-402);
constexpr UINT TVN_GETDISPINFO = UINT(-403);
constexpr UINT TVN_SETDISPINFO = UINT(-404);
constexpr UINT TVN_ITEMEXPANDING = UINT(-405);
constexpr UINT TVN_ITEMEXPANDED = UINT(-406);
constexpr UINT TVN_BEGINDRAG = UINT(-407);
constexpr UINT TVN_BEGINRDRAG = UINT(-408);
constexpr UINT TVN_DELETEITEM = UINT(-409);
constexpr UINT TVN_BEGINLABELEDIT = UINT(-410);
constexpr UINT TVN_ENDLABELEDIT = UINT(-411);
constexpr UINT TVN_KEYDOWN = UINT(-412);

struct TV_ITEM {
    UINT mask;
    HTREEITEM hItem;
    UINT state;
    UINT stateMask;
    char* pszText;
    int cchTextMax;
    int iImage;
    int iSelectedImage;
    int cChildren;
    LPARAM lParam;
};

struct TV_INSERTSTRUCT {
    HTREEITEM hParent;
    HTREEITEM hInsertAfter;
    TV_ITEM item;
};

struct NM_TREEVIEW {
    NMHDR hdr;
    UINT action;
    TV_ITEM itemOld;
    TV_ITEM itemNew;
    POINT ptDrag;
};

struct TV_DISPINFO {
    NMHDR hdr;
    TV_ITEM item;
};

struct TV_KEYDOWN {
    NMHDR hdr;
    WORD wVKey;
    UINT flags;
};

// Size of the buffer that callback texts and label edits pass through.
constexpr int kListTextBufferSize = 2048;
