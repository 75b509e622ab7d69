// A debug run in Corvel end to end with the real simulator on the headless
// display: the sample workspace is built, a breakpoint is toggled in its
// assembly source, Go starts Talvask (the demo ROM boots, the program is
// downloaded, the start key enters it), the run stops on the breakpoint's
// line with the execution mark in the source view, Step Over moves the mark
// to the next line, and Stop Debug ends the simulator. Then simulators that
// die or never report: each run returns to the idle state with a message.
// Every wait is bounded.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "editor/edit_line.h"
#include "ide/shell/debug/debug_session.h"
#include "ide/shell/debug/tests/debug_run_fixture.h"
#include "ide/shell/frame_app.h"
#include "ide/shell/main_frame.h"
#include "ide/shell/source_view.h"
#include "platform/afx/mdi.h"
#include "platform/display/headless.h"
#include "platform/ipc/runtime_dir.h"
#include "platform/ipc/shared_mapping.h"
#include "platform/ipc/window_messages.h"
#include "platform/user/dialog_api.h"
#include "ide/build/tool_programs.h"
#include "platform/profile/store.h"
#include "testing/golden.h"
#include "testing/temp_dir.h"

namespace {

using namespace std::chrono_literals;
using debug_testing::LineFlags;
using debug_testing::PressKey;
using debug_testing::PumpUntil;
using shell::DebugState;

// "LDA #<LCD", the program's first instruction, and the line after it.
constexpr int kBreakLine = 16, kNextLine = 17;

class CorvelDebugRunTest : public ::testing::Test {
protected:
    void SetUp() override {
        setenv(ipc::kRuntimeDirVariable, (work / "run").c_str(), 1);
        unsetenv(ipc::kLinkNamespaceVariable);
        setenv("KIT_DISPLAY", "headless", 1);
        setenv("KIT_PROFILE_DIR", (work / "profile").c_str(), 1);
        const std::string failure = debug_testing::PrepareDebugRun(work.path(), folders);
        if (!failure.empty()) GTEST_SKIP() << failure;
        AnswerMessageBoxes();
    }

    // Message boxes are answered No (the rebuild question) and kept.
    void AnswerMessageBoxes() {
        kit::user::set_dialog_script([this](const kit::user::DialogQuestion& q) -> std::optional<LONG_PTR> {
            asked.push_back(q.text);
            return IDNO;
        });
    }
    void TearDown() override { kit::user::set_dialog_script(nullptr); }

    // The profile's simulator becomes `name`, looked up in the simulator folder, then beside the kit.
    void UseSimulator(const std::string& name) {
        profile::Store store = profile::Store::for_program("Marlowquin", "Corvel");
        ASSERT_TRUE(store.WriteProfileString(ide::kExecutionSection, "vyr simulator", name).ok());
    }

    shell::CVyrFrameDoc* ActiveDocument(shell::CVyrFrameApp& app) const {
        CMDIChildWnd* child = app.main_frame()->MDIGetActive();
        auto* view = child ? dynamic_cast<shell::CVyrFrameView*>(child->GetActiveView()) : nullptr;
        return view ? view->document() : nullptr;
    }

