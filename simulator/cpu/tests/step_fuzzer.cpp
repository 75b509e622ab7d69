// Arbitrary bytes as a program: the first bytes pick the registers, the
// memory sizes and the bank registers, the rest fill internal RAM and ROM. The
// checked interpreter then runs with every exception answered "go on", and the
// fast one after it; neither may touch memory outside the images or hang.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "simulator/cpu/checked_step.h"
#include "simulator/cpu/disassembler.h"
#include "simulator/cpu/io_registers.h"
#include "simulator/cpu/lcd.h"
#include "simulator/cpu/machine_init.h"
#include "simulator/cpu/run_loop.h"

namespace {

class GoOnHost : public simcpu::CoreHost {
public:
    bool PostStop(std::uint32_t) override { return true; }
    simcpu::ExceptionAnswer AskException(std::uint16_t, int) override { return simcpu::ExceptionAnswer::Continue; }
    void PaintLcd(unsigned) override {}
    void QueueWait() override {}
};

struct Input {
    const std::uint8_t* data;
    std::size_t size;
    std::size_t at = 0;
    std::uint8_t Next() { return at < size ? data[at++] : 0; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input in{data, size};
    // Sizes that leave pages partly backed or beyond their memory.
    std::uint32_t internal = 0x300 + (in.Next() << 6);
    std::uint32_t external = static_cast<std::uint32_t>(in.Next()) << 9;
    std::uint32_t romSize = 0x8000 + (in.Next() << 8);
    std::vector<std::uint8_t> ram(simcpu::RamImageSize(internal, external));
    std::vector<std::uint8_t> rom(romSize);
    std::vector<std::uint8_t> bitmap(simcpu::LcdHostBytes(64, 32, false));
    std::vector<std::uint8_t> icons(32);
    GoOnHost host;

    simcpu::KernelConfig config;
    config.internalRamSize = internal;
    config.externalRamSize = external;
    config.romSize = romSize;
    config.ramImage = ram.data();
    config.romImage = rom.data();
    config.lcdWidth = 64;
    config.lcdHeight = 32;
    config.hostBitmap = bitmap.data();
    config.iconBuffer = icons.data();
    config.host = &host;
    simcpu::KernelCore core;
    if (!simcpu::Setup(core, config, simcpu::InitOption::kColdStart).empty()) return 0;

    for (std::uint8_t reg : {0x00, 0x0A, 0x0D, 0x0F, 0x05, 0x06, 0x0C}) {
        core.block->write_latches[reg] = in.Next();
        simcpu::ApplyIoWrite(core, reg);
    }
    core.block->first_table[0] = 0xF1000000u | in.Next() << 8;  // a range of execute entries
    core.block->first_table[1] = 0xD8000000u | in.Next() << 16 | in.Next() << 8;
    auto& r = core.block->registers;
    r.pc = static_cast<std::uint16_t>(in.Next() << 8 | in.Next());
    r.s = in.Next();
    r.x = in.Next();
    r.y = in.Next();
    r.p = in.Next();
    for (std::size_t i = 0; in.at < size; ++i) {
        std::uint8_t byte = in.Next();
        ram[0x2000 + i % internal] = byte;
        rom[(r.pc + i) % romSize] = byte;
    }

    simcpu::DisassembleListing(core, r.pc, 4 << 16 | 4, simcpu::DisassemblyLayout::Make(1, 8, 12, 6, 20));
    r.run_flags |= formats::RunFlag::kRunning;
    for (int i = 0; i < 2000; ++i) {
        if (simcpu::Step(core) != simcpu::StepOutcome::Ran) break;
    }

    // The same machine in the fast interpreter, through the run loop.
    r.mode |= formats::ModeBit::kFastInterpreter;
    core.controlFlags = 0;
    core.cycleLimit = core.cycleCount + 5000;
    simcpu::Run(core);
    return 0;
}
