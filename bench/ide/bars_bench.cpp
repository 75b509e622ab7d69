// The IDE's bars: a 1,000-source workspace opened into the workspace bar's
// tree, and 10,000 build lines appended to the Build pane (repaints included).
#include <benchmark/benchmark.h>

#include <string>

#include "bench/shell/bar_bench_helpers.h"
#include "ide/shell/bars/output_bar.h"
#include "ide/shell/bars/workspace_bar.h"
#include "ide/workspace/workspace_host.h"
#include "platform/display/headless.h"
#include "platform/profile/store.h"
#include "testing/temp_dir.h"

namespace {

using bench_bars::HandleQueued;
using bench_bars::NewBar;
using bench_bars::NewFrame;

// Four banks of 250 sources each, C and assembler sources and headers.
std::string LargeProject() {
    std::string text =
        "/*   Vyr project file 1.0   */\n#BEGINGENERALSETTING\n#AUTOLINK = TRUE\n#CODEMODE = BIN\n"
        "#OUTPUTTO = DEFAULT_OUTPUT\n#ENDGENERALSETTING\n";
    const char* extensions[] = {".c", ".h", ".asm", ".inc"};
    for (int bank = 0; bank < 4; ++bank) {
        text += "\n#BEGINBANK\n#BANKNAME = BANK" + std::to_string(bank) + "\n#BANKPARAM =  -CB 0x4000 -DB 0x0 -CL 0x" +
                std::to_string(4000 + bank) + " -DL 0x0 -BN 0x" + std::to_string(bank) + "\n";
        for (int i = 0; i < 250; ++i)
            text += "#SOURCE = src" + std::to_string(bank) + "_" + std::to_string(i) + extensions[i % 4] + "\n";
        text += "#ENDBANK\n";
    }
    return text + "#DISPLAYNAME = BIG";
}

class BarHost : public ide::SilentWorkspaceHost {
public:
    explicit BarHost(CWorkspaceBar& bar) : bar_(bar) {}
    void ShowWorkspaceTab(bool shown) override { bar_.ShowWorkspaceTab(shown); }

private:
    CWorkspaceBar& bar_;
};

void BM_OpenThousandSourceWorkspaceIntoTheTree(benchmark::State& state) {
    testing_kit::TempDir dir;
    dir.write("BIG.WSP", "/*   Vyr workspace file 1.0   */\n#PROJECT=BIG.PRJ\n");
    dir.write("BIG.PRJ", LargeProject());
    const testing_kit::ScopedCwd cwd(dir.path());
    kit::display::Headless display;
    CFrameWnd* frame = NewFrame();
    auto* bar = NewBar<CWorkspaceBar>(frame, "Workspace Window", 100, CRect(0, 0, 260, 700));
    profile::Store profile(dir / "kit.profile");
    BarHost host(*bar);
    ide::CVyrWorkspaceManager manager(bar->Tree(), host, profile);
    const std::string path = (dir / "BIG.WSP").string();
    for (auto _ : state) {
        if (!manager.OpenWorkspace(path)) {
            state.SkipWithError("the workspace did not open");
            break;
        }
        bar->TreeCtrl().UpdateWindow();
        state.PauseTiming();
        if (bar->TreeCtrl().GetCount() < 1000) state.SkipWithError("sources missing from the tree");
        manager.CloseWorkspace();
        HandleQueued();
        state.ResumeTiming();
    }
    frame->DestroyWindow();
    HandleQueued();
}
BENCHMARK(BM_OpenThousandSourceWorkspaceIntoTheTree)->Unit(benchmark::kMillisecond);

void BM_AppendTenThousandBuildLines(benchmark::State& state) {
    kit::display::Headless display;
    CFrameWnd* frame = NewFrame();
    auto* bar = NewBar<COutputBar>(frame, "Output Window", 101, CRect(0, 500, 1000, 720));
    HandleQueued();
    CInfoWnd& build = bar->Pane(OutputPane::build);
    std::string lines[64];
    for (int i = 0; i < 64; ++i)
        lines[i] = "src0_" + std::to_string(i) + ".asm(" + std::to_string(100 + i) +
                   "): warning W1001: branch target out of range, long form used";
    for (auto _ : state) {
        for (int i = 0; i < 10000; ++i) build.AddLine(lines[i % 64]);
        build.UpdateWindow();
        state.PauseTiming();
        if (build.GetLineCount() != 10000) state.SkipWithError("lines refused");
        build.Clear();
        HandleQueued();
        state.ResumeTiming();
    }
    frame->DestroyWindow();
    HandleQueued();
}
BENCHMARK(BM_AppendTenThousandBuildLines)->Unit(benchmark::kMillisecond);

}  // namespace
