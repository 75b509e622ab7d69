// DrawText: lines, word breaks, tabs, prefixes, alignment and end ellipsis.
#include <algorithm>
#include <string>
#include <vector>

#include "platform/gdi/code_page.h"
#include "platform/gdi/gdi.h"
#include "platform/gdi/raster.h"
#include "platform/gdi/surface_dc.h"
#include "platform/gdi/text_output.h"

using namespace gdi;

namespace {

// Text with the '&' prefixes taken out ("&&" stays one '&'), and the byte
// offsets of the characters they underline.
struct CleanText {
    std::string text;
    std::vector<std::size_t> underlined;
};

CleanText strip_prefixes(std::string_view in, bool keep) {
    CleanText out;
    out.text.reserve(in.size());
    for (std::size_t i = 0; i < in.size(); ++i) {
        if (!keep && in[i] == '&' && i + 1 < in.size()) {
            ++i;
            if (in[i] != '&') out.underlined.push_back(out.text.size());
        }
        out.text += in[i];
        if (is_lead_byte(static_cast<BYTE>(in[i])) && i + 1 < in.size()) out.text += in[++i];
    }
    return out;
}

// Widths character by character, so that breaking and shortening lines
// stay linear in the text's length.
class Measure {
public:
    Measure(const FontFace& face, UINT format)
        : face_(face), expand_tabs_(format & DT_EXPANDTABS), tab_(default_tab_width(face)) {}

    // The end of the character starting at i (two bytes for a double-byte one).
    static std::size_t next(std::string_view text, std::size_t i) {
        return i + (is_lead_byte(static_cast<BYTE>(text[i])) && i + 1 < text.size() ? 2 : 1);
    }
    // A line `x` wide after the character [i, end) joins it.
    LONG after(LONG x, std::string_view text, std::size_t i, std::size_t end) const {
        if (expand_tabs_ && text[i] == '\t') return (x / tab_ + 1) * tab_;
        const auto lead = static_cast<BYTE>(text[i]);
        const std::uint32_t code = end - i == 2 ? (std::uint32_t{lead} << 8 | static_cast<BYTE>(text[i + 1])) : lead;
        return x + face_.advance(code);
    }
    LONG width(std::string_view text) const {
        LONG x = 0;
        for (std::size_t i = 0; i < text.size();) {
            const std::size_t n = next(text, i);
            x = after(x, text, i, n);
            i = n;
        }
        return x;
    }

private:
    const FontFace& face_;
    bool expand_tabs_;
    LONG tab_;
};

struct Line {
    std::size_t begin, end;  // byte range in the clean text
};

std::size_t trim_end(std::string_view text, std::size_t begin, std::size_t end) {
    while (end > begin && text[end - 1] == ' ') --end;
    return end;
}

// Breaks after spaces and around double-byte characters; a word wider than
// the rectangle stands alone on its line.
void wrap(const Measure& measure, std::string_view text, std::size_t begin, std::size_t end, LONG max_width,
          std::vector<Line>& out) {
    std::size_t line_start = begin;
    std::size_t last_break = std::string::npos;  // where the current line may end
    LONG x = 0;
    for (std::size_t i = begin; i < end;) {
        const std::size_t n = std::min(Measure::next(text, i), end);
        const bool double_byte = n - i == 2;
        x = measure.after(x, text, i, n);
        if (text[i] == ' ') {
            last_break = i;
        } else if (x > max_width && i > line_start) {
            const std::size_t cut =
                last_break != std::string::npos ? last_break : (double_byte ? i : std::string::npos);
            if (cut != std::string::npos && cut > line_start) {
                out.push_back({line_start, trim_end(text, line_start, cut)});
                line_start = cut;
                while (line_start < end && text[line_start] == ' ') ++line_start;
                last_break = std::string::npos;
                x = 0;
                i = line_start;
                continue;
            }
        }
        if (double_byte) last_break = n;  // a line may end after any double-byte character
        i = n;
    }
    out.push_back({line_start, trim_end(text, line_start, end)});
}

std::vector<Line> split_lines(const Measure& measure, std::string_view text, UINT format, LONG max_width) {
    std::vector<Line> out;
    if (format & DT_SINGLELINE) {
        out.push_back({0, text.size()});
        return out;
    }
    std::size_t start = 0;
    for (;;) {
        const std::size_t brk = text.find_first_of("\r\n", start);
        const std::size_t end = brk == std::string::npos ? text.size() : brk;
        if (format & DT_WORDBREAK)
            wrap(measure, text, start, end, max_width, out);
        else
            out.push_back({start, end});
        if (brk == std::string::npos) break;
        start = brk + (text.substr(brk, 2) == "\r\n" ? 2 : 1);
    }
    return out;
}

// The longest head of the line that fits with "..." after it.
std::string with_ellipsis(const Measure& measure, std::string_view line, LONG max_width) {
    const LONG dots = measure.width("...");
    std::size_t keep = 0;
    LONG x = 0;
    for (std::size_t i = 0; i < line.size();) {
        const std::size_t n = Measure::next(line, i);
        x = measure.after(x, line, i, n);
        if (x + dots > max_width) break;
        keep = i = n;
    }
    return std::string(line.substr(0, keep)) + "...";
}

struct PlacedLine {
    std::string text;
    LONG width;
    std::size_t begin;  // offset in the clean text
};

void underline(Dc& dc, const Measure& measure, const PlacedLine& line, std::size_t at, POINT cell, COLORREF color) {
    if (at < line.begin || at >= line.begin + line.text.size()) return;
    const std::size_t offset = at - line.begin;
    const std::string_view text(line.text);
    const LONG from = measure.width(text.substr(0, offset));
    const LONG to = measure.width(text.substr(0, Measure::next(text, offset)));
    const LONG y = cell.y + dc.face().metrics().tmAscent + 1 + dc.origin.y;
    const LONG x = cell.x + dc.origin.x;
    fill_rect(dc, RECT{x + from, y, x + to, y + 1}, Paint::solid(dc, color), rop3_code(PATCOPY));
}

}  // namespace

