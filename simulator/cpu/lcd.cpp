#include "simulator/cpu/lcd.h"

#include <cstring>

#include "simulator/cpu/run_control.h"
#include "simulator/cpu/memory_map.h"

namespace simcpu {
namespace {

using namespace formats;

constexpr std::uint16_t kStartMasks[4] = {0x3FF0, 0x1FF0, 0x0FF0, 0x07F0};

std::uint32_t RoundUpTo4(std::uint32_t value) { return (value + 3) & ~3u; }

bool LcdOn(const KernelCore& core) { return core.block->write_latches[0x05] & 0x08; }

void SetPixel(std::uint8_t* row, std::uint32_t column, bool on) {
    std::uint8_t bit = static_cast<std::uint8_t>(0x80 >> (column & 7));
    if (on) {
        row[column >> 3] |= bit;
    } else {
        row[column >> 3] &= static_cast<std::uint8_t>(~bit);
    }
}

void StoreRow(KernelCore& core, std::uint32_t r, const std::uint8_t* pixels) {
    if (core.iconBuffer) {
        std::uint8_t icon = pixels[0] & 0x80;
        std::uint8_t changed = (icon != (core.iconBuffer[r] & 0x80)) ? 1 : 0;
        core.iconBuffer[r] = icon | changed;
    }
    if (!core.hostBitmap) return;
    if (!(core.controlFlags & ControlFlag::kLcdRotated)) {
        std::memcpy(core.hostBitmap + (core.lcdHeight - 1 - r) * core.hostStride, pixels, core.lcdRowBytes);
        return;
    }
    for (std::uint32_t c = 0; c < core.lcdWidth; ++c) {
        bool on = pixels[c >> 3] & (0x80 >> (c & 7));
        SetPixel(core.hostBitmap + (core.lcdWidth - 1 - c) * core.hostStride, core.lcdHeight - 1 - r, on);
    }
}

// Copies the LCD memory row by row through the address map; an unreadable
// part, or the end of the address space, ends the copy.
void CopyLcdMemory(KernelCore& core) {
    std::uint8_t row[kMaxLcdRowBytes];
    if (core.lcdRowBytes > kMaxLcdRowBytes) return;
    std::uint32_t address = core.lcdStart;
    for (std::uint32_t r = 0; r < core.lcdHeight; ++r) {
        for (std::uint32_t i = 0; i < core.lcdRowBytes; ++i, ++address) {
            if (address > 0xFFFF) return;
            Place place = MapAddress(core, static_cast<std::uint16_t>(address));
            if (!place.readable()) return;
            row[i] = *place.at;
        }
        StoreRow(core, r, row);
    }
}

}  // namespace

std::uint32_t LcdHostStride(std::uint32_t width, std::uint32_t height, bool rotated) {
    return RoundUpTo4(((rotated ? height : width) + 7) / 8);
}

std::uint32_t LcdHostBytes(std::uint32_t width, std::uint32_t height, bool rotated) {
    return LcdHostStride(width, height, rotated) * (rotated ? width : height);
}

void SetLcdStart(KernelCore& core, bool check) {
    const std::uint8_t* latch = core.block->write_latches;
    std::uint32_t start = ((latch[0x0C] & 3u) << 8 | latch[0x06]) << 4;
    start &= kStartMasks[(latch[0x0B] >> 5) & 3];
    core.lcdStart = static_cast<std::uint16_t>(start);
    if (check && start + core.lcdBytes > 0x10000) RaiseException(core, core.instructionPC, 10);
    MarkDirty(core);
}

void LcdSwitch(KernelCore& core, bool on) {
    if (!on && core.iconBuffer) std::memset(core.iconBuffer, 0, core.lcdHeight);
    core.state &= static_cast<std::uint8_t>(~StateBit::kLcdDirty);
    core.lcdCountdown = core.lcdPeriod;
    RefreshLcd(core);
}

void LcdGeometry(KernelCore& core, std::uint8_t* hostBitmap) {
    bool rotated = core.controlFlags & ControlFlag::kLcdRotated;
    core.lcdRowBytes = (core.lcdWidth + 7) / 8;
    core.lcdBytes = core.lcdRowBytes * core.lcdHeight;
    core.hostStride = LcdHostStride(core.lcdWidth, core.lcdHeight, rotated);
    core.hostBytes = LcdHostBytes(core.lcdWidth, core.lcdHeight, rotated);
    core.hostBitmap = hostBitmap;
    if (hostBitmap) std::memset(hostBitmap, 0, core.hostBytes);
    RefreshLcd(core);
}

void RefreshLcd(KernelCore& core) {
    bool on = LcdOn(core);
    if (on) CopyLcdMemory(core);
    bool justOn = on && !core.lcdWasOn;
    core.lcdWasOn = on;
    if (core.controlFlags & (ControlFlag::kStopRequest | ControlFlag::kExitRequest)) return;
    if (!core.host) return;
    core.state |= StateBit::kPainting;
    core.host->PaintLcd((on ? 1u : 0u) | (justOn ? 2u : 0u));
    core.state &= static_cast<std::uint8_t>(~StateBit::kPainting);
}

}  // namespace simcpu
