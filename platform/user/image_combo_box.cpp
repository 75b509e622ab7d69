// The image combo box ("ComboBoxEx32"): the COMBOBOX class with an image
// list; each item keeps its images, overlay and indent beside the list's
// text and data, and both the dropped list and the field draw the image
// before the text (the field without the indent, and the selected image).
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "platform/gdi/gdi.h"
#include "platform/user/common_controls.h"
#include "platform/user/control_styles.h"
#include "platform/user/controls.h"
#include "platform/user/message_api.h"
#include "platform/user/paint_api.h"
#include "platform/user/window_api.h"
#include "platform/user/window_extra.h"

namespace kit::user {

namespace {

struct ItemLook {
    int image = -1;
    int selected_image = -1;
    int overlay = 0;
    int indent = 0;
};

struct ImageComboState : WindowExtra {
    HIMAGELIST images = nullptr;
    std::vector<ItemLook> looks;  // one per item, in the list's order
};

void take_look(ItemLook& look, const COMBOBOXEXITEM& item) {
    if (item.mask & CBEIF_IMAGE) look.image = item.iImage;
    if (item.mask & CBEIF_SELECTEDIMAGE) look.selected_image = item.iSelectedImage;
    if (item.mask & CBEIF_OVERLAY) look.overlay = item.iOverlay;
    if (item.mask & CBEIF_INDENT) look.indent = std::max(0, item.iIndent);
}

int draw_item_image(HWND window, HDC dc, int index, const RECT& item) {
    auto found = window_extra<ImageComboState>(window);
    const bool in_field = found != nullptr;
    if (!in_field) found = window_extra<ImageComboState>(combo_of_list(window));
    if (!found || index < 0 || index >= int(found->looks.size())) return 0;
    const ImageComboState& s = *found;
    const ItemLook& look = s.looks[std::size_t(index)];
    int x = item.left + (in_field ? 0 : look.indent * kComboIndentWidth);
    int width = 0, height = 0;
    if (!s.images || !ImageList_GetIconSize(s.images, &width, &height)) return x - item.left;
    int image = in_field && look.selected_image >= 0 ? look.selected_image : look.image;
    if (image >= 0) {
        UINT style = ILD_TRANSPARENT | (look.overlay > 0 ? INDEXTOOVERLAYMASK(look.overlay) : 0);
        ImageList_Draw(s.images, image, dc, x, item.top + (item.bottom - item.top - height) / 2, style);
    }
    return x - item.left + width + 2;
}

LRESULT insert_item(HWND hwnd, ImageComboState& s, const COMBOBOXEXITEM* item) {
    if (!item) return CB_ERR;
    const char* text = (item->mask & CBEIF_TEXT) && item->pszText ? item->pszText : "";
    LRESULT count = combobox_proc(hwnd, CB_GETCOUNT, 0, 0);
    WPARAM at = item->iItem < 0 || item->iItem > count ? WPARAM(-1) : WPARAM(item->iItem);
    LRESULT index = combobox_proc(hwnd, CB_INSERTSTRING, at, reinterpret_cast<LPARAM>(text));
    if (index < 0) return CB_ERR;
    if (item->mask & CBEIF_LPARAM) combobox_proc(hwnd, CB_SETITEMDATA, WPARAM(index), item->lParam);
    ItemLook look;
    take_look(look, *item);
    auto& looks = s.looks;
    looks.insert(looks.begin() + std::min<std::ptrdiff_t>(index, std::ptrdiff_t(looks.size())), look);
    InvalidateRect(hwnd, nullptr, TRUE);
    return index;
}

// The item an item record names: its own index, or the chosen item for -1.
int item_index(HWND hwnd, const ImageComboState& s, const COMBOBOXEXITEM* item) {
    if (!item) return -1;
    int index = item->iItem < 0 ? int(combobox_proc(hwnd, CB_GETCURSEL, 0, 0)) : int(item->iItem);
    return index >= 0 && index < int(s.looks.size()) ? index : -1;
}

BOOL get_item(HWND hwnd, const ImageComboState& s, COMBOBOXEXITEM* item) {
    int index = item_index(hwnd, s, item);
    if (index < 0) return FALSE;
    const ItemLook& look = s.looks[std::size_t(index)];
    if (item->mask & CBEIF_IMAGE) item->iImage = look.image;
    if (item->mask & CBEIF_SELECTEDIMAGE) item->iSelectedImage = look.selected_image;
    if (item->mask & CBEIF_OVERLAY) item->iOverlay = look.overlay;
    if (item->mask & CBEIF_INDENT) item->iIndent = look.indent;
    if (item->mask & CBEIF_LPARAM) item->lParam = combobox_proc(hwnd, CB_GETITEMDATA, WPARAM(index), 0);
    if ((item->mask & CBEIF_TEXT) && item->pszText && item->cchTextMax > 0) {
        std::string text(std::size_t(combobox_proc(hwnd, CB_GETLBTEXTLEN, WPARAM(index), 0)) + 1, '\0');
        combobox_proc(hwnd, CB_GETLBTEXT, WPARAM(index), reinterpret_cast<LPARAM>(text.data()));
        std::size_t n = std::min(std::strlen(text.c_str()), std::size_t(item->cchTextMax) - 1);
        std::memcpy(item->pszText, text.data(), n);
        item->pszText[n] = '\0';
    }
    return TRUE;
}

BOOL set_item(HWND hwnd, ImageComboState& s, const COMBOBOXEXITEM* item) {
    int index = item_index(hwnd, s, item);
    if (index < 0) return FALSE;
    ItemLook look = s.looks[std::size_t(index)];
    take_look(look, *item);
    if (item->mask & CBEIF_TEXT) {
        // The list keeps texts only by inserting them: the item goes and comes back in its place.
        LPARAM data = combobox_proc(hwnd, CB_GETITEMDATA, WPARAM(index), 0);
        bool chosen = combobox_proc(hwnd, CB_GETCURSEL, 0, 0) == index;
        combobox_proc(hwnd, CB_DELETESTRING, WPARAM(index), 0);
        combobox_proc(hwnd, CB_INSERTSTRING, WPARAM(index),
                      reinterpret_cast<LPARAM>(item->pszText ? item->pszText : ""));
        combobox_proc(hwnd, CB_SETITEMDATA, WPARAM(index), data);
        if (chosen) combobox_proc(hwnd, CB_SETCURSEL, WPARAM(index), 0);
    }
    if (item->mask & CBEIF_LPARAM) combobox_proc(hwnd, CB_SETITEMDATA, WPARAM(index), item->lParam);
    s.looks[std::size_t(index)] = look;
    InvalidateRect(hwnd, nullptr, TRUE);
    return TRUE;
}

LRESULT image_combo_proc(HWND hwnd, ImageComboState& s, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE: {
            LRESULT result = combobox_proc(hwnd, message, wParam, lParam);
            set_combo_decoration(hwnd, draw_item_image);
            return result;
        }
        case CBEM_INSERTITEM: return insert_item(hwnd, s, reinterpret_cast<const COMBOBOXEXITEM*>(lParam));
        case CB_ADDSTRING:
        case CB_INSERTSTRING: {
            COMBOBOXEXITEM item{CBEIF_TEXT,
                                message == CB_ADDSTRING ? -1 : std::intptr_t(int(wParam)),
                                reinterpret_cast<char*>(lParam),
                                0,
                                -1,
                                -1,
                                0,
                                0,
                                0};
            return insert_item(hwnd, s, &item);
        }
        case CBEM_DELETEITEM: {
            LRESULT left = combobox_proc(hwnd, message, wParam, lParam);
            auto& looks = s.looks;
            if (left >= 0 && wParam < looks.size()) looks.erase(looks.begin() + std::ptrdiff_t(wParam));
            return left;
        }
        case CB_RESETCONTENT: s.looks.clear(); break;
        case CBEM_SETIMAGELIST: {
            HIMAGELIST old = s.images;
            s.images = reinterpret_cast<HIMAGELIST>(lParam);
            InvalidateRect(hwnd, nullptr, TRUE);
            return reinterpret_cast<LRESULT>(old);
        }
        case CBEM_GETIMAGELIST: return reinterpret_cast<LRESULT>(s.images);
        case CBEM_GETITEM: return get_item(hwnd, s, reinterpret_cast<COMBOBOXEXITEM*>(lParam));
        case CBEM_SETITEM: return set_item(hwnd, s, reinterpret_cast<const COMBOBOXEXITEM*>(lParam));
        case CBEM_GETCOMBOCONTROL: return reinterpret_cast<LRESULT>(hwnd);
        default: break;
    }
    return combobox_proc(hwnd, message, wParam, lParam);
}

}  // namespace

void register_image_combo_class() {
    WNDCLASS wc{};
    wc.lpfnWndProc = window_proc_with<ImageComboState, image_combo_proc>;
    wc.lpszClassName = WC_COMBOBOXEX;
    RegisterClass(&wc);
}

}  // namespace kit::user
