#pragma once
// The caption a toolkit frame paints itself: a gradient from black to the
// active caption colour (or the inactive colour), the icon in a square at the
// left, and the title in two fonts, the part before its first '-' in one and
// the rest in the other, left, centred or right-aligned.
#include "platform/afx/afx.h"

struct SECCaptionLook {
    BOOL active = FALSE;
    int align = 0;         // 0 left, 1 centred, anything else right
    int icon_box = 0;      // width of the icon's square at the left; 0 for none
    HICON icon = nullptr;  // drawn in the square, inset by icon_inset
    CRect icon_inset{2, 1, 0, 1};
    CFont* head_font = nullptr;  // the title up to its first '-'
    CFont* tail_font = nullptr;  // from the '-' on
};

// The colour of band `index` of `bands` from `from` to `to`, in 8.8 fixed point per channel.
COLORREF sec_gradient_band(COLORREF from, COLORREF to, int index, int bands);

// Paints `window`'s caption at `caption` (window coordinates) through a memory
// picture; FALSE when that picture cannot be made (nothing is painted then).
BOOL sec_paint_gradient_caption(CWnd& window, const CRect& caption, const SECCaptionLook& look);
