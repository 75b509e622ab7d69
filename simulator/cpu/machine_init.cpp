#include "simulator/cpu/machine_init.h"

#include <cstring>

#include "simulator/cpu/lcd.h"
#include "simulator/cpu/memory_map.h"

namespace simcpu {
namespace {

using namespace formats;

constexpr int kResetCycles = 6;

std::string CheckConfig(const KernelConfig& config) {
    if (!config.ramImage || !config.romImage) return "The RAM or ROM image is missing.";
    if (reinterpret_cast<std::uintptr_t>(config.ramImage) % alignof(TargetControlBlock) != 0) {
        return "The RAM image is not aligned for the CPU and I/O block.";
    }
    if (config.romSize < kMinRomSize) {
        return "The ROM image holds " + std::to_string(config.romSize) +
               " bytes; it needs at least 32768 for the reset pages and vectors.";
    }
    if (config.internalRamSize < kMinInternalRamSize) {
        return "The internal RAM size " + std::to_string(config.internalRamSize) +
               " is too small; it needs at least 768 bytes for the stack and the low block.";
    }
    if ((config.lcdWidth + 7) / 8 > kMaxLcdRowBytes || config.lcdHeight > 0xFFFF) {
        return "The LCD size " + std::to_string(config.lcdWidth) + " x " + std::to_string(config.lcdHeight) +
               " is larger than the core supports.";
    }
    if (RamImageSize(config.internalRamSize, config.externalRamSize) > 0xFFFFFFFFu) {
        return "The RAM sizes are too large for one RAM image.";
    }
    return {};
}

void ClearCoreState(KernelCore& core) {
    core.state = 0;
    core.cycles = 0;
    core.controlFlags = 0;
    core.resetRequest = ResetKind::kNone;
    core.flashState = 0;
    core.keyList = {};
    core.breakPlaces = {};
    core.breakSummary.valid = false;
    core.scratch = {};
    core.keptIo = {};
    core.stopIndex = 0;
    core.lcdStart = 0;
    core.lcdWasOn = false;
    if (core.iconBuffer) std::memset(core.iconBuffer, 0, core.lcdHeight);
    core.lcdCountdown = core.lcdPeriod;
    core.timerCountdown = core.timerPeriod;
    core.nmiCountdown = core.nmiPeriod;
    core.cycleCount = 0;
}

void WriteHeader(TargetControlBlock& block) {
    block.magic = kBlockMagic;
    block.host_to_device = {};
    block.device_to_host = {};
    block.register_block_offset = kRegisterBlockOffset;
    block.write_latch_offset = kWriteLatchOffset;
    block.read_latch_offset = kReadLatchOffset;
    block.first_table_offset = kFirstTableOffset;
    block.second_table_offset = kSecondTableOffset;
    block.register_block_size = sizeof(TargetRegisterBlock);
    block.write_latch_size = kIoRegisterCount;
    block.read_latch_size = kIoRegisterCount;
    block.first_table_bytes = sizeof(block.first_table);
    block.second_table_bytes = sizeof(block.second_table);
    block.reserved = 0;
}

// The reset's cycles go into the clock as an instruction's would; the timer
// expires regardless of $04.
void CountResetCycles(KernelCore& core) {
    core.cycleCount += kResetCycles;
    core.timerCountdown -= kResetCycles;
    if (core.timerCountdown <= 0) {
        core.timerCountdown = core.timerPeriod;
        core.block->read_latches[0x01] |= 0x08;
        core.regs().run_flags |= RunFlag::kIrqPending;
    }
    core.nmiCountdown -= kResetCycles;
    if (core.nmiCountdown <= 0) {
        core.nmiCountdown = core.nmiPeriod;
        core.regs().run_flags |= RunFlag::kNmiPending;
    }
}

}  // namespace

std::uint64_t RamImageSize(std::uint32_t internalRamSize, std::uint32_t externalRamSize) {
    return std::uint64_t{kBlockSize} + internalRamSize + externalRamSize;
}

std::string Setup(KernelCore& core, const KernelConfig& config, unsigned options) {
    core = KernelCore{};
    if (std::string error = CheckConfig(config); !error.empty()) return error;
    core.block = reinterpret_cast<TargetControlBlock*>(config.ramImage);
    core.block->internal_ram_size = config.internalRamSize;
    core.block->rom_size = config.romSize;
    core.block->external_ram_size = config.externalRamSize;
    core.ramImage = config.ramImage;
    core.internalRam = config.ramImage + kBlockSize;
    core.externalRam = core.internalRam + config.internalRamSize;
    core.rom = config.romImage;
    core.internalRamSize = config.internalRamSize;
    core.externalRamSize = config.externalRamSize;
    core.romSize = config.romSize;
    core.lcdWidth = config.lcdWidth;
    core.lcdHeight = config.lcdHeight;
    core.hostBitmap = config.hostBitmap;
    core.iconBuffer = config.iconBuffer;
    core.lcdPeriod = config.lcdPeriod;
    core.timerPeriod = config.timerPeriod;
    core.nmiPeriod = config.nmiPeriod;
    core.host = config.host;
    InitMachine(core, options);
    return {};
}

void InitMachine(KernelCore& core, unsigned options) {
    ClearCoreState(core);
    TargetControlBlock& block = *core.block;
    WriteHeader(block);

    if (options & InitOption::kColdStart) {
        block.registers = {};
        std::memset(block.write_latches, 0, kBlockSize - kWriteLatchOffset);
        std::memset(core.internalRam, 0, core.internalRamSize);
    } else {
        auto* runState = reinterpret_cast<std::uint8_t*>(&block.registers.run_flags);
        std::memset(runState, 0, sizeof(TargetRegisterBlock) - offsetof(TargetRegisterBlock, run_flags));
        std::memset(block.write_latches, 0, kBlockSize - kWriteLatchOffset);
    }
    ResetMapping(core);
    if (options & InitOption::kFastInterpreter) block.registers.mode |= ModeBit::kFastInterpreter;
    LcdGeometry(core, core.hostBitmap);

    block.registers.p |= RegisterP::kI;
    block.registers.pc = VectorWord(core, 0xFFFC);
    CountResetCycles(core);
}

}  // namespace simcpu
