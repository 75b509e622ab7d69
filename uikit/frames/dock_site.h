#pragma once
// What the docking code asks of the frame it docks in: where a bar goes and
// with what size, and the frame as a docking site, MDI or not. The dock bars,
// the drag, the saved layout, the toolbars and the extended system commands
// talk to a frame through this alone.
#include "platform/afx/afx.h"

class SECBarHost;
class SECControlBarManager;
class SECCustomToolBar;

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

// What the dock context, the dock state, the bars, the toolbars and the
// extended system commands ask of a toolkit frame, MDI or not: docking at a
// place with a share and a thickness, floating, the bar manager, the border it
// draws around its client area, its menu bar, and what its MDI area offers.
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
    // The bar the frame's menu shows in (menu-bar mode), or null.
    virtual SECCustomToolBar* GetMenuBar() const { return nullptr; }

    // ---- the MDI area; a frame without one answers no to all ----
    // Whether bars can live in the frame's MDI area as children.
    virtual BOOL IsMDISite() const { return FALSE; }
    // Floats the bar as a child of the MDI area; negative x or y cascades it.
    virtual void FloatControlBarAsMDIChild(CControlBar* bar, int x, int y, DWORD style) {}
    // A new MDI child of the bar-hosting class, or null.
    virtual SECBarHost* CreateControlBarMDIChild() { return nullptr; }
    // A document frame of `frame_class` (the toolkit's dockable frame when it
    // names none or another kind of window) made inside a new bar of this
    // frame with id `bar_id`, for the caller to dock or float; null when
    // either cannot be made.
    virtual CFrameWnd* CreateDockableFrame(CRuntimeClass* frame_class, const char* title, UINT bar_id,
                                           CCreateContext* context) {
        return nullptr;
    }
};

// The toolkit frame behind a frame, or null.
inline SECDockSite* sec_dock_site(CFrameWnd* frame) { return dynamic_cast<SECDockSite*>(frame); }
