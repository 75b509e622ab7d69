#include "ide/shell/find/file_masks.h"

namespace ide {

namespace {

char Upper(char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; }

}  // namespace

std::vector<std::string> SplitFileMasks(std::string_view text) {
    std::vector<std::string> masks;
    while (!text.empty()) {
        const std::size_t end = text.find(';');
        std::string_view mask = text.substr(0, end);
        while (!mask.empty() && mask.front() == ' ') mask.remove_prefix(1);
        while (!mask.empty() && mask.back() == ' ') mask.remove_suffix(1);
        if (!mask.empty()) masks.emplace_back(mask);
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return masks;
}

bool MatchesFileMask(std::string_view name, std::string_view mask) {
    // "*.*" names every file, those without a dot too.
    if (mask == "*.*") return true;
    // Greedy wildcard match with one back-track point: the last '*' seen.
    std::size_t n = 0, m = 0;
    std::size_t star = std::string_view::npos, star_name = 0;
    while (n < name.size()) {
        if (m < mask.size() && (mask[m] == '?' || Upper(mask[m]) == Upper(name[n]))) {
            ++n;
            ++m;
        } else if (m < mask.size() && mask[m] == '*') {
            star = m++;
            star_name = n;
        } else if (star != std::string_view::npos) {
            m = star + 1;
            n = ++star_name;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == '*') ++m;
    return m == mask.size();
}

}  // namespace ide
