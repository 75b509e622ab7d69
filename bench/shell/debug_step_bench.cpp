// A step-over round trip in Corvel with the real simulator on the headless
// display: from Step Over to the stop handled, the execution line shown in
// the source view. Set-up (build, breakpoint, Go, the start key, the first
// stop) runs once; each iteration steps over one line of the sample's loop.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>

#include "ide/shell/debug/debug_session.h"
#include "ide/shell/debug/tests/debug_run_fixture.h"
#include "ide/shell/frame_app.h"
#include "ide/shell/main_frame.h"
#include "ide/shell/source_view.h"
#include "platform/afx/mdi.h"
#include "platform/display/headless.h"
#include "platform/ipc/runtime_dir.h"
#include "testing/temp_dir.h"

namespace {

using namespace std::chrono_literals;
using debug_testing::PumpUntil;
using shell::DebugState;

constexpr int kBreakLine = 16;

// Up to the first stop; the error text when a step of it failed.
const char* StartRun(shell::CVyrFrameApp& app) {
    if (!app.InitInstance()) return "Corvel did not start";
    app.build_manager()->SetEndPause(0ms);
    shell::CDebugSession& debug = *app.debug_session();
    debug_testing::PressKey(VK_F7);
    if (!PumpUntil(
            app, [&] { return !app.build_manager()->IsBuilding(); }, 60s))
        return "the build did not end";
    auto* view = dynamic_cast<shell::CVyrFrameView*>(app.main_frame()->MDIGetActive()->GetActiveView());
    if (!view) return "no source view";
    view->GoToLine(kBreakLine);
    debug_testing::PressKey(VK_F9);
    debug_testing::Drain(app);
    debug_testing::PressKey(VK_F5);
    if (!PumpUntil(
            app, [&] { return debug.state() == DebugState::Running; }, 45s))
        return "no download notice";
    debug_testing::PostStartKey(debug.simulator_window(), true);
    const bool stopped = PumpUntil(
        app, [&] { return debug.state() == DebugState::Stopped; }, 20s);
    debug_testing::PostStartKey(debug.simulator_window(), false);
    return stopped ? nullptr : "no stop at the breakpoint";
}

void BM_StepOverRoundTrip(benchmark::State& state) {
    testing_kit::TempDir work;
    setenv(ipc::kRuntimeDirVariable, (work / "run").c_str(), 1);
    setenv("KIT_DISPLAY", "headless", 1);
    setenv("KIT_PROFILE_DIR", (work / "profile").c_str(), 1);
    debug_testing::DebugRunFolders folders;
    if (const std::string failure = debug_testing::PrepareDebugRun(work.path(), folders); !failure.empty()) {
        state.SkipWithError(failure.c_str());
        return;
    }
    kit::display::Headless display;
    shell::CVyrFrameApp app({(folders.workspace / "HELLO.WSP").string(), (folders.workspace / "hello.asm").string()});
    if (const char* failure = StartRun(app)) {
        state.SkipWithError(failure);
    } else {
        shell::CDebugSession& debug = *app.debug_session();
        for (auto _ : state) {
            debug.OnStepOver();
            if (!PumpUntil(
                    app, [&] { return debug.state() == DebugState::Stopped; }, 5s)) {
                state.SkipWithError("a step did not end within 5 s");
                break;
            }
        }
    }
    app.debug_session()->OnStopDebug();
    app.m_pMainWnd->SendMessage(WM_CLOSE);
    debug_testing::Drain(app);
    app.ExitInstance();
}
// The sample's clearing loop runs 1,600 times: far more lines than the iterations step over.
BENCHMARK(BM_StepOverRoundTrip)->Unit(benchmark::kMillisecond)->Iterations(300);

}  // namespace
