#include "linker/tool_arguments.h"

#include <cctype>

namespace linker {

std::string upper_case(std::string_view text) {
    std::string out(text);
    for (auto& c : out) c = char(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

bool is_absolute_path(std::string_view path) { return !path.empty() && path.front() == '/'; }

std::string tool_argument(std::string_view raw) { return is_absolute_path(raw) ? std::string(raw) : upper_case(raw); }

bool is_keyword(std::string_view argument, std::initializer_list<std::string_view> keywords) {
    const auto upper = upper_case(argument);
    for (auto keyword : keywords)
        if (upper == keyword) return true;
    return false;
}

std::string join_object_path(std::string_view directory, std::string_view name) {
    if (is_absolute_path(name)) return std::string(name);
    return std::string(directory) + std::string(name);
}

}  // namespace linker
