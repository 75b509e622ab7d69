// The debug manager against the real simulator: a program built by the kit's
// own assembler, linker and packer runs on the demo ROM inside a headless
// `Talvask -d`; the manager plants a source breakpoint, goes, stops on that
// line, steps over a call to the next line and ends the simulator.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <thread>

#include "formats/sim_messages.h"
#include "ide/debugger/debug_manager.h"
#include "ide/debugger/tests/recording_host.h"
#include "platform/ipc/runtime_dir.h"
#include "platform/ipc/window_messages.h"
#include "platform/os/process.h"
#include "testing/golden.h"
#include "testing/temp_dir.h"

namespace ide {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;
using testing::RecordingHost;

// Line 7 calls `bump`, which counts at 0320H; line 8 follows the call.
constexpr const char* kSource = R"(; Counts at 0320H for ever.
code SECTION BASEADDRESS:4000H LENGTH:8000H BANKNUMBER:0
text SEGMENT
main PROC
        LDA #0
        STA 0320H
again:  JSR bump
        LDA 0320H
        JMP again
main ENDP
bump PROC
        INC 0320H
        RTS
bump ENDP
text ENDSG
code ENDSC

PUBLIC main
)";
constexpr std::uint32_t kCallLine = 7, kNextLine = 8;
constexpr std::uint16_t kCounter = 0x0320;

// The window messages the simulator's window takes from the skin's keys.
constexpr std::uint32_t kKeyDown = 0x0100, kKeyUp = 0x0101;
// The PC key of the skin's F1 key: the demo ROM starts slot 0's program while it is held.
constexpr std::uint64_t kStartKey = 0x70;

int run_tool(const fs::path& folder, std::vector<std::string> argv) {
    os::SpawnOptions options;
    options.argv = std::move(argv);
    options.working_directory = folder;
    options.out = os::Stream::discarded();
    auto process = os::Process::spawn(options);
    if (!process) return -1;
    const os::ExitStatus status = process->wait();
    return status.exited ? status.code : -1;
}

// A process's one-line status file; empty once it is gone (which may happen
// while reading, so no stream buffer is read directly).
std::string process_status(const std::string& id) {
    std::ifstream stat("/proc/" + id + "/stat");
    std::string text;
    std::getline(stat, text);
    return text;
}

// The running child of this process called `name`; 0 when there is none.
pid_t child_named(const std::string& name) {
    for (const auto& entry : fs::directory_iterator("/proc")) {
        const std::string id = entry.path().filename().string();
        if (id.find_first_not_of("0123456789") != std::string::npos) continue;
        const std::string text = process_status(id);
        const std::size_t open = text.find('('), close = text.rfind(')');
        if (open == std::string::npos || close == std::string::npos || close + 2 > text.size()) continue;
        std::istringstream rest(text.substr(close + 2));
        char state = 0;
        pid_t parent = 0;
        rest >> state >> parent;
        if (parent == ::getpid() && state != 'Z' && text.substr(open + 1, close - open - 1) == name)
            return static_cast<pid_t>(std::atol(id.c_str()));
    }
    return 0;
}

// True once `pid` has ended (gone, or a zombie not yet reaped).
bool ended(pid_t pid) {
    const std::string text = process_status(std::to_string(pid));
    const std::size_t close = text.rfind(')');
    return close == std::string::npos || close + 2 >= text.size() || text[close + 2] == 'Z';
}

class RealSimulatorTest : public ::testing::Test {
protected:
    void SetUp() override {
        const fs::path bin = testing_kit::program_path("Talvask").parent_path();
        for (const fs::path& file : {bin / "Talvask", bin / "Dravlin", bin / "Mossrel", bin / "packer", bin / "dl.ini",
                                     bin / "qv4700.cfs", bin / "reset.obj", bin / "kit.lib", bin / "QV4700.BIN"}) {
            if (!fs::exists(file)) GTEST_SKIP() << file << " not built";
        }
        folder = dir.path().string() + "/";
        build_program(bin);
        if (HasFatalFailure()) return;
        // The simulator writes its files back beside itself, so it runs from a copy.
        const fs::path simulator = dir.path() / "simulator";
        fs::create_directories(simulator);
        for (const char* file : {"Talvask", "QV4700.BIN", "QV4700.PID", "dl.ini", "qv4700.cfs"})
            fs::copy_file(bin / file, simulator / file);

        setenv(ipc::kRuntimeDirVariable, (dir.path() / "run").c_str(), 1);
        unsetenv(ipc::kLinkNamespaceVariable);
        setenv("KIT_DISPLAY", "headless", 1);
        host.simulator = (simulator / "Talvask").string();
        host.folder = folder;
        host.image = folder + "game.BIN";
        host.window = ipc::allocate_window_handle();
        port = ipc::MessagePort::open(host.window);
        ASSERT_TRUE(port);
    }
    // A simulator left running by a failed check is told to exit, then killed.
    void TearDown() override {
        if (manager.connected()) manager.StopDebug();
        if (simulator_pid != 0 && !wait_for_end(milliseconds(5000))) ::kill(simulator_pid, SIGKILL);
    }

