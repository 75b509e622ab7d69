#include "platform/gdi/masked_draw.h"

#include "platform/gdi/raster.h"

namespace gdi {

void draw_masked(Dc& dc, const RECT& box, const Surface& image, const Surface* mask, unsigned parts) {
    Surface* out = dc.target();
    const LONG w = box.right - box.left, h = box.bottom - box.top;
    if (!out || image.empty() || w <= 0 || h <= 0) return;
    const bool mono = dc.mono();
    const bool use_mask = mask && (parts & kMaskPart), use_image = parts & kImagePart;
    for_each_span(dc.clip(), box, [&](LONG y, LONG x0, LONG x1) {
        const int v = static_cast<int>(static_cast<long long>(y - box.top) * image.height() / h);
        Pixel* row = out->row(y);
        for (LONG x = x0; x < x1; ++x) {
            const int u = static_cast<int>(static_cast<long long>(x - box.left) * image.width() / w);
            Pixel pixel = image.at(u, v);
            if (mono) pixel = nearest_mono(pixel);
            if (use_mask) row[x] &= mask->at(u, v);
            if (use_image) row[x] = use_mask ? row[x] ^ pixel : pixel;
        }
    });
}

}  // namespace gdi
