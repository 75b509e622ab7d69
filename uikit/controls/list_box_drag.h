#pragma once
// Drag reordering of a list box's rows. The press must be on a row (not the
// trailing empty row); the drag starts once the pointer leaves the
// double-click rectangle, a grey marker shows where the row would go, and a
// pointer above or below the list scrolls it, faster the longer it stays.
// The loop ends on release; Escape, a lost capture and WM_QUIT (posted
// again) cancel it. A release within 250 ms of the press moves nothing.
#include "platform/afx/afx.h"

// Where a row dropped at `target` lands once it is taken out at `source`:
// `target` is the row it goes before, -1 after the last row (before the
// trailing empty row when there is one). -1 when nothing would move.
int DropIndex(int source, int target, int count, bool trailing_row);

// The drop target for a pointer `y` pixels into the list's client area.
int DragTarget(int y, int top_index, int item_height, int count, bool trailing_row);

class SECListBoxDragWnd {
public:
    static constexpr DWORD kDragDelayMs = 250;
    static constexpr DWORD kFirstScrollDelayMs = 300;
    static constexpr DWORD kMinScrollDelayMs = 50;
    static constexpr DWORD kScrollDelayStepMs = 50;

    SECListBoxDragWnd(CListBox* list, bool trailing_row) : list_(list), trailing_row_(trailing_row) {}
    // Runs the drag from a press at `point` (client coordinates); TRUE when a
    // row moved, with its old and new index.
    BOOL Track(CPoint point, int* from, int* to);

private:
    void Move(CPoint point);
    void DrawMarker(int y);
    void AutoScroll(DWORD now);

    CListBox* list_;
    bool trailing_row_;
    bool started_ = false;
    CPoint press_;
    DWORD press_tick_ = 0;
    int source_ = -1;
    int target_ = -2;  // -2: none, -1: after the last row
    int marker_y_ = -1;
    int outside_ = 0;  // 1 above, 2 below
    DWORD last_scroll_ = 0;
    DWORD scroll_delay_ = kFirstScrollDelayMs;
};
