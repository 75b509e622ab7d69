#pragma once
// One switch over the opcode byte that hands each opcode to a handler
// specialised for it: `fn.template operator()<Opcode>()`. The interpreters
// fold the compile-time table into each specialisation, so an instruction
// costs one dispatch and none of its mode or operation tests.
#include <cstdint>

namespace simcpu {

#define KIT_OPCODE_CASE(n) \
    case n: \
        return fn.template operator()<n>();
#define KIT_OPCODE_CASES4(n) KIT_OPCODE_CASE(n) KIT_OPCODE_CASE(n + 1) KIT_OPCODE_CASE(n + 2) KIT_OPCODE_CASE(n + 3)
#define KIT_OPCODE_CASES16(n) \
    KIT_OPCODE_CASES4(n) KIT_OPCODE_CASES4(n + 4) KIT_OPCODE_CASES4(n + 8) KIT_OPCODE_CASES4(n + 12)
#define KIT_OPCODE_CASES64(n) \
    KIT_OPCODE_CASES16(n) KIT_OPCODE_CASES16(n + 16) KIT_OPCODE_CASES16(n + 32) KIT_OPCODE_CASES16(n + 48)

template <typename Fn>
[[gnu::always_inline]] inline auto DispatchOpcode(std::uint8_t opcode, Fn&& fn) {
    switch (opcode) {
        KIT_OPCODE_CASES64(0x00)
        KIT_OPCODE_CASES64(0x40)
        KIT_OPCODE_CASES64(0x80)
        KIT_OPCODE_CASES64(0xC0)
    }
    __builtin_unreachable();  // every byte has its case
}

#undef KIT_OPCODE_CASES64
#undef KIT_OPCODE_CASES16
#undef KIT_OPCODE_CASES4
#undef KIT_OPCODE_CASE

}  // namespace simcpu
