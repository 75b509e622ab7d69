// SECEdit: comment delimiters, the quote test, and the comment state of lines.
//
// The state of a line (does it begin inside a comment of some type?) is defined by a
// backward scan: find the last start delimiter before the line that counts (not inside
// a string, not after a line comment on its line), then look for the end delimiter after
// it. The cache computes the same answer forwards, one line at a time, so colouring a
// screen anywhere in a long file does not rescan the file.
#include <strings.h>

#include <algorithm>

#include "editor/sec_edit.h"

namespace editor {
namespace {

constexpr size_t kNone = std::string_view::npos;

size_t FindDelimiter(std::string_view text, std::string_view delimiter, size_t from, bool case_blind) {
    if (delimiter.empty() || from > text.size() || delimiter.size() > text.size()) return kNone;
    // Case matters only for delimiters with letters; the others are searched plainly.
    bool has_letters = std::any_of(delimiter.begin(), delimiter.end(),
                                   [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); });
    if (!case_blind || !has_letters) return text.find(delimiter, from);
    for (size_t at = from; at + delimiter.size() <= text.size(); ++at)
        if (strncasecmp(text.data() + at, delimiter.data(), delimiter.size()) == 0) return at;
    return kNone;
}

// The first occurrence at or after `from` that is not inside a string.
size_t FindOutsideQuotes(std::string_view text, std::string_view delimiter, size_t from, bool case_blind) {
    for (size_t at = FindDelimiter(text, delimiter, from, case_blind); at != kNone;
         at = FindDelimiter(text, delimiter, at + 1, case_blind))
        if (!SECEdit::IsInQuotes(text, static_cast<int>(at))) return at;
    return kNone;
}

// The last start delimiter of a line that counts, or kNone.
size_t LastCountingStart(std::string_view text, std::string_view start, size_t line_comment_at, bool case_blind) {
    size_t last = kNone;
    for (size_t at = FindOutsideQuotes(text, start, 0, case_blind); at != kNone && at <= line_comment_at;
         at = FindOutsideQuotes(text, start, at + 1, case_blind))
        last = at;
    return last;
}

struct CommentKind {
    std::string_view start;
    std::string_view end;
};

}  // namespace

bool SECEdit::IsInQuotes(std::string_view text, int position) {
    auto unescaped_quote = [&](size_t at) {
        return (text[at] == '"' || text[at] == '\'') && (at == 0 || text[at - 1] != '\\');
    };
    size_t until = std::min<size_t>(static_cast<size_t>(std::max(position, 0)), text.size());
    int count = 0;
    for (size_t at = 0; at < until; ++at) count += unescaped_quote(at);
    if (count % 2 == 0) return false;
    for (size_t at = until + 1; at < text.size(); ++at)
        if (unescaped_quote(at)) return true;
    return false;
}

int SECEdit::FindCommentStart(std::string_view text, int* comment_type) {
    bool case_blind = !case_sensitive_;
    size_t best = kNone;
    int best_type = 0;
    auto consider = [&](std::string_view start, int type, bool wins_ties) {
        size_t at = FindOutsideQuotes(text, start, 0, case_blind);
        if (at != kNone && (best == kNone || at < best || (wins_ties && at == best))) {
            best = at;
            best_type = type;
        }
    };
    consider(comment_start1_, kCommentPair1, false);
    consider(comment_start2_, kCommentPair2, true);
    for (size_t i = 0; i < extra_comment_types_.size(); ++i)
        consider(extra_comment_types_[i].start, kCommentExtraBase + static_cast<int>(i), false);
    if (best == kNone) return -1;
    if (comment_type) *comment_type = best_type;
    return static_cast<int>(best);
}

int SECEdit::FindCommentEnd(std::string_view text, int comment_type) {
    std::string_view end;
    if (comment_type == kCommentPair1)
        end = comment_end1_;
    else if (comment_type == kCommentPair2)
        end = comment_end2_;
    else if (comment_type >= kCommentExtraBase &&
             comment_type - kCommentExtraBase < static_cast<int>(extra_comment_types_.size()))
        end = extra_comment_types_[static_cast<size_t>(comment_type - kCommentExtraBase)].end;
    else
        return 0;
    comment_continues_ = 0;
    if (end.empty()) return static_cast<int>(text.size());
    bool case_blind = !case_sensitive_;
    size_t at = comment_type == kCommentPair2 ? FindOutsideQuotes(text, end, 0, case_blind)
                                              : FindDelimiter(text, end, 0, case_blind);
    if (at == kNone) {
        comment_continues_ = 1;
        return static_cast<int>(text.size());
    }
    return static_cast<int>(at + end.size());
}

