#pragma once
// The fast interpreter's registers for the length of a run, with the flags
// most instructions set kept lazily: N and Z as the last result, C as 0 or 1
// and V as its bit, so an instruction stores its result instead of merging
// bits into P. P is put together only where something reads it whole (PHP,
// BRK, decimal arithmetic, the registers handed back to the block).
#include <cstdint>

#include "formats/cpu_block.h"
#include "simulator/cpu/alu.h"

namespace simcpu {

struct FastRegisters {
    std::uint16_t pc = 0;
    std::uint8_t a = 0, x = 0, y = 0, s = 0;
    std::uint8_t rest = 0;      // the bits of P but N, V, Z and C
    std::uint8_t overflow = 0;  // P::kV or 0
    std::uint32_t carry = 0;    // 0 or 1
    // Z while the low byte is zero, N while bit 7 or bit 8 is set: bit 8
    // lets BIT set N together with Z.
    std::uint32_t nz = 1;

    [[gnu::always_inline]] bool Negative() const { return nz & 0x180; }
    [[gnu::always_inline]] bool Zero() const { return !(nz & 0xFF); }

    [[gnu::always_inline]] std::uint8_t P() const {
        return static_cast<std::uint8_t>(rest | overflow | carry | (Zero() ? P::kZ : 0) | (Negative() ? P::kN : 0));
    }

    [[gnu::always_inline]] void SetP(std::uint8_t p) {
        rest = static_cast<std::uint8_t>(p & ~(P::kN | P::kV | P::kZ | P::kC));
        overflow = p & P::kV;
        carry = p & P::kC;
        nz = ((p & P::kZ) ? 0u : 1u) | ((p & P::kN) ? 0x100u : 0u);
    }

    [[gnu::always_inline]] std::uint8_t SetNZ(std::uint8_t value) {
        nz = value;
        return value;
    }

    [[gnu::always_inline]] void AddBinary(std::uint8_t m) {
        unsigned sum = a + m + carry;
        auto result = static_cast<std::uint8_t>(sum);
        overflow = static_cast<std::uint8_t>((~(a ^ m) & (a ^ result) & 0x80) >> 1);
        carry = sum >> 8;
        a = SetNZ(result);
    }

    [[gnu::always_inline]] void Compare(std::uint8_t reg, std::uint8_t m) {
        carry = reg >= m;
        SetNZ(static_cast<std::uint8_t>(reg - m));
    }

    [[gnu::always_inline]] void Bit(std::uint8_t m) {
        overflow = m & P::kV;
        nz = (a & m) | (m & 0x80u) << 1;
    }

    // The shifts and rotates of a value: the result, with C, N and Z set.
    [[gnu::always_inline]] std::uint8_t Asl(std::uint8_t v) { return Shifted(v << 1, v >> 7); }
    [[gnu::always_inline]] std::uint8_t Lsr(std::uint8_t v) { return Shifted(v >> 1, v & 1); }
    [[gnu::always_inline]] std::uint8_t Rol(std::uint8_t v) { return Shifted(v << 1 | carry, v >> 7); }
    [[gnu::always_inline]] std::uint8_t Ror(std::uint8_t v) { return Shifted(v >> 1 | carry << 7, v & 1); }
    [[gnu::always_inline]] std::uint8_t Increment(std::uint8_t v) { return SetNZ(static_cast<std::uint8_t>(v + 1)); }
    [[gnu::always_inline]] std::uint8_t Decrement(std::uint8_t v) { return SetNZ(static_cast<std::uint8_t>(v - 1)); }

    // A rule of alu.h on A and the whole P (the decimal arithmetic).
    template <typename Rule>
    [[gnu::always_inline]] void OnWholeP(Rule rule) {
        formats::TargetRegisterBlock block{};
        block.a = a;
        block.p = P();
        rule(block);
        a = block.a;
        SetP(block.p);
    }

private:
    [[gnu::always_inline]] std::uint8_t Shifted(unsigned result, unsigned carryOut) {
        carry = carryOut;
        return SetNZ(static_cast<std::uint8_t>(result));
    }
};

}  // namespace simcpu
