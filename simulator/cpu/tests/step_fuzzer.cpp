// Arbitrary bytes as a program: the first bytes pick the registers, the
// memory sizes and the bank registers, the rest fill internal RAM and ROM.
// The checked interpreter and the fast one each run the same machine one
// instruction at a time, with every exception answered "go on", and must
// agree after each instruction until one differs by design (then the checked
// one runs on alone). Neither may touch memory outside the images or hang.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>

#include "simulator/cpu/disassembler.h"
#include "simulator/cpu/io_registers.h"
#include "simulator/cpu/tests/interpreter_agreement.h"
#include "simulator/cpu/tests/machine_fixture.h"

namespace {

using simcpu::testing::MachineFixture;

constexpr int kCompared = 200;  // instructions compared at most

struct Input {
    const std::uint8_t* data;
    std::size_t size;
    std::size_t at = 0;
    std::uint8_t Next() { return at < size ? data[at++] : 0; }
};

// Sizes that leave pages partly backed or beyond their memory.
simcpu::testing::MachineOptions OptionsFrom(Input& in) {
    simcpu::testing::MachineOptions options;
    options.internalRam = 0x300 + (in.Next() << 6);
    options.externalRam = static_cast<std::uint32_t>(in.Next()) << 9;
    options.rom = 0x8000 + (in.Next() << 8);
    options.lcdWidth = 64;
    options.lcdHeight = 32;
    return options;
}

// The bank and I/O registers, the execute table, the registers and the memory from the input.
void Apply(Input in, MachineFixture& m) {
    for (std::uint8_t reg : {0x00, 0x0A, 0x0D, 0x0F, 0x05, 0x06, 0x0C}) m.WriteIo(reg, in.Next());
    m.block().first_table[0] = 0xF1000000u | in.Next() << 8;  // a range of execute entries
    m.block().first_table[1] = 0xD8000000u | in.Next() << 16 | in.Next() << 8;
    auto& r = m.regs();
    r.pc = static_cast<std::uint16_t>(in.Next() << 8 | in.Next());
    r.s = in.Next();
    r.x = in.Next();
    r.y = in.Next();
    r.p = in.Next();
    const std::uint32_t internal = m.core.internalRamSize;
    for (std::size_t i = 0; in.at < in.size; ++i) {
        std::uint8_t byte = in.Next();
        m.ram[0x2000 + i % internal] = byte;
        m.rom[(r.pc + i) % m.rom.size()] = byte;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input in{data, size};
    const simcpu::testing::MachineOptions options = OptionsFrom(in);
    std::unique_ptr<MachineFixture> checked, fast;
    try {
        checked = std::make_unique<MachineFixture>(options);
        fast = std::make_unique<MachineFixture>(options);
    } catch (const std::runtime_error&) {
        return 0;  // a configuration the kernel refuses
    }
    Apply(in, *checked);
    Apply(in, *fast);
    fast->UseFast(true);

    simcpu::DisassembleListing(checked->core, checked->regs().pc, 4 << 16 | 4,
                               simcpu::DisassemblyLayout::Make(1, 8, 12, 6, 20));
    // Both interpreters, one instruction at a time, while they must agree. An
    // exception is a difference by design, so the first one ends the comparison.
    checked->exceptionAnswer = simcpu::ExceptionAnswer::Stop;
    int compared = 0;
    for (; compared < kCompared; ++compared) {
        const simcpu::testing::InstructionStart start = simcpu::testing::StartOf(*checked);
        const simcpu::RunResult result = checked->RunCycles(1);
        fast->RunCycles(1);
        if (simcpu::testing::DiffersByDesign(start, *checked)) break;
        if (std::string difference = simcpu::testing::Disagreement(*checked, *fast); !difference.empty()) {
            std::fprintf(stderr, "the interpreters disagree after instruction %d: %s\n", compared, difference.c_str());
            __builtin_trap();
        }
        if (result == simcpu::RunResult::Ended) break;
    }
    // Then each on alone: the checked one step by step, the fast one through its run loop.
    checked->exceptionAnswer = simcpu::ExceptionAnswer::Continue;
    checked->regs().run_flags |= formats::RunFlag::kRunning;
    for (int i = 0; i < 2000; ++i) {
        if (simcpu::Step(checked->core) != simcpu::StepOutcome::Ran) break;
        checked->exceptions.clear();  // only the comparison reads them
    }
    fast->RunCycles(5000);
    return 0;
}
