// The runtime folder, where Corvel and the simulator meet, over many debug
// runs with the real simulator on the headless display: each run takes its
// sockets, mapping records and locks with it, and what a run killed during
// its start left (Corvel and the simulator it started, both ended at once)
// is cleared by the next start. Every wait is bounded.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include "ide/shell/debug/debug_session.h"
#include "ide/shell/debug/tests/debug_run_fixture.h"
#include "ide/shell/frame_app.h"
#include "ide/shell/main_frame.h"
#include "platform/display/headless.h"
#include "platform/ipc/runtime_dir.h"
#include "platform/ipc/shared_mapping.h"
#include "platform/ipc/window_messages.h"
#include "platform/user/dialog_api.h"
#include "testing/golden.h"
#include "testing/temp_dir.h"

namespace {

using namespace std::chrono_literals;
using debug_testing::PressKey;
using debug_testing::PumpUntil;
using shell::DebugState;

constexpr int kRuns = 20;

class RuntimeFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        setenv(ipc::kRuntimeDirVariable, runtime.c_str(), 1);
        unsetenv(ipc::kLinkNamespaceVariable);
        setenv("KIT_DISPLAY", "headless", 1);
        setenv("KIT_PROFILE_DIR", (work / "profile").c_str(), 1);
        const std::string failure = debug_testing::PrepareDebugRun(work.path(), folders);
        if (!failure.empty()) GTEST_SKIP() << failure;
        kit::user::set_dialog_script([this](const kit::user::DialogQuestion& q) -> std::optional<LONG_PTR> {
            if (!q.message_box) return std::nullopt;
            asked.push_back(q.text);
            return IDNO;
        });
    }
    void TearDown() override { kit::user::set_dialog_script(nullptr); }

    std::set<std::string> RuntimeFiles() const {
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(runtime))
            names.insert(entry.path().filename().string());
        return names;
    }

    // In a child process (a process group of its own, which the simulator it
    // starts joins): Corvel on the workspace builds the program and presses
    // F5; once the simulator has made its mappings, while the run is still
    // starting, it writes "starting <its main window>" and waits to be killed.
    // A failure is written as "failed: <what>".
    void RunUntilKilled(int report) {
        setpgid(0, 0);
        const auto say = [&](const std::string& line) {
            const std::string text = line + "\n";
            (void)!write(report, text.data(), text.size());
        };
        shell::CVyrFrameApp app({(folders.workspace / "HELLO.WSP").string()});
        if (!app.InitInstance()) return say("failed: no main window");
        app.build_manager()->SetEndPause(0ms);
        PressKey(VK_F7);
        if (!PumpUntil(
                app, [&] { return !app.build_manager()->IsBuilding(); }, 60s))
            return say("failed: the build did not end");
        debug_testing::Drain(app);
        shell::CDebugSession& debug = *app.debug_session();
        PressKey(VK_F5);
        if (!PumpUntil(
                app, [&] { return debug.state() == DebugState::Starting; }, 10s))
            return say("failed: Go started nothing");
        // No more messages are handled: the run stays in its start, whatever the simulator reports.
        const auto window = std::to_string(ipc::WindowHandle(value_of(app.main_frame()->m_hWnd)));
        const auto mapped = [&] {
            const std::set<std::string> files = RuntimeFiles();
            return files.count("mapping-" + window + "-eram") && files.count("mapping-" + window + "-irom");
        };
        const auto deadline = std::chrono::steady_clock::now() + 45s;
        while (!mapped() && std::chrono::steady_clock::now() < deadline) usleep(10'000);
        if (!mapped()) return say("failed: the simulator made no mappings");
        say("starting " + window);
        for (;;) pause();
    }

    // The next line the child wrote, waiting at most `limit`; empty when none came.
    static std::string ReadLine(int from, std::chrono::milliseconds limit) {
        std::string line;
        const auto deadline = std::chrono::steady_clock::now() + limit;
        for (char c = 0; c != '\n';) {
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
            pollfd ready{from, POLLIN, 0};
            if (left.count() <= 0 || poll(&ready, 1, int(left.count())) <= 0 || read(from, &c, 1) != 1) return {};
            if (c != '\n') line += c;
        }
        return line;
    }

    testing_kit::TempDir work;
    const std::filesystem::path runtime = work / "run";
    debug_testing::DebugRunFolders folders;
    kit::display::Headless display;
    std::vector<std::string> asked;
};