    bool wait_for_end(milliseconds limit) const {
        const auto deadline = Clock::now() + limit;
        while (!ended(simulator_pid) && Clock::now() < deadline) std::this_thread::sleep_for(milliseconds(10));
        return ended(simulator_pid);
    }

    void build_program(const fs::path& bin) {
        dir.write("main.asm", kSource);
        for (const char* file : {"reset.obj", "kit.lib"})
            dir.write(std::string("debug/") + file, testing_kit::read_file(bin / file));
        ASSERT_EQ(run_tool(dir.path(), {(bin / "Dravlin").string(), folder + "main.asm", folder + "DEBUG\\", "-W2"}),
                  0);
        ASSERT_EQ(run_tool(dir.path(), {(bin / "Mossrel").string(), "/OBJPATH", folder + "DEBUG\\", "/OBJS", "MAIN.OBJ",
                                        "reset.obj", "/LIBS", folder + "DEBUG\\kit.lib", "/NAME", "Game", "/OUT",
                                        folder + "DEBUG\\game.LKE", "/FILEHEAD", folder + "game.VER", "/AUTO", "-W2"}),
                  0);
        ASSERT_EQ(run_tool(dir.path(), {(bin / "packer").string(), folder + "DEBUG\\game.LKE", folder + "game.BIN"}),
                  0);
    }

    // Hands the simulator's link messages to the manager until `done`;
    // false when that does not come within the limit.
    bool deliver_until(const std::function<bool()>& done, milliseconds limit) {
        const auto deadline = Clock::now() + limit;
        while (!done() && Clock::now() < deadline) {
            auto message = port->receive(100);
            if (!message || message->message != formats::WM_SIMLINK) continue;
            // The download notice names the simulator's window.
            if (formats::sim_link_code(message->wparam) == formats::SimNotifyDownloaded)
                simulator_window = ipc::WindowHandle(message->lparam);
            manager.OnSimulatorMessage(message->wparam, message->lparam);
        }
        return done();
    }
    bool deliver_until_stopped() {
        return deliver_until([this] { return manager.stopped(); }, milliseconds(20000));
    }

    void press_start_key(std::uint32_t message) const {
        ASSERT_NE(simulator_window, 0u);
        ipc::post_message(simulator_window, message, kStartKey, 0);
    }

    std::uint8_t counter() const {
        std::uint8_t value = 0xEE;
        manager.session()->memory().read(kCounter, {&value, 1});
        return value;
    }

    testing_kit::TempDir dir;
    std::string folder;
    RecordingHost host;
    CVyrBreakPointMgr breakpoints;
    CVyrDebugMgr manager{host, breakpoints};
    std::unique_ptr<ipc::MessagePort> port;
    ipc::WindowHandle simulator_window = 0;
    pid_t simulator_pid = 0;
};

TEST_F(RealSimulatorTest, GoesStopsAtABreakpointStepsOverAndStops) {
    manager.SetModules({"main.asm"});
    ASSERT_EQ(manager.AddBreakPoint(kCallLine, folder + "main.asm"), 0);
    ASSERT_TRUE(manager.StartSimulator(SimulatorMode::Debug));
    simulator_pid = child_named("Talvask");
    ASSERT_NE(simulator_pid, 0);

    // The device boots, takes the download and waits; the manager maps, plants and resumes.
    ASSERT_TRUE(deliver_until([this] { return manager.connected(); }, milliseconds(30000))) << "no download notice";
    EXPECT_EQ(manager.download_slot(), 0);
    ASSERT_EQ(manager.GetBreakPointCount(), 1);
    EXPECT_EQ(manager.GetBreakPoint(0)->line, kCallLine);
    EXPECT_NE(manager.GetBreakPoint(0)->target_word, 0u);

    // Go: the ROM starts the program while the start key is held.
    press_start_key(kKeyDown);
    ASSERT_TRUE(deliver_until_stopped()) << "the breakpoint was not reached";
    press_start_key(kKeyUp);
    EXPECT_EQ(host.execution_path, folder + "main.asm");
    EXPECT_EQ(host.execution_line, kCallLine);
    const std::uint16_t call = manager.session()->stop_pc();
    EXPECT_EQ(counter(), 0);

    // Step over: the call runs whole and the device stops on the next line.
    manager.StepOver();
    ASSERT_TRUE(deliver_until_stopped()) << "the step did not end";
    EXPECT_EQ(host.execution_line, kNextLine);
    EXPECT_EQ(manager.session()->stop_pc(), call + 3);
    EXPECT_EQ(counter(), 1);

    // Stop Debug: the simulator is told to exit and ends.
    manager.StopDebug();
    EXPECT_FALSE(manager.connected());
    EXPECT_TRUE(host.has_notice(DbgNotifyDebugEnded));
    EXPECT_TRUE(wait_for_end(milliseconds(10000))) << "Talvask still runs after Stop Debug";
}

}  // namespace
}  // namespace ide
