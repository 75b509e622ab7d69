#pragma once
// Image lists: numbered images of one size, each with an optional mask,
// drawn normally, transparently, blended or with an overlay.
#include "platform/gdi/gdi_types.h"
#include "platform/gdi/win_types.h"

struct HIMAGELIST__;
using HIMAGELIST = HIMAGELIST__*;

constexpr UINT ILC_MASK = 0x0001;
constexpr UINT ILC_COLOR = 0x0000;
constexpr UINT ILC_COLOR4 = 0x0004;
constexpr UINT ILC_COLOR8 = 0x0008;
constexpr UINT ILC_COLOR24 = 0x0018;
constexpr UINT ILC_COLOR32 = 0x0020;

constexpr UINT ILD_NORMAL = 0x0000;
constexpr UINT ILD_TRANSPARENT = 0x0001;
constexpr UINT ILD_BLEND25 = 0x0002;
constexpr UINT ILD_FOCUS = ILD_BLEND25;
constexpr UINT ILD_BLEND50 = 0x0004;
constexpr UINT ILD_SELECTED = ILD_BLEND50;
constexpr UINT ILD_MASK = 0x0010;
constexpr UINT ILD_IMAGE = 0x0020;
constexpr UINT ILD_OVERLAYMASK = 0x0F00;
constexpr UINT INDEXTOOVERLAYMASK(int i) { return static_cast<UINT>(i) << 8; }

constexpr COLORREF CLR_NONE = 0xFFFFFFFF;
constexpr COLORREF CLR_DEFAULT = 0xFF000000;

struct IMAGEINFO {
    HBITMAP hbmImage;  // not handed out: null
    HBITMAP hbmMask;   // not handed out: null
    int Unused1;
    int Unused2;
    RECT rcImage;  // the image's place on the list's strip (images side by side)
};

HIMAGELIST ImageList_Create(int cx, int cy, UINT flags, int initial, int grow);
BOOL ImageList_Destroy(HIMAGELIST list);
// Cuts the bitmap into images of the list's width, left to right; returns the
// index of the first, or -1. `mask` (monochrome) may be null.
int ImageList_Add(HIMAGELIST list, HBITMAP image, HBITMAP mask);
// Pixels of `mask_color` become transparent.
int ImageList_AddMasked(HIMAGELIST list, HBITMAP image, COLORREF mask_color);
int ImageList_AddIcon(HIMAGELIST list, HICON icon);
BOOL ImageList_Remove(HIMAGELIST list, int index);  // -1 removes all
int ImageList_GetImageCount(HIMAGELIST list);
BOOL ImageList_GetIconSize(HIMAGELIST list, int* cx, int* cy);
BOOL ImageList_GetImageInfo(HIMAGELIST list, int index, IMAGEINFO* out);
COLORREF ImageList_SetBkColor(HIMAGELIST list, COLORREF color);
COLORREF ImageList_GetBkColor(HIMAGELIST list);
// Overlay `overlay` (1-15) shows image `image` when drawn with
// INDEXTOOVERLAYMASK(overlay).
BOOL ImageList_SetOverlayImage(HIMAGELIST list, int image, int overlay);
BOOL ImageList_Draw(HIMAGELIST list, int index, HDC dc, int x, int y, UINT style);
HIMAGELIST ImageList_Duplicate(HIMAGELIST list);
// One image of `second` drawn over one of `first`, offset by (dx, dy), in a
// new one-image list large enough for both.
HIMAGELIST ImageList_Merge(HIMAGELIST first, int first_index, HIMAGELIST second, int second_index, int dx, int dy);
