// Corvel's start on the headless display, from the application object's start-up
// to the first paint of its main window with the sample workspace and its source
// open, and its end (placement and profile saved).
#include <benchmark/benchmark.h>

#include <filesystem>

#include "ide/shell/frame_app.h"
#include "ide/shell/tests/corvel_harness.h"
#include "platform/afx/wnd.h"
#include "platform/display/headless.h"
#include "testing/temp_dir.h"

namespace {

void BM_StartToFirstPaintWithSampleWorkspace(benchmark::State& state) {
    testing_kit::TempDir work;
    UseSampleWorkspace(work.path());
    const testing_kit::ScopedCwd cwd(work.path());
    kit::display::Headless display;
    for (auto _ : state) {
        shell::CVyrFrameApp app({(work / "HELLO.WSP").string(), (work / "hello.asm").string()});
        if (!app.InitInstance()) {
            state.SkipWithError("Corvel did not start");
            break;
        }
        ::RedrawWindow(app.m_pMainWnd->m_hWnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        state.PauseTiming();
        app.m_pMainWnd->SendMessage(WM_CLOSE);
        HandleQueued(app);
        app.ExitInstance();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartToFirstPaintWithSampleWorkspace)->Unit(benchmark::kMillisecond);

}  // namespace
