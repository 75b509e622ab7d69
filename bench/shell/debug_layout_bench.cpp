// Corvel's whole debug layout after a stop notice: the memory views and the
// register panes refresh with changes marked, the watch tree is evaluated
// again, the disassembly around the stop written again, then the memory,
// register, watch and disassembly bars repainted (headless, real fonts, the
// frame 1024 x 768 on the sample workspace).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>

#include "ide/shell/tests/corvel_harness.h"
#include "ide/shell/tests/stopped_corvel.h"
#include "platform/display/headless.h"
#include "testing/temp_dir.h"

namespace {

void BM_StopNoticeToEveryDebugWindowRepainted(benchmark::State& state) {
    testing_kit::TempDir work;
    UseSampleWorkspace(work.path());
    const testing_kit::ScopedCwd cwd(work.path());
    kit::display::Headless display;
    shell_test::StoppedCorvel corvel(work.path());
    corvel.HandleQueued();
    std::uint8_t tick = 0;
    for (auto _ : state) {
        state.PauseTiming();
        corvel.Run(++tick);
        state.ResumeTiming();
        corvel.Stop();
        corvel.RepaintDebugWindows();
    }
}
BENCHMARK(BM_StopNoticeToEveryDebugWindowRepainted)->Unit(benchmark::kMicrosecond);

}  // namespace
