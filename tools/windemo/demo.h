#pragma once
// The window demo: a main window with child windows, a menu bar, a popup
// menu, a dialog with each standard control, a timer-driven animation and a
// caret. It runs on any display; its notable events go to a log.
#include <string>
#include <vector>

#include "platform/user/user.h"

namespace windemo {

// Registers the demo's classes and resources and opens its main window (shown).
HWND create_main_window();
// What happened, one line per event, in order (commands, dialog results, choices).
std::vector<std::string>& event_log();
// Runs the message loop with the demo's accelerators until WM_QUIT; returns its code.
int run_message_loop(HWND main_window);

// Child control ids of the main window, for tests that drive it.
constexpr int kCanvasId = 10;
constexpr int kNotesId = 11;
constexpr int kControlsButtonId = 12;

}  // namespace windemo
