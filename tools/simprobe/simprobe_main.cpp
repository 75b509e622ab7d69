// simprobe: plays the IDE's part against a real `Talvask -d` process. It opens
// a top-level window that takes posts from other processes, starts the
// simulator with its handle, and checks the link: the download notice, a
// breakpoint planted in the shared "ERam" at the demo ROM's idle loop, the stop
// notice with that PC, next to no CPU while stopped, exit within two seconds,
// and the end hand-shake with the acknowledgement (long before the limit) and
// without it (after the ten-second limit).
//   simprobe <Talvask> <work folder>
// The simulator, its skin, the demo ROM, the loader and DEMOPROG.BIN are
// copied into the work folder and run from there. Exit code 0 when every
// check holds, 1 otherwise, 2 for a bad command line.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "formats/cpu_block.h"
#include "formats/sim_messages.h"
#include "platform/display/headless.h"
#include "platform/ipc/shared_mapping.h"
#include "platform/ipc/window_messages.h"
#include "platform/os/process.h"
#include "platform/user/ipc_bridge.h"
#include "platform/user/user.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

struct Received {
    UINT message;
    std::uint64_t wparam, lparam;
};

std::vector<Received> received;
int failures = 0;

void check(bool ok, const std::string& what) {
    std::printf("%s: %s\n", ok ? "ok" : "FAILED", what.c_str());
    if (!ok) ++failures;
}

LRESULT probe_procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == formats::WM_SIMLINK || message == WM_COMMAND) {
        received.push_back({message, std::uint64_t(wParam), std::uint64_t(lParam)});
        return 0;
    }
    return DefWindowProc(hwnd, message, wParam, lParam);
}

std::optional<Received> find(UINT message, std::uint16_t code) {
    for (const Received& r : received)
        if (r.message == message && formats::sim_link_code(r.wparam) == code) return r;
    return std::nullopt;
}

// Handles posts until `done` or the limit.
bool pump_until(const std::function<bool()>& done, milliseconds limit) {
    auto deadline = Clock::now() + limit;
    while (Clock::now() < deadline) {
        MSG msg;
        while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(&msg);
        if (done()) return true;
        std::this_thread::sleep_for(milliseconds(2));
    }
    return done();
}

// User plus system CPU time of a process, in clock ticks.
long cpu_ticks(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), {});
    std::size_t end = text.rfind(')');
    if (end == std::string::npos) return -1;
    std::istringstream fields(text.substr(end + 2));
    std::string field;
    long utime = 0, stime = 0;
    for (int i = 3; i <= 15 && fields >> field; ++i) {
        if (i == 14) utime = std::atol(field.c_str());
        if (i == 15) stime = std::atol(field.c_str());
    }
    return utime + stime;
}

class Session {
public:
    Session(const fs::path& folder, HWND probe) : folder_(folder), probe_(probe) {}

    bool start() {
        received.clear();
        fs::remove(folder_ / "ram.mem");
        os::SpawnOptions spawn;
        spawn.argv = {(folder_ / "Talvask").string(),
                      "-o:QV4700.BIN",
                      "-a:" + (folder_ / "ram.mem").string(),
                      "-eas:65536",
                      "-if:qv4700.cfs",
                      "-h:" + std::to_string(value_of(probe_)),
                      "-f:DEMOPROG.BIN",
                      "-n:DEMOPROG",
                      "-d",
                      "-up"};
        spawn.working_directory = folder_;
        auto started = os::Process::spawn(spawn);
        if (!started) {
            check(false, "Talvask starts");
            return false;
        }
        process_ = std::move(*started);
        bool notified = pump_until([] { return find(formats::WM_SIMLINK, formats::SimNotifyDownloaded).has_value(); },
                                   milliseconds(30000));
        check(notified, "the download notice arrives");
        if (!notified) return false;
        simulator_ = hwnd_from_value(std::uintptr_t(find(formats::WM_SIMLINK, formats::SimNotifyDownloaded)->lparam));
        check(IsWindow(simulator_), "the notice carries the simulator's window");
        return true;
    }

    void post(std::uint64_t wparam, std::uint64_t lparam = 0) {
        PostMessage(simulator_, formats::WM_SIMLINK, WPARAM(wparam), LPARAM(lparam));
    }

    // Milliseconds until the process ends, or nothing within `limit`.
    std::optional<long> time_to_end(milliseconds limit, const std::function<void()>& while_waiting = {}) {
        auto begin = Clock::now();
        while (Clock::now() - begin < limit) {
            if (while_waiting) while_waiting();
            MSG msg;
            while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(&msg);
            if (process_.poll()) return long(std::chrono::duration_cast<milliseconds>(Clock::now() - begin).count());
            std::this_thread::sleep_for(milliseconds(2));
        }
        return std::nullopt;
    }

    void end() {
        if (!process_.poll()) {
            (void)process_.kill();  // a simulator left running by a failed check
            process_.wait();
        }
    }

    os::Process& process() { return process_; }

private:
    fs::path folder_;
    HWND probe_;
    HWND simulator_ = nullptr;
    os::Process process_;
};

// The demo ROM's idle loop: the first JMP in its last page that lands on a JSR.
std::uint16_t idle_loop(const std::uint8_t* rom, std::size_t size) {
    auto at = [&](std::uint32_t address) -> int {
        std::size_t offset = address - 0x8000u;
        return offset < size ? rom[offset] : -1;
    };
    for (std::uint32_t a = 0xE000; a < 0xFFF0; ++a) {
        if (at(a) != 0x4C) continue;
        std::uint32_t target = std::uint32_t(at(a + 1)) | std::uint32_t(at(a + 2)) << 8;
        if (target >= 0xE000 && at(target) == 0x20) return std::uint16_t(target);
    }
    return 0;
}

