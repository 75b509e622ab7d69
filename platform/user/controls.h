#pragma once
// What the standard controls share. Internal to the window manager.
#include "platform/user/user_types.h"

namespace kit::user {

// Registers BUTTON, STATIC, EDIT, LISTBOX, COMBOBOX, SCROLLBAR, the trackbar,
// the progress bar, the tab control, the status bar, tooltips, spin buttons and the
// dialog class once.
void ensure_standard_classes();
void register_button_class();
void register_static_class();
void register_edit_class();
void register_listbox_class();
void register_combobox_class();
void register_scrollbar_class();
void register_trackbar_class();
void register_progress_class();
void register_tab_class();
void register_status_bar_class();
void register_tooltip_class();
void register_up_down_class();
void register_dialog_class();

// WM_COMMAND with a notification code to the control's parent.
void notify_parent(HWND control, WORD code);
// The control's font (WM_SETFONT) or the default GUI font, selected into `dc`; returns the old one.
HGDIOBJ select_control_font(HWND control, HDC dc);
// Asks the parent for the colours and brush of a control (WM_CTLCOLOR*).
HBRUSH control_colours(HWND control, HDC dc, UINT message);
// The default answer to WM_CTLCOLOR*.
LRESULT default_control_colours(UINT message, HDC dc);

}  // namespace kit::user
