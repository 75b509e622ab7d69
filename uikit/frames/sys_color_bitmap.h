#pragma once
// Toolbar pictures drawn in the standard greys, turned into screen bitmaps in
// the current system colours: black, dark grey, light grey and white in the
// colour table become button text, shadow, face and highlight.
#include <cstddef>
#include <vector>

#include "platform/afx/afx.h"

namespace kit::res {
struct Picture;
}

// Loads a packed device-independent bitmap (the 40-byte header, its colour
// table and its rows) with the colour table mapped to the system colours.
// Only bitmaps with a colour table (1, 4 or 8 bits per pixel, uncompressed)
// are taken; the table holds the header's colour count when it gives one, else
// one entry per pixel value. A header, table or row block that does not fit the
// size given, or does not describe such a bitmap, gives null.
HBITMAP sec_load_sys_color_bitmap(const BYTE* packed, std::size_t size);

// A resource picture as a packed 8-bit bitmap with a colour table (transparent
// pixels light grey, so that they take the face colour); empty when it has more
// than 256 colours or no pixels.
std::vector<BYTE> sec_pack_picture(const kit::res::Picture& picture);

// A colour bitmap of the screen's kind (what a window's drawing copies from).
HBITMAP sec_create_screen_bitmap(int width, int height);

// The bitmap resource `id` through the two above, or with plain LoadBitmap
// when it cannot be packed; null when there is no such picture.
HBITMAP sec_load_sys_color_bitmap(UINT id);
