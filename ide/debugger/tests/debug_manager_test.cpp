// The debug manager against the fake simulator, a separate process that
// speaks the simulator's side of the link.
#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>
#include <thread>

#include <sys/wait.h>
#include <unistd.h>

#include "formats/sim_messages.h"
#include "ide/debugger/debug_manager.h"
#include "ide/debugger/tests/debug_project.h"
#include "ide/debugger/tests/recording_host.h"
#include "platform/ipc/runtime_dir.h"
#include "platform/ipc/shared_mapping.h"
#include "platform/ipc/window_messages.h"
#include "testing/golden.h"

namespace ide {
namespace {

using testing::DebugProject;
using testing::RecordingHost;

class DebugManagerTest : public ::testing::Test {
protected:
    DebugManagerTest() : cwd(project.dir.path()) {
        setenv(ipc::kRuntimeDirVariable, (project.dir.path() / "run").c_str(), 1);
        unsetenv(ipc::kLinkNamespaceVariable);
        setenv("FAKESIM_SLOT", "2", 1);
        setenv("FAKESIM_BANK", "3", 1);
        unsetenv("FAKESIM_END_AFTER");
        host.simulator = testing_kit::program_path("fakesim").string();
        host.folder = project.folder;
        host.image = project.folder + "debug/my game.BIN";
        std::string code(0x30, '\0');
        const char main_code[] = {0x20, 0x20, 0x40, char(0xD0), char(0xFE), char(0xF0), char(0xF9), 0x60};
        code.replace(0, sizeof main_code, main_code, sizeof main_code);
        code.replace(0x20, 3, "\xA9\x01\x60", 3);
        project.dir.write("debug/my game.BIN", code);
        host.window = ipc::allocate_window_handle();
        port = ipc::MessagePort::open(host.window);
    }
    ~DebugManagerTest() override {
        if (manager.connected()) manager.StopDebug();
    }

