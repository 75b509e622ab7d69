#include "uikit/frames/sys_color_bitmap.h"

#include <cstring>
#include <map>

#include "platform/res/resources.h"

namespace {

constexpr std::size_t kHeaderSize = sizeof(BITMAPINFOHEADER);
constexpr LONG kMaxSide = 32767;

// The replacement of one stored colour (0x00RRGGBB), or the colour itself.
DWORD mapped_color(DWORD stored) {
    int index = -1;
    switch (stored & 0xFFFFFF) {
        case 0x000000: index = COLOR_BTNTEXT; break;
        case 0x808080: index = COLOR_BTNSHADOW; break;
        case 0xC0C0C0: index = COLOR_BTNFACE; break;
        case 0xFFFFFF: index = COLOR_BTNHIGHLIGHT; break;
        default: return stored;
    }
    const COLORREF c = ::GetSysColor(index);  // 0x00BBGGRR
    return DWORD(GetRValue(c)) << 16 | DWORD(GetGValue(c)) << 8 | GetBValue(c);
}

}  // namespace

HBITMAP sec_load_sys_color_bitmap(const BYTE* packed, std::size_t size) {
    if (!packed || size < kHeaderSize) return nullptr;
    BITMAPINFOHEADER header;
    std::memcpy(&header, packed, kHeaderSize);
    const WORD bits = header.biBitCount;
    if (header.biSize != kHeaderSize || header.biPlanes != 1 || header.biCompression != 0 ||
        (bits != 1 && bits != 4 && bits != 8))
        return nullptr;
    const LONG height = header.biHeight < 0 ? -header.biHeight : header.biHeight;
    if (header.biWidth <= 0 || header.biWidth > kMaxSide || height == 0 || height > kMaxSide) return nullptr;
    const DWORD full_table = DWORD(1) << bits;
    if (header.biClrUsed > full_table) return nullptr;
    const std::size_t colors = header.biClrUsed ? header.biClrUsed : full_table;
    const std::size_t stride = ((std::size_t(header.biWidth) * bits + 31) / 32) * 4;
    const std::size_t table_bytes = colors * sizeof(RGBQUAD);
    if (size - kHeaderSize < table_bytes || size - kHeaderSize - table_bytes < stride * std::size_t(height))
        return nullptr;

    // A copy of the header and table with the greys replaced.
    std::vector<BYTE> info(kHeaderSize + table_bytes);
    std::memcpy(info.data(), packed, info.size());
    header.biClrUsed = DWORD(colors);
    std::memcpy(info.data(), &header, kHeaderSize);
    for (std::size_t i = 0; i < colors; ++i) {
        BYTE* entry = info.data() + kHeaderSize + i * sizeof(RGBQUAD);
        const DWORD stored = DWORD(entry[2]) << 16 | DWORD(entry[1]) << 8 | entry[0];
        const DWORD color = mapped_color(stored);
        entry[0] = BYTE(color), entry[1] = BYTE(color >> 8), entry[2] = BYTE(color >> 16), entry[3] = 0;
    }

    HBITMAP bitmap = sec_create_screen_bitmap(header.biWidth, height);
    HDC dc = ::CreateCompatibleDC(nullptr);
    if (!bitmap || !dc) {
        if (bitmap) ::DeleteObject(bitmap);
        if (dc) ::DeleteDC(dc);
        return nullptr;
    }
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    ::StretchDIBits(dc, 0, 0, header.biWidth, height, 0, 0, header.biWidth, height, packed + kHeaderSize + table_bytes,
                    reinterpret_cast<const BITMAPINFO*>(info.data()), DIB_RGB_COLORS, SRCCOPY);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    return bitmap;
}

HBITMAP sec_create_screen_bitmap(int width, int height) { return ::CreateBitmap(width, height, 1, 32, nullptr); }

std::vector<BYTE> sec_pack_picture(const kit::res::Picture& picture) {
    const int width = picture.width, height = picture.height;
    if (width <= 0 || height <= 0 || picture.pixels.size() < std::size_t(width) * std::size_t(height)) return {};
    std::map<DWORD, BYTE> palette;
    std::vector<BYTE> indexes(std::size_t(width) * std::size_t(height));
    for (std::size_t i = 0; i < indexes.size(); ++i) {
        const std::uint32_t argb = picture.pixels[i];
        const DWORD rgb = (argb >> 24) ? (argb & 0xFFFFFF) : 0xC0C0C0;
        auto [place, added] = palette.emplace(rgb, BYTE(palette.size()));
        if (added && palette.size() > 256) return {};
        indexes[i] = place->second;
    }
    const std::size_t stride = (std::size_t(width) + 3) & ~std::size_t(3);
    std::vector<BYTE> packed(kHeaderSize + palette.size() * sizeof(RGBQUAD) + stride * std::size_t(height));
    BITMAPINFOHEADER header{};
    header.biSize = kHeaderSize;
    header.biWidth = width;
    header.biHeight = -height;  // rows top first, as the picture holds them
    header.biPlanes = 1;
    header.biBitCount = 8;
    header.biClrUsed = DWORD(palette.size());
    std::memcpy(packed.data(), &header, kHeaderSize);
    for (const auto& [rgb, index] : palette) {
        BYTE* entry = packed.data() + kHeaderSize + std::size_t(index) * sizeof(RGBQUAD);
        entry[0] = BYTE(rgb), entry[1] = BYTE(rgb >> 8), entry[2] = BYTE(rgb >> 16);
    }
    BYTE* rows = packed.data() + kHeaderSize + palette.size() * sizeof(RGBQUAD);
    for (int y = 0; y < height; ++y)
        std::memcpy(rows + std::size_t(y) * stride, indexes.data() + std::size_t(y) * std::size_t(width),
                    std::size_t(width));
    return packed;
}

HBITMAP sec_load_sys_color_bitmap(UINT id) {
    const kit::res::Picture* picture = kit::res::find_picture(kit::res::PictureKind::bitmap, id);
    if (!picture) return nullptr;
    const std::vector<BYTE> packed = sec_pack_picture(*picture);
    if (packed.empty()) return ::LoadBitmap(nullptr, MAKEINTRESOURCE(id));
    return sec_load_sys_color_bitmap(packed.data(), packed.size());
}
