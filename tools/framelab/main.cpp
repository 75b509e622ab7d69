// framelab: a docking frame with the IDE's six docking windows.
//   framelab [--scenario <name>] [--drag x1,y1,x2,y2]... [--click x,y]... [--dump] [--screenshot <file.png>]
//            [--layout-file <file>] [--layout <name>]
// Scenarios: ide (all six windows docked), ide-start (only the workspace and
// the output shown), sheets (ide with two worksheets), workbook (ide-start
// with three worksheets as tabs), floating (ide with the memory window floating and
// the disassembly hidden), toolbars (ide with the IDE's four toolbars in one row
// at the top), menubar (toolbars with the menu as a menu bar above them and the
// IDE's status bar), documents (ide-start with a source file in an MDI child
// whose caption docks it and makes it an MDI child again). Drags and clicks are in
// the frame's client coordinates and need the headless display. --dump prints
// the layout as text; --screenshot saves a picture of the frame. Without either
// the frame stays up for a person to dock and resize the windows by hand.
// --layout-file keeps the layout text in the file while the frame is up (the
// frame's client origin on the screen first, then the dump), rewritten
// whenever it changes, so that a script driving the mouse can follow it.
// --layout restores the layout saved in the profile under the name after the
// scenario is built (a damaged one is reported and the scenario's kept) and
// saves it there when the frame closes.
// The display comes from KIT_DISPLAY (headless or sdl). Exit codes: 0 done,
// 1 the display, the frame or the screenshot failed, 2 a bad command line.
#include <cstdio>
#include <string>
#include <vector>

#include "platform/display/display.h"
#include "platform/display/headless.h"
#include "platform/display/sdl_display.h"
#include "tools/framelab/lab.h"

namespace {

struct Action {
    bool drag = false;
    POINT from{}, to{};
};

bool parse_points(const std::string& text, int count, POINT* points) {
    int values[4] = {};
    const char* formats[] = {"", "", "%d,%d%n", "", "%d,%d,%d,%d%n"};
    int used = 0;
    const int read = count == 2
                         ? std::sscanf(text.c_str(), formats[2], &values[0], &values[1], &used)
                         : std::sscanf(text.c_str(), formats[4], &values[0], &values[1], &values[2], &values[3], &used);
    if (read != count || used != int(text.size())) return false;
    for (int i = 0; i < count / 2; ++i) points[i] = POINT{values[2 * i], values[2 * i + 1]};
    return true;
}

int usage() {
    std::fprintf(stderr,
                 "usage: framelab [--scenario ide|ide-start|sheets|workbook|floating|toolbars|menubar|documents] "
                 "[--drag x1,y1,x2,y2]... "
                 "[--click x,y]... [--dump] [--screenshot <file.png>] [--layout-file <file>] [--layout <name>]\n");
    return 2;
}

std::string screenshot_path;
kit::user::Backend* screen = nullptr;
int exit_code = 0;

bool save_screenshot(HWND hwnd, std::string* error) {
    if (auto* headless = dynamic_cast<kit::display::Headless*>(screen))
        return headless->save_png(hwnd, screenshot_path, error);
    if (auto* sdl = dynamic_cast<kit::display::Sdl*>(screen)) return sdl->save_screenshot(hwnd, screenshot_path, error);
    *error = "this display cannot take screenshots";
    return false;
}

void take_screenshot(HWND hwnd, UINT, UINT_PTR id, DWORD) {
    KillTimer(hwnd, id);
    std::string error;
    if (!save_screenshot(hwnd, &error)) {
        std::fprintf(stderr, "framelab: %s\n", error.c_str());
        exit_code = 1;
    }
    PostMessage(hwnd, WM_CLOSE, 0, 0);
}

std::string layout_path;
std::string layout_name;
std::string layout_written;

// The layout text with the client origin, written whole (temporary file and rename) when it changed.
void write_layout(HWND hwnd, UINT, UINT_PTR, DWORD) {
    auto* frame = static_cast<framelab::LabFrame*>(CWnd::FromHandlePermanent(hwnd));
    if (!frame) return;
    CPoint origin(0, 0);
    frame->ClientToScreen(&origin);
    const std::string text =
        "origin " + std::to_string(origin.x) + " " + std::to_string(origin.y) + "\n" + framelab::dump_layout(*frame);
    if (text == layout_written) return;
    const std::string temporary = layout_path + ".tmp";
    FILE* file = std::fopen(temporary.c_str(), "w");
    const bool written = file && std::fwrite(text.data(), 1, text.size(), file) == text.size();
    if (file && std::fclose(file) != 0) return;
    if (written && std::rename(temporary.c_str(), layout_path.c_str()) == 0) layout_written = text;
}

// Handles what is queued, then the idle work (delayed layouts) as the loop would.
void settle(CWinApp& app) {
    // A quit goes back on the queue for the loop to end on.
    if (const CWinApp::QueuedRun run = app.RunQueued(); run.quit) PostQuitMessage(run.exit_code);
}

}  // namespace

