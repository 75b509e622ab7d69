#pragma once
// The scan of one file's bytes for Find in Files: every line that holds the
// string (once is enough), with its 1-based number. A line ends at LF, at CR,
// or at CR LF (one end). Without "Match case" both sides fold a-z to A-Z and
// leave every other byte, those from 128 up too, as it is. "Match whole word
// only" takes an occurrence only when it neither begins nor ends inside a
// word (a run of letters, digits and '_').
#include <cstddef>
#include <string>
#include <string_view>

namespace ide {

struct FindQuery {
    std::string text;
    bool match_case = false;
    bool whole_word = false;
};

// At most this many lines are reported for one file.
inline constexpr int kMaxHitsPerFile = 4095;

class LineSearcher {
public:
    explicit LineSearcher(const FindQuery& query);

    // Calls on_hit(line_number, line_text) for each line of `data` holding the
    // string, in order, the line text without its end. Returns the lines reported.
    template <class OnHit>
    int Scan(std::string_view data, OnHit&& on_hit);

    // True when `data` holds a zero byte: a binary file, not searched.
    static bool LooksBinary(std::string_view data);

private:
    struct Hit {
        std::size_t line_start, line_end, next_line;
        int line_number;
    };
    // The next reported line from `from` (a line start numbered `line_number`), or none.
    bool NextHit(std::string_view data, std::string_view haystack, std::size_t& from, int& line_number, Hit& hit) const;
    bool IsWholeWord(std::string_view data, std::size_t at) const;
    // What the string is looked for in: `data` itself, or its folded copy.
    std::string_view Haystack(std::string_view data);

    std::string needle_;  // folded unless the case must match
    bool match_case_;
    bool whole_word_;
    bool searchable_;     // a string with a line end never matches inside one line
    std::string folded_;  // the file's bytes folded, reused from file to file
};

template <class OnHit>
int LineSearcher::Scan(std::string_view data, OnHit&& on_hit) {
    if (!searchable_ || data.size() < needle_.size()) return 0;
    const std::string_view haystack = Haystack(data);
    int hits = 0;
    std::size_t from = 0;
    int line_number = 1;
    Hit hit;
    while (hits < kMaxHitsPerFile && NextHit(data, haystack, from, line_number, hit)) {
        on_hit(hit.line_number, data.substr(hit.line_start, hit.line_end - hit.line_start));
        ++hits;
    }
    return hits;
}

}  // namespace ide
