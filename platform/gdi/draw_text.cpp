// DrawText: lines, word breaks, tabs, prefixes, alignment and end ellipsis.
#include <algorithm>
#include <cstring>
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
        const char c = in[i];
        if (!keep && c == '&' && i + 1 < in.size()) {
            ++i;
            if (in[i] != '&') out.underlined.push_back(out.text.size());
        }
        out.text += in[i];
        if (is_lead_byte(static_cast<BYTE>(in[i])) && i + 1 < in.size()) out.text += in[++i];
    }
    return out;
}

struct Line {
    std::size_t begin, end;  // byte range in the clean text
};

class Layout {
public:
    Layout(const FontFace& face, const std::string& text, UINT format, LONG max_width)
        : face_(face), text_(text), format_(format), max_width_(max_width) {}

    LONG width(std::size_t begin, std::size_t end) const {
        const std::string_view piece(text_.data() + begin, end - begin);
        if (!(format_ & DT_EXPANDTABS)) return text_width(face_, piece);
        LONG total = 0;
        tabbed_pieces(face_, piece, 0, nullptr, &total);
        return total;
    }

    std::vector<Line> lines() const {
        std::vector<Line> out;
        if (format_ & DT_SINGLELINE) {
            out.push_back({0, text_.size()});
            return out;
        }
        std::size_t start = 0;
        for (;;) {
            const std::size_t brk = text_.find_first_of("\r\n", start);
            const std::size_t end = brk == std::string::npos ? text_.size() : brk;
            if (format_ & DT_WORDBREAK) wrap(start, end, out);
            else out.push_back({start, end});
            if (brk == std::string::npos) break;
            start = brk + (text_.compare(brk, 2, "\r\n") == 0 ? 2 : 1);
        }
        return out;
    }

private:
    // Breaks after spaces and around double-byte characters; a word wider
    // than the rectangle stands alone on its line.
    void wrap(std::size_t begin, std::size_t end, std::vector<Line>& out) const {
        std::size_t line_start = begin;
        std::size_t last_break = std::string::npos;  // where the line may end
        std::size_t i = begin;
        while (i < end) {
            const bool dbcs = is_lead_byte(static_cast<BYTE>(text_[i])) && i + 1 < end;
            const std::size_t next = i + (dbcs ? 2 : 1);
            if (text_[i] == ' ') {
                last_break = i;
            } else if (width(line_start, next) > max_width_ && i > line_start) {
                const std::size_t cut = last_break != std::string::npos && last_break >= line_start ? last_break
                                        : dbcs || (i > begin && is_double_byte_before(i)) ? i
                                                                                           : std::string::npos;
                if (cut != std::string::npos) {
                    out.push_back({line_start, trim_end(line_start, cut)});
                    line_start = skip_spaces(cut, end);
                    last_break = std::string::npos;
                    i = line_start;
                    continue;
                }
            }
            if (dbcs) last_break = next;  // a break may follow any double-byte character
            i = next;
        }
        out.push_back({line_start, trim_end(line_start, end)});
    }

    bool is_double_byte_before(std::size_t i) const {
        // The character before i is double-byte when its first byte leads.
        return i >= 2 && is_lead_byte(static_cast<BYTE>(text_[i - 2]));
    }
    std::size_t trim_end(std::size_t begin, std::size_t end) const {
        while (end > begin && text_[end - 1] == ' ') --end;
        return end;
    }
    std::size_t skip_spaces(std::size_t at, std::size_t end) const {
        while (at < end && text_[at] == ' ') ++at;
        return at;
    }

    const FontFace& face_;
    const std::string& text_;
    UINT format_;
    LONG max_width_;
};

// The longest head of the line that fits with "..." after it.
std::string with_ellipsis(const FontFace& face, std::string_view line, LONG max_width) {
    const LONG dots = text_width(face, "...");
    std::size_t keep = 0;
    for (std::size_t i = 0; i < line.size();) {
        const std::size_t next = i + (is_lead_byte(static_cast<BYTE>(line[i])) && i + 1 < line.size() ? 2 : 1);
        if (text_width(face, line.substr(0, next)) + dots > max_width) break;
        keep = i = next;
    }
    return std::string(line.substr(0, keep)) + "...";
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

    const CleanText clean = strip_prefixes(raw, format & DT_NOPREFIX);
    const Layout layout(face, clean.text, format, box_width);
    const std::vector<Line> lines = layout.lines();

    struct Placed {
        std::string text;
        LONG width;
        std::size_t begin;
    };
    std::vector<Placed> placed;
    LONG widest = 0;
    for (const Line& line : lines) {
        std::string content = clean.text.substr(line.begin, line.end - line.begin);
        LONG w = layout.width(line.begin, line.end);
        if ((format & DT_END_ELLIPSIS) && w > box_width && !(format & DT_CALCRECT)) {
            content = with_ellipsis(face, content, box_width);
            w = text_width(face, content);
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
        if (format & DT_VCENTER) top = rect->top + (rect->bottom - rect->top - line_height) / 2;
        else if (format & DT_BOTTOM) top = rect->bottom - line_height;
    }
    Region clipped;
    const Region* clip = &dc->clip();
    if (!(format & DT_NOCLIP)) {
        clipped = clip->combine(Region(dc->to_surface(*rect)), Region::Op::And);
        clip = &clipped;
    }
    const Paint ink = Paint::solid(*dc, dc->state.text_color);
    LONG y = top;
    for (const Placed& line : placed) {
        LONG x = rect->left;
        if (format & DT_CENTER) x = rect->left + (box_width - line.width) / 2;
        else if (format & DT_RIGHT) x = rect->right - line.width;
        const POINT cell = dc->to_device(x, y);
        if (format & DT_EXPANDTABS) {
            for (const TabbedPiece& piece : tabbed_pieces(face, line.text, 0, nullptr, nullptr))
                draw_text_cell(*dc, POINT{cell.x + piece.x, cell.y}, piece.text, *clip);
        } else {
            draw_text_cell(*dc, cell, line.text, *clip);
        }
        // Underline the prefixed characters of this line.
        for (std::size_t at : clean.underlined) {
            if (at < line.begin || at >= line.begin + line.text.size()) continue;
            const std::size_t offset = at - line.begin;
            const LONG ux = text_width(face, std::string_view(line.text).substr(0, offset));
            const std::size_t char_len = is_lead_byte(static_cast<BYTE>(line.text[offset])) ? 2 : 1;
            const LONG uw = text_width(face, std::string_view(line.text).substr(offset, char_len));
            const LONG uy = cell.y + tm.tmAscent + 1 + dc->origin.y;
            const LONG ux0 = cell.x + ux + dc->origin.x;
            const RECT bar{ux0, uy, ux0 + uw, uy + 1};
            for_each_span(*clip, bar, [&](LONG row, LONG x0, LONG x1) {
                std::fill(dc->target()->row(row) + x0, dc->target()->row(row) + x1, ink.at(0, 0));
            });
        }
        y += line_height;
    }
    if (format & DT_SINGLELINE && format & (DT_VCENTER | DT_BOTTOM)) return top - rect->top + height;
    return height;
}
