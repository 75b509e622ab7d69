#include "uikit/frames/sys_colors.h"

#include <iterator>

namespace {

void read_colours(SECSysColors& record) {
    static constexpr int kIndexes[] = {COLOR_BTNFACE,   COLOR_BTNSHADOW,    COLOR_BTNHIGHLIGHT, COLOR_WINDOWFRAME,
                                       COLOR_3DLIGHT,   COLOR_3DDKSHADOW,   COLOR_WINDOWTEXT,   COLOR_WINDOW,
                                       COLOR_HIGHLIGHT, COLOR_HIGHLIGHTTEXT};
    COLORREF* fields[] = {&record.face,      &record.shadow,        &record.highlight, &record.frame,
                          &record.light,     &record.dark_shadow,   &record.text,      &record.window,
                          &record.selection, &record.selection_text};
    for (std::size_t i = 0; i < std::size(kIndexes); ++i) *fields[i] = ::GetSysColor(kIndexes[i]);
}

SECSysColors make_record() {
    SECSysColors record;
    record.border_width = record.border_height = record.new_shell ? 2 : 1;
    record.arrow = ::LoadCursor(nullptr, IDC_ARROW);
    read_colours(record);
    return record;
}

}  // namespace

SECSysColors& sec_sys_colors() {
    static SECSysColors record = make_record();
    return record;
}

void RefreshSysColors() { read_colours(sec_sys_colors()); }
