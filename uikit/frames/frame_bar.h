#pragma once
// SECFrameBar: the control bar a dockable frame (SECDockableFrame, frame_wnd.h)
// lives in, so that a document's frame docks and floats like a bar. The bar is
// made with its frame and implemented beside it; the dock state and the
// extended system commands know a hosted frame by this bar alone.
#include "platform/afx/afx.h"
#include "uikit/frames/control_bar.h"

class SECDockableFrame;

class SECFrameBar : public SECControlBar {
    DECLARE_DYNCREATE(SECFrameBar)
public:
    SECDockableFrame* GetFrame() const;
    afx_msg void OnSize(UINT type, int cx, int cy);
    // The state menu of a document's docked window (MDI child, docked at a side, floating).
    afx_msg void OnContextMenu(CWnd* wnd, CPoint point);

protected:
    DECLARE_MESSAGE_MAP()
};
