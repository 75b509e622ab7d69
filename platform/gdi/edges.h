#pragma once
// Bevel helpers shared by the edge and frame-control drawing (surface
// coordinates).
#include "platform/gdi/dc.h"

namespace gdi {

void fill_solid(Dc& dc, const RECT& surface_rect, COLORREF color);
void bevel(Dc& dc, const RECT& surface_rect, COLORREF top_left, COLORREF bottom_right, UINT sides);
// Draws the edge and returns the rectangle inside it.
RECT draw_edge(Dc& dc, RECT surface_rect, UINT edge, UINT flags);

}  // namespace gdi
