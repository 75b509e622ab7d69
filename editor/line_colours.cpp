#include "editor/line_colours.h"

namespace editor {
namespace {

ColourClass Strongest(uint8_t bits) {
    if (bits & kClassComment) return kClassComment;
    if (bits & kClassString) return kClassString;
    if (bits & kClassKeyword) return kClassKeyword;
    return kClassPlain;
}

COLORREF ColourOf(const SECEdit& edit, ColourClass colour_class) {
    switch (colour_class) {
        case kClassComment: return edit.comment_colour();
        case kClassString: return edit.quote_colour();
        case kClassKeyword: return edit.keyword_colour();
        default: return edit.text_colour();
    }
}

size_t StartDelimiterLength(const SECEdit& edit, int comment_type) {
    if (comment_type == kCommentPair1 || comment_type == kCommentPair2) return edit.comment_start(comment_type).size();
    size_t extra = static_cast<size_t>(comment_type - kCommentExtraBase);
    return extra < edit.extra_comment_types().size() ? edit.extra_comment_types()[extra].start.size() : 0;
}

void Mark(std::vector<uint8_t>& classes, size_t from, size_t to, ColourClass colour_class) {
    for (size_t at = from; at < to && at < classes.size(); ++at) classes[at] |= colour_class;
}

// Comments: the one the line begins inside, then each that starts on the line.
void MarkComments(SECEdit& edit, const EditLine* line, std::string_view text, std::vector<uint8_t>& classes) {
    size_t at = 0;
    int type = 0;
    if (edit.GetCommentStateAtLine(line, &type)) {
        at = static_cast<size_t>(edit.FindCommentEnd(text, type));
        Mark(classes, 0, at, kClassComment);
    }
    while (at < text.size()) {
        int found = edit.FindCommentStart(text.substr(at), &type);
        if (found < 0) break;
        size_t start = at + static_cast<size_t>(found);
        size_t body = std::min(text.size(), start + StartDelimiterLength(edit, type));
        size_t end = body + static_cast<size_t>(edit.FindCommentEnd(text.substr(body), type));
        Mark(classes, start, end, kClassComment);
        at = std::max(end, start + 1);
    }
}

// Strings: between a quote outside a comment and the next equal one; a backslash skips
// the byte after it. An unterminated string is not marked.
void MarkStrings(std::string_view text, std::vector<uint8_t>& classes) {
    auto outside_comment = [&](size_t at) { return !(classes[at] & kClassComment); };
    for (size_t at = 0; at < text.size(); ++at) {
        char quote = text[at];
        if ((quote != '"' && quote != '\'') || !outside_comment(at)) continue;
        size_t close = at + 1;
        while (close < text.size() && !(text[close] == quote && outside_comment(close))) {
            if (text[close] == '\\' && outside_comment(close)) ++close;
            ++close;
        }
        if (close >= text.size()) continue;
        Mark(classes, at + 1, close, kClassString);
        at = close;
    }
}

}  // namespace

ColouredLine ColourLine(SECEdit& edit, const EditLine* line) {
    ColouredLine result;
    result.text = edit.ExpandTabs(edit.TextOf(line));
    std::string_view text = result.text;
    std::vector<uint8_t> classes(text.size(), kClassPlain);
    if (edit.colouring_on()) {
        int from = 0, start = 0, end = 0;
        while (edit.FindNextKeyword(text, &from, &start, &end))
            Mark(classes, static_cast<size_t>(start), static_cast<size_t>(end), kClassKeyword);
        MarkComments(edit, line, text, classes);
        MarkStrings(text, classes);
    }
    for (size_t at = 0; at < classes.size();) {
        ColourClass colour_class = Strongest(classes[at]);
        size_t end = at + 1;
        while (end < classes.size() && Strongest(classes[end]) == colour_class) ++end;
        result.runs.push_back(
            {static_cast<int>(at), static_cast<int>(end), colour_class, ColourOf(edit, colour_class)});
        at = end;
    }
    return result;
}

}  // namespace editor
