// The debug run on whatever display KIT_DISPLAY names (the SDL display under
// Xvfb in CI): the sample workspace is built, a breakpoint set in its source,
// Go runs it in Talvask up to the breakpoint, Step Over moves to the next
// line, the watch, register, memory and disassembly windows are opened by
// their keys, and a picture of the IDE is saved there; then Stop Debug, and
// Talvask must end. Every wait is bounded.
//   corvel_debug_screen --screenshot <file.png>
// Exit codes: 0 done, 1 a step failed (said on standard error), 2 a bad command line.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "editor/edit_line.h"
#include "ide/shell/debug/debug_session.h"
#include "ide/shell/debug/tests/debug_run_fixture.h"
#include "ide/shell/frame_app.h"
#include "ide/shell/main_frame.h"
#include "ide/shell/source_view.h"
#include "ide/shell/watchwin/watch_window.h"
#include "platform/user/input_api.h"
#include "platform/afx/mdi.h"
#include "platform/display/display.h"
#include "platform/ipc/runtime_dir.h"
#include "platform/ipc/window_messages.h"
#include "testing/temp_dir.h"

namespace {

using namespace std::chrono_literals;
using debug_testing::PumpUntil;
using shell::DebugState;

constexpr int kBreakLine = 16, kNextLine = 17;

int Fail(const char* step) {
    std::fprintf(stderr, "corvel_debug_screen: %s\n", step);
    return 1;
}

// Chord: a modifier held around a key, on the IDE's keyboard.
void Chord(shell::CVyrFrameApp& app, int modifier, int key) {
    kit::user::inject_key(modifier, true);
    debug_testing::PressKey(key);
    kit::user::inject_key(modifier, false);
    debug_testing::Drain(app);
}

// Stopped, as a user opens the debug windows: Alt+3 and a watch typed in,
// Alt+5 the registers, Alt+6 the memory, Alt+8 the disassembly.
void OpenDebugWindowsByKeys(shell::CVyrFrameApp& app) {
    Chord(app, VK_MENU, '3');
    CWatchTreeView& watches = app.main_frame()->watch_bar().Tree();
    watches.SelectItem(watches.EmptyRow());
    for (const int key : {'0', 'X', '4', '1', '0'}) debug_testing::PressKey(key);
    debug_testing::PressKey(VK_RETURN);
    debug_testing::Drain(app);
    for (const int key : {'5', '6', '8'}) Chord(app, VK_MENU, key);
}

int Run(const std::string& screenshot) {
    testing_kit::TempDir work;
    setenv(ipc::kRuntimeDirVariable, (work / "run").c_str(), 1);
    debug_testing::DebugRunFolders folders;
    if (const std::string failure = debug_testing::PrepareDebugRun(work.path(), folders); !failure.empty())
        return Fail(failure.c_str());
    kit::display::OpenedDisplay display = kit::display::open_display();
    if (!display.backend) return Fail(display.error.c_str());

    shell::CMainFrame::SetFixedClock("12:00");
    shell::CVyrFrameApp app({(folders.workspace / "HELLO.WSP").string(), (folders.workspace / "hello.asm").string()});
    app.SetStartSize(1000, 640);
    if (!app.InitInstance()) return Fail("the main window could not be made");
    app.build_manager()->SetEndPause(0ms);
    shell::CDebugSession& debug = *app.debug_session();
    int result = 0;
    const auto step = [&](bool done, const char* what) {
        if (!done && result == 0) result = Fail(what);
        return done && result == 0;
    };

    debug_testing::Drain(app);
    debug_testing::PressKey(VK_F7);
    auto* child = app.main_frame()->MDIGetActive();
    auto* view = child ? dynamic_cast<shell::CVyrFrameView*>(child->GetActiveView()) : nullptr;
    if (step(view && PumpUntil(
                         app, [&] { return !app.build_manager()->IsBuilding(); }, 60s),
             "the build")) {
        debug_testing::Drain(app);
        view->GoToLine(kBreakLine);
        debug_testing::PressKey(VK_F9);
        debug_testing::Drain(app);
        debug_testing::PressKey(VK_F5);
    }
    if (step(PumpUntil(
                 app, [&] { return debug.state() == DebugState::Running; }, 45s),
             "Go: no download notice")) {
        debug_testing::PostStartKey(debug.simulator_window(), true);
        const bool stopped = PumpUntil(
            app, [&] { return debug.state() == DebugState::Stopped; }, 20s);
        debug_testing::PostStartKey(debug.simulator_window(), false);
        if (step(stopped, "no stop at the breakpoint")) debug_testing::PressKey(VK_F10);
    }
    shell::CVyrFrameDoc* source = view ? view->document() : nullptr;
    const auto on_next_line = [&] {
        return debug.state() == DebugState::Stopped &&
               (debug_testing::LineFlags(*source, kNextLine) & editor::kLineExecutionPoint) != 0;
    };
    if (step(source && PumpUntil(app, on_next_line, 20s), "Step Over did not stop on the next line")) {
        debug_testing::Drain(app);
        step(::GetForegroundWindow() == app.m_pMainWnd->m_hWnd, "the stop left Corvel behind");
        OpenDebugWindowsByKeys(app);
        std::string error;
        step(kit::display::save_window_picture(display.backend.get(), app.m_pMainWnd->m_hWnd, screenshot, &error),
             error.c_str());
    }
    const ipc::WindowHandle simulator = debug.simulator_window();
    debug_testing::PressKey(VK_F5, /*shift=*/true);
    step(PumpUntil(
             app, [&] { return debug.state() == DebugState::Idle; }, 5s),
         "Stop Debug");
    step(simulator == 0 || PumpUntil(
                               app, [&] { return !ipc::is_window(simulator); }, 10s),
         "Talvask still runs after Stop Debug");
    app.m_pMainWnd->SendMessage(WM_CLOSE);
    debug_testing::Drain(app);
    app.ExitInstance();
    return result;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3 || std::string(argv[1]) != "--screenshot") {
        std::fprintf(stderr, "usage: corvel_debug_screen --screenshot <file.png>\n");
        return 2;
    }
    return Run(argv[2]);
}
