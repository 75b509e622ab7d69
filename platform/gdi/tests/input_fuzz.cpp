// Arbitrary bytes as a packed bitmap, as text for DrawText, and as polygon
// points: none may crash, hang or read outside its input.
#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/gdi/gdi.h"
#include "platform/gdi/surface_dc.h"

namespace {

HDC canvas() {
    static const HDC dc = [] {
        const HDC made = CreateCompatibleDC(nullptr);
        SelectObject(made, CreateBitmap(64, 48, 1, 32, nullptr));
        SelectObject(made, CreateFont(16, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, gdi::kTestFontFace));
        return made;
    }();
    return dc;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 5) return 0;
    const std::uint8_t mode = data[0] % 3;
    UINT word;
    std::memcpy(&word, data + 1, sizeof word);
    data += 5;
    size -= 5;
    const HDC dc = canvas();
    switch (mode) {
    case 0:
        if (const HBITMAP bitmap = CreateDIBitmapFromPacked(data, size)) {
            const HDC source = CreateCompatibleDC(nullptr);
            const HGDIOBJ old = SelectObject(source, bitmap);
            StretchBlt(dc, 0, 0, 64, 48, source, 0, 0, static_cast<int>(word & 0xFF) + 1, 7, SRCCOPY);
            SelectObject(source, old);
            DeleteDC(source);
            DeleteObject(bitmap);
        }
        break;
    case 1: {
        RECT r{0, 0, static_cast<LONG>(word >> 20), 48};
        DrawText(dc, reinterpret_cast<const char*>(data), static_cast<int>(size), &r, word & 0xFFFFF);
        RECT calc{0, 0, static_cast<LONG>(word >> 20), 48};
        DrawText(dc, reinterpret_cast<const char*>(data), static_cast<int>(size), &calc, (word & 0xFFFFF) | DT_CALCRECT);
        break;
    }
    default: {
        std::vector<POINT> points;
        for (std::size_t i = 0; i + 2 <= size && points.size() < 64; i += 2)
            points.push_back(POINT{static_cast<std::int8_t>(data[i]) * 4, static_cast<std::int8_t>(data[i + 1]) * 4});
        const HRGN region = CreatePolygonRgn(points.data(), static_cast<int>(points.size()), word % 2 ? WINDING : ALTERNATE);
        const HRGN box = CreateRectRgn(-20, -20, 30, 30);
        CombineRgn(region, region, box, static_cast<int>(word % 4) + 1);
        FillRgn(dc, region, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        SelectObject(dc, GetStockObject(WHITE_BRUSH));
        Polygon(dc, points.data(), static_cast<int>(points.size()));
        DeleteObject(region);
        DeleteObject(box);
        break;
    }
    }
    return 0;
}
