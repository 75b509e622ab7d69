#pragma once
// The GB2312 <-> BIG5 code table read from "hc.tab": for each code a primary
// counterpart and further candidates. A line of the file is a GB code followed
// by the BIG5 codes it maps to, two bytes each, nothing between them; a line
// whose first byte is below 0xA1 is a comment.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ide {

class CodeTable {
public:
    enum class Direction { gb_to_big5, big5_to_gb };

    static constexpr std::uint32_t kGbFirst = 0xA1A1, kGbEnd = 0xFEFF;       // end excluded
    static constexpr std::uint32_t kBig5First = 0xA140, kBig5Last = 0xF9FE;  // last included
    static constexpr std::uint32_t kGbMissing = 0xA1BC;                      // BIG5 for a GB code without entry
    static constexpr std::uint32_t kBig5Missing = 0xA1F5;                    // GB for a BIG5 code without entry

    CodeTable();

    // Replaces the tables by the file's. Returns the number of BIG5 codes
    // entered from lines without errors, or -1 when the file cannot be read.
    // Diagnostics ("Invalid GB code in line %d") are appended to `log`; a
    // table line longer than 255 bytes is one of them and enters nothing.
    int Load(std::string_view path, std::string& log);

    // The first output is the direction's replacement code, then overwritten
    // by the primary and followed by the candidates, `max` outputs at most.
    // Returns their number, 0 when the code has no entry, -1 when the code
    // lies outside the direction's range, -2 when `max` is below 1.
    int Lookup(Direction direction, std::uint32_t code, std::uint32_t* out, int max) const;

private:
    struct Entry {
        std::uint32_t primary = 0;
        std::vector<std::uint32_t> candidates;
    };
    static void AddCode(Entry& entry, std::uint32_t code);

    std::vector<Entry> gb_;    // index GB code - kGbFirst
    std::vector<Entry> big5_;  // index BIG5 code - kBig5First
};

// The GB2312 text converted character by character to BIG5: a lead byte
// (0xA1 and above) with a GB trail byte after it converts as a pair (a code
// without entry becomes 0xA1BC); every other byte is copied.
std::string ConvertToBig5(const CodeTable& table, std::string_view gb_text);

}  // namespace ide
