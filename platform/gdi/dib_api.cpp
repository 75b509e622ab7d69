// Device-independent bitmaps into bitmaps and DCs.
#include <algorithm>
#include <cstdlib>

#include "platform/gdi/dc.h"
#include "platform/gdi/dib.h"
#include "platform/gdi/gdi.h"
#include "platform/gdi/raster.h"
#include "platform/gdi/surface_dc.h"

using namespace gdi;

HBITMAP CreateDIBitmapFromPacked(const void* packed, std::size_t size) {
    std::optional<Surface> image = decode_packed_dib(packed, size);
    if (!image) return nullptr;
    return create_bitmap_over(std::make_shared<Surface>(std::move(*image)));
}

int StretchDIBits(HDC handle, int x, int y, int cx, int cy, int sx, int sy, int scx, int scy, const void* bits,
                  const BITMAPINFO* info, UINT usage, DWORD rop) {
    auto dc = find_dc(handle);
    if (!dc || !info || usage != DIB_RGB_COLORS) return 0;
    std::optional<Surface> image = decode_dib(*info, bits, dib_bits_size(info->bmiHeader));
    if (!image) return 0;
    if (dc->mono())
        for (int row = 0; row < image->height(); ++row)
            for (int col = 0; col < image->width(); ++col) image->set(col, row, nearest_mono(image->at(col, row)));
    // A bottom-up image counts its source rows from the bottom.
    const int top = info->bmiHeader.biHeight > 0 ? image->height() - sy - scy : sy;
    const int rows = image->height();
    HBITMAP bitmap = create_bitmap_over(std::make_shared<Surface>(std::move(*image)));
    if (dc->mono()) find<BitmapObject>(bitmap)->mono = true;
    HDC source = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(source, bitmap);
    const BOOL ok = StretchBlt(handle, x, y, cx, cy, source, sx, top, scx, scy, rop);
    SelectObject(source, old);
    DeleteDC(source);
    DeleteObject(bitmap);
    return ok ? std::min(rows, std::abs(scy)) : 0;
}
