#pragma once
// What the docking code asks of the frame it docks in: where a bar goes and
// with what size, and the frame as a docking site, MDI or not. The dock bars,
// the drag and the saved layout talk to a frame through this alone.
#include "platform/afx/afx.h"

class SECControlBarManager;
class SECDockBar;

// Where a bar goes in a dock bar: rows from the top (flags bit 0 clear) or the
// bottom (set), columns in visible bars from the row's start (bit 1 clear) or
// end (set); bit 2 asks for a new row.
struct SECDockPos {
    int row = 0;
    int column = 0;
    UINT flags = 0;
};
constexpr UINT SEC_DOCKPOS_FROM_BOTTOM = 0x1, SEC_DOCKPOS_FROM_END = 0x2, SEC_DOCKPOS_NEW_ROW = 0x4;

// The size a bar docks with: its relative width in the row and its thickness.
struct SECDockSize {
    float pct = 1.0f;
    int height = 0;
    UINT flags = 0;
};

// What the dock context, the dock state and the bars ask of a toolkit frame,
// MDI or not: docking at a place with a share and a thickness, floating, and
// the bar manager, and the border it draws around its client area.
class SECDockSite {
public:
    virtual ~SECDockSite() = default;
    virtual void DockControlBarEx(CControlBar* bar, const SECDockPos& position, UINT dock_bar_id,
                                  const SECDockSize& size) = 0;
    virtual void FloatControlBarEx(CControlBar* bar, int x, int y, DWORD style) = 0;
    virtual SECControlBarManager* GetControlBarManager() const = 0;
    // Pixels the frame's top and left dock bars leave for a border the frame
    // draws around its client area.
    virtual int GetClientBorder() const { return 0; }
};

// The toolkit frame behind a frame, or null.
inline SECDockSite* sec_dock_site(CFrameWnd* frame) { return dynamic_cast<SECDockSite*>(frame); }

// The docking both toolkit frames share.
// Makes the dock bars of the sides in `dock_style` that the frame lacks, through `make`.
void sec_enable_docking(CFrameWnd* frame, DWORD dock_style, SECDockBar* (*make)(CFrameWnd*));
void sec_dock_control_bar_ex(CFrameWnd* frame, CControlBar* bar, const SECDockPos& position, UINT dock_bar_id,
                             const SECDockSize& size);
void sec_float_control_bar_ex(CFrameWnd* frame, CControlBar* bar, int x, int y, DWORD style);
CMiniDockFrameWnd* sec_create_floating_frame(CFrameWnd* frame, DWORD style);
void sec_show_control_bar(CFrameWnd* frame, CControlBar* bar, BOOL show, BOOL delay);
