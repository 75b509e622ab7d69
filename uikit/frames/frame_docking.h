#pragma once
// The docking both toolkit frames share: making their dock bars, docking a bar
// at a place with a share and a thickness, floating it in the toolkit's
// floating frame, and showing or hiding it at once or at idle time. The frames
// forward their SECDockSite members here.
#include "platform/afx/afx.h"
#include "uikit/frames/dock_site.h"

class SECDockBar;

// Makes the dock bars of the sides in `dock_style` that the frame lacks, through `make`.
void sec_enable_docking(CFrameWnd* frame, DWORD dock_style, SECDockBar* (*make)(CFrameWnd*));
void sec_dock_control_bar_ex(CFrameWnd* frame, CControlBar* bar, const SECDockPos& position, UINT dock_bar_id,
                             const SECDockSize& size);
void sec_float_control_bar_ex(CFrameWnd* frame, CControlBar* bar, int x, int y, DWORD style);
CMiniDockFrameWnd* sec_create_floating_frame(CFrameWnd* frame, DWORD style);
void sec_show_control_bar(CFrameWnd* frame, CControlBar* bar, BOOL show, BOOL delay);
// The style a bar floats with: a dynamic bar keeps its sizing bit, and a side-docked one floats across.
DWORD sec_float_style(CControlBar* bar, DWORD style);