int main(int argc, char** argv) {
    std::string scenario = "ide";
    std::vector<Action> actions;
    bool dump = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool has_value = i + 1 < argc;
        if (arg == "--scenario" && has_value) {
            scenario = argv[++i];
        } else if (arg == "--screenshot" && has_value) {
            screenshot_path = argv[++i];
        } else if (arg == "--drag" && has_value) {
            POINT points[2];
            if (!parse_points(argv[++i], 4, points)) return usage();
            actions.push_back(Action{true, points[0], points[1]});
        } else if (arg == "--click" && has_value) {
            POINT point[1];
            if (!parse_points(argv[++i], 2, point)) return usage();
            actions.push_back(Action{false, point[0], point[0]});
        } else if (arg == "--layout" && has_value) {
            layout_name = argv[++i];
        } else if (arg == "--layout-file" && has_value) {
            layout_path = argv[++i];
        } else if (arg == "--dump") {
            dump = true;
        } else {
            return usage();
        }
    }
    bool known = false;
    for (const char* const* name = framelab::scenario_names(); *name; ++name) known = known || scenario == *name;
    if (!known) {
        std::fprintf(stderr, "framelab: no scenario is named \"%s\"\n", scenario.c_str());
        return 2;
    }
    kit::display::OpenedDisplay display = kit::display::open_display();
    if (!display.backend) {
        std::fprintf(stderr, "framelab: %s\n", display.error.c_str());
        return 1;
    }
    auto* headless = dynamic_cast<kit::display::Headless*>(display.backend.get());
    if (!actions.empty() && !headless) {
        std::fprintf(stderr, "framelab: drags and clicks are injected on the headless display only\n");
        return 2;
    }
    if (headless) headless->advance_to_timers(true);
    screen = display.backend.get();
    framelab::LabApp app;
    if (!app.InitInstance() || !framelab::build_scenario(*app.frame(), scenario)) {
        std::fprintf(stderr, "framelab: the frame could not be built\n");
        return 1;
    }
    app.frame()->layout_name = layout_name;
    if (const os::Status restored = app.frame()->RestoreLayout(); !restored)
        std::fprintf(stderr, "framelab: %s\n", restored.error().text.c_str());
    settle(app);
    HWND frame = app.frame()->m_hWnd;
    for (const Action& action : actions) {
        if (action.drag) {
            headless->move(frame, action.from);
            headless->button(frame, action.from, true);
            headless->move(frame, action.to);
            headless->button(frame, action.to, false);
        } else {
            headless->click(frame, action.from);
        }
        settle(app);
    }
    if (dump) std::fputs(framelab::dump_layout(*app.frame()).c_str(), stdout);
    if (!layout_path.empty()) {
        write_layout(frame, 0, 0, 0);
        ::SetTimer(frame, 2, 100, &write_layout);
    }
    if (screenshot_path.empty()) {
        if (dump || !actions.empty()) {
            app.frame()->SendMessage(WM_CLOSE);  // as a person closing it: the layout is kept
            return app.ExitInstance();           // and saved with the profile as the program ends
        }
        return app.Run();
    }
    ::SetTimer(frame, 1, 800, &take_screenshot);
    app.Run();
    return exit_code;
}