TEST_F(RuntimeFolderTest, ARunKilledDuringItsStartIsClearedAndEachRunTakesItsOwnFilesWithIt) {
    // A run killed during its start: Corvel and its simulator end at once.
    int pipe_ends[2];
    ASSERT_EQ(pipe(pipe_ends), 0);
    const pid_t killed = fork();
    ASSERT_GE(killed, 0);
    if (killed == 0) {
        close(pipe_ends[0]);
        RunUntilKilled(pipe_ends[1]);
        _exit(1);
    }
    close(pipe_ends[1]);
    const std::string said = ReadLine(pipe_ends[0], 120s);
    close(pipe_ends[0]);
    ::kill(-killed, SIGKILL);
    ::kill(killed, SIGKILL);
    waitpid(killed, nullptr, 0);
    ASSERT_EQ(said.rfind("starting ", 0), 0u) << said;
    const std::string space = said.substr(std::strlen("starting "));
    // The simulator's mappings are free once the kernel has ended it too.
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    while (ipc::SharedMapping::open(space, "IRom", ipc::MappingAccess::ReadOnly, nullptr) &&
           std::chrono::steady_clock::now() < deadline)
        usleep(10'000);
    const std::set<std::string> left = RuntimeFiles();
    for (const std::string& name : {"window-" + space, "mapping-" + space + "-irom", "mapping-" + space + "-irom.lock"})
        EXPECT_TRUE(left.count(name)) << name << " was not left by the killed run";
    const std::string rom_record = testing_kit::read_file(runtime / ("mapping-" + space + "-irom"));
    const std::string rom_memory = rom_record.substr(rom_record.rfind('\n') + 1);

    // The next start clears it all away.
    shell::CVyrFrameApp app({(folders.workspace / "HELLO.WSP").string()});
    ASSERT_TRUE(app.InitInstance());
    debug_testing::Drain(app);
    EXPECT_EQ(RuntimeFiles(), std::set<std::string>{"window-handles"});
    const int opened = shm_open(rom_memory.c_str(), O_RDONLY, 0);
    EXPECT_LT(opened, 0) << rom_memory << " was left";
    if (opened >= 0) close(opened);

    // Each run takes what it made with it: Corvel's window socket, which takes the
    // simulator's messages, is all that stays.
    shell::CDebugSession& debug = *app.debug_session();
    const std::set<std::string> idle = {"window-handles",
                                        "window-" + std::to_string(value_of(app.main_frame()->m_hWnd))};
    for (int run = 1; run <= kRuns; ++run) {
        SCOPED_TRACE("run " + std::to_string(run));
        PressKey(VK_F5);
        ASSERT_TRUE(PumpUntil(
            app, [&] { return debug.state() == DebugState::Running; }, 45s))
            << "no download notice";
        const ipc::WindowHandle simulator = debug.simulator_window();
        PressKey(VK_F5, /*shift=*/true);
        ASSERT_TRUE(PumpUntil(
            app, [&] { return debug.state() == DebugState::Idle && !ipc::is_window(simulator); }, 10s))
            << "the simulator still runs after Stop Debug";
        EXPECT_TRUE(PumpUntil(
            app, [&] { return RuntimeFiles() == idle; }, 10s));
    }
    EXPECT_EQ(RuntimeFiles(), idle);

    app.m_pMainWnd->SendMessage(WM_CLOSE);
    debug_testing::Drain(app);
    app.ExitInstance();
    EXPECT_EQ(RuntimeFiles(), std::set<std::string>{"window-handles"});
    EXPECT_TRUE(asked.empty()) << asked.front();
}

}  // namespace
