#include "tools/objdump/dump_text.h"

namespace objdump {

std::string hex(std::uint32_t value, int digits) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text(static_cast<size_t>(digits), '0');
    for (int i = digits - 1; i >= 0; --i, value >>= 4) text[static_cast<size_t>(i)] = kDigits[value & 0xF];
    return text;
}

std::string hex_rows(std::span<const std::uint8_t> bytes, std::string_view indent) {
    std::string text;
    for (size_t row = 0; row < bytes.size(); row += 16) {
        text += indent;
        text += hex(static_cast<std::uint32_t>(row), 4) + ":";
        for (size_t i = row; i < bytes.size() && i < row + 16; ++i) text += " " + hex(bytes[i], 2);
        text += '\n';
    }
    return text;
}

std::string quoted(std::string_view name) {
    std::string text = "\"";
    for (char c : name) {
        auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte >= 0x7F || c == '"' || c == '\\')
            text += "\\x" + hex(byte, 2);
        else
            text += c;
    }
    return text + "\"";
}

}  // namespace objdump
