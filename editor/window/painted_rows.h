#pragma once
// What an editor window's pixels hold right of each row's text. Once a row is painted
// its pixels from some x to the right edge are plain background, so the next paint of
// that row clears only as far as the old text or the new reaches, not the whole width:
// on a wide window most of a row is blank, and clearing it is most of a page's cost.
// For the same reason a scroll moves only the pixels left of the widest row's text.
// The account holds only while the window's own painting and scrolling are all that
// touch its pixels; an erase (an exposure, a resize, a redraw from outside) makes every
// row unknown.
#include <climits>
#include <vector>

#include "platform/afx/afx.h"

namespace editor {

class PaintedRows {
public:
    static constexpr int kUnknown = INT_MAX;

    // Starts the account over when the rows are painted in another background or
    // height than it was kept for.
    void Use(COLORREF background, int line_height);
    // Every row unknown: the pixels may hold anything.
    void Forget() { clean_from_.clear(); }
    // Rows `row` and below unknown.
    void ForgetFrom(int row);
    // The x from which row `row` is background to the right edge, or kUnknown.
    int CleanFrom(int row) const;
    void SetCleanFrom(int row, int x);
    // The largest CleanFrom of rows 0 to `rows` - 1: kUnknown when any is unknown.
    int Widest(int rows) const;
    // The pixels moved down by `rows` rows (up when negative); a row that nothing
    // moved into is unknown.
    void Scroll(int rows);

private:
    std::vector<int> clean_from_;
    COLORREF background_ = CLR_INVALID;
    int line_height_ = 0;
};

}  // namespace editor
