#pragma once
// The context-menu key, with the platform's virtual-key value. It and Shift+F10 ask
// the window with the keyboard for its context menu: the window hears
// WM_CONTEXTMENU with the point (-1, -1) and places the menu at its caret or
// selected item.
constexpr int VK_APPS = 0x5D;
