// kitedit: a text editor for one file.
//   kitedit [--type <text>] [--screenshot <file.png>] <file>
// The display comes from KIT_DISPLAY (headless or sdl). --type sends the text as key
// presses through the input layer, as a keyboard would; with --screenshot the program
// saves a picture of its window once the keys are handled, and ends. Ctrl+S saves.
// Exit codes: 0 done, 1 the display, the file or the screenshot failed, 2 a bad
// command line.
#include <cstdio>
#include <string>

#include "platform/display/display.h"
#include "platform/display/headless.h"
#include "platform/user/input_api.h"
#include "tools/kitedit/kitedit.h"

namespace {

std::string screenshot_path;
kit::user::Backend* screen = nullptr;
int exit_code = 0;

void take_screenshot(HWND hwnd, UINT, UINT_PTR id, DWORD) {
    KillTimer(hwnd, id);
    std::string error;
    if (!kit::display::save_window_picture(screen, hwnd, screenshot_path, &error)) {
        std::fprintf(stderr, "kitedit: %s\n", error.c_str());
        exit_code = 1;
    }
    PostMessage(hwnd, WM_CLOSE, 0, 0);
}

void press(int vk) {
    kit::user::inject_key(vk, true);
    kit::user::inject_key(vk, false);
}

// Keys for lower-case letters, digits, space and line ends; other bytes as text.
void type(const std::string& text) {
    for (char c : text) {
        if (c >= 'a' && c <= 'z')
            press(c - 'a' + 'A');
        else if (c >= '0' && c <= '9')
            press(c);
        else if (c == ' ')
            press(VK_SPACE);
        else if (c == '\n')
            press(VK_RETURN);
        else
            kit::user::inject_text(std::string(1, c).c_str());
    }
}

}  // namespace

int main(int argc, char** argv) {
    std::string screenshot;
    std::string typed;
    std::string file;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--screenshot" && i + 1 < argc) {
            screenshot = argv[++i];
        } else if (arg == "--type" && i + 1 < argc) {
            typed = argv[++i];
        } else if (file.empty() && !arg.starts_with("--")) {
            file = arg;
        } else {
            file.clear();
            break;
        }
    }
    if (file.empty()) {
        std::fprintf(stderr, "usage: kitedit [--type <text>] [--screenshot <file.png>] <file>\n");
        return 2;
    }
    kit::display::OpenedDisplay display = kit::display::open_display();
    if (!display.backend) {
        std::fprintf(stderr, "kitedit: %s\n", display.error.c_str());
        return 1;
    }
    if (auto* headless = dynamic_cast<kit::display::Headless*>(display.backend.get()))
        headless->advance_to_timers(true);
    kitedit::EditorApp app;
    std::string error;
    if (!app.window.Open(file, &error)) {
        std::fprintf(stderr, "kitedit: %s\n", error.c_str());
        return 1;
    }
    app.m_pMainWnd = &app.window;
    type(typed);
    if (!screenshot.empty()) {
        screen = display.backend.get();
        screenshot_path = screenshot;
        ::SetTimer(app.window.m_hWnd, 1, 800, &take_screenshot);
    }
    app.Run();
    return exit_code;
}
