#pragma once
// Choosing the display a program runs on: KIT_DISPLAY=headless or sdl; when
// it is unset, sdl if an X or Wayland display is named, otherwise none (the
// error says so in one line).
#include <memory>
#include <string>

#include "platform/user/backend.h"

namespace kit::display {

struct OpenedDisplay {
    std::unique_ptr<user::Backend> backend;  // installed; null on failure
    std::string name;                        // "headless" or "sdl"
    std::string error;
};

OpenedDisplay open_display();

// Saves a picture of the window as the display shows it (PNG); false with `error`
// set when it cannot, or when the display takes no pictures.
bool save_window_picture(user::Backend* display, HWND hwnd, const std::string& path, std::string* error);

}  // namespace kit::display
