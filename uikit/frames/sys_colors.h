#pragma once
// The toolkit's one record of the system colours and border metrics it draws
// with. Bars, dock bars and captions read it at paint time; the toolkit's
// frames refresh it when the system broadcasts WM_SYSCOLORCHANGE, so every
// bar paints with the new scheme at its next paint.
#include "platform/afx/afx.h"

struct SECSysColors {
    int border_width = 2;  // 2 x 2 on the new-style shell, else 1 x 1
    int border_height = 2;
    COLORREF face = 0;            // COLOR_BTNFACE
    COLORREF shadow = 0;          // COLOR_BTNSHADOW
    COLORREF highlight = 0;       // COLOR_BTNHIGHLIGHT
    COLORREF frame = 0;           // COLOR_WINDOWFRAME
    COLORREF light = 0;           // COLOR_3DLIGHT
    COLORREF dark_shadow = 0;     // COLOR_3DDKSHADOW
    COLORREF text = 0;            // COLOR_WINDOWTEXT
    COLORREF window = 0;          // COLOR_WINDOW
    COLORREF selection = 0;       // COLOR_HIGHLIGHT
    COLORREF selection_text = 0;  // COLOR_HIGHLIGHTTEXT
    HCURSOR arrow = nullptr;
    // The platform reports version 4 of the shell: flat borders and 2-pixel metrics.
    BOOL new_shell = TRUE;
};

// The shared record, filled on first use.
SECSysColors& sec_sys_colors();
// Re-reads the ten colours from the system.
void RefreshSysColors();
