#pragma once
// Surfaces to PNG files (snapshots, printed pages).
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/gdi/surface.h"

namespace gdi {

// An 8-bit RGB PNG of the surface.
std::vector<std::uint8_t> encode_png(const Surface& surface);
// Written to a temporary file beside `path` and renamed over it; on failure
// the old file stays and `error` says why.
bool write_png(const Surface& surface, const std::filesystem::path& path, std::string* error);

}  // namespace gdi
