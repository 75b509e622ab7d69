#include "simulator/cpu/tests/machine_fixture.h"

#include <algorithm>
#include <stdexcept>

#include "simulator/cpu/io_registers.h"
#include "simulator/cpu/lcd.h"
#include "simulator/cpu/memory_map.h"
#include "simulator/cpu/run_control.h"

namespace simcpu::testing {

MachineFixture::MachineFixture(MachineOptions options) {
    if (options.flatRam) options.internalRam = 0x10000;
    ram.assign(RamImageSize(options.internalRam, options.externalRam), 0);
    rom.assign(options.rom, 0);
    lcdBitmap.assign(std::max(LcdHostBytes(options.lcdWidth, options.lcdHeight, true),
                              LcdHostBytes(options.lcdWidth, options.lcdHeight, false)),
                     0);
    icons.assign(options.lcdHeight, 0);

    KernelConfig config;
    config.internalRamSize = options.internalRam;
    config.externalRamSize = options.externalRam;
    config.romSize = options.rom;
    config.ramImage = ram.data();
    config.romImage = rom.data();
    config.lcdWidth = options.lcdWidth;
    config.lcdHeight = options.lcdHeight;
    config.hostBitmap = options.lcdWidth ? lcdBitmap.data() : nullptr;
    config.iconBuffer = options.lcdHeight ? icons.data() : nullptr;
    config.host = this;
    std::string error = Setup(core, config, InitOption::kColdStart);
    if (!error.empty()) throw std::runtime_error(error);

    if (options.flatRam) {
        for (int page = 0; page < 8; ++page) {
            core.pages[page] = {core.internalRam + page * 0x2000, 0x2000};
            block().page_rights[page] = 0xC0 | formats::PageRight::kInternalRam;
        }
    }
    paints.clear();
}

void MachineFixture::Poke(std::uint16_t address, std::initializer_list<std::uint8_t> bytes) {
    Poke(address, std::vector<std::uint8_t>(bytes));
}

void MachineFixture::Poke(std::uint16_t address, const std::vector<std::uint8_t>& bytes) {
    for (std::uint8_t byte : bytes) {
        Place place = MapAddress(core, address++);
        if (!place.at) throw std::runtime_error("poke into unbacked memory");
        *place.at = byte;
    }
}

std::uint8_t MachineFixture::Peek(std::uint16_t address) const {
    Place place = MapAddress(core, address);
    if (!place.at) throw std::runtime_error("peek at unbacked memory");
    return *place.at;
}

void MachineFixture::Load(std::uint16_t address, std::initializer_list<std::uint8_t> code) {
    Poke(address, code);
    regs().pc = address;
}

StepOutcome MachineFixture::StepOnce() {
    regs().run_flags |= formats::RunFlag::kRunning;
    return Step(core);
}

bool MachineFixture::RunUntil(std::uint16_t address, int limit) {
    for (int i = 0; i < limit; ++i) {
        if (regs().pc == address) return true;
        if (StepOnce() == StepOutcome::Ended) return false;
    }
    return regs().pc == address;
}

void MachineFixture::UseFast(bool fast) {
    std::uint8_t& mode = regs().mode;
    mode = static_cast<std::uint8_t>(fast ? (mode | formats::ModeBit::kFastInterpreter)
                                          : (mode & ~formats::ModeBit::kFastInterpreter));
}

RunResult MachineFixture::RunCycles(std::uint64_t cycles) {
    core.cycleLimit = core.cycleCount + cycles;
    std::size_t notices = stops.size();
    RunResult result = Run(core);
    bool bound = core.cycleCount >= core.cycleLimit;
    core.cycleLimit = UINT64_MAX;
    if (bound && result == RunResult::Stopped) {
        core.controlFlags &= static_cast<std::uint8_t>(~ControlFlag::kStopRequest);
        if (stops.size() > notices && stops.back() == kStoppedCode) {
            stops.pop_back();
            stopPcs.pop_back();
        }
    }
    return result;
}

void MachineFixture::PokeRom(std::uint16_t address, std::initializer_list<std::uint8_t> bytes) {
    std::copy(bytes.begin(), bytes.end(), rom.begin() + (address - 0x8000));
}

void MachineFixture::WriteIo(std::uint8_t reg, std::uint8_t value) {
    block().write_latches[reg] = value;
    ApplyIoWrite(core, reg);
}

bool MachineFixture::PostStop(std::uint32_t code) {
    stops.push_back(code);
    stopPcs.push_back(regs().pc);
    return resumeAfterStop;
}

ExceptionAnswer MachineFixture::AskException(std::uint16_t address, int code) {
    exceptions.push_back({address, code});
    return exceptionAnswer;
}

void MachineFixture::PaintLcd(unsigned flags) { paints.push_back(flags); }

void MachineFixture::QueueWait() { ++queueWaits; }

}  // namespace simcpu::testing
