// Emulated MHz of both interpreters through the run loop, on the kinds of
// code a device program runs: an ALU and branch loop, a copy whose indexed
// accesses cross pages, banked code that stores into the LCD memory, and the
// checked interpreter with full breakpoint tables that never hit.
#include <benchmark/benchmark.h>

#include "simulator/cpu/tests/machine_fixture.h"

namespace {

using simcpu::testing::MachineFixture;
using simcpu::testing::MachineOptions;

constexpr std::uint64_t kSliceCycles = 1'000'000;

void AluLoop(MachineFixture& m) {
    m.Load(0x0200, {
                       0xA2, 0x00,        // start: LDX #0
                       0xA5, 0x80,        // loop:  LDA $80
                       0x69, 0x03,        //        ADC #3
                       0x45, 0x81,        //        EOR $81
                       0x85, 0x80,        //        STA $80
                       0xC9, 0x40,        //        CMP #$40
                       0x90, 0x01,        //        BCC +1
                       0xE8,              //        INX
                       0xCA,              //        DEX
                       0xE8,              //        INX
                       0xD0, 0xEF,        //        BNE loop
                       0x4C, 0x00, 0x02,  //        JMP start
                   });
}

// LDA $20F0,Y / STA $21F8,Y over 256 bytes: most accesses cross a page.
void PageCrossingCopy(MachineFixture& m) {
    m.Load(0x0200, {
                       0xA0, 0x00,        // start: LDY #0
                       0xB9, 0xF0, 0x20,  // loop:  LDA $20F0,Y
                       0x99, 0xF8, 0x21,  //        STA $21F8,Y
                       0xC8,              //        INY
                       0xD0, 0xF7,        //        BNE loop
                       0x4C, 0x00, 0x02,  //        JMP start
                   });
}

// Switches ROM bank 1 in at $4000-$BFFF, calls a routine there that stores
// into the LCD memory, and switches back.
void BankedLcdStores(MachineFixture& m) {
    m.WriteIo(0x06, 0x40);  // LCD memory at $0400
    m.WriteIo(0x05, 0x08);  // LCD on
    m.Load(0x0200, {
                       0xA2, 0x00,        // start: LDX #0
                       0xA9, 0x01,        // loop:  LDA #1
                       0x85, 0x00,        //        STA $00
                       0x20, 0x00, 0x80,  //        JSR $8000
                       0xA9, 0x00,        //        LDA #0
                       0x85, 0x00,        //        STA $00
                       0xE8,              //        INX
                       0xD0, 0xF2,        //        BNE loop
                       0x4C, 0x00, 0x02,  //        JMP start
                   });
    // Bank 1's $8000 is ROM offset $8000: TXA; STA $0400,X; STA $0500,X; RTS
    const std::uint8_t routine[] = {0x8A, 0x9D, 0x00, 0x04, 0x9D, 0x00, 0x05, 0x60};
    std::copy(std::begin(routine), std::end(routine), m.rom.begin() + 0x8000);
}

// Every entry of both tables valid and armed, banked into ROM banks that are
// never mapped: each instruction's place is checked against all of them.
void FullBreakpointTables(MachineFixture& m) {
    for (std::uint32_t i = 0; i < formats::kFirstBreakTableEntries; ++i) {
        m.block().first_table[i] = 0xE8000000u | (0x40 + i % 64) << 16 | (0x4000 + i);
    }
    for (std::uint32_t i = 0; i < formats::kSecondBreakTableEntries; ++i) {
        m.block().second_table[i] = 0xC8000000u | (0x40 + i % 64) << 16 | (0x6000 + i);
    }
}

template <void (*Program)(MachineFixture&)>
void Emulate(benchmark::State& state, bool fast, bool breakpoints) {
    MachineOptions options;
    options.rom = 0x10000;
    options.lcdWidth = 160;
    options.lcdHeight = 80;
    MachineFixture m(options);
    Program(m);
    if (breakpoints) FullBreakpointTables(m);
    m.WriteIo(0x01, 0x10);  // no NMI
    m.regs().s = 0xFF;
    m.UseFast(fast);
    std::uint64_t cycles = 0;
    for (auto _ : state) {
        std::uint64_t before = m.core.cycleCount;
        m.RunCycles(kSliceCycles);
        cycles += m.core.cycleCount - before;
    }
    if (!m.exceptions.empty() || !m.stops.empty()) {
        std::string why = m.exceptions.empty() ? "stop"
                                               : "exception " + std::to_string(m.exceptions[0].code) + " at " +
                                                     std::to_string(m.exceptions[0].address);
        state.SkipWithError(why.c_str());
    }
    state.counters["emulated_MHz"] = benchmark::Counter(static_cast<double>(cycles) / 1e6, benchmark::Counter::kIsRate);
}

void BM_AluLoop(benchmark::State& state) { Emulate<AluLoop>(state, state.range(0), false); }
void BM_PageCrossingCopy(benchmark::State& state) { Emulate<PageCrossingCopy>(state, state.range(0), false); }
void BM_BankedLcdStores(benchmark::State& state) { Emulate<BankedLcdStores>(state, state.range(0), false); }
void BM_CheckedFullBreakpointTables(benchmark::State& state) { Emulate<AluLoop>(state, false, true); }

// Argument: 0 checked, 1 fast.
BENCHMARK(BM_AluLoop)->ArgName("fast")->Arg(0)->Arg(1);
BENCHMARK(BM_PageCrossingCopy)->ArgName("fast")->Arg(0)->Arg(1);
BENCHMARK(BM_BankedLcdStores)->ArgName("fast")->Arg(0)->Arg(1);
BENCHMARK(BM_CheckedFullBreakpointTables);

}  // namespace
