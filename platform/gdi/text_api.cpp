// Fonts, text metrics and text output.
#include <algorithm>
#include <cstring>

#include "platform/gdi/code_page.h"
#include "platform/gdi/gdi.h"
#include "platform/gdi/raster.h"
#include "platform/gdi/text_output.h"

using namespace gdi;

namespace {

std::string_view text_of(LPCSTR text, int length) {
    if (!text) return {};
    if (length < 0) return std::string_view(text);
    return std::string_view(text, static_cast<std::size_t>(length));
}

// The top-left of the text cell for a reference point under the DC's text
// alignment, in device coordinates (the box is rotated with the text).
POINT aligned_origin(Dc& dc, POINT device, LONG width) {
    const TEXTMETRIC& tm = dc.face().metrics();
    const UINT align = dc.state.text_align;
    LONG dx = 0, dy = 0;
    if ((align & TA_CENTER) == TA_CENTER)
        dx = -width / 2;
    else if (align & TA_RIGHT)
        dx = -width;
    if ((align & TA_BASELINE) == TA_BASELINE)
        dy = -tm.tmAscent;
    else if (align & TA_BOTTOM)
        dy = -tm.tmHeight;
    switch (text_rotation(dc)) {
        case 90: return POINT{device.x + dy, device.y - dx};
        case -90: return POINT{device.x - dy, device.y + dx};
        default: return POINT{device.x + dx, device.y + dy};
    }
}

}  // namespace

HFONT CreateFontIndirect(const LOGFONT* logfont) {
    if (!logfont) return nullptr;
    auto font = std::make_shared<FontObject>();
    font->logfont = *logfont;
    font->logfont.lfFaceName[LF_FACESIZE - 1] = '\0';
    return add<HFONT>(std::move(font));
}

HFONT CreateFont(int height, int width, int escapement, int orientation, int weight, DWORD italic, DWORD underline,
                 DWORD strike_out, DWORD charset, DWORD out_precision, DWORD clip_precision, DWORD quality,
                 DWORD pitch_and_family, LPCSTR face) {
    LOGFONT f{};
    f.lfHeight = height;
    f.lfWidth = width;
    f.lfEscapement = escapement;
    f.lfOrientation = orientation;
    f.lfWeight = weight;
    f.lfItalic = static_cast<BYTE>(italic != 0);
    f.lfUnderline = static_cast<BYTE>(underline != 0);
    f.lfStrikeOut = static_cast<BYTE>(strike_out != 0);
    f.lfCharSet = static_cast<BYTE>(charset);
    f.lfOutPrecision = static_cast<BYTE>(out_precision);
    f.lfClipPrecision = static_cast<BYTE>(clip_precision);
    f.lfQuality = static_cast<BYTE>(quality);
    f.lfPitchAndFamily = static_cast<BYTE>(pitch_and_family);
    if (face) std::strncpy(f.lfFaceName, face, LF_FACESIZE - 1);
    return CreateFontIndirect(&f);
}

BOOL GetTextMetrics(HDC handle, TEXTMETRIC* out) {
    auto dc = find_dc(handle);
    if (!dc || !out) return FALSE;
    *out = dc->face().metrics();
    return TRUE;
}

int GetTextFace(HDC handle, int size, LPSTR out) {
    auto dc = find_dc(handle);
    if (!dc) return 0;
    const char* name = dc->face().face_name();
    const int length = static_cast<int>(std::strlen(name));
    if (!out) return length + 1;
    if (size <= 0) return 0;
    const int copied = std::min(length, size - 1);
    std::memcpy(out, name, static_cast<std::size_t>(copied));
    out[copied] = '\0';
    return copied;
}

BOOL GetTextExtentPoint32(HDC handle, LPCSTR text, int length, SIZE* out) {
    auto dc = find_dc(handle);
    if (!dc || !out || length < 0) return FALSE;
    const FontFace& face = dc->face();
    *out = SIZE{text_width(face, text_of(text, length)), face.metrics().tmHeight};
    return TRUE;
}

DWORD GetTabbedTextExtent(HDC handle, LPCSTR text, int length, int tab_count, const int* tab_stops) {
    auto dc = find_dc(handle);
    if (!dc || length < 0) return 0;
    const FontFace& face = dc->face();
    LONG x = 0;
    tabbed_pieces(face, text_of(text, length), tab_count, tab_stops, &x);
    return MAKELONG(static_cast<WORD>(x), static_cast<WORD>(face.metrics().tmHeight));
}

BOOL ExtTextOut(HDC handle, int x, int y, UINT options, const RECT* rect, LPCSTR text, UINT length, const int* dx) {
    auto dc = find_dc(handle);
    if (!dc) return FALSE;
    const std::string_view run = text_of(text ? text : "", static_cast<int>(text ? length : 0));
    const FontFace& face = dc->face();
    const bool update_cp = dc->state.text_align & TA_UPDATECP;
    const POINT reference = update_cp ? dc->to_device(dc->state.position.x, dc->state.position.y) : dc->to_device(x, y);
    // Left-aligned text that leaves the current position alone needs no width.
    const bool needs_width = update_cp || (dc->state.text_align & (TA_CENTER | TA_RIGHT));
    const LONG width = needs_width ? text_width(face, run, dx) : 0;
    const POINT cell = aligned_origin(*dc, reference, width);

    if (rect && (options & ETO_OPAQUE)) {
        fill_rect(*dc, dc->to_surface(*rect), Paint::solid(*dc, dc->state.bk_color), rop3_code(PATCOPY));
    }
    Region clipped;
    const Region* clip = &dc->clip();
    if (rect && (options & ETO_CLIPPED)) {
        clipped = clip->combine(Region(dc->to_surface(*rect)), Region::Op::And);
        clip = &clipped;
    }
    draw_text_cell(*dc, cell, run, *clip, dx);
    if (update_cp) dc->state.position.x += width;
    return TRUE;
}

BOOL TextOut(HDC dc, int x, int y, LPCSTR text, int length) {
    if (length < 0) return FALSE;
    return ExtTextOut(dc, x, y, 0, nullptr, text, static_cast<UINT>(length), nullptr);
}
