#include "platform/gdi/freetype_face.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_ADVANCES_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <map>
#include <mutex>
#include <string>

#include "platform/gdi/code_page.h"
#include "platform/gdi/font_files.h"

namespace gdi {

namespace {

// FreeType objects are not thread-safe; one lock serves the library and
// every face made from it.
std::mutex& freetype_mutex() {
    static std::mutex m;
    return m;
}

FT_Library library() {
    static FT_Library lib = [] {
        FT_Library l = nullptr;
        return FT_Init_FreeType(&l) == 0 ? l : nullptr;
    }();
    return lib;
}

FT_Face open_face(const std::string& path) {
    FT_Face face = nullptr;
    if (!library() || path.empty() || FT_New_Face(library(), path.c_str(), 0, &face) != 0) return nullptr;
    return face;
}

constexpr double kMaxEm = 1024;

LONG scaled(long units, double em, long units_per_em) {
    return static_cast<LONG>(std::lround(units * em / units_per_em));
}

// The average width as the platform reckons it for its own faces: lower-case
// letters and the space weighted by their frequency in English text. The
// stand-in fonts' own average fields count every glyph and come out wider.
long weighted_average_width(FT_Face face) {
    static constexpr int kWeights[27] = {64, 14, 27, 35, 100, 20, 14, 42, 63, 3, 6,  35, 20, 56,
                                         56, 17, 4,  49, 56,  71, 31, 10, 18, 3, 18, 2,  166};
    long total = 0;
    for (int i = 0; i < 27; ++i) {
        const FT_ULong ch = i < 26 ? static_cast<FT_ULong>('a' + i) : ' ';
        FT_Fixed advance = 0;
        if (FT_Get_Advance(face, FT_Get_Char_Index(face, ch), FT_LOAD_NO_SCALE, &advance) != 0) return 0;
        total += advance * kWeights[i];
    }
    return total / 1000;
}

class FreeTypeFace final : public FontFace {
public:
    FreeTypeFace(FT_Face face, FT_Face fallback, const LOGFONT& logfont, std::string name)
        : face_(face), fallback_(fallback), name_(std::move(name)) {
        const long upm = face->units_per_EM ? face->units_per_EM : 2048;
        const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
        const auto* hhea = static_cast<const TT_HoriHeader*>(FT_Get_Sfnt_Table(face, FT_SFNT_HHEA));
        const long win_ascent = os2 ? os2->usWinAscent : face->ascender;
        const long win_descent = os2 ? os2->usWinDescent : -face->descender;
        // A positive height asks for the cell, a negative one for the em.
        const double requested = logfont.lfHeight == 0 ? 16.0 : std::fabs(static_cast<double>(logfont.lfHeight));
        // Sizes stay within what a screen or a page can show.
        em_ = std::clamp(logfont.lfHeight > 0 ? requested * upm / (win_ascent + win_descent) : requested, 1.0, kMaxEm);
        const long weighted = FT_IS_FIXED_WIDTH(face) ? 0 : weighted_average_width(face);
        const long avg_units = weighted ? weighted : (os2 && os2->xAvgCharWidth ? os2->xAvgCharWidth : upm / 2);
        double em_x = em_;
        if (logfont.lfWidth > 0) em_x = std::clamp(em_ * logfont.lfWidth / (avg_units * em_ / upm), 1.0, kMaxEm);
        FT_Set_Pixel_Sizes(face_, static_cast<FT_UInt>(std::lround(em_x)), static_cast<FT_UInt>(std::lround(em_)));
        if (fallback_)
            FT_Set_Pixel_Sizes(fallback_, static_cast<FT_UInt>(std::lround(em_x)),
                               static_cast<FT_UInt>(std::lround(em_)));

        tm_.tmAscent = scaled(win_ascent, em_, upm);
        tm_.tmDescent = scaled(win_descent, em_, upm);
        tm_.tmHeight = tm_.tmAscent + tm_.tmDescent;
        tm_.tmInternalLeading = std::max<LONG>(0, tm_.tmHeight - static_cast<LONG>(std::lround(em_)));
        if (hhea) {
            const long gap = hhea->Line_Gap - ((win_ascent + win_descent) - (hhea->Ascender - hhea->Descender));
            tm_.tmExternalLeading = std::max<LONG>(0, scaled(gap, em_, upm));
        }
        tm_.tmAveCharWidth = std::max<LONG>(1, scaled(avg_units, em_x, upm));
        tm_.tmMaxCharWidth = std::max<LONG>(1, scaled(face->max_advance_width, em_x, upm));
        tm_.tmWeight = logfont.lfWeight ? logfont.lfWeight : FW_NORMAL;
        tm_.tmItalic = logfont.lfItalic;
        tm_.tmUnderlined = logfont.lfUnderline;
        tm_.tmStruckOut = logfont.lfStrikeOut;
        tm_.tmDigitizedAspectX = tm_.tmDigitizedAspectY = 96;
        tm_.tmFirstChar = 0x20;
        tm_.tmLastChar = 0xFF;
        tm_.tmDefaultChar = '?';
        tm_.tmBreakChar = ' ';
        const bool fixed = FT_IS_FIXED_WIDTH(face);
        tm_.tmPitchAndFamily = static_cast<BYTE>((fixed ? 0 : TMPF_FIXED_PITCH) | (logfont.lfPitchAndFamily & 0xF0));
        tm_.tmCharSet = logfont.lfCharSet;
    }

