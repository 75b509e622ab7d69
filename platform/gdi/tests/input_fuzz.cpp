// Arbitrary bytes as a packed bitmap, as text for DrawText, as polygon
// points, and as a script of drawing calls with wild arguments: none may
// crash, hang or read outside its input.
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

// Eight bytes a call: which call, then arguments from signed bytes scaled
// up so that coordinates also land far outside the surfaces.
void run_script(HDC dc, const std::uint8_t* data, std::size_t size) {
    static const HDC other = [] {
        const HDC made = CreateCompatibleDC(nullptr);
        SelectObject(made, CreateBitmap(17, 9, 1, 1, nullptr));
        return made;
    }();
    const int saved = SaveDC(dc);
    for (std::size_t at = 0; at + 8 <= size; at += 8) {
        const std::uint8_t* p = data + at;
        auto arg = [p](int i) { return static_cast<int>(static_cast<std::int8_t>(p[i])) * (p[7] & 0x80 ? 4096 : 1); };
        const HDC target = p[7] & 1 ? other : dc;
        const RECT r{arg(1), arg(2), arg(3), arg(4)};
        const DWORD rop = static_cast<DWORD>(p[5]) << 16;
        switch (p[0] % 18) {
            case 0: FillRect(target, &r, static_cast<HBRUSH>(GetStockObject(p[5] % 6))); break;
            case 1: BitBlt(target, arg(1), arg(2), arg(3), arg(4), p[6] & 1 ? dc : other, arg(6), arg(5), rop); break;
            case 2:
                StretchBlt(target, arg(1), arg(2), arg(3), arg(4), p[6] & 1 ? dc : other, arg(5), arg(6), arg(6),
                           arg(5), rop);
                break;
            case 3: PatBlt(target, arg(1), arg(2), arg(3), arg(4), rop); break;
            case 4: SetROP2(target, p[5] % 17); break;
            case 5:
                MoveToEx(target, arg(1), arg(2), nullptr);
                LineTo(target, arg(3), arg(4));
                break;
            case 6: Ellipse(target, r.left, r.top, r.right, r.bottom); break;
            case 7: RoundRect(target, r.left, r.top, r.right, r.bottom, arg(5), arg(6)); break;
            case 8: SetViewportOrgEx(target, arg(1), arg(2), nullptr); break;
            case 9:
                SetMapMode(target, p[5] & 1 ? MM_ANISOTROPIC : MM_TEXT);
                SetWindowExtEx(target, arg(1), arg(2), nullptr);
                SetViewportExtEx(target, arg(3), arg(4), nullptr);
                break;
            case 10: IntersectClipRect(target, r.left, r.top, r.right, r.bottom); break;
            case 11: ExcludeClipRect(target, r.left, r.top, r.right, r.bottom); break;
            case 12:
                ExtTextOut(target, arg(1), arg(2), p[5] & 6, &r, reinterpret_cast<const char*>(p + 3), 4, nullptr);
                break;
            case 13: {
                RECT e = r;
                DrawEdge(target, &e, p[5] & 15, p[6] | BF_ADJUST);
                break;
            }
            case 14: {
                RECT e = r;
                DrawFrameControl(target, &e, p[5] % 5, p[6] | (p[5] & 0x0F) << 8);
                break;
            }
            case 15: DrawDragRect(target, &r, SIZE{arg(5), arg(6)}, &r, SIZE{arg(6), arg(5)}, nullptr, nullptr); break;
            case 16:
                SetTextAlign(target, p[5]);
                SetBkMode(target, p[6] & 1 ? OPAQUE : TRANSPARENT);
                break;
            default: {
                const HPEN pen = CreatePen(p[5] % 7, arg(6), RGB(p[1], p[2], p[3]));
                const HGDIOBJ old = SelectObject(target, pen);
                Rectangle(target, r.left, r.top, r.right, r.bottom);
                SelectObject(target, old);
                DeleteObject(pen);
                break;
            }
        }
    }
    RestoreDC(dc, saved);
    SetMapMode(other, MM_TEXT);
    SelectClipRgn(other, nullptr);
    SetViewportOrgEx(other, 0, 0, nullptr);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 5) return 0;
    const std::uint8_t mode = data[0] % 4;
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
        case 3: run_script(dc, data, size); break;
        case 1: {
            RECT r{0, 0, static_cast<LONG>(word >> 20), 48};
            DrawText(dc, reinterpret_cast<const char*>(data), static_cast<int>(size), &r, word & 0xFFFFF);
            RECT calc{0, 0, static_cast<LONG>(word >> 20), 48};
            DrawText(dc, reinterpret_cast<const char*>(data), static_cast<int>(size), &calc,
                     (word & 0xFFFFF) | DT_CALCRECT);
            break;
        }
        default: {
            std::vector<POINT> points;
            for (std::size_t i = 0; i + 2 <= size && points.size() < 64; i += 2)
                points.push_back(
                    POINT{static_cast<std::int8_t>(data[i]) * 4, static_cast<std::int8_t>(data[i + 1]) * 4});
            const HRGN region =
                CreatePolygonRgn(points.data(), static_cast<int>(points.size()), word % 2 ? WINDING : ALTERNATE);
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
