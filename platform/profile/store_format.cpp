#include "platform/profile/store_format.h"

#include <charconv>

namespace profile {

namespace {

constexpr char hex_digits[] = "0123456789ABCDEF";

bool needs_escape(unsigned char c) { return c < 0x20 || c == 0x7F || c == '%' || c == '=' || c == '[' || c == ']'; }

std::string escape(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (needs_escape(c)) {
            result += '%';
            result += hex_digits[c >> 4];
            result += hex_digits[c & 15];
        } else {
            result += ch;
        }
    }
    return result;
}

int hex_value(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

bool unescape(std::string_view text, std::string& out) {
    out.clear();
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            out += text[i];
            continue;
        }
        if (i + 2 >= text.size()) return false;
        const int high = hex_value(text[i + 1]), low = hex_value(text[i + 2]);
        if (high < 0 || low < 0) return false;
        out += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return true;
}

bool parse_hex_bytes(std::string_view text, std::vector<std::uint8_t>& out) {
    if (text.size() % 2 != 0) return false;
    out.clear();
    for (std::size_t i = 0; i < text.size(); i += 2) {
        const int high = hex_value(text[i]), low = hex_value(text[i + 1]);
        if (high < 0 || low < 0) return false;
        out.push_back(static_cast<std::uint8_t>(high * 16 + low));
    }
    return true;
}

std::string format_value(const Value& value) {
    if (const auto* text = std::get_if<std::string>(&value)) return "str:" + escape(*text);
    if (const auto* number = std::get_if<int>(&value)) return "int:" + std::to_string(*number);
    std::string result = "bin:";
    for (const std::uint8_t byte : std::get<std::vector<std::uint8_t>>(value)) {
        result += hex_digits[byte >> 4];
        result += hex_digits[byte & 15];
    }
    return result;
}

bool parse_value(std::string_view text, Value& value) {
    const std::string_view type = text.substr(0, 4), data = text.size() >= 4 ? text.substr(4) : std::string_view();
    if (type == "str:") {
        std::string decoded;
        if (!unescape(data, decoded)) return false;
        value = std::move(decoded);
        return true;
    }
    if (type == "int:") {
        int number = 0;
        const auto [end, error] = std::from_chars(data.data(), data.data() + data.size(), number);
        if (error != std::errc() || end != data.data() + data.size() || data.empty()) return false;
        value = number;
        return true;
    }
    if (type == "bin:") {
        std::vector<std::uint8_t> bytes;
        if (!parse_hex_bytes(data, bytes)) return false;
        value = std::move(bytes);
        return true;
    }
    return false;
}

}  // namespace

std::string normalise_section(std::string_view section) {
    std::string result;
    std::size_t start = 0;
    while (start <= section.size()) {
        std::size_t end = section.find('\\', start);
        if (end == std::string_view::npos) end = section.size();
        if (end > start) {
            if (!result.empty()) result += '\\';
            result.append(section.substr(start, end - start));
        }
        start = end + 1;
    }
    return result;
}

std::string format_tree(const Tree& tree) {
    std::string text;
    for (const auto& [name, section] : tree.sections) {
        if (section.values.empty()) continue;
        text += '[' + escape(name) + "]\n";
        for (const auto& [key, value] : section.values) text += escape(key) + '=' + format_value(value) + '\n';
    }
    return text;
}

Tree parse_tree(std::string_view text, std::string& error) {
    Tree tree;
    error.clear();
    Section* current = &tree.sections[""];
    std::size_t line_number = 0;
    const auto complain = [&](std::string_view what) {
        if (error.empty()) error = "line " + std::to_string(line_number) + ": " + std::string(what);
    };
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        ++line_number;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty()) continue;
        std::string name;
        if (line.front() == '[') {
            if (line.back() != ']' || !unescape(line.substr(1, line.size() - 2), name)) {
                complain("bad section header");
                current = nullptr;  // its values cannot be placed
                continue;
            }
            current = &tree.sections[normalise_section(name)];
            continue;
        }
        const std::size_t equals = line.find('=');
        Value value;
        if (equals == std::string_view::npos || !unescape(line.substr(0, equals), name) ||
            !parse_value(line.substr(equals + 1), value)) {
            complain("bad value line");
            continue;
        }
        if (current) current->values.emplace(std::move(name), std::move(value));
    }
    std::erase_if(tree.sections, [](const auto& entry) { return entry.second.values.empty(); });
    return tree;
}

}  // namespace profile
