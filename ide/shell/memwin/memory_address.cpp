#include "ide/shell/memwin/memory_address.h"

#include <algorithm>
#include <cctype>

namespace ide {

namespace {

int HexDigit(char c) {
    const int lower = std::tolower(static_cast<unsigned char>(c));
    if (lower >= '0' && lower <= '9') return lower - '0';
    if (lower >= 'a' && lower <= 'f') return lower - 'a' + 10;
    return -1;
}

constexpr std::uint64_t kNoAddress = 0xFFFFFFFF;

}  // namespace

os::Result<std::uint16_t> CheckMemoryAddress(std::uint64_t address) {
    if (address == 0 || address > 0xFFFF) return os::plain_error(kNotValidAddress);
    return static_cast<std::uint16_t>(address);
}

os::Result<std::uint16_t> ParseMemoryAddress(std::string_view text) {
    std::uint64_t address = 0;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        for (char c : text.substr(2, 8)) {
            const int digit = HexDigit(c);
            if (digit < 0) return CheckMemoryAddress(kNoAddress);
            address = address * 16 + std::uint64_t(digit);
        }
        return CheckMemoryAddress(address);
    }
    // Leading decimal digits; a number too long for the target stops growing.
    for (char c : text) {
        if (!std::isdigit(static_cast<unsigned char>(c))) break;
        address = std::min<std::uint64_t>(address * 10 + std::uint64_t(c - '0'), kNoAddress);
    }
    return CheckMemoryAddress(address);
}

}  // namespace ide
