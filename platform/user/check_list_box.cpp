// The check list box: the LISTBOX class with a check box drawn at the left of
// each item. A click on a box or the space bar toggles the checks (of the
// item clicked, or of the selected items) and tells the parent with
// CLBN_CHKCHANGE; with a manual check style only the parent changes them.
#include <algorithm>
#include <vector>

#include "platform/gdi/gdi.h"
#include "platform/user/common_controls.h"
#include "platform/user/control_styles.h"
#include "platform/user/controls.h"
#include "platform/user/input_api.h"
#include "platform/user/message_api.h"
#include "platform/user/paint_api.h"
#include "platform/user/window_api.h"
#include "platform/user/window_extra.h"

namespace kit::user {

namespace {

constexpr int kBoxMargin = 2;

// What the check list box adds to the list box's own state.
struct CheckListState : WindowExtra {
    DWORD check_style = BS_AUTOCHECKBOX;
};

int box_size(HWND hwnd) {
    int height = int(SendMessage(hwnd, LB_GETITEMHEIGHT, 0, 0));
    return std::clamp(height - 2 * kBoxMargin, 1, 13);
}

int draw_check(HWND list, HDC dc, int index, const RECT& item) {
    const ListItemCheck& check = *list_item_check(list, index);
    int size = box_size(list);
    int top = item.top + (item.bottom - item.top - size) / 2;
    RECT box{item.left + kBoxMargin, top, item.left + kBoxMargin + size, top + size};
    UINT state = DFCS_BUTTONCHECK;
    if (check.state == int(BST_CHECKED)) state |= DFCS_CHECKED;
    if (check.state == int(BST_INDETERMINATE)) state |= DFCS_BUTTON3STATE | DFCS_CHECKED;
    if (!check.enabled || !IsWindowEnabled(list)) state |= DFCS_INACTIVE;
    DrawFrameControl(dc, &box, DFC_BUTTON, state);
    return size + 2 * kBoxMargin;
}

int next_state(DWORD style, int state) {
    bool three = style == BS_AUTO3STATE || style == BS_3STATE;
    return (state + 1) % (three ? 3 : 2);
}

// The user toggles the checks of `items`, all to the state after the first one's.
void toggle(HWND hwnd, const CheckListState& c, const std::vector<int>& items) {
    std::vector<ListItemCheck*> enabled;
    for (int index : items) {
        ListItemCheck* check = list_item_check(hwnd, index);
        if (check && check->enabled) enabled.push_back(check);
    }
    if (enabled.empty()) return;
    DWORD style = c.check_style;
    if (style == BS_AUTOCHECKBOX || style == BS_AUTO3STATE) {
        int state = next_state(style, enabled.front()->state);
        for (ListItemCheck* check : enabled) check->state = state;
        InvalidateRect(hwnd, nullptr, TRUE);
    }
    notify_parent(hwnd, CLBN_CHKCHANGE);
}

std::vector<int> selected_items(HWND hwnd) {
    if (GetWindowLong(hwnd, GWL_STYLE) & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) {
        std::vector<int> items(std::size_t(std::max<LRESULT>(0, SendMessage(hwnd, LB_GETSELCOUNT, 0, 0))));
        SendMessage(hwnd, LB_GETSELITEMS, WPARAM(items.size()), reinterpret_cast<LPARAM>(items.data()));
        return items;
    }
    LRESULT current = SendMessage(hwnd, LB_GETCURSEL, 0, 0);
    return current < 0 ? std::vector<int>{} : std::vector<int>{int(current)};
}

LRESULT check_list_proc(HWND hwnd, CheckListState& c, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE: set_list_decoration(hwnd, draw_check); break;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: {
            listbox_proc(hwnd, message, wParam, lParam);
            int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
            int height = std::max<int>(1, int(SendMessage(hwnd, LB_GETITEMHEIGHT, 0, 0)));
            int index = int(SendMessage(hwnd, LB_GETTOPINDEX, 0, 0)) + y / height;
            if (x >= 2 && x < 2 + box_size(hwnd) + 2 * kBoxMargin) toggle(hwnd, c, {index});
            return 0;
        }
        case WM_KEYDOWN:
            if (wParam == WPARAM(VK_SPACE)) {
                toggle(hwnd, c, selected_items(hwnd));
                return 0;
            }
            break;
        case WM_CHAR:
            if (wParam == WPARAM(' ')) return 0;  // the space toggled checks; it does not search
            break;
        case CLB_SETCHECK: {
            ListItemCheck* check = list_item_check(hwnd, int(wParam));
            if (!check || lParam < 0 || lParam > LPARAM(BST_INDETERMINATE)) return LB_ERR;
            check->state = int(lParam);
            InvalidateRect(hwnd, nullptr, TRUE);
            return 0;
        }
        case CLB_GETCHECK: {
            const ListItemCheck* check = list_item_check(hwnd, int(wParam));
            return check ? check->state : LB_ERR;
        }
        case CLB_SETCHECKSTYLE:
            if (wParam != BS_CHECKBOX && wParam != BS_AUTOCHECKBOX && wParam != BS_3STATE && wParam != BS_AUTO3STATE) {
                return FALSE;
            }
            c.check_style = DWORD(wParam);
            return TRUE;
        case CLB_GETCHECKSTYLE: return c.check_style;
        case CLB_ENABLE: {
            ListItemCheck* check = list_item_check(hwnd, int(wParam));
            if (!check) return LB_ERR;
            check->enabled = lParam != 0;
            InvalidateRect(hwnd, nullptr, TRUE);
            return 0;
        }
        case CLB_ISENABLED: {
            const ListItemCheck* check = list_item_check(hwnd, int(wParam));
            return check ? LRESULT(check->enabled) : LB_ERR;
        }
        default: break;
    }
    return listbox_proc(hwnd, message, wParam, lParam);
}

}  // namespace

void register_check_list_box_class() {
    WNDCLASS wc{};
    wc.lpfnWndProc = window_proc_with<CheckListState, check_list_proc>;
    wc.style = CS_DBLCLKS;
    wc.lpszClassName = CHECKLISTBOX_CLASS;
    RegisterClass(&wc);
}

}  // namespace kit::user
