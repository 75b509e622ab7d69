#pragma once
// Drawing an image through an AND mask, as icons and image lists do: where
// the mask is black the image replaces the destination, where it is white the
// image is XORed onto it (a black image pixel leaves the destination).
#include "platform/gdi/dc.h"

namespace gdi {

constexpr unsigned kMaskPart = 1;
constexpr unsigned kImagePart = 2;

// The source is scaled (nearest pixel) to `box` in surface coordinates.
void draw_masked(Dc& dc, const RECT& box, const Surface& image, const Surface* mask, unsigned parts);

}  // namespace gdi
