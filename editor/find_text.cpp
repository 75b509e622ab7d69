// SECEdit::FindText: searching the buffer line by line.
//
// Regular expressions see the whole line without its line end, with the search start as
// an offset, so "^" and "$" mean the line's start and end whatever the line ends are.
// A case-blind search lower-cases copies of the pattern and the line; offsets carry over
// to the original line, from which the replacement takes its text.
#include <algorithm>

#include "editor/regexp.h"
#include "editor/sec_edit.h"

namespace editor {
namespace {

void LowerAscii(std::string& text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
}

struct Hit {
    int at = -1;
    int length = 0;
};

}  // namespace

int SECEdit::FindText(TextPosition& start, TextPosition end, SearchRequest& request) {
    request.error = kFindNoError;
    bool match_case = request.flags & SearchRequest::kMatchCase;
    bool forward = request.flags & SearchRequest::kForward;
    bool regular = request.flags & SearchRequest::kRegularExpression;
    std::string pattern = request.find_text;
    if (!match_case) LowerAscii(pattern);
    if (pattern.empty() || !start.line) return 0;
    RegExp regexp;
    if (regular && !regexp.Compile(pattern.c_str())) {
        request.error = kFindBadPattern;
        return 0;
    }
    int start_column = std::clamp(start.index, 0, static_cast<int>(TextOf(start.line).size()));
    int pattern_length = static_cast<int>(pattern.size());
    std::string lowered;

    // The match on one line that starts at or after `from` and ends by `limit`: the first
    // one going forwards, the last one going backwards.
    auto search_line = [&](std::string_view text, int from, int limit, bool on_start_line, Hit& hit) {
        std::string_view subject = text;
        if (!match_case) {
            lowered.assign(text);
            LowerAscii(lowered);
            subject = lowered;
        }
        if (!regular) {
            size_t at =
                forward ? subject.find(pattern, static_cast<size_t>(from))
                        : (limit >= pattern_length ? subject.rfind(pattern, static_cast<size_t>(limit - pattern_length))
                                                   : std::string_view::npos);
            if (at == std::string_view::npos || static_cast<int>(at) + pattern_length > limit) return true;
            hit = {static_cast<int>(at), pattern_length};
            return true;
        }
        for (int offset = from; offset <= limit;) {
            int at = regexp.Find(subject, offset);
            if (at == RegExp::kTooComplex) {
                request.error = kFindTooComplex;
                return false;
            }
            if (at < 0 || at > limit) break;
            int length = regexp.GetMatchLength();
            // Backwards on the start line a match must begin before the start, so that an
            // empty match there is not found again and again.
            bool before_start = forward || !on_start_line || at < limit;
            if (at + length <= limit && before_start) {
                hit = {at, length};
                request.replacement = regexp.GetReplaceString(request.replace_text, text).value_or(std::string{});
                if (forward) break;
            } else if (forward) {
                break;
            }
            offset = at + 1;
        }
        return true;
    };

    for (EditLine* line = start.line; line; line = forward ? line->next : line->prev) {
        std::string_view text = TextOf(line);
        int length = static_cast<int>(text.size());
        int from = forward && line == start.line ? start_column : 0;
        int limit = length;
        if (!forward && line == start.line) limit = start_column;
        if (forward && line == end.line && end.line) limit = std::clamp(end.index, 0, length);
        Hit hit;
        if (!search_line(text, from, limit, line == start.line, hit)) return 0;
        if (hit.at >= 0) {
            start = {line, hit.at};
            request.match_length = hit.length;
            return 1;
        }
        if (forward && line == end.line) break;
    }
    return 0;
}

int SECEdit::ReplaceAll(SearchRequest& request) {
    if (read_only_) return 0;
    request.flags |= SearchRequest::kForward;
    bool regular = request.flags & SearchRequest::kRegularExpression;
    int replaced = 0;
    TextPosition at{first_line_, 0};
    for (;;) {
        EditLine* last = GetLastLine();
        if (!FindText(at, {last, static_cast<int>(TextOf(last).size())}, request)) break;
        std::string replacement = regular ? request.replacement : request.replace_text;
        int length = request.match_length;
        {
            UndoGroup group(*this);
            if (length > 0) DeleteBlock(at, {at.line, at.index + length}, true);
            TextPosition end = at;
            if (!replacement.empty()) InsertText(at, replacement, true, nullptr, &end);
            at = end;
        }
        ++replaced;
        // After an empty match the search moves on one byte, or it would match there again.
        if (length == 0) {
            if (at.index < static_cast<int>(TextOf(at.line).size())) {
                ++at.index;
            } else if (at.line->next) {
                at = {at.line->next, 0};
            } else {
                break;
            }
        }
    }
    return replaced;
}

}  // namespace editor
