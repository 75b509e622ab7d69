#include "editor/window/edit_print.h"

#include "editor/line_text.h"

namespace editor {

std::vector<PrintRow> LayPrintRows(const SECEdit& edit, int columns) {
    if (columns < 1) columns = 1;
    std::vector<PrintRow> rows;
    int number = 1;
    for (const EditLine* line = edit.GetFirstLine(); line; line = line->next, ++number) {
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
