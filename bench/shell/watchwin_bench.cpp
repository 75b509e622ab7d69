// The debugger's windows after a stop notice: the watch tree re-evaluated
// (an expanded structure and array, a pointer, scalars) and the disassembly
// around the stop written again, then both bars repainted (headless, real
// fonts).
#include <benchmark/benchmark.h>

#include <cstdint>

#include "bench/shell/bar_bench_helpers.h"
#include "ide/debugger/disassembler.h"
#include "ide/shell/watchwin/disasm_bar.h"
#include "ide/shell/watchwin/tests/stopped_target.h"
#include "ide/shell/watchwin/watch_window.h"
#include "platform/display/headless.h"

namespace {

using bench_bars::NewBar;
using bench_bars::NewFrame;

void BM_DebugWindowsAfterAStop(benchmark::State& state) {
    watchwin_test::StoppedTarget world;
    const std::uint8_t code[] = {0xA2, 0x03, 0xCA, 0xD0, 0xFD, 0xB1, 0x12, 0x4C, 0x00, 0x40};
    world.target.poke(0x4000, code);

    kit::display::Headless display;
    CFrameWnd* frame = NewFrame();
    auto* disassembly = NewBar<CVyrDisasmBar>(frame, "Disassembly", 104, CRect(620, 0, 1020, 460));
    auto* watches = NewBar<CWatchWindow>(frame, "Watch", 103, CRect(0, 460, 620, 760));
    watches->SetScopeSource(world.source());
    for (const char* expression : {"node", "p", "count*2", "count", "arr", "pos"}) watches->AddWatch(expression);
    CWatchTreeView& tree = watches->Tree();
    tree.Expand(tree.GetRootItem(), TVE_EXPAND);                           // pos
    tree.Expand(tree.GetNextSiblingItem(tree.GetRootItem()), TVE_EXPAND);  // arr
    disassembly->Pane().SetBreakAddresses({0x4003});

    std::uint16_t tick = 0;
    for (auto _ : state) {
        // What the stop changed, then what the debug-window refresh does.
        world.poke16(0x0400, ++tick);
        world.poke16(0x0402 + 2 * (tick % 2), tick);
        watches->RefreshWatches();
        ide::DisassembleRange(world.memory, disassembly->Output(), 0x4000, 0x4005, 0x4002);
        RedrawWindow(frame->m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    }
    state.counters["watch_lines"] = double(tree.GetCount());
    frame->DestroyWindow();
}
BENCHMARK(BM_DebugWindowsAfterAStop)->Unit(benchmark::kMillisecond);

}  // namespace
