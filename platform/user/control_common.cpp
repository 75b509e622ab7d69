#include "platform/gdi/gdi.h"
#include "platform/user/controls.h"
#include "platform/user/message_api.h"
#include "platform/user/system_api.h"
#include "platform/user/window_api.h"

namespace kit::user {

void ensure_standard_classes() {
    static const bool registered = [] {
        register_button_class();
        register_static_class();
        register_edit_class();
        register_listbox_class();
        register_combobox_class();
        register_scrollbar_class();
        register_trackbar_class();
        register_progress_class();
        register_tab_class();
        register_status_bar_class();
        register_tooltip_class();
        register_up_down_class();
        register_check_list_box_class();
        register_image_combo_class();
        register_dialog_class();
        return true;
    }();
    (void)registered;
}

void notify_parent(HWND control, WORD code) {
    HWND parent = GetParent(control);
    if (parent)
        SendMessage(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), code), reinterpret_cast<LPARAM>(control));
}

HGDIOBJ select_control_font(HWND control, HDC dc) {
    auto font = reinterpret_cast<HGDIOBJ>(SendMessage(control, WM_GETFONT, 0, 0));
    return SelectObject(dc, font ? font : GetStockObject(DEFAULT_GUI_FONT));
}

LRESULT default_control_colours(UINT message, HDC dc) {
    bool white = message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX;
    SetTextColor(dc, GetSysColor(white ? COLOR_WINDOWTEXT : COLOR_BTNTEXT));
    SetBkColor(dc, GetSysColor(white ? COLOR_WINDOW : COLOR_3DFACE));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(white ? COLOR_WINDOW : COLOR_3DFACE));
}

HBRUSH control_colours(HWND control, HDC dc, UINT message) {
    HWND parent = GetParent(control);
    LRESULT brush = parent
                        ? SendMessage(parent, message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control))
                        : default_control_colours(message, dc);
    return brush ? reinterpret_cast<HBRUSH>(brush) : reinterpret_cast<HBRUSH>(default_control_colours(message, dc));
}

}  // namespace kit::user
