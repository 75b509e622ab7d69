#pragma once
// The LCD controller: where its memory starts, switching it on and off, and the
// refresh of that memory into the host's 1-bit bitmap and icon column.
#include <cstdint>

#include "simulator/cpu/kernel_core.h"

namespace simcpu {

inline constexpr std::uint32_t kMaxLcdRowBytes = 256;  // 2048 pixels a row

// Bytes of the host bitmap for an LCD of this size, upright or rotated.
std::uint32_t LcdHostStride(std::uint32_t width, std::uint32_t height, bool rotated);
std::uint32_t LcdHostBytes(std::uint32_t width, std::uint32_t height, bool rotated);

// Recomputes lcdStart from $06, $0B and $0C. With `check`, an LCD memory that
// runs past $FFFF raises CPU exception 10 at the current instruction.
void SetLcdStart(KernelCore& core, bool check);

// The LCD's memory changed: it is refreshed once its countdown, started now
// if it was clean, runs out.
inline void MarkDirty(KernelCore& core) {
    if (!(core.state & StateBit::kLcdDirty)) core.lcdCountdown = core.lcdPeriod;
    core.state |= StateBit::kLcdDirty;
}

inline bool InLcdMemory(const KernelCore& core, std::uint16_t address) {
    return address >= core.lcdStart && std::uint32_t{address} - core.lcdStart < core.lcdBytes;
}

// A store at `address` into the LCD memory makes the LCD dirty. Inline: the
// checked interpreter notes every store.
inline void NoteStore(KernelCore& core, std::uint16_t address) {
    if (InLcdMemory(core, address)) MarkDirty(core);
}

void LcdSwitch(KernelCore& core, bool on);

// Takes a new host bitmap (rotated per control flag bit 5), zeroes it and refreshes.
void LcdGeometry(KernelCore& core, std::uint8_t* hostBitmap);

void RefreshLcd(KernelCore& core);

}  // namespace simcpu
