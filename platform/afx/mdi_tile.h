#pragma once
// Where tiled MDI children go: an area split into a grid of `count` cells.
// Tiled horizontally, the children are wide and stacked in columns (two are
// one above the other); tiled vertically, the grid is turned (two stand side
// by side). With a count that does not fill the grid, the last columns (or
// rows) take one child more. Cells cover the area exactly, first cell first.
#include <cstddef>
#include <vector>

#include "platform/afx/geometry.h"

constexpr int MDITILE_VERTICAL = 0x0000;
constexpr int MDITILE_HORIZONTAL = 0x0001;

std::vector<CRect> mdi_tile_cells(const CRect& area, std::size_t count, bool horizontal);
