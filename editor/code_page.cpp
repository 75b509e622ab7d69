#include "editor/code_page.h"

namespace editor {

bool IsLeadByte(int code_page, unsigned char byte) {
    switch (code_page) {
        case 936:
        case 949:
        case 950: return byte >= 0x81 && byte <= 0xFE;
        case 932: return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
        default: return false;
    }
}

int CharSize(std::string_view text, int index, int code_page) {
    if (index < 0 || index + 1 >= static_cast<int>(text.size())) return 1;
    return IsLeadByte(code_page, static_cast<unsigned char>(text[static_cast<size_t>(index)])) ? 2 : 1;
}

int CharStart(std::string_view text, int index, int code_page) {
    // Lead and trail bytes overlap, so characters are walked from the line start.
    int at = 0;
    while (at < index && at < static_cast<int>(text.size())) {
        int size = CharSize(text, at, code_page);
        if (at + size > index) return at;
        at += size;
    }
    return index;
}

}  // namespace editor
