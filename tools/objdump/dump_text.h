#pragma once
// Small text helpers shared by the dumps of each format.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace objdump {

std::string hex(std::uint32_t value, int digits);
// The bytes as rows of 16 hexadecimal pairs, each row indented and prefixed
// with its offset.
std::string hex_rows(std::span<const std::uint8_t> bytes, std::string_view indent);
// A name from a file, in quotes, with bytes outside printable ASCII escaped.
std::string quoted(std::string_view name);

}  // namespace objdump
