#pragma once
// Laying a buffer out on printed pages: each line cut into rows of the page's width,
// so a line longer than a whole page goes on over the next pages.
#include <climits>
#include <vector>

#include "editor/sec_edit.h"

namespace editor {

// One printed row: a piece of a line, from a display column.
struct PrintRow {
    int line = 1;
    int column = 0;
};

// The rows of lines `first` to `last` (by default the whole buffer), tabs expanded,
// `columns` wide (at least 1).
std::vector<PrintRow> LayPrintRows(const SECEdit& edit, int columns, int first = 1, int last = INT_MAX);

// The pages `rows` fill at `rows_per_page` (at least 1); one page for an empty buffer.
inline int PrintPageCount(size_t rows, int rows_per_page) {
    int per_page = rows_per_page > 0 ? rows_per_page : 1;
    return rows == 0 ? 1 : static_cast<int>((rows + per_page - 1) / per_page);
}

}  // namespace editor
