#pragma once
// The address range typed into View Assembly Code: decimal or "0x" texts,
// each inside the 6502's 64 KB, the start not after the end.
#include <cstdint>
#include <string_view>

#include "platform/os/result.h"

namespace shell {

struct AssemblyRange {
    std::uint16_t start = 0;
    std::uint16_t end = 0;
};

// A value past 0xFFFF or a start after the end is refused with a message for
// the user; nothing is cut to fit, so the listing never shows another range.
os::Result<AssemblyRange> ParseAssemblyRange(std::string_view start_text, std::string_view end_text);

}  // namespace shell
