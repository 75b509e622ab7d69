#pragma once
// Choosing the display a program runs on: KIT_DISPLAY=headless or sdl; when
// it is unset, sdl if an X or Wayland display is named, otherwise headless.
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

}  // namespace kit::display