std::vector<std::string> SECEdit::LineCommentStarts() const {
    std::vector<std::string> starts;
    if (!comment_start1_.empty() && comment_end1_.empty()) starts.push_back(comment_start1_);
    if (!comment_start2_.empty() && comment_end2_.empty()) starts.push_back(comment_start2_);
    for (const OEExtraCommentType& type : extra_comment_types_)
        if (!type.start.empty() && type.end.empty()) starts.push_back(type.start);
    return starts;
}

namespace {

// Where the first line comment of a text begins, or kNone.
size_t LineCommentAt(std::string_view text, const std::vector<std::string>& starts, std::string_view extra,
                     bool case_blind) {
    size_t first = kNone;
    for (const std::string& start : starts) first = std::min(first, FindOutsideQuotes(text, start, 0, case_blind));
    if (!extra.empty()) first = std::min(first, FindOutsideQuotes(text, extra, 0, case_blind));
    return first;
}

}  // namespace

int SECEdit::IsInsideComment(const EditLine* line, std::string_view start, std::string_view end,
                             std::string_view line_comment_start) {
    if (start.empty() || end.empty() || !line) return 0;
    bool case_blind = !case_sensitive_;
    std::vector<std::string> line_comments = LineCommentStarts();
    for (const EditLine* scan = line->prev; scan; scan = scan->prev) {
        std::string_view text = TextOf(scan);
        size_t found = LastCountingStart(
            text, start, LineCommentAt(text, line_comments, line_comment_start, case_blind), case_blind);
        if (found == kNone) continue;
        if (FindOutsideQuotes(text, end, found + start.size(), case_blind) != kNone) return 0;
        for (const EditLine* after = scan->next; after != line; after = after->next)
            if (FindOutsideQuotes(TextOf(after), end, 0, case_blind) != kNone) return 0;
        return 1;
    }
    return 0;
}

void SECEdit::FillCommentCache(int wanted) {
    // Painting asks for each row: a line already known costs no more than this.
    if (comment_cache_.size() == 2 + extra_comment_types_.size() && comment_cache_lines_ >= wanted) return;
    std::vector<CommentKind> kinds = {{comment_start1_, comment_end1_}, {comment_start2_, comment_end2_}};
    for (const OEExtraCommentType& type : extra_comment_types_) kinds.push_back({type.start, type.end});
    if (comment_cache_.size() != kinds.size()) {
        comment_cache_.assign(kinds.size(), {});
        comment_cache_lines_ = 0;
    }
    if (comment_cache_lines_ >= wanted) return;
    for (auto& states : comment_cache_) states.resize(static_cast<size_t>(std::max(lines_.count(), wanted)));
    if (comment_cache_lines_ == 0) {
        for (auto& states : comment_cache_) states[0] = 0;
        comment_cache_lines_ = 1;
    }
    // From the last line whose state is known, forwards.
    int number = comment_cache_lines_;
    const EditLine* scan = GetLineByNumber(number);
    bool case_blind = !case_sensitive_;
    std::vector<std::string> line_comments = LineCommentStarts();
    for (; scan && number < wanted; scan = scan->next, ++number) {
        std::string_view text = TextOf(scan);
        size_t line_comment_at = LineCommentAt(text, line_comments, {}, case_blind);
        size_t here = static_cast<size_t>(number - 1);
        for (size_t k = 0; k < kinds.size(); ++k) {
            uint8_t open = 0;
            const CommentKind& kind = kinds[k];
            if (!kind.start.empty() && !kind.end.empty()) {
                size_t found = LastCountingStart(text, kind.start, line_comment_at, case_blind);
                if (found != kNone)
                    open = FindOutsideQuotes(text, kind.end, found + kind.start.size(), case_blind) == kNone;
                else
                    open = comment_cache_[k][here] && FindOutsideQuotes(text, kind.end, 0, case_blind) == kNone;
            }
            comment_cache_[k][here + 1] = open;
        }
        comment_cache_lines_ = number + 1;
    }
}

int SECEdit::GetCommentStateAtLine(const EditLine* line, int* comment_type) {
    if (!line) return 0;
    const int number = line->number;
    FillCommentCache(number);
    size_t here = static_cast<size_t>(number - 1);
    for (size_t k = 0; k < comment_cache_.size(); ++k) {
        if (comment_cache_[k][here]) {
            if (comment_type) *comment_type = kCommentPair1 + static_cast<int>(k);
            return 1;
        }
    }
    return 0;
}

}  // namespace editor
