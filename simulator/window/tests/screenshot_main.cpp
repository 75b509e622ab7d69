// talvask_screenshot: runs the simulator with the demo ROM and the kit's skin
// on the display KIT_DISPLAY names, keeps a screenshot of its window after a
// while, and ends it through its exit command.
//   talvask_screenshot <folder with the simulator's files> <shot.png> <milliseconds>
#include <cstdio>
#include <cstdlib>
#include <string>
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

void take_screenshot(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
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
        std::fprintf(stderr, "usage: talvask_screenshot <folder> <shot.png> <milliseconds>\n");
        return 2;
    }
    std::filesystem::path folder = argv[1];
    shot = argv[2];
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
    SetTimer(nullptr, 0, UINT(std::atoi(argv[3])), take_screenshot);
    int code = simwin::run_talvask(window);
    return exit_code ? exit_code : code;
}
