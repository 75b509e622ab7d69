#pragma once
// Setting up the core over its memories and (re)initialising the machine.
#include <cstdint>
#include <string>

#include "simulator/cpu/kernel_core.h"

namespace simcpu {

// What the window side hands the core before the machine starts.
struct KernelConfig {
    std::uint32_t internalRamSize = 16384;
    std::uint32_t externalRamSize = 524288;
    std::uint32_t romSize = 0;
    std::uint8_t* ramImage = nullptr;  // 0x2000 + internal + external RAM bytes
    std::uint8_t* romImage = nullptr;
    std::uint32_t lcdWidth = 0;
    std::uint32_t lcdHeight = 0;
    std::uint8_t* hostBitmap = nullptr;  // LcdHostBytes() bytes, may be null
    std::uint8_t* iconBuffer = nullptr;  // lcdHeight bytes, may be null
    std::uint32_t lcdPeriod = 648000;
    std::uint32_t timerPeriod = 14400;
    std::uint32_t nmiPeriod = 1296000;
    CoreHost* host = nullptr;
};

// InitMachine option bits.
namespace InitOption {
inline constexpr unsigned kColdStart = 0x01;
inline constexpr unsigned kFastInterpreter = 0x02;
}  // namespace InitOption

// Vectors sit at the top of ROM page 7, so the ROM must cover all four reset pages.
inline constexpr std::uint32_t kMinRomSize = 0x8000;
// The stack page and every choice of the low block ($0F) lie in the first 0x300 bytes.
inline constexpr std::uint32_t kMinInternalRamSize = 0x300;

// Size of the RAM image that a configuration needs.
std::uint64_t RamImageSize(std::uint32_t internalRamSize, std::uint32_t externalRamSize);

// Checks the memories, clears the ignored exceptions, records the sizes in the
// block header, takes the configuration and initialises the machine. Returns
// an empty string on success, else a message naming what is wrong; the core is
// then left unusable.
std::string Setup(KernelCore& core, const KernelConfig& config, unsigned options);

// Machine start and reset of kind 2: the core's own state, the block header,
// the reset mapping, registers per `options`, and the reset vector.
void InitMachine(KernelCore& core, unsigned options);

}  // namespace simcpu
