#include "platform/display/x11_stacking.h"

#include <SDL.h>
#include <SDL_syswm.h>

namespace kit::display {

void raise_without_keyboard(SDL_Window* window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return;
    XRaiseWindow(info.info.x11.display, info.info.x11.window);
    XFlush(info.info.x11.display);
}

}  // namespace kit::display
