#include "uikit/controls/text_copy.h"

#include <cstring>

#include "platform/afx/byte_string.h"

namespace uikit {

int cut_on_character(std::string_view text, int limit) {
    if (limit <= 0) return 0;
    if (std::size_t(limit) >= text.size()) return int(text.size());
    int end = 0;
    while (end < limit) {
        const int step = afx_is_lead_byte(text[std::size_t(end)]) && std::size_t(end) + 1 < text.size() ? 2 : 1;
        if (end + step > limit) break;
        end += step;
    }
    return end;
}

int copy_text_out(char* out, int size, std::string_view text) {
    if (!out || size < 1) return 0;
    const int length = cut_on_character(text, size - 1);
    if (length > 0) std::memcpy(out, text.data(), std::size_t(length));
    out[length] = '\0';
    return length;
}

}  // namespace uikit
