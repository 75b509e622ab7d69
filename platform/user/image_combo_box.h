#pragma once
// The image combo box ("ComboBoxEx32"): a combo box whose items each show an
// image from an image list, indented by levels, before their text.
#include <cstdint>

#include "platform/gdi/image_list.h"
#include "platform/user/messages.h"
#include "platform/user/user_types.h"

inline constexpr const char* WC_COMBOBOXEX = "ComboBoxEx32";

constexpr UINT CBEM_INSERTITEM = WM_USER + 1;
constexpr UINT CBEM_SETIMAGELIST = WM_USER + 2;
constexpr UINT CBEM_GETIMAGELIST = WM_USER + 3;
constexpr UINT CBEM_GETITEM = WM_USER + 4;
constexpr UINT CBEM_SETITEM = WM_USER + 5;
constexpr UINT CBEM_GETCOMBOCONTROL = WM_USER + 6;  // the control itself: it is its own combo box
constexpr UINT CBEM_DELETEITEM = 0x0144;            // the number of CB_DELETESTRING

constexpr UINT CBEIF_TEXT = 0x01;
constexpr UINT CBEIF_IMAGE = 0x02;
constexpr UINT CBEIF_SELECTEDIMAGE = 0x04;
constexpr UINT CBEIF_OVERLAY = 0x08;
constexpr UINT CBEIF_INDENT = 0x10;
constexpr UINT CBEIF_LPARAM = 0x20;

// Pixels per indent level.
constexpr int kComboIndentWidth = 10;

struct COMBOBOXEXITEM {
    UINT mask;            // CBEIF_ flags: which members count
    std::intptr_t iItem;  // the item; -1 inserts at the end (or, reading, means the chosen one)
    char* pszText;
    int cchTextMax;      // size of pszText when reading an item
    int iImage;          // shown in the list
    int iSelectedImage;  // shown for the chosen item in the field
    int iOverlay;
    int iIndent;
    LPARAM lParam;
};
