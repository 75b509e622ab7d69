// Where tiled MDI children go.
#include <gtest/gtest.h>

#include <vector>

#include "platform/afx/mdi_tile.h"

namespace {

TEST(MdiTileTest, CellsFollowTheGridOfEachTiling) {
    const CRect area(0, 0, 300, 200);
    struct Case {
        std::size_t count;
        bool horizontal;
        std::vector<CRect> cells;
    };
    const Case cases[] = {
        {0, true, {}},
        {1, true, {CRect(0, 0, 300, 200)}},
        {2, true, {CRect(0, 0, 300, 100), CRect(0, 100, 300, 200)}},   // one above the other
        {2, false, {CRect(0, 0, 150, 200), CRect(150, 0, 300, 200)}},  // side by side
        {3, true, {CRect(0, 0, 300, 66), CRect(0, 66, 300, 133), CRect(0, 133, 300, 200)}},
        {4,
         false,
         {CRect(0, 0, 150, 100), CRect(150, 0, 300, 100), CRect(0, 100, 150, 200), CRect(150, 100, 300, 200)}},
        // Five tiled horizontally: two columns, the second taking the extra child.
        {5,
         true,
         {CRect(0, 0, 150, 100), CRect(0, 100, 150, 200), CRect(150, 0, 300, 66), CRect(150, 66, 300, 133),
          CRect(150, 133, 300, 200)}},
    };
    for (const Case& c : cases) {
        const std::vector<CRect> cells = mdi_tile_cells(area, c.count, c.horizontal);
        ASSERT_EQ(cells.size(), c.cells.size()) << c.count;
        for (std::size_t i = 0; i < cells.size(); ++i) {
            EXPECT_EQ(cells[i], c.cells[i])
                << c.count << (c.horizontal ? " horizontal, cell " : " vertical, cell ") << i;
        }
    }
}

TEST(MdiTileTest, ManyChildrenInASmallAreaCoverItExactly) {
    const CRect area(10, 20, 17, 29);  // smaller than the count: cells may be empty but never overlap
    for (bool horizontal : {true, false}) {
        const std::vector<CRect> cells = mdi_tile_cells(area, 40, horizontal);
        ASSERT_EQ(cells.size(), 40u);
        long covered = 0;
        for (const CRect& cell : cells) {
            EXPECT_GE(cell.Width(), 0);
            EXPECT_GE(cell.Height(), 0);
            EXPECT_TRUE(cell.left >= area.left && cell.right <= area.right && cell.top >= area.top &&
                        cell.bottom <= area.bottom);
            covered += long(cell.Width()) * cell.Height();
        }
        EXPECT_EQ(covered, long(area.Width()) * area.Height());
    }
}

}  // namespace
