#include "ide/shell/debug/assembly_range.h"

#include <cstdio>

#include "ide/workspace/text_utils.h"

namespace shell {

namespace {

constexpr std::uint32_t kLastAddress = 0xFFFF;

std::string Hex(std::uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%04X", static_cast<unsigned>(value));
    return text;
}

}  // namespace

os::Result<AssemblyRange> ParseAssemblyRange(std::string_view start_text, std::string_view end_text) {
    // Read with the widest bound, so a value too large is seen whole and refused.
    const std::uint32_t start = ide::StringToNumber(ide::Trim(start_text), 0xFFFFFFFF);
    const std::uint32_t end = ide::StringToNumber(ide::Trim(end_text), 0xFFFFFFFF);
    for (const std::uint32_t address : {start, end}) {
        if (address > kLastAddress)
            return os::plain_error("The address " + Hex(address) + " lies past the end of the 64 KB address space (" +
                                   Hex(kLastAddress) + ").");
    }
    if (start > end)
        return os::plain_error("The start address " + Hex(start) + " lies after the end address " + Hex(end) + ".");
    return AssemblyRange{static_cast<std::uint16_t>(start), static_cast<std::uint16_t>(end)};
}

}  // namespace shell