    testing_kit::TempDir work;
    debug_testing::DebugRunFolders folders;
    kit::display::Headless display;
    std::vector<std::string> asked;
};

TEST_F(CorvelDebugRunTest, BuildGoStopAtABreakpointStepOverAndStopDebug) {
    shell::CVyrFrameApp app({(folders.workspace / "HELLO.WSP").string(), (folders.workspace / "hello.asm").string()});
    ASSERT_TRUE(app.InitInstance());
    app.build_manager()->SetEndPause(0ms);
    shell::CDebugSession& debug = *app.debug_session();
    debug_testing::Drain(app);

    // Build, then toggle a breakpoint on the first instruction with the editor's own key.
    PressKey(VK_F7);
    ASSERT_TRUE(PumpUntil(
        app, [&] { return !app.build_manager()->IsBuilding(); }, 60s));
    debug_testing::Drain(app);
    shell::CVyrFrameDoc* source = ActiveDocument(app);
    ASSERT_NE(source, nullptr);
    auto* view = dynamic_cast<shell::CVyrFrameView*>(app.main_frame()->MDIGetActive()->GetActiveView());
    view->GoToLine(kBreakLine);
    PressKey(VK_F9);
    ASSERT_TRUE(PumpUntil(
        app, [&] { return (LineFlags(*source, kBreakLine) & editor::kLineBreakpoint) != 0; }, 2s));

    // Go: Talvask starts with the IDE's command line, the ROM boots and takes the download.
    PressKey(VK_F5);
    ASSERT_TRUE(PumpUntil(
        app, [&] { return debug.state() != DebugState::Idle; }, 2s))
        << "Go started nothing";
    ASSERT_TRUE(PumpUntil(
        app, [&] { return debug.state() == DebugState::Running; }, 45s))
        << "no download notice";
    ASSERT_EQ(debug.manager().GetBreakPointCount(), 1);
    EXPECT_NE(debug.manager().GetBreakPoint(0)->target_word, 0u) << "the breakpoint was not planted";

    // The user's start key enters the program, which stops on the breakpoint's line.
    debug_testing::PostStartKey(debug.simulator_window(), true);
    ASSERT_TRUE(PumpUntil(
        app, [&] { return debug.state() == DebugState::Stopped; }, 20s))
        << "no stop";
    debug_testing::PostStartKey(debug.simulator_window(), false);
    ASSERT_EQ(ActiveDocument(app), source);
    EXPECT_EQ(view->caret().line, kBreakLine);
    EXPECT_NE(LineFlags(*source, kBreakLine) & editor::kLineExecutionPoint, 0u);
    const std::uint16_t first_pc = debug.manager().session()->stop_pc();

    // Step Over: the mark moves to the next line, past the two-byte instruction.
    PressKey(VK_F10);
    ASSERT_TRUE(PumpUntil(
        app,
        [&] {
            return debug.state() == DebugState::Stopped &&
                   (LineFlags(*source, kNextLine) & editor::kLineExecutionPoint);
        },
        20s))
        << "the step did not end on the next line";
    EXPECT_EQ(LineFlags(*source, kBreakLine) & editor::kLineExecutionPoint, 0u);
    EXPECT_EQ(debug.manager().session()->stop_pc(), first_pc + 2);

    // Stop Debug: idle again, the execution mark gone, the user's breakpoint kept, Talvask ends.
    const ipc::WindowHandle simulator = debug.simulator_window();
    PressKey(VK_F5, /*shift=*/true);
    ASSERT_TRUE(PumpUntil(
        app, [&] { return debug.state() == DebugState::Idle; }, 2s));
    EXPECT_EQ(LineFlags(*source, kNextLine) & editor::kLineExecutionPoint, 0u);
    EXPECT_NE(LineFlags(*source, kBreakLine) & editor::kLineBreakpoint, 0u);
    EXPECT_TRUE(PumpUntil(
        app, [&] { return !ipc::is_window(simulator); }, 10s))
        << "Talvask still runs after Stop Debug";

    app.m_pMainWnd->SendMessage(WM_CLOSE);
    debug_testing::Drain(app);
    app.ExitInstance();
    EXPECT_TRUE(asked.empty()) << asked.front();
}

TEST_F(CorvelDebugRunTest, ASimulatorThatEndsOrNeverReportsReturnsTheIdeToIdleWithAMessage) {
    struct Case {
        const char* script;
        const char* message;
    };
    for (const Case& c : {Case{"exit 3", "The simulator ended during the debug run."},
                          Case{"exec sleep 30", "The simulator did not report the program's download in time."}}) {
        SCOPED_TRACE(c.script);
        const std::filesystem::path program = folders.simulator / "standin.sh";
        std::filesystem::remove(program);
        work.write("simulator/standin.sh", std::string("#!/bin/sh\n") + c.script + "\n");
        std::filesystem::permissions(program, std::filesystem::perms::owner_all);
        UseSimulator("standin.sh");
        asked.clear();

        shell::CVyrFrameApp app({(folders.workspace / "HELLO.WSP").string()});
        ASSERT_TRUE(app.InitInstance());
        shell::CDebugSession& debug = *app.debug_session();
        debug.SetStartLimit(300ms);
        debug_testing::Drain(app);
        PressKey(VK_F5);
        ASSERT_TRUE(PumpUntil(
            app, [&] { return debug.state() == DebugState::Starting; }, 2s));
        // The watch runs on the frame's timer; here it is called as the timer would.
        EXPECT_TRUE(PumpUntil(
            app, [&] { return debug.Poll(), debug.state() == DebugState::Idle; }, 5s));
        ASSERT_FALSE(asked.empty());
        EXPECT_NE(asked.back().find(c.message), std::string::npos) << asked.back();
        app.m_pMainWnd->SendMessage(WM_CLOSE);
        debug_testing::Drain(app);
        app.ExitInstance();
    }
}

TEST_F(CorvelDebugRunTest, ASimulatorKilledDuringTheRunEndsItWithAMessage) {
    UseSimulator("fakesim");
    shell::CVyrFrameApp app({(folders.workspace / "HELLO.WSP").string()});
    ASSERT_TRUE(app.InitInstance());
    shell::CDebugSession& debug = *app.debug_session();
    debug_testing::Drain(app);
    PressKey(VK_F5);
    ASSERT_TRUE(PumpUntil(
        app, [&] { return debug.state() == DebugState::Running; }, 20s))
        << "no download notice";

    // The stand-in logs its process id first.
    const std::string log = testing_kit::read_file(folders.workspace / "fakesim.log");
    ASSERT_EQ(log.rfind("pid ", 0), 0u) << log;
    ASSERT_EQ(::kill(std::atoi(log.c_str() + 4), SIGKILL), 0);
    EXPECT_TRUE(PumpUntil(
        app, [&] { return debug.Poll(), debug.state() == DebugState::Idle; }, 5s));
    EXPECT_EQ(debug.manager().session(), nullptr);
    EXPECT_EQ(debug.manager().GetRegisterBlock(), nullptr) << "the simulator's memory is still mapped";
    ASSERT_FALSE(asked.empty());
    EXPECT_NE(asked.back().find("The simulator ended during the debug run."), std::string::npos) << asked.back();
    app.m_pMainWnd->SendMessage(WM_CLOSE);
    debug_testing::Drain(app);
    app.ExitInstance();
}

}  // namespace
