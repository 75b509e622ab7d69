#pragma once
// The IDE's four toolbars in the frame lab: their commands, pictures drawn
// for the lab (the IDE brings its own), and the manager that makes and docks
// them as the IDE does.
#include "ide/shell/toolbar_table.h"

namespace framelab {

// "File", "Compile", "Edit" and "Debug" with the IDE's ids and buttons.
using LabToolBar = shell::FrameToolBar;
inline const auto& ide_toolbars() { return shell::FrameToolBars(); }
// The toolbar resource (and its bitmap) of the lab: every command above, once.
constexpr UINT IDR_LAB_TOOLBAR = 128;

// Registers the lab's toolbar resource and its pictures (once).
void register_toolbar_resources();
// Defines the four toolbars on the manager, switches the cool look on and
// makes them, docked in one row at the top as the IDE does.
BOOL create_ide_toolbars(SECToolBarManager& manager);

}  // namespace framelab
