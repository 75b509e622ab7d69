#include "simulator/cpu/operand_info.h"

#include <optional>

#include "simulator/cpu/memory_map.h"
#include "simulator/cpu/opcode_table.h"

namespace simcpu {
namespace {

using namespace formats;

std::optional<std::uint8_t> ReadByte(const KernelCore& core, std::uint32_t address) {
    if (address > 0xFFFF) return std::nullopt;
    Place place = MapAddress(core, static_cast<std::uint16_t>(address));
    if (!place.readable()) return std::nullopt;
    return *place.at;
}

std::optional<std::uint16_t> ReadWord(const KernelCore& core, std::uint32_t address) {
    auto low = ReadByte(core, address);
    auto high = ReadByte(core, address + 1);
    if (!low || !high) return std::nullopt;
    return static_cast<std::uint16_t>(*low | *high << 8);
}

// The operand address the instruction at `pc` would use, if its mode has one.
std::optional<std::uint32_t> OperandAddress(const KernelCore& core, std::uint16_t pc, Mode mode) {
    const TargetRegisterBlock& r = core.regs();
    auto zp = [&] { return ReadByte(core, pc + 1u); };
    auto abs = [&] { return ReadWord(core, pc + 1u); };
    std::optional<std::uint32_t> none;
    switch (mode) {
        case Mode::Absolute:
        case Mode::Indirect:
            if (auto a = abs()) return *a;
            return none;
        case Mode::AbsoluteX:
            if (auto a = abs()) return (*a + r.x) & 0xFFFF;
            return none;
        case Mode::AbsoluteY:
            if (auto a = abs()) return (*a + r.y) & 0xFFFF;
            return none;
        case Mode::ZeroPage:
            if (auto z = zp()) return *z;
            return none;
        case Mode::ZeroPageX:
        case Mode::ZeroPageY: {
            auto z = zp();
            if (!z) return none;
            std::uint32_t sum = *z + (mode == Mode::ZeroPageX ? r.x : r.y);
            return sum < 0xFF ? std::optional<std::uint32_t>(sum) : none;
        }
        case Mode::IndirectX: {
            auto z = zp();
            if (!z || *z + r.x >= 0xFF) return none;
            if (auto a = ReadWord(core, *z + r.x)) return *a;
            return none;
        }
        case Mode::IndirectY: {
            auto z = zp();
            if (!z || *z == 0xFF) return none;
            auto base = ReadWord(core, *z);
            if (!base || *base + r.y > 0xFFFF) return none;
            return *base + r.y;
        }
        default: return none;
    }
}

}  // namespace

void ComputeOperandInfo(KernelCore& core) {
    TargetRegisterBlock& r = core.regs();
    r.operand_address = 0;
    r.operand_value = 0;
    r.operand_flags = 0;
    auto opcode = ReadByte(core, r.pc);
    if (!opcode) return;
    Mode mode = OpcodeTable()[*opcode].mode();
    auto address = OperandAddress(core, r.pc, mode);
    if (!address) return;
    r.operand_address = static_cast<std::uint16_t>(*address);
    r.operand_flags = OperandFlag::kAddressValid;
    if (mode == Mode::Indirect) {
        if (auto word = ReadWord(core, *address)) {
            r.operand_value = *word;
            r.operand_flags |= OperandFlag::kValueValid | OperandFlag::kValueIsWord;
        }
    } else if (auto byte = ReadByte(core, *address)) {
        r.operand_value = *byte;
        r.operand_flags |= OperandFlag::kValueValid;
    }
}

}  // namespace simcpu
