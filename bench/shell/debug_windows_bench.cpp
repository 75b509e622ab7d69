// The memory bar (both views) and the register bar repainted after a stop
// notice: the target ran and changed registers and a few bytes, the windows
// mark what changed and paint (headless, real fonts, bars the size the
// frame docks them).
#include <benchmark/benchmark.h>

#include "bench/shell/bar_bench_helpers.h"
#include "ide/debugger/testing/target_fixture.h"
#include "ide/shell/memwin/mem_bar.h"
#include "ide/shell/memwin/register_bar.h"
#include "platform/display/headless.h"

namespace {

using bench_bars::HandleQueued;
using bench_bars::NewBar;
using bench_bars::NewFrame;

void BM_MemoryAndRegisterWindowsRepaintAfterAStop(benchmark::State& state) {
    kit::display::Headless display;
    CFrameWnd* frame = NewFrame();
    auto* memory = NewBar<CVyrMemBar>(frame, "Memory", 102, CRect(0, 520, 740, 740));
    auto* registers = NewBar<CVyrRegWndBar>(frame, "Registers", 103, CRect(740, 520, 1000, 740));
    ide::testing::TargetFixture target;
    const ide::TargetViews views{target.eram, target.rom};
    std::uint8_t* block = ide::TargetMemory(views).register_block();
    memory->SetTargetMemory(views);
    memory->RefreshFromTarget();
    (void)memory->View(0).SetAddress(0x1000);
    (void)memory->View(1).SetAddress(0x0000);
    registers->SetRegisterBlock(block);
    HandleQueued();
    std::uint8_t counter = 0;
    for (auto _ : state) {
        state.PauseTiming();
        memory->SnapshotTarget();  // the target runs
        registers->TakeSnapshot();
        ++counter;
        target.poke(0x1010, {&counter, 1});
        block[4] = counter;
        block[0] = counter;
        state.ResumeTiming();
        memory->RefreshFromTarget();  // the stop notice
        registers->ShowStopped();
        memory->UpdateWindow();
        memory->View(0).UpdateWindow();
        registers->Pane(0).UpdateWindow();
    }
    frame->DestroyWindow();
    HandleQueued();
}
BENCHMARK(BM_MemoryAndRegisterWindowsRepaintAfterAStop)->Unit(benchmark::kMicrosecond);

}  // namespace
