#include "ide/shell/debug/tests/debug_run_fixture.h"

#include <thread>

#include "ide/build/tool_programs.h"
#include "ide/shell/source_doc.h"
#include "ide/shell/splash_wnd.h"
#include "platform/ipc/window_messages.h"
#include "platform/profile/store.h"
#include "platform/user/input_api.h"
#include "testing/golden.h"

namespace debug_testing {

namespace fs = std::filesystem;

namespace {

constexpr std::uint32_t kKeyDown = 0x0100, kKeyUp = 0x0101;
constexpr std::uint64_t kStartKey = 0x70;  // VK_F1, the skin's start key

}  // namespace

std::string PrepareDebugRun(const fs::path& root, DebugRunFolders& folders) {
    const fs::path bin = testing_kit::program_path("Talvask").parent_path();
    folders.workspace = root / "hello";
    folders.simulator = root / "simulator";
    std::error_code error;
    fs::create_directories(folders.workspace, error);
    fs::create_directories(folders.simulator, error);
    const fs::path sample = testing_kit::source_path("samples/hello");
    for (const char* name : {"HELLO.WSP", "HELLO.PRJ", "hello.asm"}) {
        if (!fs::copy_file(sample / name, folders.workspace / name, error)) return "cannot copy " + std::string(name);
    }
    for (const char* name : {"Talvask", "QV4700.BIN", "QV4700.PID", "dl.ini", "qv4700.cfs"}) {
        if (!fs::copy_file(bin / name, folders.simulator / name, error)) return std::string(name) + " is not built";
    }
    // The splash would take the first key the run presses.
    shell::CVyrSplashWnd::EnableSplashScreen(false);
    profile::Store store = profile::Store::for_program("Marlowquin", "Corvel");
    const std::string executables = folders.simulator.string() + ";" + bin.string();
    store.WriteProfileString(ide::kDirectoriesSection, "Executable files", executables);
    store.WriteProfileString(ide::kDirectoriesSection, "Library files", bin.string());
    if (!store.Flush()) return "cannot write the profile";
    return {};
}

bool PumpUntil(CWinApp& app, const std::function<bool()>& done, std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    for (;;) {
        const bool handled = app.RunQueued().handled > 0;
        if (done()) return true;
        if (std::chrono::steady_clock::now() >= deadline) return false;
        if (!handled) std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

void Drain(CWinApp& app) {
    PumpUntil(
        app, [] { return true; }, std::chrono::milliseconds(0));
}

void PressKey(int vk, bool shift) {
    if (shift) kit::user::inject_key(VK_SHIFT, true);
    kit::user::inject_key(vk, true);
    kit::user::inject_key(vk, false);
    if (shift) kit::user::inject_key(VK_SHIFT, false);
}

void PostStartKey(ipc::WindowHandle simulator, bool down) {
    ipc::post_message(simulator, down ? kKeyDown : kKeyUp, kStartKey, 0);
}

std::uint32_t LineFlags(shell::CVyrFrameDoc& doc, int line) {
    const editor::EditLine* found = doc.buffer().GetLineByNumber(line);
    return found ? found->flags : 0;
}

}  // namespace debug_testing
