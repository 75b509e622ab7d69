// Painting an editor window's rows.
#include "editor/window/edit_paint.h"

#include <algorithm>
#include <string_view>

#include "editor/line_colours.h"

namespace editor {
namespace {

constexpr uint32_t kMarkFlags = kLineBookmark | kLineBreakpoint | kLineExecutionPoint | kLineNavigationMark;

// The gutter's checkerboard: rows alternating 0xAA and 0x55 (word-aligned rows).
constexpr WORD kGutterBits[8] = {0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55};

COLORREF ToScreen(COLORREF colour) { return ::RGB(GetRValue(colour), GetGValue(colour), GetBValue(colour)); }

// The gutter's checkerboard over `cell`, in the gutter colour on `background`.
void FillGutter(CDC& dc, const RECT& cell, COLORREF background) {
    CBitmap bits;
    bits.Attach(::CreateBitmap(8, 8, 1, 1, kGutterBits));
    CBrush brush;
    brush.CreatePatternBrush(bits);
    const COLORREF old_text = dc.SetTextColor(GutterColour());
    const COLORREF old_back = dc.SetBkColor(background);
    dc.FillRect(&cell, &brush);
    dc.SetTextColor(old_text);
    dc.SetBkColor(old_back);
}

// Clears a stretch of a row in the background colour.
void ClearSpan(CDC& dc, int left, int top, int right, int bottom) {
    if (right <= left) return;
    RECT r{left, top, right, bottom};
    dc.ExtTextOut(left, top, ETO_OPAQUE, &r, "", 0, nullptr);
}

// The arrow of the execution point and the navigation mark, in the box x 2 to W - 2.
void DrawArrow(CDC& dc, int w, int top, int bottom) {
    const int box = w - 4;
    const POINT points[8] = {{2, top + 3},        {w - 5, top + 3},    {w - 5, top + 1}, {w, top + box / 2 + 2},
                             {w - 5, bottom - 1}, {w - 5, bottom - 3}, {2, bottom - 3},  {2, top + 4}};
    dc.Polygon(points, 8);
}

void DrawWithBrush(CDC& dc, COLORREF colour, auto&& shape) {
    CBrush brush;
    brush.CreateSolidBrush(colour);
    CBrush* old = dc.SelectObject(&brush);
    shape();
    dc.SelectObject(old);
}

// The runs of `coloured` from column `left_column` to `end_column`, the first at `at`.
// Blank runs draw nothing and are left out; `dc_colour` follows the DC's text colour,
// so that it is set only when it changes.
void DrawRuns(CDC& dc, const ColouredLine& coloured, int left_column, int end_column, POINT at, int char_width,
              COLORREF& dc_colour) {
    int x = at.x;
    for (const ColourRun& run : coloured.runs) {
        const int start = std::max(run.start, left_column);
        const int end = std::min(run.end, end_column);
        if (end <= start) continue;
        const std::string_view text = std::string_view(coloured.text).substr(size_t(start), size_t(end - start));
        if (text.find_first_not_of(' ') != std::string_view::npos) {
            if (ToScreen(run.colour) != dc_colour) dc_colour = ToScreen(run.colour), dc.SetTextColor(dc_colour);
            dc.ExtTextOut(x, at.y, 0, nullptr, text.data(), UINT(text.size()), nullptr);
        }
        x += int(text.size()) * char_width;
    }
}

}  // namespace

COLORREF GutterColour() { return ::GetSysColor(COLOR_SCROLLBAR); }

void DrawLineMarks(CDC& dc, const RECT& cell, uint32_t flags, COLORREF background) {
    const int w = (cell.right - cell.left) & ~1;
    const int height = cell.bottom - cell.top;
    const auto centred = [&](int box) { return cell.top + (height - box) / 2; };
    if (flags & kLineBookmark) {
        const int top = centred(w);
        DrawWithBrush(dc, ::RGB(0, 255, 255), [&] { ::RoundRect(dc.m_hDC, 0, top, w, top + w, 4, 6); });
    }
    if (flags & kLineBreakpoint) {
        const int top = centred(w - 2);
        DrawWithBrush(dc, ::RGB(175, 0, 0), [&] { ::Ellipse(dc.m_hDC, 1, top, w - 1, top + w - 2); });
    }
    for (auto [flag, colour] :
         {std::pair{kLineExecutionPoint, ::RGB(255, 255, 0)}, std::pair{kLineNavigationMark, ::RGB(0, 0, 255)}}) {
        if (!(flags & flag)) continue;
        const int top = centred(w - 4);
        DrawWithBrush(dc, colour, [&] { DrawArrow(dc, w, top, top + w - 4); });
    }
    dc.SetBkColor(background);
}

void PaintEditRows(CDC& dc, const SECEditCore& core, SECEdit& edit, const EditCells& cells, const RECT& paint,
                   bool show_selection, PaintedRows& painted) {
    const int lh = cells.line_height;
    const int cw = cells.char_width;
    if (lh <= 0 || cw <= 0 || paint.bottom <= 0) return;
    const COLORREF background = ToScreen(edit.background_colour());
    const COLORREF text_colour = ToScreen(edit.text_colour());
    painted.Use(background, lh);
    dc.SetBkColor(background);
    dc.SetTextColor(text_colour);
    COLORREF dc_text_colour = text_colour;
    // Each row is cleared as far as old or new ink reaches and its runs drawn over it.
    dc.SetBkMode(TRANSPARENT);
    const int right = std::max<int>(cells.client_width, paint.right);
    const int left_column = core.left_column();
    const int line_count = edit.GetLineCount();
    // Columns past the right edge are not drawn, however long the line.
    const int end_column = left_column + (right - cells.gutter_width + cw - 1) / cw;
    const int first_row = std::max<int>(0, paint.top / lh);
    const int end_row = (paint.bottom + lh - 1) / lh;
    // The gutter's pattern lines up from row to row, so one fill paints it for all.
    FillGutter(dc, RECT{0, first_row * lh, cells.gutter_width, end_row * lh}, background);
    const int first_number = core.top_line() + first_row;
    const EditLine* line = first_number <= line_count ? edit.GetLineByNumber(first_number) : nullptr;
    for (int row = first_row, y = first_row * lh; row < end_row; ++row, y += lh, line = line ? line->next : nullptr) {
        const int number = first_number + (row - first_row);
        ColouredLine coloured;
        int ink_end = cells.gutter_width;  // where what this row draws ends
        if (line) {
            if (line->flags & kMarkFlags)
                DrawLineMarks(dc, RECT{0, y, cells.gutter_width, y + lh}, line->flags, background);
            coloured = ColourLine(edit, line);
            const int columns = std::min<int>(int(coloured.text.size()), end_column) - left_column;
            if (columns > 0) ink_end += (columns + 1) * cw;  // a glyph may lean up to a cell past its own
        }
        int from = 0;
        int to = 0;
        const bool selected = line && show_selection && core.SelectedSpan(number, &from, &to) &&
                              std::max(0, to - left_column) > std::max(0, from - left_column);
        from = std::max(0, from - left_column);
        to = std::max(0, to - left_column);
        if (selected) ink_end = std::max(ink_end, cells.gutter_width + to * cw);
        if (!cells.fixed_pitch) ink_end = right;
        ink_end = std::min(ink_end, right);

        const int clean = painted.CleanFrom(row);
        ClearSpan(dc, cells.gutter_width, y, clean == PaintedRows::kUnknown ? right : std::max(clean, ink_end), y + lh);
        DrawRuns(dc, coloured, left_column, end_column, POINT{cells.gutter_width, y}, cw, dc_text_colour);
        if (selected) dc.PatBlt(cells.gutter_width + from * cw, y, (to - from) * cw, lh, DSTINVERT);

        // Pixels of the row outside the paint rectangle kept what they held.
        const bool whole_row =
            paint.left <= cells.gutter_width && paint.right >= cells.client_width && paint.top <= y &&
            (paint.bottom >= y + lh || (y < cells.client_height && paint.bottom >= cells.client_height));
        painted.SetCleanFrom(row, whole_row ? ink_end : std::max(ink_end, clean));
    }
}

}  // namespace editor
