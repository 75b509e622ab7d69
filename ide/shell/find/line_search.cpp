#include "ide/shell/find/line_search.h"

#include <algorithm>
#include <cstring>

namespace ide {

namespace {

bool IsWordByte(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

bool IsLineEnd(char c) { return c == '\n' || c == '\r'; }

// Line ends in [begin, end) of `data`, a CR LF pair counting once; `end` is a line start.
int CountLineEnds(std::string_view data, std::size_t begin, std::size_t end) {
    const char* first = data.data() + begin;
    const char* last = data.data() + end;
    int count = int(std::count(first, last, '\n'));
    for (const char* cr = first; (cr = static_cast<const char*>(std::memchr(cr, '\r', std::size_t(last - cr)))); ++cr)
        if (cr + 1 == data.data() + data.size() || cr[1] != '\n') ++count;
    return count;
}

// The first line end at or after `at`, or the size of `data`.
std::size_t FindLineEnd(std::string_view data, std::size_t at) {
    const char* base = data.data();
    std::size_t limit = data.size();
    const void* lf = std::memchr(base + at, '\n', limit - at);
    if (lf) limit = std::size_t(static_cast<const char*>(lf) - base);
    const void* cr = std::memchr(base + at, '\r', limit - at);
    return cr ? std::size_t(static_cast<const char*>(cr) - base) : limit;
}

// The start of the line holding `at`, looking back no further than `floor` (a line start).
std::size_t FindLineStart(std::string_view data, std::size_t floor, std::size_t at) {
    const char* base = data.data();
    const void* lf = memrchr(base + floor, '\n', at - floor);
    const std::size_t after_lf = lf ? std::size_t(static_cast<const char*>(lf) - base) + 1 : floor;
    const void* cr = memrchr(base + after_lf, '\r', at - after_lf);
    return cr ? std::size_t(static_cast<const char*>(cr) - base) + 1 : after_lf;
}

}  // namespace

LineSearcher::LineSearcher(const FindQuery& query)
    : needle_(query.text), match_case_(query.match_case), whole_word_(query.whole_word) {
    searchable_ = !needle_.empty() && std::none_of(needle_.begin(), needle_.end(), IsLineEnd);
    if (!match_case_)
        for (char& c : needle_)
            if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
}

bool LineSearcher::LooksBinary(std::string_view data) { return std::memchr(data.data(), '\0', data.size()) != nullptr; }

std::string_view LineSearcher::Haystack(std::string_view data) {
    if (match_case_) return data;
    folded_.resize(data.size());
    // A plain loop over bytes the compiler can vectorise.
    for (std::size_t i = 0; i < data.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(data[i]);
        folded_[i] = char(unsigned(c - 'a') < 26u ? c - ('a' - 'A') : c);
    }
    return folded_;
}

bool LineSearcher::IsWholeWord(std::string_view data, std::size_t at) const {
    const std::size_t end = at + needle_.size();
    if (at > 0 && IsWordByte(data[at - 1]) && IsWordByte(data[at])) return false;
    if (end < data.size() && IsWordByte(data[end]) && IsWordByte(data[end - 1])) return false;
    return true;
}

bool LineSearcher::NextHit(std::string_view data, std::string_view haystack, std::size_t& from, int& line_number,
                           Hit& hit) const {
    std::size_t line_floor = from;  // a line start at or before every later occurrence
    std::size_t search = from;
    for (;;) {
        if (haystack.size() - search < needle_.size()) return false;
        const void* found = memmem(haystack.data() + search, haystack.size() - search, needle_.data(), needle_.size());
        if (!found) return false;
        const std::size_t at = std::size_t(static_cast<const char*>(found) - haystack.data());
        const std::size_t line_start = FindLineStart(data, line_floor, at);
        if (whole_word_ && !IsWholeWord(data, at)) {
            line_floor = line_start;
            search = at + 1;
            continue;
        }
        line_number += CountLineEnds(data, from, line_start);
        hit.line_start = line_start;
        hit.line_end = FindLineEnd(data, at + needle_.size());
        hit.line_number = line_number;
        hit.next_line = hit.line_end;
        if (hit.next_line < data.size()) {
            const bool crlf =
                data[hit.next_line] == '\r' && hit.next_line + 1 < data.size() && data[hit.next_line + 1] == '\n';
            hit.next_line += crlf ? 2 : 1;
            ++line_number;
        }
        from = hit.next_line;
        return true;
    }
}

}  // namespace ide
