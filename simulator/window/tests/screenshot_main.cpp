// talvask_screenshot: runs the simulator with the demo ROM and the kit's skin
// on the display KIT_DISPLAY names, holds the device once it has run the
// given number of CPU cycles, keeps a screenshot of its window drawn from
// that held state, and ends it through its exit command. The device's own
// time, not the wall clock, decides what the picture shows, so a loaded
// machine takes the same picture as an idle one.
//   talvask_screenshot <folder with the simulator's files> <shot.png> <cycles>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "formats/sim_messages.h"
#include "platform/display/display.h"
#include "platform/display/headless.h"
#include "platform/display/sdl_display.h"
#include "platform/gdi/png_writer.h"
#include "simulator/window/talvask_startup.h"

namespace {

HWND simulator = nullptr;
std::string shot;
int exit_code = 0;

// Holds the emulation once it has run `cycles` cycles; false when it will not
// park or has not got there within a minute (a run that is stuck).
bool hold_after(simcpu::EmuKernel& kernel, std::uint64_t cycles) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(1);
    while (std::chrono::steady_clock::now() < deadline) {
        if (!kernel.Pause()) return false;
        if (kernel.core().cycleCount >= cycles) return true;
        kernel.Resume();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return false;
}

void take_screenshot(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    // Drawn whole from the held device, whatever the LCD refreshes queued before it was held.
    InvalidateRect(simulator, nullptr, FALSE);
    UpdateWindow(simulator);
    std::string error;
    kit::display::Sdl* sdl = dynamic_cast<kit::display::Sdl*>(&kit::user::backend());
    bool ok = sdl ? sdl->save_screenshot(simulator, shot, &error)
                  : gdi::write_png(kit::display::compose(simulator), shot, &error);
    if (!ok) {
        std::fprintf(stderr, "talvask_screenshot: %s\n", error.c_str());
        exit_code = 1;
    }
    PostMessage(simulator, WM_COMMAND, formats::kSimExitCommand, 0);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: talvask_screenshot <folder> <shot.png> <cycles>\n");
        return 2;
    }
    std::filesystem::path folder = argv[1];
    shot = argv[2];
    const std::uint64_t cycles = std::strtoull(argv[3], nullptr, 10);
    kit::display::OpenedDisplay display = kit::display::open_display();
    if (!display.backend) {
        std::fprintf(stderr, "talvask_screenshot: %s\n", display.error.c_str());
        return 1;
    }
    std::vector<std::string> arguments = {"-o:QV4700.BIN", "-up", "-a:" + (folder / "ram.mem").string(), "-eas:65536",
                                          "-if:qv4700.cfs"};
    auto started = simwin::start_talvask({arguments, folder, std::nullopt, std::nullopt, SW_SHOWNORMAL});
    if (auto* code = std::get_if<int>(&started)) return *code;
    auto& window = *std::get<std::unique_ptr<simwin::SimWindow>>(started);
    simulator = window.hwnd();
    if (!hold_after(window.kernel(), cycles)) {
        std::fprintf(stderr, "talvask_screenshot: the device did not run %llu cycles\n",
                     static_cast<unsigned long long>(cycles));
        exit_code = 1;
        PostMessage(simulator, WM_COMMAND, formats::kSimExitCommand, 0);
    } else {
        // Taken from the message loop, where the window draws.
        SetTimer(nullptr, 0, 0, take_screenshot);
    }
    int code = simwin::run_talvask(window);
    return exit_code ? exit_code : code;
}
