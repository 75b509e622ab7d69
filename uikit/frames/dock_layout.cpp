#include "uikit/frames/dock_layout.h"

#include <algorithm>

namespace {

// A bar's length in its row: its share of the length, truncated, where a share
// that is a whole number of pixels but for float noise counts as that number.
int truncated_share(int length, float share) { return int(float(length) * std::max(share, 0.0f) + 1e-3f); }

}  // namespace

SECDockRowLayout sec_layout_dock_row(const SECDockLayoutRow& row, const SECDockRowPlace& place) {
    SECDockRowLayout layout;
    layout.bars.resize(row.bars.size());
    const int shown =
        int(std::count_if(row.bars.begin(), row.bars.end(), [](const SECDockLayoutBar& bar) { return bar.visible; }));
    if (shown == 0) return layout;  // a row with nothing shown leaves neither splitter nor gap
    const bool horz = place.horizontal;
    const int extent = place.extent;
    // A rectangle from its span along the row and its span across it.
    const auto span = [horz](int along, int length, int across, int thickness) {
        return horz ? CRect(along, across, along + length, across + thickness)
                    : CRect(across, along, across + thickness, along + length);
    };
    int across = place.across;
    const auto separator = [&](CRect& rect, int thickness) {
        rect = span(0, extent, across, thickness);
        across += thickness;
    };
    if (place.edge_first)
        separator(layout.client_edge, kSecClientEdgeSize);
    else
        separator(layout.row_splitter, kSecSplitterSize);
    const int length_for_bars = std::max(0, extent - kSecSplitterSize * (shown - 1));
    int along = 0, placed = 0;
    for (std::size_t i = 0; i < row.bars.size(); ++i) {
        const SECDockLayoutBar& bar = row.bars[i];
        if (!bar.visible) continue;
        const bool last = ++placed == shown;
        int length;
        if (bar.fixed_length) {
            length = *bar.fixed_length;
        } else {
            // The last bar takes what the others leave.
            const int wanted =
                last ? std::max(0, extent - along)
                     : std::max(std::min(bar.minimum, length_for_bars), truncated_share(length_for_bars, bar.share));
            length = std::min(wanted, std::max(0, extent - along));
        }
        layout.bars[i] = span(along, length, across, row.thickness);
        along += length;
        if (!last) {
            layout.splitters.push_back({span(along, kSecSplitterSize, across, row.thickness), int(i)});
            along += kSecSplitterSize;
        }
    }
    across += row.thickness;
    if (place.edge_first)
        separator(layout.row_splitter, kSecSplitterSize);
    else
        separator(layout.client_edge, kSecClientEdgeSize);
    layout.room = across - place.across;
    return layout;
}
