// afxdemo: the framework's sample program.
//   afxdemo [--screenshot <file.png> | --state-file <file>]
// The display comes from KIT_DISPLAY (headless or sdl). With --screenshot the
// program opens a note and a sketch, saves a picture of its main window and
// ends. With --state-file it opens the same two documents and runs, keeping
// what a person would see in the file (see state.cpp), so that a script can
// drive it with the X server's keyboard and mouse. Exit codes: 0 done, 1 the
// display or the screenshot failed, 2 a bad command line.
#include <cstdio>
#include <string>

#include "platform/display/display.h"
#include "platform/display/headless.h"
#include "platform/display/sdl_display.h"
#include "tools/afxdemo/demo.h"
#include "tools/afxdemo/state.h"

namespace {

bool save_screenshot(kit::user::Backend* backend, HWND hwnd, const std::string& path, std::string* error) {
    if (auto* headless = dynamic_cast<kit::display::Headless*>(backend)) return headless->save_png(hwnd, path, error);
    if (auto* sdl = dynamic_cast<kit::display::Sdl*>(backend)) return sdl->save_screenshot(hwnd, path, error);
    *error = "this display cannot take screenshots";
    return false;
}

std::string screenshot_path;
kit::user::Backend* screen = nullptr;
int exit_code = 0;

// Takes the picture once the windows have had time to reach the screen, then ends the program.
void take_screenshot(HWND hwnd, UINT, UINT_PTR id, DWORD) {
    KillTimer(hwnd, id);
    std::string error;
    if (!save_screenshot(screen, hwnd, screenshot_path, &error)) {
        std::fprintf(stderr, "afxdemo: %s\n", error.c_str());
        exit_code = 1;
    }
    PostMessage(hwnd, WM_CLOSE, 0, 0);
}

}  // namespace

int main(int argc, char** argv) {
    std::string screenshot, state_file;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--screenshot" && i + 1 < argc && state_file.empty()) {
            screenshot = argv[++i];
        } else if (arg == "--state-file" && i + 1 < argc && screenshot.empty()) {
            state_file = argv[++i];
        } else {
            std::fprintf(stderr, "usage: afxdemo [--screenshot <file.png> | --state-file <file>]\n");
            return 2;
        }
    }
    kit::display::OpenedDisplay display = kit::display::open_display();
    if (!display.backend) {
        std::fprintf(stderr, "afxdemo: %s\n", display.error.c_str());
        return 1;
    }
    if (auto* headless = dynamic_cast<kit::display::Headless*>(display.backend.get()))
        headless->advance_to_timers(true);
    afxdemo::DemoApp app;
    if (screenshot.empty() && state_file.empty()) return app.RunApplication();
    if (!app.InitInstance()) return 1;
    afxdemo::open_side_by_side(app);
    if (!state_file.empty()) {
        afxdemo::keep_state_in(app, state_file);
        return app.Run();
    }
    screen = display.backend.get();
    screenshot_path = screenshot;
    ::SetTimer(app.m_pMainWnd->m_hWnd, 1, 800, &take_screenshot);
    app.Run();
    return exit_code;
}
