#pragma once
// The main frame's four toolbars ("File", "Compile", "Edit", "Debug"), made and
// docked in one row at the top by the toolbar manager, with the menu bar above
// them showing the frame's menus.
#include "ide/shell/toolbar_table.h"

namespace shell {

// The toolbar resource and picture strip: every button of the four toolbars once.
constexpr UINT kToolbarResource = 128;
void RegisterToolbarPictures();

// Defines the four toolbars on the manager with the cool look, gives the menu
// bar the menus `menus`, and makes and docks them all.
bool CreateFrameToolBars(SECToolBarManager& manager, std::initializer_list<UINT> menus);

}  // namespace shell
