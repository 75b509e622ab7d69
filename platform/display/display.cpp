#include "platform/display/display.h"

#include <cstdlib>
#include <string_view>

#include "platform/display/headless.h"
#include "platform/display/sdl_display.h"
#include "platform/user/termination.h"

namespace kit::display {

OpenedDisplay open_display() {
    user::close_on_termination_signals();
    OpenedDisplay opened;
    const char* chosen = std::getenv("KIT_DISPLAY");
    std::string_view name = chosen ? chosen : "";
    if (name.empty()) {
        // The test display is never a fallback: a program meant to be seen would run unseen.
        const bool screen = std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY");
        if (!screen) {
            opened.error =
                "no screen to show windows on (DISPLAY is not set): set DISPLAY to an X server, or "
                "KIT_DISPLAY=headless";
            return opened;
        }
        name = "sdl";
    }
    if (name == "headless") {
        auto headless = std::make_unique<Headless>();
        headless->advance_to_timers(true);
        headless->set_person_present(false);
        opened.backend = std::move(headless);
        opened.name = "headless";
        return opened;
    }
    if (name == "sdl") {
        opened.name = "sdl";
        opened.backend = Sdl::open(&opened.error);
        return opened;
    }
    opened.name = std::string(name);
    opened.error = "KIT_DISPLAY names an unknown display \"" + opened.name + "\" (use headless or sdl)";
    return opened;
}

bool save_window_picture(user::Backend* display, HWND hwnd, const std::string& path, std::string* error) {
    if (auto* headless = dynamic_cast<Headless*>(display)) return headless->save_png(hwnd, path, error);
    if (auto* sdl = dynamic_cast<Sdl*>(display)) return sdl->save_screenshot(hwnd, path, error);
    *error = "this display cannot take screenshots";
    return false;
}

}  // namespace kit::display
