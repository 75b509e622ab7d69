// SECEdit::FindText: searching the buffer line by line.
//
// Regular expressions see the whole line without its line end, with the search start as
// an offset and the segment's end as the end of input, so "^" and "$" mean the line's
// start and end whatever the line ends are and wherever the segment stops.
// A case-blind search lower-cases copies of the pattern and the line; offsets carry over
// to the original line, from which the replacement takes its text. Matches begin only
// where a character begins: never on the second byte of a double-byte character, whose
// value may look like a letter.
#include <algorithm>

#include "editor/code_page.h"
#include "editor/regexp.h"
#include "editor/sec_edit.h"

namespace editor {
namespace {

// Lower-cases the ASCII letters of a text, leaving double-byte characters alone.
void LowerLetters(std::string& text, int code_page) {
    for (size_t at = 0; at < text.size(); ++at) {
        unsigned char byte = static_cast<unsigned char>(text[at]);
        if (byte >= 0x80) {
            if (IsLeadByte(code_page, byte)) ++at;  // the trail byte stays as it is
        } else if (byte >= 'A' && byte <= 'Z') {
            text[at] = static_cast<char>(byte - 'A' + 'a');
        }
    }
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
    if (!match_case) LowerLetters(pattern, code_page_);
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
    // one going forwards, the last one going backwards. False when the search must stop.
    auto search_line = [&](std::string_view text, int from, int limit, bool on_start_line, Hit& hit) {
        std::string_view subject = text;
        if (!match_case) {
            lowered.assign(text);
            LowerLetters(lowered, code_page_);
            subject = lowered;
        }
        auto starts_character = [&](int at) { return CharStart(text, at, code_page_) == at; };
        if (!regular) {
            constexpr size_t kNone = std::string_view::npos;
            if (forward) {
                for (size_t at = subject.find(pattern, static_cast<size_t>(from)); at != kNone;
                     at = subject.find(pattern, at + 1)) {
                    if (static_cast<int>(at) + pattern_length > limit) break;
                    if (starts_character(static_cast<int>(at))) {
                        hit = {static_cast<int>(at), pattern_length};
                        break;
                    }
                }
            } else if (limit >= pattern_length) {
                for (size_t at = subject.rfind(pattern, static_cast<size_t>(limit - pattern_length)); at != kNone;
                     at = at > 0 ? subject.rfind(pattern, at - 1) : kNone) {
                    if (starts_character(static_cast<int>(at))) {
                        hit = {static_cast<int>(at), pattern_length};
                        break;
                    }
                }
            }
            return true;
        }
        for (int offset = from; offset <= limit;) {
            // The limit is a hard end for the matcher, so a shorter match inside the
            // segment is found where a longer one would run past it.
            int at = regexp.Find(subject, offset, limit);
            if (at == RegExp::kTooComplex) {
                request.error = kFindTooComplex;
                return false;
            }
            if (at < 0) break;
            int length = regexp.GetMatchLength();
            // Backwards on the start line a match must begin before the start, so that an
            // empty match there is not found again and again.
            bool before_start = forward || !on_start_line || at < limit;
            if (before_start && starts_character(at)) {
                hit = {at, length};
                request.replacement = regexp.GetReplaceString(request.replace_text, text).value_or(std::string{});
                if (forward) break;
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
    TextPosition at{lines_.first(), 0};
    // Every replacement belongs to one group: a single undo takes them all back.
    UndoGroup group(*this);
    for (;;) {
        EditLine* last = GetLastLine();
        if (!FindText(at, {last, static_cast<int>(TextOf(last).size())}, request)) break;
        std::string replacement = regular ? request.replacement : request.replace_text;
        int length = request.match_length;
        const TextPosition match_end{at.line, at.index + length};
        TextPosition end = match_end;
        // A replacement that would make its line too wide leaves that match as it is.
        if (CheckReplaceWidth(at, match_end, replacement) == kOk) {
            if (length > 0) DeleteBlock(at, match_end, true);
            end = at;
            if (!replacement.empty()) InsertText(at, replacement, true, nullptr, &end);
            ++replaced;
        }
        at = end;
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
