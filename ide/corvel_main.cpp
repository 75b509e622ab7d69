// Corvel: the development kit's IDE.
//   Corvel [--nosplash] [--screenshot <file.png>] [--window <width>x<height>] [--clock <text>] [--keys <keys>]
//          [<workspace.WSP | project.PRJ | source>]...
// The display comes from KIT_DISPLAY (headless or sdl). --nosplash starts without
// the splash picture. Each file named opens: a
// workspace or project as the workspace, anything else as a source. With
// --screenshot the program saves a picture of its main window once started, and
// ends; --window shows the main window restored at that size (pictures that must
// not depend on the screen's size); --clock shows the text in the status bar's
// clock pane in place of the time of day; --keys presses keys once the window is up
// ("alt+b b" chooses Build > Build by keyboard; with --screenshot the picture
// waits for the end of a build or a search, and shows a dialog the keys left open). Exit codes: 0 done, 1 the display, the start or the screenshot failed, 2 a
// bad command line.
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "ide/shell/find/find_job.h"
#include "ide/shell/frame_app.h"
#include "ide/shell/main_frame.h"
#include "ide/shell/splash_wnd.h"
#include "platform/afx/wnd.h"
#include "platform/display/display.h"
#include "platform/display/headless.h"
#include "platform/user/input_api.h"

namespace {

std::string screenshot_path;
kit::user::Backend* screen = nullptr;
int exit_code = 0;

void take_screenshot(HWND hwnd, UINT, UINT_PTR id, DWORD) {
    // A build or search started by the keys ends first, so that the picture shows all of
    // it: its last lines are posted, and handled before the timer comes again.
    if (ide::CVyrBuildManager* builds = shell::CorvelApp()->build_manager(); builds && builds->IsBuilding()) {
        builds->WaitForBuild();
        ::SetTimer(hwnd, id, 1, &take_screenshot);
        return;
    }
    if (ide::FindInFilesJob* search = shell::CorvelApp()->find_job(); search && search->Running()) {
        search->Wait();
        ::SetTimer(hwnd, id, 1, &take_screenshot);
        return;
    }
    // The bars show what the build or search left, and every window is painted, as the
    // loop's idle time would leave them before a timer could come.
    CWnd* main = CWnd::FromHandle(hwnd);
    main->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    main->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
    // A dialog the keys left open is the picture; it is cancelled before the program ends.
    HWND active = ::GetActiveWindow();
    const bool dialog = active && active != hwnd;
    ::UpdateWindow(dialog ? active : hwnd);
    KillTimer(hwnd, id);
    std::string error;
    if (!kit::display::save_window_picture(screen, dialog ? active : hwnd, screenshot_path, &error)) {
        std::fprintf(stderr, "Corvel: %s\n", error.c_str());
        exit_code = 1;
    }
    if (dialog) {
        ::PostMessage(active, WM_COMMAND, IDCANCEL, 0);
        ::PostMessage(active, WM_CLOSE, 0, 0);
    }
    PostMessage(hwnd, WM_CLOSE, 0, 0);
}

struct KeyPress {
    int vk;
    bool alt, ctrl, shift;
};

// "alt+b b f7 ctrl+tab": letters, digits, f1-f12, enter, escape, tab, space and the
// arrows, each with "alt+", "ctrl+" or "shift+" for the keys held with it.
bool parse_keys(const std::string& text, std::vector<KeyPress>& keys) {
    static const std::vector<std::pair<std::string, int>> kNamed = {
        {"enter", VK_RETURN}, {"escape", VK_ESCAPE}, {"tab", VK_TAB},   {"space", VK_SPACE},
        {"up", VK_UP},        {"down", VK_DOWN},     {"left", VK_LEFT}, {"right", VK_RIGHT}};
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = std::min(text.find(' ', at), text.size());
        std::string name = text.substr(at, end - at);
        at = end + 1;
        if (name.empty()) continue;
        for (char& ch : name) ch = char(std::tolower(static_cast<unsigned char>(ch)));
        KeyPress key{0, false, false, false};
        for (bool more = true; more;) {
            more = false;
            for (auto [prefix, held] : {std::pair{"alt+", &key.alt}, {"ctrl+", &key.ctrl}, {"shift+", &key.shift}})
                if (name.size() > std::strlen(prefix) && name.starts_with(prefix)) {
                    *held = more = true;
                    name = name.substr(std::strlen(prefix));
                }
        }
        const auto named = std::find_if(kNamed.begin(), kNamed.end(), [&](const auto& n) { return n.first == name; });
        if (name.size() == 1 && std::isalnum(static_cast<unsigned char>(name[0])))
            key.vk = std::toupper(static_cast<unsigned char>(name[0]));
        else if (named != kNamed.end())
            key.vk = named->second;
        else if (name.size() >= 2 && name[0] == 'f' && std::atoi(name.c_str() + 1) >= 1 &&
                 std::atoi(name.c_str() + 1) <= 12)
            key.vk = VK_F1 + std::atoi(name.c_str() + 1) - 1;
        else
            return false;
        keys.push_back(key);
    }
    return true;
}

