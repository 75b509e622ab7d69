#include "simulator/cpu/keyboard.h"

#include <algorithm>
#include <span>

namespace simcpu {
namespace {

KeyEntry FromCode(std::uint32_t code) {
    // The matrix keeps the code's two middle bytes swapped.
    return {static_cast<std::uint8_t>(code), static_cast<std::uint8_t>(code >> 16),
            static_cast<std::uint8_t>(code >> 8), static_cast<std::uint8_t>(code >> 24)};
}

bool IsWakeKey(const KeyEntry& key) { return key.k2 || key.k3; }

std::span<const KeyEntry> HeldKeys(const KernelCore& core) { return {core.keyList.keys.data(), core.keyList.keyCount}; }

}  // namespace

void KeyInput(KernelCore& core, std::uint32_t code, bool down) {
    if (!(core.regs().run_flags & formats::RunFlag::kRunning)) return;
    KeyList& list = core.keyList;
    KeyEntry key = FromCode(code);
    auto held = HeldKeys(core);
    auto found = std::find(held.rbegin(), held.rend(), key);
    if (down) {
        if (list.keyCount == kMaxKeys || found != held.rend()) return;
        list.keys[list.keyCount++] = key;
        if (IsWakeKey(key)) {
            ++list.wakeKeyCount;
            core.controlFlags |= ControlFlag::kWakeKeys;
        }
        return;
    }
    if (found == held.rend()) return;
    std::size_t index = held.size() - 1 - static_cast<std::size_t>(found - held.rbegin());
    list.keys[index] = list.keys[--list.keyCount];
    if (IsWakeKey(key) && list.wakeKeyCount > 0 && --list.wakeKeyCount == 0) {
        core.controlFlags &= static_cast<std::uint8_t>(~ControlFlag::kWakeKeys);
    }
}

std::uint8_t ReadKeyLines08(const KernelCore& core) {
    std::uint8_t lines = 0;
    for (const KeyEntry& key : HeldKeys(core)) {
        if (key.k1 & core.keptIo[0x09]) lines |= key.k0;
    }
    return lines;
}

std::uint8_t ReadKeyLines09(const KernelCore& core) {
    std::uint8_t lines = 0;
    for (const KeyEntry& key : HeldKeys(core)) {
        if (key.k0 & core.keptIo[0x08]) lines |= key.k1;
    }
    return lines;
}

bool KeyLine(const KernelCore& core) {
    if (core.controlFlags & ControlFlag::kPowerKey) return false;
    std::uint8_t undriven08 = static_cast<std::uint8_t>(~core.keptIo[0x08]);
    std::uint8_t undriven09 = static_cast<std::uint8_t>(~core.keptIo[0x09]);
    for (const KeyEntry& key : HeldKeys(core)) {
        if ((key.k1 & undriven09) && (key.k2 & 1)) return false;
        if ((key.k0 & undriven08) && (key.k3 & 1)) return false;
    }
    return true;
}

}  // namespace simcpu
