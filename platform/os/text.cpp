#include "platform/os/text.h"

#include <algorithm>
#include <cstdint>

namespace os {

std::string to_lower(std::string_view text) {
    std::string result(text);
    std::transform(result.begin(), result.end(), result.begin(), ascii_lower);
    return result;
}

std::string to_upper(std::string_view text) {
    std::string result(text);
    std::transform(result.begin(), result.end(), result.begin(), ascii_upper);
    return result;
}

bool equals_ignore_case(std::string_view a, std::string_view b) {
    return a.size() == b.size() && compare_ignore_case(a, b) == 0;
}

int compare_ignore_case(std::string_view a, std::string_view b) {
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const auto x = static_cast<unsigned char>(ascii_lower(a[i]));
        const auto y = static_cast<unsigned char>(ascii_lower(b[i]));
        if (x != y) return x < y ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

int leading_int(std::string_view text) {
    const std::size_t start = text.find_first_not_of(" \t");
    if (start == std::string_view::npos) return 0;
    text.remove_prefix(start);
    bool negative = false;
    if (text[0] == '-' || text[0] == '+') {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    std::uint32_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') break;
        value = value * 10 + static_cast<std::uint32_t>(c - '0');
    }
    return static_cast<int>(negative ? 0u - value : value);
}

}  // namespace os
