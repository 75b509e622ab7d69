#pragma once
// Device-independent bitmaps (a header, a colour table and padded rows) to
// surfaces.
#include <cstddef>
#include <optional>

#include "platform/gdi/gdi_types.h"
#include "platform/gdi/surface.h"

namespace gdi {

// Bytes of pixel rows the header describes, or 0 for an unusable header
// (bad size, depth, compression or colour count).
std::size_t dib_bits_size(const BITMAPINFO& info);
// The image top row first; nothing when the header is unusable or
// `bits_size` is short.
std::optional<Surface> decode_dib(const BITMAPINFO& info, const void* bits, std::size_t bits_size);

}  // namespace gdi
