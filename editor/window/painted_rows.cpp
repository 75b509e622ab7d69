// The account of blank pixels right of each painted row.
#include "editor/window/painted_rows.h"

#include <algorithm>

namespace editor {

void PaintedRows::Use(COLORREF background, int line_height) {
    if (background == background_ && line_height == line_height_) return;
    Forget();
    background_ = background;
    line_height_ = line_height;
}

void PaintedRows::ForgetFrom(int row) {
    if (row < int(clean_from_.size())) clean_from_.resize(size_t(std::max(0, row)));
}

int PaintedRows::CleanFrom(int row) const {
    return row >= 0 && row < int(clean_from_.size()) ? clean_from_[size_t(row)] : kUnknown;
}

void PaintedRows::SetCleanFrom(int row, int x) {
    if (row < 0) return;
    if (row >= int(clean_from_.size())) clean_from_.resize(size_t(row) + 1, kUnknown);
    clean_from_[size_t(row)] = x;
}

int PaintedRows::Widest(int rows) const {
    if (rows > int(clean_from_.size())) return kUnknown;
    int widest = 0;
    for (int row = 0; row < rows; ++row) widest = std::max(widest, clean_from_[size_t(row)]);
    return widest;
}

void PaintedRows::Scroll(int rows) {
    const int count = int(clean_from_.size());
    if (rows >= count || -rows >= count) {
        Forget();
    } else if (rows > 0) {
        clean_from_.insert(clean_from_.begin(), size_t(rows), kUnknown);
        clean_from_.resize(size_t(count));  // what moved past the bottom is gone
    } else if (rows < 0) {
        clean_from_.erase(clean_from_.begin(), clean_from_.begin() + -rows);
    }
}

}  // namespace editor