void press(const KeyPress& key) {
    const std::pair<bool, int> held[] = {{key.ctrl, VK_CONTROL}, {key.shift, VK_SHIFT}, {key.alt, VK_MENU}};
    for (auto [on, vk] : held)
        if (on) kit::user::inject_key(vk, true);
    kit::user::inject_key(key.vk, true);
    kit::user::inject_key(key.vk, false);
    for (auto [on, vk] : held)
        if (on) kit::user::inject_key(vk, false);
}

int usage() {
    std::fprintf(stderr,
                 "usage: Corvel [--nosplash] [--screenshot <file.png>] [--window <width>x<height>] [--clock <text>] "
                 "[--keys <keys>] "
                 "[<workspace.WSP | project.PRJ | source>]...\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> files;
    int width = 0, height = 0;
    std::vector<KeyPress> keys;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--nosplash") {
            shell::CVyrSplashWnd::EnableSplashScreen(false);
        } else if (arg == "--screenshot" && i + 1 < argc) {
            screenshot_path = argv[++i];
        } else if (arg == "--keys" && i + 1 < argc) {
            if (!parse_keys(argv[++i], keys)) return usage();
        } else if (arg == "--clock" && i + 1 < argc) {
            shell::CMainFrame::SetFixedClock(argv[++i]);
        } else if (arg == "--window" && i + 1 < argc) {
            char end = 0;
            if (std::sscanf(argv[++i], "%dx%d%c", &width, &height, &end) != 2 || width < 100 || height < 100 ||
                width > 8192 || height > 8192)
                return usage();
        } else if (arg.starts_with("--")) {
            return usage();
        } else {
            // Opening a workspace makes its folder the current one: later names must not depend on it.
            std::error_code error;
            const std::filesystem::path full = std::filesystem::absolute(arg, error);
            files.push_back(error ? arg : full.lexically_normal().string());
        }
    }
    kit::display::OpenedDisplay display = kit::display::open_display();
    if (!display.backend) {
        std::fprintf(stderr, "Corvel: %s\n", display.error.c_str());
        return 1;
    }
    if (auto* headless = dynamic_cast<kit::display::Headless*>(display.backend.get())) {
        headless->advance_to_timers(true);
        // Keys to press are a person at the keyboard: the dialogs they open wait for them.
        if (!keys.empty()) headless->set_person_present(true);
    }
    shell::CVyrFrameApp app(std::move(files));
    if (width) app.SetStartSize(width, height);
    if (!app.InitInstance()) {
        std::fprintf(stderr, "Corvel: the main window could not be made\n");
        app.ExitInstance();
        return 1;
    }
    for (const KeyPress& key : keys) press(key);
    if (!screenshot_path.empty()) {
        screen = display.backend.get();
        ::SetTimer(app.m_pMainWnd->m_hWnd, 1, 800, &take_screenshot);
    }
    const int code = app.Run();
    return exit_code ? exit_code : code;
}
