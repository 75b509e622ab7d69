#pragma once
// Arithmetic and flag rules of the device's 6502, on the register block, always
// inlined: the interpreters keep the registers in locals.
#include <cstdint>

#include "formats/cpu_block.h"

namespace simcpu {

namespace P = formats::RegisterP;

[[gnu::always_inline]] inline void SetFlag(formats::TargetRegisterBlock& r, std::uint8_t flag, bool on) {
    r.p = static_cast<std::uint8_t>(on ? (r.p | flag) : (r.p & ~flag));
}

[[gnu::always_inline]] inline std::uint8_t SetNZ(formats::TargetRegisterBlock& r, std::uint8_t value) {
    SetFlag(r, P::kN, value & 0x80);
    SetFlag(r, P::kZ, value == 0);
    return value;
}

// Packed BCD digit by digit; digits above 9 are kept to their low four bits.
[[gnu::always_inline]] inline void AddDecimal(formats::TargetRegisterBlock& r, std::uint8_t m) {
    int low = (r.a & 0x0F) + (m & 0x0F) + (r.p & P::kC);
    int carry = 0;
    if (low >= 10) low -= 10, carry = 1;
    int high = (r.a >> 4) + (m >> 4) + carry;
    SetFlag(r, P::kC, high >= 10);
    if (high >= 10) high -= 10;
    r.a = SetNZ(r, static_cast<std::uint8_t>((high & 0x0F) << 4 | (low & 0x0F)));
    SetFlag(r, P::kV, false);
}

// The fast interpreter's decimal add: the high digits are added as whole
// nibbles and the sum is corrected once at 0xA0. For digits 0-9 it agrees
// with AddDecimal.
[[gnu::always_inline]] inline void AddDecimalHighNibbles(formats::TargetRegisterBlock& r, std::uint8_t m) {
    int low = (r.a & 0x0F) + (m & 0x0F) + (r.p & P::kC);
    int carry = 0;
    if (low >= 10) low -= 10, carry = 0x10;
    int high = (r.a & 0xF0) + (m & 0xF0) + carry;
    SetFlag(r, P::kC, high >= 0xA0);
    if (high >= 0xA0) high -= 0xA0;
    r.a = SetNZ(r, static_cast<std::uint8_t>((high & 0xF0) | (low & 0x0F)));
    SetFlag(r, P::kV, false);
}

[[gnu::always_inline]] inline void SubtractDecimal(formats::TargetRegisterBlock& r, std::uint8_t m) {
    int low = (r.a & 0x0F) - (m & 0x0F) - ((r.p & P::kC) ? 0 : 1);
    int borrow = 0;
    if (low < 0) low += 10, borrow = 1;
    int high = (r.a >> 4) - (m >> 4) - borrow;
    SetFlag(r, P::kC, high >= 0);
    if (high < 0) high += 10;
    r.a = SetNZ(r, static_cast<std::uint8_t>((high & 0x0F) << 4 | (low & 0x0F)));
    SetFlag(r, P::kV, false);
}

[[gnu::always_inline]] inline void AddBinary(formats::TargetRegisterBlock& r, std::uint8_t m) {
    unsigned sum = r.a + m + (r.p & P::kC);
    auto result = static_cast<std::uint8_t>(sum);
    SetFlag(r, P::kV, ~(r.a ^ m) & (r.a ^ result) & 0x80);
    SetFlag(r, P::kC, sum > 0xFF);
    r.a = SetNZ(r, result);
}

[[gnu::always_inline]] inline void Adc(formats::TargetRegisterBlock& r, std::uint8_t m) {
    if (r.p & P::kD) {
        AddDecimal(r, m);
    } else {
        AddBinary(r, m);
    }
}

[[gnu::always_inline]] inline void Sbc(formats::TargetRegisterBlock& r, std::uint8_t m) {
    if (r.p & P::kD) {
        SubtractDecimal(r, m);
    } else {
        AddBinary(r, static_cast<std::uint8_t>(~m));
    }
}

[[gnu::always_inline]] inline void Compare(formats::TargetRegisterBlock& r, std::uint8_t reg, std::uint8_t m) {
    SetFlag(r, P::kC, reg >= m);
    SetNZ(r, static_cast<std::uint8_t>(reg - m));
}

[[gnu::always_inline]] inline void Bit(formats::TargetRegisterBlock& r, std::uint8_t m) {
    SetFlag(r, P::kN, m & 0x80);
    SetFlag(r, P::kV, m & 0x40);
    SetFlag(r, P::kZ, (r.a & m) == 0);
}

}  // namespace simcpu
