#include "platform/gdi/dib.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace gdi {

namespace {

constexpr long long kMaxSide = 32768;

bool usable(const BITMAPINFOHEADER& h) {
    const int bits = h.biBitCount;
    const bool depth_ok = bits == 1 || bits == 4 || bits == 8 || bits == 24 || bits == 32;
    // The plain header and its two longer successors.
    const bool known_header = h.biSize == 40 || h.biSize == 108 || h.biSize == 124;
    return known_header && h.biWidth > 0 && h.biWidth <= kMaxSide && h.biHeight != 0 &&
           std::llabs(h.biHeight) <= kMaxSide && h.biPlanes == 1 && depth_ok && h.biCompression == BI_RGB &&
           (bits > 8 || h.biClrUsed <= (1u << bits));
}

unsigned colour_count(const BITMAPINFOHEADER& h) {
    if (h.biBitCount > 8) return 0;
    return h.biClrUsed ? h.biClrUsed : 1u << h.biBitCount;
}

std::size_t stride(const BITMAPINFOHEADER& h) {
    return (static_cast<std::size_t>(h.biWidth) * h.biBitCount + 31) / 32 * 4;
}

}  // namespace

std::size_t dib_bits_size(const BITMAPINFOHEADER& h) {
    if (!usable(h)) return 0;
    return stride(h) * static_cast<std::size_t>(std::llabs(h.biHeight));
}

std::optional<Surface> decode_dib(const BITMAPINFO& info, const void* bits, std::size_t bits_size) {
    const std::size_t needed = dib_bits_size(info.bmiHeader);
    if (needed == 0 || !bits || bits_size < needed) return std::nullopt;
    const BITMAPINFOHEADER& h = info.bmiHeader;
    const int depth = h.biBitCount;
    // The colour table follows the header, however long the header says it is.
    const auto* table = reinterpret_cast<const RGBQUAD*>(reinterpret_cast<const BYTE*>(&info) + h.biSize);
    const unsigned colours = colour_count(h);
    auto lookup = [&](unsigned index) -> Pixel {
        if (index >= colours) return 0;
        const RGBQUAD& q = table[index];
        return (Pixel{q.rgbRed} << 16) | (Pixel{q.rgbGreen} << 8) | q.rgbBlue;
    };
    const int width = h.biWidth;
    const int height = static_cast<int>(std::llabs(h.biHeight));
    const bool bottom_up = h.biHeight > 0;
    Surface out(width, height);
    const auto* data = static_cast<const BYTE*>(bits);
    for (int y = 0; y < height; ++y) {
        const BYTE* row = data + stride(h) * static_cast<std::size_t>(bottom_up ? height - 1 - y : y);
        Pixel* dst = out.row(y);
        for (int x = 0; x < width; ++x) {
            switch (depth) {
                case 1: dst[x] = lookup((row[x / 8] >> (7 - x % 8)) & 1); break;
                case 4: dst[x] = lookup((row[x / 2] >> (x % 2 ? 0 : 4)) & 0x0F); break;
                case 8: dst[x] = lookup(row[x]); break;
                case 24: dst[x] = (Pixel{row[3 * x + 2]} << 16) | (Pixel{row[3 * x + 1]} << 8) | row[3 * x]; break;
                default: dst[x] = (Pixel{row[4 * x + 2]} << 16) | (Pixel{row[4 * x + 1]} << 8) | row[4 * x]; break;
            }
        }
    }
    return out;
}

std::optional<Surface> decode_packed_dib(const void* packed, std::size_t size) {
    if (!packed || size < sizeof(BITMAPINFOHEADER)) return std::nullopt;
    // Copied so that the header is aligned whatever the buffer's alignment.
    BITMAPINFOHEADER h;
    std::memcpy(&h, packed, sizeof h);
    if (dib_bits_size(h) == 0) return std::nullopt;
    const std::size_t table_bytes = std::size_t{colour_count(h)} * sizeof(RGBQUAD);
    if (size < h.biSize + table_bytes) return std::nullopt;
    const std::size_t info_bytes = h.biSize + table_bytes;
    std::vector<BYTE> info(std::max(info_bytes, sizeof(BITMAPINFO)));
    std::memcpy(info.data(), packed, info_bytes);
    const auto* bytes = static_cast<const BYTE*>(packed);
    return decode_dib(*reinterpret_cast<const BITMAPINFO*>(info.data()), bytes + info_bytes, size - info_bytes);
}

}  // namespace gdi
