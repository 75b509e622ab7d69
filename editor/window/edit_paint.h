#pragma once
// Painting an editor window's rows: the gutter with its line marks, each line in its
// colour runs, and the selection. Only rows reaching into the paint rectangle are
// drawn, so repainting one invalid row costs one row.
#include "editor/sec_edit_core.h"
#include "editor/window/painted_rows.h"
#include "platform/afx/afx.h"

namespace editor {

// The font's cells and the window's width, as the window measured them.
struct EditCells {
    int char_width = 0;
    int line_height = 0;
    int gutter_width = 0;
    int client_width = 0;
    int client_height = 0;
    // A fixed-pitch font: each character's ink stays in its cells, or leans at most a
    // cell past them (italics), so a row's ink ends where its text does.
    bool fixed_pitch = false;
};

// The gutter's foreground colour over a background: the system scroll-bar colour.
COLORREF GutterColour();

// Paints the rows of `core`'s view that reach into `paint` (client coordinates), with
// its selection when `show_selection`. The font must be selected into `dc`. `painted`
// is the account of the window's pixels: it says how much of each row needs clearing
// and is brought up to date.
void PaintEditRows(CDC& dc, const SECEditCore& core, SECEdit& edit, const EditCells& cells, const RECT& paint,
                   bool show_selection, PaintedRows& painted);

// One gutter mark of a line into the gutter cell `cell`, by the line's flags.
void DrawLineMarks(CDC& dc, const RECT& cell, uint32_t flags, COLORREF background);

}  // namespace editor
