#pragma once
// SECToolBarRectTracker: the outline a dragged toolbar button follows on the
// screen (a hatched rectangle that erases itself as it moves).
#include "platform/afx/afx.h"

class SECToolBarRectTracker : public CRectTracker {
public:
    SECToolBarRectTracker() { m_nStyle = hatchedBorder; }
    explicit SECToolBarRectTracker(const RECT& rect) : CRectTracker(&rect, hatchedBorder) {}

    // The cursor shown while the outline moves (null: whatever the windows show).
    HCURSOR m_hCursor = nullptr;

    void DrawTrackerRect(const RECT* rect, CWnd* clip_wnd, CDC* dc, CWnd* wnd) override;
    // Moves the whole rectangle with the mouse from `point` (client coordinates
    // of `wnd`) over the whole screen; FALSE when cancelled or not moved.
    BOOL TrackMove(CWnd* wnd, CPoint point, BOOL allow_invert = FALSE);
};
