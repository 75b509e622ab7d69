#include "editor/window/edit_print.h"

#include <algorithm>

#include "editor/line_text.h"

namespace editor {

std::vector<PrintRow> LayPrintRows(const SECEdit& edit, int columns, int first, int last) {
    if (columns < 1) columns = 1;
    std::vector<PrintRow> rows;
    first = std::max(first, 1);
    last = std::min(last, edit.GetLineCount());
    int number = first;
    for (const EditLine* line = edit.GetLineByNumber(first); line && number <= last; line = line->next, ++number) {
        std::string_view text = edit.TextOf(line);
        int width = IndexToColumn(text, static_cast<int>(text.size()), edit.GetTabSize());
        int column = 0;
        do {
            rows.push_back({number, column});
            column += columns;
        } while (column < width);
    }
    return rows;
}

}  // namespace editor
