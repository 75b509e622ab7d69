// windemo: the window layer's demo program.
//   windemo [--screenshot <file.png>] [--quit-after <milliseconds>]
// The display comes from KIT_DISPLAY (headless or sdl). Exit codes: 0 done,
// 1 the display or the screenshot failed, 2 a bad command line.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/display/display.h"
#include "platform/display/headless.h"
#include "platform/display/sdl_display.h"
#include "platform/gdi/png_writer.h"
#include "tools/windemo/demo.h"

namespace {

struct Options {
    std::string screenshot;
    long quit_after_ms = -1;
};

kit::display::OpenedDisplay display;
Options options;
HWND main_window = nullptr;
int exit_code = 0;

bool parse(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if ((arg == "--screenshot" || arg == "--quit-after") && i + 1 < argc) {
            std::string value = argv[++i];
            if (arg == "--screenshot") {
                options.screenshot = value;
                continue;
            }
            char* end = nullptr;
            options.quit_after_ms = std::strtol(value.c_str(), &end, 10);
            if (value.empty() || *end || options.quit_after_ms < 0) return false;
        } else {
            return false;
        }
    }
    return true;
}

void take_screenshot() {
    std::string error;
    bool ok = false;
    if (auto* sdl = dynamic_cast<kit::display::Sdl*>(display.backend.get())) {
        ok = sdl->save_screenshot(main_window, options.screenshot, &error);
    } else {
        ok = gdi::write_png(kit::display::compose(main_window), options.screenshot, &error);
    }
    if (!ok) {
        std::fprintf(stderr, "windemo: cannot write the screenshot %s: %s\n", options.screenshot.c_str(),
                     error.c_str());
        exit_code = 1;
    }
}

void on_quit_timer(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    if (!options.screenshot.empty()) take_screenshot();
    DestroyWindow(main_window);
}

}  // namespace

int main(int argc, char** argv) {
    if (!parse(argc, argv)) {
        std::fprintf(stderr, "usage: windemo [--screenshot <file.png>] [--quit-after <milliseconds>]\n");
        return 2;
    }
    display = kit::display::open_display();
    if (!display.backend) {
        std::fprintf(stderr, "windemo: %s\n", display.error.c_str());
        return 1;
    }
    main_window = windemo::create_main_window();
    if (options.quit_after_ms >= 0) SetTimer(nullptr, 0, UINT(options.quit_after_ms), on_quit_timer);
    int code = windemo::run_message_loop(main_window);
    return exit_code ? exit_code : code;
}