    ~FreeTypeFace() override {
        std::lock_guard lock(freetype_mutex());
        FT_Done_Face(face_);
        if (fallback_) FT_Done_Face(fallback_);
    }

    const TEXTMETRIC& metrics() const override { return tm_; }
    int advance(std::uint32_t code) const override { return glyph(code).advance; }
    const char* face_name() const override { return name_.c_str(); }

    const Glyph& glyph(std::uint32_t code) const override {
        return glyphs_.get(code, [this](std::uint32_t c) {
            std::lock_guard lock(freetype_mutex());
            return render(c);
        });
    }

private:
    Glyph render(std::uint32_t code) const {
        Glyph g;
        if (code < 0x20) return g;  // control characters draw and take nothing
        const char32_t ch = to_unicode(code);
        FT_Face face = face_;
        FT_UInt index = FT_Get_Char_Index(face_, ch);
        if (index == 0 && fallback_) {
            if (const FT_UInt other = FT_Get_Char_Index(fallback_, ch)) {
                face = fallback_;
                index = other;
            }
        }
        if (FT_Load_Glyph(face, index, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO) != 0) return g;
        const FT_GlyphSlot slot = face->glyph;
        g.advance = static_cast<int>((slot->advance.x + 32) >> 6);
        const FT_Bitmap& bm = slot->bitmap;
        g.left = slot->bitmap_left;
        g.top = tm_.tmAscent - slot->bitmap_top;
        g.width = static_cast<int>(bm.width);
        g.height = static_cast<int>(bm.rows);
        g.mask.assign(static_cast<std::size_t>(g.width) * g.height, 0);
        for (int y = 0; y < g.height; ++y) {
            const unsigned char* row = bm.buffer + static_cast<std::ptrdiff_t>(y) * bm.pitch;
            for (int x = 0; x < g.width; ++x) {
                const bool ink = bm.pixel_mode == FT_PIXEL_MODE_MONO ? (row[x / 8] >> (7 - x % 8)) & 1 : row[x] >= 128;
                g.mask[static_cast<std::size_t>(y) * g.width + x] = ink;
            }
        }
        return g;
    }

    FT_Face face_;
    FT_Face fallback_;
    std::string name_;
    double em_ = 16;
    TEXTMETRIC tm_{};
    mutable GlyphCache glyphs_;
};

}  // namespace

std::shared_ptr<const FontFace> make_freetype_face(const LOGFONT& logfont) {
    const FontFile file = font_file_for(logfont);
    std::lock_guard lock(freetype_mutex());
    FT_Face face = open_face(file.path);
    if (!face) return nullptr;
    FT_Face fallback = open_face(cjk_font_file());
    return std::make_shared<FreeTypeFace>(face, fallback, logfont, file.face_name);
}

}  // namespace gdi
