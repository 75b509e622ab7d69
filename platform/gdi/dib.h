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
std::size_t dib_bits_size(const BITMAPINFOHEADER& header);
// The image top row first; nothing when the header is unusable or
// `bits_size` is short. The colour table must follow the header in memory.
std::optional<Surface> decode_dib(const BITMAPINFO& info, const void* bits, std::size_t bits_size);
// A packed image (header, colour table, rows in one buffer of `size` bytes),
// every part checked against the size.
std::optional<Surface> decode_packed_dib(const void* packed, std::size_t size);

}  // namespace gdi
