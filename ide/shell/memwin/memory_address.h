#pragma once
// "Set Memory": the target address a watch value names, checked before the
// memory window moves there. "0x" and up to eight hex digits, or a decimal
// number; 0, text that is no number and anything past 0xFFFF are refused
// with "Not a valid Address!".
#include <cstdint>
#include <string_view>

#include "platform/os/result.h"

namespace ide {

inline constexpr const char* kNotValidAddress = "Not a valid Address!";

os::Result<std::uint16_t> CheckMemoryAddress(std::uint64_t address);
os::Result<std::uint16_t> ParseMemoryAddress(std::string_view value_text);

}  // namespace ide
