#pragma once
// Four toolbars as a development environment has them ("File", "Compile",
// "Edit", "Debug"), with a picture for every command: a shape for each
// toolbar and the command's place in it as dots.
#include <array>
#include <vector>

#include "uikit/frames/testing/docking_windows.h"
#include "uikit/frames/toolbar_manager.h"

namespace docking_test {

struct TestToolBar {
    UINT id;
    const char* title;
    std::vector<UINT> buttons;  // command ids; 0 is a separator
};
const std::array<TestToolBar, 4>& test_toolbars();

using frames_testing::kStopBuild;
using frames_testing::kStopDebug;

// Loads the pictures, defines the four as the manager's default toolbars, the
// first at the top and the others after it in its row, switches the cool look
// on and makes them.
BOOL create_test_toolbars(SECToolBarManager& manager);

}  // namespace docking_test