void breakpoint_run(Session& session, const std::string& space) {
    if (!session.start()) return session.end();
    std::string why;
    auto ram = ipc::SharedMapping::open(space, "ERam", ipc::MappingAccess::ReadWrite, &why);
    auto rom = ipc::SharedMapping::open(space, "IRom", ipc::MappingAccess::ReadOnly, &why);
    check(ram && rom, "the named mappings are open to the IDE" + (why.empty() ? "" : ": " + why));
    if (!ram || !rom) return session.end();
    auto* block = reinterpret_cast<formats::TargetControlBlock*>(ram->data());
    std::uint16_t loop = idle_loop(rom->data(), rom->size());
    check(loop != 0, "the idle loop is found in the ROM");
    block->first_table[1] = 0;
    block->first_table[0] =
        formats::BreakEntry::kValid | formats::BreakEntry::kArmed | formats::BreakEntry::kExecute | loop;
    // The device paused after the download; the IDE lets it go on.
    session.post(formats::sim_link_wparam(formats::SimCmdResume));
    bool stopped = pump_until([] { return find(formats::WM_SIMLINK, formats::SimNotifyStopped).has_value(); },
                              milliseconds(10000));
    check(stopped, "the stop notice arrives");
    if (stopped) {
        Received stop = *find(formats::WM_SIMLINK, formats::SimNotifyStopped);
        check(stop.wparam == 0x1002FFFF, "the stop notice's wParam");
        check(stop.lparam == std::uint64_t(loop) << 16, "the stop notice carries the loop's PC and entry 0");
        check(block->registers.pc == loop, "the register block agrees");
        long before = cpu_ticks(session.process().pid());
        std::this_thread::sleep_for(milliseconds(1000));
        long used = cpu_ticks(session.process().pid()) - before;
        std::printf("cpu while stopped: %ld ticks of %ld in a second\n", used, sysconf(_SC_CLK_TCK));
        check(before >= 0 && used * 10 < sysconf(_SC_CLK_TCK), "next to no CPU while stopped");
    }
    ram.reset();
    rom.reset();
    session.post(formats::sim_link_wparam(formats::SimCmdExit));
    auto ended = session.time_to_end(milliseconds(5000));
    check(ended && *ended < 2000, "exit ends the simulator within two seconds" +
                                      (ended ? " (" + std::to_string(*ended) + " ms)" : std::string()));
    check(find(WM_COMMAND, formats::SimNotifyExited).has_value(), "the exit notice arrives as WM_COMMAND");
    session.end();
}

void close_run(Session& session, bool acknowledge) {
    if (!session.start()) return session.end();
    session.post(formats::kSimCloseWParam, formats::kSimCloseLParam);
    bool acknowledged = false;
    auto ended = session.time_to_end(milliseconds(15000), [&] {
        if (acknowledge && !acknowledged && find(formats::WM_SIMLINK, formats::SimNotifyEnded)) {
            session.post(formats::sim_link_wparam(formats::SimCmdAckEnd));
            acknowledged = true;
        }
    });
    check(find(formats::WM_SIMLINK, formats::SimNotifyEnded).has_value(), "the end notice arrives");
    std::string took = ended ? " (" + std::to_string(*ended) + " ms)" : std::string(" (still running)");
    if (acknowledge)
        // Well short of the limit, with room for a loaded machine (sanitizer builds run several at once).
        check(ended && *ended < 5000, "with the acknowledgement the simulator ends long before the limit" + took);
    else
        check(ended && *ended >= 10000, "without it the simulator ends after the ten-second limit" + took);
    session.end();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: simprobe <Talvask> <work folder>\n");
        return 2;
    }
    fs::path talvask = argv[1], folder = argv[2];
    fs::create_directories(folder);
    fs::path bin = talvask.parent_path();
    std::error_code error;
    for (const char* name : {"QV4700.BIN", "QV4700.PID", "dl.ini", "qv4700.cfs"})
        fs::copy_file(bin / name, folder / name, fs::copy_options::overwrite_existing, error);
    fs::copy_file(talvask, folder / "Talvask", fs::copy_options::overwrite_existing, error);
    fs::copy_file(bin.parent_path() / "simulator" / "demo" / "DEMOPROG.BIN", folder / "DEMOPROG.BIN",
                  fs::copy_options::overwrite_existing, error);
    if (error) {
        std::fprintf(stderr, "simprobe: cannot copy the simulator's files: %s\n", error.message().c_str());
        return 1;
    }

    kit::display::Headless display;
    WNDCLASS wc{};
    wc.lpfnWndProc = probe_procedure;
    wc.lpszClassName = "SimProbe";
    RegisterClass(&wc);
    HWND probe = CreateWindowEx(0, "SimProbe", "simprobe", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    std::string why;
    auto bridge = kit::user::IpcBridge::open(probe, &why);
    if (!bridge) {
        std::fprintf(stderr, "simprobe: cannot take posts from other processes: %s\n", why.c_str());
        return 1;
    }
    // The simulator runs headless: it must not need a screen to serve the IDE.
    setenv("KIT_DISPLAY", "headless", 1);
    unsetenv(ipc::kLinkNamespaceVariable);

    Session session(folder, probe);
    breakpoint_run(session, ipc::link_namespace(ipc::WindowHandle(value_of(probe))));
    close_run(session, true);
    close_run(session, false);
    bridge.reset();
    DestroyWindow(probe);
    std::printf("%s\n", failures ? "simprobe: FAILED" : "simprobe: all checks hold");
    return failures ? 1 : 0;
}
