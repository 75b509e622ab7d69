#pragma once
// The arithmetic of one row of a dock bar, on plain numbers: the bars share
// the row's length by their shares, splitters stand between them, and an edge
// and a row splitter stand on either side of the row. Nothing here touches a
// window; SECDockBar gathers the numbers from its bars and moves them after.
#include <optional>
#include <vector>

#include "platform/afx/geometry.h"

// Geometry of the rows.
constexpr int kSecSplitterSize = 6;
constexpr int kSecClientEdgeSize = 2;
constexpr int kSecMinDragLength = 24;  // a bar keeps this much when an in-row splitter is dragged
constexpr int kSecMinLength = 18;      // and this much when its row is normalised
constexpr int kSecMinRowDrag = 19;     // a row and the frame's client area keep this much

struct SECDockLayoutBar {
    float share = 1.0f;               // part of the row's length, as the row's normalising left it
    int minimum = 0;                  // every bar but the last keeps this, if the row has it
    std::optional<int> fixed_length;  // a bar of its own size takes this and no share
    bool visible = true;
};

struct SECDockLayoutRow {
    std::vector<SECDockLayoutBar> bars;
    int thickness = 0;
};

// Where a row goes: `across` pixels from the dock bar's leading edge, along a
// dock bar `extent` long. With `edge_first` (top and left dock bars) the etched
// edge comes before the row and the row splitter after it; else the other way.
struct SECDockRowPlace {
    int across = 0;
    int extent = 0;
    bool horizontal = true;
    bool edge_first = true;
};

struct SECDockRowLayout {
    struct InRowSplitter {
        CRect rect;
        int after = 0;  // index of the bar it follows
    };
    std::vector<CRect> bars;  // one per bar of the row, empty for a hidden one
    std::vector<InRowSplitter> splitters;
    CRect row_splitter;  // the strip that resizes the row against the client area
    CRect client_edge;
    int room = 0;  // what the row and its separators take across; 0 for a row with nothing shown
};

SECDockRowLayout sec_layout_dock_row(const SECDockLayoutRow& row, const SECDockRowPlace& place);