    // Hands the next simulator message to the manager; its code.
    std::uint16_t deliver() {
        auto message = port->receive(10000);
        if (!message) {
            ADD_FAILURE() << "no message from the fake simulator";
            return 0;
        }
        EXPECT_EQ(message->message, formats::WM_SIMLINK);
        last_message = *message;
        last_result = manager.OnSimulatorMessage(message->wparam, message->lparam);
        return formats::sim_link_code(message->wparam);
    }
    std::string log() const { return testing_kit::read_file(project.dir.path() / "fakesim.log"); }
    // The fake writes its log before it answers; after a command that gets
    // no answer, wait for the line to appear.
    bool wait_for_log(const std::string& text) const {
        for (int i = 0; i < 1000; ++i) {
            if (log().find(text) != std::string::npos) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return false;
    }
    bool wait_for_simulator_end() {
        for (int i = 0; i < 1000; ++i) {
            if (manager.CheckSimulator()) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return false;
    }
    void connect() {
        manager.SetModules({"main.asm"});
        ASSERT_TRUE(manager.StartSimulator(SimulatorMode::Debug));
        ASSERT_EQ(deliver(), formats::SimNotifyDownloaded);
        ASSERT_EQ(last_result, 1);
    }

    DebugProject project;
    testing_kit::ScopedCwd cwd;
    RecordingHost host;
    CVyrBreakPointMgr breakpoints;
    CVyrDebugMgr manager{host, breakpoints};
    std::unique_ptr<ipc::MessagePort> port;
    int last_result = 0;
    ipc::PostedMessage last_message{};
};

TEST_F(DebugManagerTest, StartsTheSimulatorWithAnArgumentVector) {
    const std::string window = std::to_string(host.window);
    for (SimulatorMode mode : {SimulatorMode::Run, SimulatorMode::Debug}) {
        const auto argv = manager.BuildSimulatorCommandLine("sim", mode);
        std::vector<std::string> expected = {"sim",          "-o:QV4700.BIN",  "-a:ram.mem",       "-eas:524288",
                                             "-h:" + window, "-if:qv4700.cfs", "-f:" + host.image, "-n:Game"};
        if (mode == SimulatorMode::Debug) expected.push_back("-d");
        expected.push_back("-up");
        EXPECT_EQ(argv, expected);
    }
    // A plain run: the fake logs its arguments and ends; the manager sees it end.
    ASSERT_TRUE(manager.StartSimulator(SimulatorMode::Run));
    ASSERT_TRUE(wait_for_simulator_end());
    EXPECT_NE(log().find("arg -f:" + host.image + "\narg -n:Game\narg -up\n"), std::string::npos);
    EXPECT_FALSE(manager.simulator_running());

    host.code_mode = 1;  // a library project starts nothing
    EXPECT_FALSE(manager.StartSimulator(SimulatorMode::Debug));
    EXPECT_FALSE(manager.simulator_running());
}

// A simulator that never reported is ended by force; when even that fails (here it was reaped
// behind the manager's back, so its process is gone), the user is told, and the run still ends.
TEST_F(DebugManagerTest, ASimulatorThatCannotBeEndedIsReported) {
    ASSERT_TRUE(manager.StartSimulator(SimulatorMode::Run));
    const std::string children = testing_kit::read_file("/proc/self/task/" + std::to_string(::getpid()) + "/children");
    const pid_t simulator = pid_t(std::atoi(children.c_str()));
    ASSERT_GT(simulator, 0) << "no child in '" << children << "'";
    int status = 0;
    ASSERT_EQ(::waitpid(simulator, &status, 0), simulator);  // a plain run ends by itself
    manager.StopDebug();
    ASSERT_EQ(host.reports.size(), 1u);
    EXPECT_NE(host.reports[0].find("end process " + std::to_string(simulator)), std::string::npos) << host.reports[0];
    EXPECT_TRUE(host.has_notice(DbgNotifyDebugEnded));
    EXPECT_FALSE(manager.simulator_running());
}

TEST_F(DebugManagerTest, ConnectsPlantsStopsStepsAndStops) {
    manager.AddBreakPoint(5, project.folder + "other.asm");  // in no module: dropped
    manager.AddBreakPoint(12, project.main_source);
    manager.AddBreakPoint(13, project.main_source);  // blank: moves to 14
    connect();
    EXPECT_TRUE(manager.connected());
    ASSERT_NE(manager.session(), nullptr);
    EXPECT_EQ(manager.download_slot(), 2);
    EXPECT_TRUE(host.has_notice(DbgNotifyRefresh));
    EXPECT_TRUE(host.has_notice(DbgNotifyBreakPointChanged));
    ASSERT_EQ(manager.GetBreakPointCount(), 2);
    EXPECT_EQ(manager.GetBreakPoint(1)->line, 14);

    // The fake resumed, found the first breakpoint and stopped there.
    ASSERT_EQ(deliver(), formats::SimNotifyStopped);
    EXPECT_NE(log().find("cmd 1012\nbp EC034005 EC034007\ntmp\n"), std::string::npos);
    EXPECT_TRUE(manager.stopped());
    EXPECT_EQ(host.execution_path, project.main_source);
    EXPECT_EQ(host.execution_line, 12u);
    EXPECT_NE(manager.GetRegisterBlock(), nullptr);

    // Step over line 12 (BEQ back to line 10): the branch target is taken first.
    manager.StepOver();
    EXPECT_FALSE(manager.stopped());
    EXPECT_EQ(host.snapshots, 1);
    ASSERT_EQ(deliver(), formats::SimNotifyStopped);
    EXPECT_NE(log().find("tmp EC034000 EC034007\n"), std::string::npos);
    EXPECT_EQ(host.execution_line, 10u);

    manager.StopDebug();
    EXPECT_FALSE(manager.connected());
    EXPECT_EQ(manager.session(), nullptr);
    EXPECT_EQ(manager.GetRegisterBlock(), nullptr);
    EXPECT_EQ(host.drops, 1);
    EXPECT_TRUE(host.has_notice(DbgNotifyDebugEnded));
    EXPECT_TRUE(wait_for_log("cmd 1013\n"));
}

TEST_F(DebugManagerTest, AStopOutsideTheSourceShowsTheDisassembly) {
    manager.AddBreakPoint(10, project.main_source);
    connect();
    ASSERT_EQ(deliver(), formats::SimNotifyStopped);
    ASSERT_EQ(host.execution_line, 10u);
    EXPECT_FALSE(host.disassembly_visible);
    manager.SetTempBreakPoint(0x1000);  // below the program
    manager.Continue(true);
    ASSERT_EQ(deliver(), formats::SimNotifyStopped);
    EXPECT_EQ(last_result, 1);
    EXPECT_TRUE(host.disassembly_visible);
    EXPECT_EQ(manager.session()->stop_pc(), 0x1000);
    // With the disassembly shown, a step goes by instruction.
    manager.StepInto();
    ASSERT_EQ(deliver(), formats::SimNotifyStopped);
    EXPECT_NE(log().find("tmp F0031000\n"), std::string::npos);
}

// The disassembly frames where the target stops: a planted breakpoint at its
// address (moved to the next line with code), a temporary one until the next
// stop, nothing once a breakpoint is removed or the run ends.
TEST_F(DebugManagerTest, TheDisassemblyFramesWhereTheTargetStops) {
    using Addresses = std::set<std::uint16_t>;
    const Addresses& framed = host.disassembly.addresses;
    manager.AddBreakPoint(12, project.main_source);
    manager.AddBreakPoint(13, project.main_source);  // blank: moves to 14
    connect();
    EXPECT_EQ(framed, (Addresses{0x4005, 0x4007}));
    ASSERT_EQ(deliver(), formats::SimNotifyStopped);
    EXPECT_EQ(framed, (Addresses{0x4005, 0x4007}));

    manager.SetTempBreakPoint(0x4020);
    EXPECT_EQ(framed, (Addresses{0x4005, 0x4007, 0x4020}));
    manager.RemoveBreakPoint(14, project.main_source);
    EXPECT_EQ(framed, (Addresses{0x4005, 0x4020}));
    // Stopped at the temporary breakpoint, which is gone with the stop.
    manager.Continue(true);
    ASSERT_EQ(deliver(), formats::SimNotifyStopped);
    ASSERT_EQ(manager.session()->stop_pc(), 0x4020);
    EXPECT_EQ(framed, (Addresses{0x4005}));

    manager.RemoveAllBreakPoints();
    EXPECT_EQ(framed, Addresses{});
    manager.AddBreakPoint(10, project.main_source);
    EXPECT_EQ(framed, (Addresses{0x4000}));
    manager.StopDebug();
    EXPECT_EQ(framed, Addresses{});
}

TEST_F(DebugManagerTest, ARepeatedDownloadNoticeMapsAfresh) {
    connect();
    ASSERT_TRUE(wait_for_log("cmd 1012\n"));
    ASSERT_EQ(host.drops, 0);
    EXPECT_EQ(manager.OnSimulatorMessage(last_message.wparam, last_message.lparam), 1);
    EXPECT_EQ(host.drops, 1);  // the windows let go of the old mapping first
    EXPECT_TRUE(manager.connected());
    ASSERT_NE(manager.session(), nullptr);
    EXPECT_NE(manager.GetRegisterBlock(), nullptr);
    EXPECT_TRUE(wait_for_log("cmd 1012\nbp\ntmp\ncmd 1012\n"));
}

TEST_F(DebugManagerTest, DebugFilesGoneAtAStopEndTheRun) {
    manager.AddBreakPoint(10, project.main_source);
    connect();
    std::filesystem::remove(project.folder + "debug/game.deb");
    ASSERT_EQ(deliver(), formats::SimNotifyStopped);
    EXPECT_EQ(last_result, 0);
    EXPECT_FALSE(manager.connected());
    EXPECT_TRUE(host.has_notice(DbgNotifyDebugEnded));
    EXPECT_TRUE(wait_for_log("cmd 1013\n"));
}

TEST_F(DebugManagerTest, PauseNoticesChangeNothing) {
    connect();
    for (std::uint64_t reason : {0xFFFEu, 0xFFFFu})
        EXPECT_EQ(manager.OnSimulatorMessage(formats::sim_link_wparam(formats::SimNotifyStopped), reason), 1);
    EXPECT_FALSE(manager.stopped());
    EXPECT_EQ(host.updates, 0);
    EXPECT_EQ(manager.OnSimulatorMessage(formats::sim_link_wparam(0x1234), 0), 0);
}

TEST_F(DebugManagerTest, TheEndNoticeIsAcknowledged) {
    setenv("FAKESIM_END_AFTER", "1", 1);
    manager.AddBreakPoint(10, project.main_source);
    connect();
    ASSERT_EQ(deliver(), formats::SimNotifyStopped);
    ASSERT_EQ(deliver(), formats::SimNotifyEnded);
    EXPECT_EQ(last_result, 1);
    EXPECT_FALSE(manager.connected());
    EXPECT_FALSE(manager.stopped());
    EXPECT_EQ(manager.session(), nullptr);
    EXPECT_TRUE(host.has_notice(DbgNotifyDebugEnded));
    EXPECT_TRUE(wait_for_log("cmd 1014\n"));
}

TEST_F(DebugManagerTest, AKilledSimulatorReturnsToIdle) {
    connect();
    std::istringstream first_line(log());
    std::string word;
    pid_t pid = 0;
    first_line >> word >> pid;
    ASSERT_EQ(word, "pid");
    ASSERT_EQ(::kill(pid, SIGKILL), 0);
    ASSERT_TRUE(wait_for_simulator_end());
    EXPECT_FALSE(manager.connected());
    EXPECT_EQ(manager.session(), nullptr);
    EXPECT_TRUE(host.has_notice(DbgNotifyDebugEnded));
    // Taking the dead simulator's names over removes its shared memory.
    for (const char* name : {"ERam", "IRom"})
        EXPECT_TRUE(ipc::SharedMapping::create_in_memory(ipc::link_namespace(host.window), name, 16, nullptr));
}

TEST_F(DebugManagerTest, BreakpointsChangeDuringTheRun) {
    connect();
    // Stopped by the first resume? Nothing is planted, so the fake keeps running.
    EXPECT_EQ(manager.AddBreakPoint(11, project.main_source), 0);
    EXPECT_EQ(manager.session()->memory().views().control.empty(), false);
    const std::uint32_t word = manager.GetBreakPoint(0)->target_word;
    EXPECT_EQ(word, 0xEC034003u);
    // While running a removal only disarms the entry.
    manager.RemoveBreakPoint(11, project.main_source);
    EXPECT_EQ(manager.GetBreakPointCount(), 0);
    auto table = BreakTable::open(manager.session()->memory(), BreakTableId::Breakpoints);
    ASSERT_TRUE(table);
    EXPECT_EQ(table->word(0), word & ~formats::BreakEntry::kArmed);

    // A breakpoint that moves onto a line that already has one merges with it.
    manager.AddBreakPoint(14, project.main_source);
    manager.AddBreakPoint(13, project.main_source);
    ASSERT_EQ(manager.GetBreakPointCount(), 1);
    EXPECT_EQ(manager.GetBreakPoint(0)->line, 14);

    // An object that cannot be read keeps the breakpoint and reports it.
    std::filesystem::remove(project.object_path());
    manager.AddBreakPoint(10, project.main_source);
    EXPECT_EQ(manager.GetBreakPointCount(), 2);
    EXPECT_EQ(host.reports.size(), 1u);

    manager.RemoveAllBreakPoints();
    EXPECT_EQ(table->count(), 0u);
}

}  // namespace
}  // namespace ide
