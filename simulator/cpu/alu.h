#pragma once
// Arithmetic and flag rules of the device's 6502, on the register block, always
// inlined: the interpreters keep the registers in locals. Each rule updates P
// once with all the flags it sets, so an instruction adds one step, not one
// per flag, to the chain of updates of P.
#include <cstdint>

#include "formats/cpu_block.h"

namespace simcpu {

namespace P = formats::RegisterP;

[[gnu::always_inline]] inline void SetFlag(formats::TargetRegisterBlock& r, std::uint8_t flag, bool on) {
    r.p = static_cast<std::uint8_t>(on ? (r.p | flag) : (r.p & ~flag));
}

// The bits of `mask` in P replaced by `bits`.
[[gnu::always_inline]] inline void SetFlags(formats::TargetRegisterBlock& r, std::uint8_t mask, std::uint8_t bits) {
    r.p = static_cast<std::uint8_t>((r.p & ~mask) | bits);
}

// N and Z as a value sets them.
[[gnu::always_inline]] inline std::uint8_t NZBits(std::uint8_t value) {
    return static_cast<std::uint8_t>((value & P::kN) | (value == 0 ? P::kZ : 0));
}

[[gnu::always_inline]] inline std::uint8_t CarryBit(bool carry) { return carry ? P::kC : 0; }

[[gnu::always_inline]] inline std::uint8_t SetNZ(formats::TargetRegisterBlock& r, std::uint8_t value) {
    SetFlags(r, P::kN | P::kZ, NZBits(value));
    return value;
}

// The result of an add or subtract with its carry: N, Z and C set, V cleared.
[[gnu::always_inline]] inline void SetDecimalResult(formats::TargetRegisterBlock& r, std::uint8_t result, bool carry) {
    SetFlags(r, P::kN | P::kV | P::kZ | P::kC, NZBits(result) | CarryBit(carry));
    r.a = result;
}

// Packed BCD digit by digit; digits above 9 are kept to their low four bits.
[[gnu::always_inline]] inline void AddDecimal(formats::TargetRegisterBlock& r, std::uint8_t m) {
    int low = (r.a & 0x0F) + (m & 0x0F) + (r.p & P::kC);
    int carry = 0;
    if (low >= 10) low -= 10, carry = 1;
    int high = (r.a >> 4) + (m >> 4) + carry;
    bool carryOut = high >= 10;
    if (high >= 10) high -= 10;
    SetDecimalResult(r, static_cast<std::uint8_t>((high & 0x0F) << 4 | (low & 0x0F)), carryOut);
}

// The fast interpreter's decimal add: the high digits are added as whole
// nibbles and the sum is corrected once at 0xA0. For digits 0-9 it agrees
// with AddDecimal.
[[gnu::always_inline]] inline void AddDecimalHighNibbles(formats::TargetRegisterBlock& r, std::uint8_t m) {
    int low = (r.a & 0x0F) + (m & 0x0F) + (r.p & P::kC);
    int carry = 0;
    if (low >= 10) low -= 10, carry = 0x10;
    int high = (r.a & 0xF0) + (m & 0xF0) + carry;
    bool carryOut = high >= 0xA0;
    if (high >= 0xA0) high -= 0xA0;
    SetDecimalResult(r, static_cast<std::uint8_t>((high & 0xF0) | (low & 0x0F)), carryOut);
}

[[gnu::always_inline]] inline void SubtractDecimal(formats::TargetRegisterBlock& r, std::uint8_t m) {
    int low = (r.a & 0x0F) - (m & 0x0F) - ((r.p & P::kC) ? 0 : 1);
    int borrow = 0;
    if (low < 0) low += 10, borrow = 1;
    int high = (r.a >> 4) - (m >> 4) - borrow;
    bool carryOut = high >= 0;
    if (high < 0) high += 10;
    SetDecimalResult(r, static_cast<std::uint8_t>((high & 0x0F) << 4 | (low & 0x0F)), carryOut);
}

[[gnu::always_inline]] inline void AddBinary(formats::TargetRegisterBlock& r, std::uint8_t m) {
    unsigned sum = r.a + m + (r.p & P::kC);
    auto result = static_cast<std::uint8_t>(sum);
    std::uint8_t overflow = (~(r.a ^ m) & (r.a ^ result) & 0x80) ? P::kV : 0;
    SetFlags(r, P::kN | P::kV | P::kZ | P::kC, NZBits(result) | overflow | CarryBit(sum > 0xFF));
    r.a = result;
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
    SetFlags(r, P::kN | P::kZ | P::kC, NZBits(static_cast<std::uint8_t>(reg - m)) | CarryBit(reg >= m));
}

[[gnu::always_inline]] inline void Bit(formats::TargetRegisterBlock& r, std::uint8_t m) {
    SetFlags(r, P::kN | P::kV | P::kZ, static_cast<std::uint8_t>((m & (P::kN | P::kV)) | ((r.a & m) == 0 ? P::kZ : 0)));
}

[[gnu::always_inline]] inline std::uint8_t Increment(formats::TargetRegisterBlock& r, std::uint8_t v) {
    return SetNZ(r, static_cast<std::uint8_t>(v + 1));
}

[[gnu::always_inline]] inline std::uint8_t Decrement(formats::TargetRegisterBlock& r, std::uint8_t v) {
    return SetNZ(r, static_cast<std::uint8_t>(v - 1));
}

// The shifts and rotates: the result, with C, N and Z set.
[[gnu::always_inline]] inline std::uint8_t ShiftResult(formats::TargetRegisterBlock& r, unsigned result, bool carry) {
    auto value = static_cast<std::uint8_t>(result);
    SetFlags(r, P::kN | P::kZ | P::kC, NZBits(value) | CarryBit(carry));
    return value;
}

[[gnu::always_inline]] inline std::uint8_t Asl(formats::TargetRegisterBlock& r, std::uint8_t v) {
    return ShiftResult(r, v << 1, v & 0x80);
}

[[gnu::always_inline]] inline std::uint8_t Lsr(formats::TargetRegisterBlock& r, std::uint8_t v) {
    return ShiftResult(r, v >> 1, v & 1);
}

[[gnu::always_inline]] inline std::uint8_t Rol(formats::TargetRegisterBlock& r, std::uint8_t v) {
    return ShiftResult(r, v << 1 | (r.p & P::kC), v & 0x80);
}

[[gnu::always_inline]] inline std::uint8_t Ror(formats::TargetRegisterBlock& r, std::uint8_t v) {
    return ShiftResult(r, v >> 1 | ((r.p & P::kC) ? 0x80 : 0), v & 1);
}

}  // namespace simcpu
