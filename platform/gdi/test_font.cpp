#include "platform/gdi/test_font.h"

#include <algorithm>
#include <cstdlib>

#include "platform/gdi/surface_dc.h"

namespace gdi {

namespace {

// Each glyph is a baseline bar with the character's byte drawn above it as
// rows, one per bit (bit 0 lowest): simple, and distinct for every code.
class TestFont final : public FontFace {
public:
    TestFont(int height, int width, bool bold, BYTE charset) : cell_height_(height), cell_width_(width), bold_(bold) {
        tm_.tmHeight = height;
        tm_.tmAscent = height - height / 4;
        tm_.tmDescent = height / 4;
        tm_.tmAveCharWidth = width;
        tm_.tmMaxCharWidth = 2 * width;
        tm_.tmWeight = bold ? FW_BOLD : FW_NORMAL;
        tm_.tmDigitizedAspectX = tm_.tmDigitizedAspectY = 96;
        tm_.tmFirstChar = 0x20;
        tm_.tmLastChar = 0xFF;
        tm_.tmDefaultChar = '?';
        tm_.tmBreakChar = ' ';
        tm_.tmPitchAndFamily = FF_MODERN;  // fixed pitch: TMPF_FIXED_PITCH clear
        tm_.tmCharSet = charset;
    }

    const TEXTMETRIC& metrics() const override { return tm_; }
    int advance(std::uint32_t code) const override { return code > 0xFF ? 2 * cell_width_ : cell_width_; }
    const char* face_name() const override { return kTestFontFace; }

    const Glyph& glyph(std::uint32_t code) const override {
        return glyphs_.get(code, [this](std::uint32_t c) { return draw(c); });
    }

private:
    Glyph draw(std::uint32_t code) const {
        Glyph g;
        g.advance = advance(code);
        g.width = g.advance;
        g.height = cell_height_;
        g.mask.assign(static_cast<std::size_t>(g.width) * g.height, 0);
        const bool blank = code == ' ' || code < 0x20;
        if (blank) return g;
        const int cells = code > 0xFF ? 2 : 1;
        const int baseline_row = tm_.tmAscent - 1;
        for (int cell = 0; cell < cells; ++cell) {
            const unsigned byte = cells == 2 ? (cell == 0 ? code >> 8 : code) & 0xFF : code;
            const int x0 = cell * cell_width_ + 1;
            const int x1 = std::max(x0 + 1, (cell + 1) * cell_width_ - 1);
            auto row = [&](int y) {
                if (y < 0 || y >= g.height) return;
                for (int x = x0; x < x1 && x < g.width; ++x) g.mask[static_cast<std::size_t>(y) * g.width + x] = 1;
            };
            row(baseline_row);
            for (int bit = 0; bit < 8; ++bit)
                if (byte & (1u << bit)) row(baseline_row - 1 - bit);
        }
        if (bold_) embolden(g);
        return g;
    }

    // Bold ink spreads one pixel right, within the cell.
    static void embolden(Glyph& g) {
        for (int y = 0; y < g.height; ++y)
            for (int x = g.width - 1; x > 0; --x)
                if (g.ink(x - 1, y)) g.mask[static_cast<std::size_t>(y) * g.width + x] = 1;
    }

    int cell_height_;
    int cell_width_;
    bool bold_;
    TEXTMETRIC tm_{};
    mutable GlyphCache glyphs_;
};

}  // namespace

std::shared_ptr<const FontFace> make_test_font(const LOGFONT& logfont) {
    const long long asked = logfont.lfHeight == 0 ? 16 : std::llabs(static_cast<long long>(logfont.lfHeight));
    const int height = static_cast<int>(std::clamp(asked, 4LL, 256LL));
    const int width = static_cast<int>(
        std::clamp(logfont.lfWidth > 0 ? static_cast<long long>(logfont.lfWidth) : height / 2, 2LL, 256LL));
    return std::make_shared<TestFont>(height, width, logfont.lfWeight >= FW_SEMIBOLD, logfont.lfCharSet);
}

}  // namespace gdi
