#pragma once
// What the standard controls share. Internal to the window manager.
#include "platform/user/user_types.h"

namespace kit::user {

// Registers BUTTON, STATIC, EDIT, LISTBOX, COMBOBOX, SCROLLBAR, the trackbar,
// the progress bar, the tab control, the status bar, tooltips, spin buttons, the check
// list box, the image combo box and the dialog class once.
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
void register_check_list_box_class();
void register_image_combo_class();
void register_dialog_class();

// The LISTBOX procedure, which classes built on the list box pass messages on to.
LRESULT listbox_proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// The check box state kept with each list box item, for the check list box.
struct ListItemCheck {
    int state = 0;  // BST_UNCHECKED, BST_CHECKED or BST_INDETERMINATE
    bool enabled = true;
};
// Draws something at the left of an item's rectangle and returns the width it took; the text follows.
// `window` is the list box, or a combo box drawing its chosen item in its field.
using ItemDecoration = int (*)(HWND window, HDC dc, int index, const RECT& item);
void set_list_decoration(HWND list, ItemDecoration decoration);
// The COMBOBOX procedure, and the decoration of its field and its list's items.
LRESULT combobox_proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
void set_combo_decoration(HWND combo, ItemDecoration decoration);
// The list of a combo box a list box drops down for, or null.
HWND combo_of_list(HWND list);
// The check of an item, or null when there is no such item.
ListItemCheck* list_item_check(HWND list, int index);

// WM_COMMAND with a notification code to the control's parent.
void notify_parent(HWND control, WORD code);
// The control's font (WM_SETFONT) or the default GUI font, selected into `dc`; returns the old one.
HGDIOBJ select_control_font(HWND control, HDC dc);
// Asks the parent for the colours and brush of a control (WM_CTLCOLOR*).
HBRUSH control_colours(HWND control, HDC dc, UINT message);
// The default answer to WM_CTLCOLOR*.
LRESULT default_control_colours(UINT message, HDC dc);

}  // namespace kit::user