int DrawText(HDC handle, LPCSTR text, int length, RECT* rect, UINT format) {
    auto dc = find_dc(handle);
    if (!dc || !rect || !text) return 0;
    const std::string_view raw = length < 0 ? std::string_view(text) : std::string_view(text, length);
    const FontFace& face = dc->face();
    const TEXTMETRIC& tm = face.metrics();
    const LONG line_height = tm.tmHeight + (format & DT_EXTERNALLEADING ? tm.tmExternalLeading : 0);
    const LONG box_width = rect->right - rect->left;
    const Measure measure(face, format);

    const CleanText clean = strip_prefixes(raw, format & DT_NOPREFIX);
    std::vector<PlacedLine> placed;
    LONG widest = 0;
    for (const Line& line : split_lines(measure, clean.text, format, box_width)) {
        std::string content = clean.text.substr(line.begin, line.end - line.begin);
        LONG w = measure.width(content);
        if ((format & DT_END_ELLIPSIS) && w > box_width && !(format & DT_CALCRECT)) {
            content = with_ellipsis(measure, content, box_width);
            w = measure.width(content);
        }
        widest = std::max(widest, w);
        placed.push_back({std::move(content), w, line.begin});
    }
    const LONG height = line_height * static_cast<LONG>(placed.size());

    if (format & DT_CALCRECT) {
        rect->right = rect->left + widest;
        rect->bottom = rect->top + height;
        return height;
    }

    LONG top = rect->top;
    if (format & DT_SINGLELINE) {
        if (format & DT_VCENTER)
            top = rect->top + (rect->bottom - rect->top - line_height) / 2;
        else if (format & DT_BOTTOM)
            top = rect->bottom - line_height;
    }
    // Without DT_NOCLIP the text is cut to the rectangle, underlines too.
    const int saved = SaveDC(handle);
    if (!(format & DT_NOCLIP)) IntersectClipRect(handle, rect->left, rect->top, rect->right, rect->bottom);
    const Region& clip = dc->clip();
    LONG y = top;
    for (const PlacedLine& line : placed) {
        LONG x = rect->left;
        if (format & DT_CENTER)
            x = rect->left + (box_width - line.width) / 2;
        else if (format & DT_RIGHT)
            x = rect->right - line.width;
        const POINT cell = dc->to_device(x, y);
        if (format & DT_EXPANDTABS) {
            for (const TabbedPiece& piece : tabbed_pieces(face, line.text, 0, nullptr, nullptr))
                draw_text_cell(*dc, POINT{cell.x + piece.x, cell.y}, piece.text, clip);
        } else {
            draw_text_cell(*dc, cell, line.text, clip);
        }
        for (std::size_t at : clean.underlined) underline(*dc, measure, line, at, cell, dc->state.text_color);
        y += line_height;
    }
    RestoreDC(handle, saved);
    if ((format & DT_SINGLELINE) && (format & (DT_VCENTER | DT_BOTTOM))) return top - rect->top + height;
    return height;
}
