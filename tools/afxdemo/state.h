#pragma once
// The demo as a person sees it, for scripts that drive it on a real screen:
// its documents side by side, and a text of what shows, kept in a file.
#include <string>

#include "tools/afxdemo/demo.h"

namespace afxdemo {

// A note and a sketch, the sketch active, placed so that both show whole.
void open_side_by_side(DemoApp& app);

// What shows, one fact a line (rectangles on the screen: left top right bottom):
//   note <rect of its view>          sketch <rect of its view>
//   active note|sketch|none          top note|sketch|none (the child in front)
//   sketch colour <0 red, 1 blue> size <n>
//   menu closed | menu open <item> | menu highlighted <item>
//   frame normal|maximized|minimized
//   window "<caption of the active window>"
std::string describe(MainFrame& frame);

// Rewrites the file (whole, through a rename) whenever that text changes.
void keep_state_in(DemoApp& app, const std::string& path);

}  // namespace afxdemo
