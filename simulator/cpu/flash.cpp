#include "simulator/cpu/flash.h"

#include <algorithm>
#include <cstring>

namespace simcpu {
namespace {

constexpr std::uint8_t kIdMode = 0x80;
constexpr std::uint8_t kSequenceMask = 0x7F;
constexpr std::uint8_t kProgramArmed = 0x13;
constexpr std::uint8_t kEraseUnlocked = 0x23;  // after 80: the second AA 55 follows
constexpr std::uint8_t kEraseArmed = 0x25;
constexpr std::uint32_t kCommandAddress1 = 0x5555;
constexpr std::uint32_t kCommandAddress2 = 0x2AAA;
constexpr std::uint32_t kSectorSize = 0x1000;

void Fill(KernelCore& core, std::uint32_t offset, std::uint32_t length) {
    if (offset >= core.externalRamSize) return;
    length = std::min(length, core.externalRamSize - offset);
    std::memset(core.externalRam + offset, 0xFF, length);
}

// The next flash state for a store; the program command itself is done by the caller.
std::uint8_t NextState(KernelCore& core, std::uint32_t offset, std::uint8_t byte) {
    std::uint8_t state = core.flashState;
    std::uint8_t idMode = state & kIdMode;
    std::uint8_t sequence = state & kSequenceMask;
    std::uint32_t o = offset & 0x7FFF;
    if (idMode && byte == 0xF0) return 0;
    if ((sequence == 0 || sequence == kEraseUnlocked) && byte == 0xAA && o == kCommandAddress1) {
        return state + 1;
    }
    if ((sequence == 1 || sequence == kEraseUnlocked + 1) && byte == 0x55 && o == kCommandAddress2) {
        return state + 1;
    }
    if (sequence == 2 && o == kCommandAddress1) {
        switch (byte) {
            case 0xF0: return 0;
            case 0x90: return kIdMode;
            case 0x80: return idMode | kEraseUnlocked;
            case 0xA0: return idMode | kProgramArmed;
            default: return idMode;
        }
    }
    if (sequence == kEraseArmed) {
        if (byte == 0x30) Fill(core, offset & ~(kSectorSize - 1), kSectorSize);
        if (byte == 0x10 && o == kCommandAddress1) Fill(core, 0, core.externalRamSize);
    }
    return idMode;
}

}  // namespace

std::optional<std::uint8_t> FlashRead(KernelCore& core, std::uint32_t offset) {
    core.flashState &= kIdMode;
    if (!(core.flashState & kIdMode)) return std::nullopt;
    switch (offset % kSectorSize) {
        case 0: return 0xBF;
        case 1: return 0xD7;
        default: return std::nullopt;
    }
}

void FlashCommand(KernelCore& core, std::uint32_t offset, std::uint8_t byte) {
    if ((core.flashState & kSequenceMask) == kProgramArmed) {
        if (offset < core.externalRamSize) core.externalRam[offset] &= byte;
        core.flashState &= kIdMode;
        return;
    }
    core.flashState = NextState(core, offset, byte);
}

}  // namespace simcpu
