#pragma once
// Stacking on an X screen below what SDL offers: SDL raises a window only
// together with asking for the keyboard for it.
struct SDL_Window;

namespace kit::display {

// Puts the window above the others on the screen without asking for the
// keyboard for it; nothing where the window is not on X.
void raise_without_keyboard(SDL_Window* window);

}  // namespace kit::display
