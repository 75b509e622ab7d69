#include "platform/afx/mdi_tile.h"

#include <cmath>

namespace {

// The start of part `index` of `parts` equal parts of [low, high).
int split_at(int low, int high, std::size_t index, std::size_t parts) {
    return low + int((long long)(high - low) * (long long)index / (long long)parts);
}

}  // namespace

std::vector<CRect> mdi_tile_cells(const CRect& area, std::size_t count, bool horizontal) {
    std::vector<CRect> cells;
    if (count == 0) return cells;
    // Groups are the columns of a horizontal tiling and the rows of a vertical one.
    const auto groups = std::max<std::size_t>(1, std::size_t(std::sqrt(double(count))));
    const std::size_t per_group = count / groups, larger_from = groups - count % groups;
    for (std::size_t group = 0; group < groups; ++group) {
        const std::size_t members = per_group + (group >= larger_from ? 1 : 0);
        for (std::size_t member = 0; member < members; ++member) {
            CRect cell;
            if (horizontal) {
                cell = CRect(split_at(area.left, area.right, group, groups),
                             split_at(area.top, area.bottom, member, members),
                             split_at(area.left, area.right, group + 1, groups),
                             split_at(area.top, area.bottom, member + 1, members));
            } else {
                cell = CRect(split_at(area.left, area.right, member, members),
                             split_at(area.top, area.bottom, group, groups),
                             split_at(area.left, area.right, member + 1, members),
                             split_at(area.top, area.bottom, group + 1, groups));
            }
            cells.push_back(cell);
        }
    }
    return cells;
}
