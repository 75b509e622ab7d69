#pragma once
// Laying out and drawing a run of text in a DC's font.
#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/gdi/dc.h"

namespace gdi {

// Width of the characters of `text` in the face (or the sum of `advances`,
// one per byte, when given), without tab handling.
LONG text_width(const FontFace& face, std::string_view text, const int* advances = nullptr);

// The pieces of a line between its tabs, each with its x offset. Tabs move
// to the next of `tab_stops` (when more than one is given), else to the next
// multiple of the single stop given or of 8 average character widths.
LONG default_tab_width(const FontFace& face);
struct TabbedPiece {
    LONG x;
    std::string_view text;
};
std::vector<TabbedPiece> tabbed_pieces(const FontFace& face, std::string_view line, int tab_count, const int* tab_stops,
                                       LONG* total_width);

// Draws `text` with its cell's top-left corner at the device point `at`
// (already aligned), rotated by the font's escapement, in the text colour,
// clipped to `clip` (surface coordinates). `advances`, when given, holds the
// distance to each next byte's character (a double-byte character moves by
// the sum of its two). Returns the advance.
LONG draw_text_run(Dc& dc, POINT at, std::string_view text, const Region& clip, const int* advances = nullptr);

// Fills the text cell with the background colour in opaque mode, then draws
// the run: the common part of every text call. `cell` is the top-left of the
// text cell in device coordinates.
void draw_text_cell(Dc& dc, POINT cell, std::string_view text, const Region& clip, const int* advances = nullptr);

// Rotation of text by the DC font's escapement: 0, +90 (up) or -90 (down).
int text_rotation(const Dc& dc);
// A rectangle given relative to the text origin in text space (x along the
// text, y down the cell), placed on the surface with the rotation.
RECT text_box_on_surface(POINT origin_on_surface, int rotation, const RECT& text_space);

}  // namespace gdi
