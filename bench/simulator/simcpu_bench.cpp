// Hot paths of the simulator core: the checked interpreter's step, the LCD
// refresh and the disassembly listing.
#include <benchmark/benchmark.h>

#include "simulator/cpu/disassembler.h"
#include "simulator/cpu/lcd.h"
#include "simulator/cpu/tests/machine_fixture.h"

namespace {

using simcpu::testing::MachineFixture;

// A copy loop with a load, an add, a store and a branch per byte, in internal RAM.
void LoadCopyLoop(MachineFixture& m) {
    m.Load(0x0200, {
                       0xA2, 0x00,        // start: LDX #0
                       0xBD, 0x00, 0x20,  // loop:  LDA $2000,X
                       0x69, 0x01,        //        ADC #1
                       0x9D, 0x00, 0x21,  //        STA $2100,X
                       0xE8,              //        INX
                       0xD0, 0xF5,        //        BNE loop
                       0x4C, 0x00, 0x02,  //        JMP start
                   });
}

void BM_CheckedStep(benchmark::State& state) {
    MachineFixture m;
    LoadCopyLoop(m);
    m.regs().run_flags |= formats::RunFlag::kRunning;
    for (auto _ : state) {
        for (int i = 0; i < 1000; ++i) simcpu::Step(m.core);
    }
    state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(BM_CheckedStep);

void BM_CheckedStepWithBreakpoints(benchmark::State& state) {
    MachineFixture m;
    LoadCopyLoop(m);
    // A full first table of entries that never hit, as a long debugging session leaves it.
    for (std::uint32_t i = 0; i < 100; ++i) m.block().first_table[i] = 0xEC000000 | (0x9000 + i);
    m.regs().run_flags |= formats::RunFlag::kRunning;
    for (auto _ : state) {
        for (int i = 0; i < 1000; ++i) simcpu::Step(m.core);
    }
    state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(BM_CheckedStepWithBreakpoints);

void BM_RefreshLcd(benchmark::State& state) {
    MachineFixture m({.lcdWidth = 160, .lcdHeight = 80});
    m.WriteIo(0x06, 0x80);  // LCD memory at $0800
    m.WriteIo(0x05, 0x08);
    for (auto _ : state) simcpu::RefreshLcd(m.core);
}
BENCHMARK(BM_RefreshLcd);

void BM_DisassembleListing(benchmark::State& state) {
    MachineFixture m;
    LoadCopyLoop(m);
    for (auto _ : state) {
        auto listing =
            simcpu::DisassembleListing(m.core, 0x0208, 10 << 16 | 30, simcpu::DisassemblyLayout::Make(1, 8, 12, 6, 24));
        benchmark::DoNotOptimize(listing.text.data());
    }
}
BENCHMARK(BM_DisassembleListing);

}  // namespace
