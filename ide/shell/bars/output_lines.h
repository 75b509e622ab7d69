#pragma once
// The text of an output pane: lines packed one after another, each with its
// zero byte, in one reserved block whose memory is committed in 4 KB steps as
// text arrives, and a flat table of line offsets before them. Appending costs
// no allocation per line, so a long build listing stays cheap.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/os/memory.h"

namespace ide {

struct OutputLimits {
    std::size_t max_lines = 65536;
    std::size_t text_bytes = 0x600000;  // the zero bytes included
};

class OutputLines {
public:
    explicit OutputLines(OutputLimits limits = {});

    // False when the reservation or its first commitment failed: the pane
    // then shows nothing and refuses every text.
    bool HasStorage() const { return table_ != nullptr; }

    // Splits `text` into lines at the control bytes other than TAB (a run of
    // them ends one line; a final run adds no empty line) and appends them.
    // Refuses the whole text when its bytes would pass the text area or the
    // memory cannot be committed, and the lines past a full table; what is
    // stored stays. True when every line was stored.
    bool Append(std::string_view text);
    void Clear();

    std::size_t Count() const { return count_; }
    // The text of line `index` (empty past the end).
    std::string_view Line(std::size_t index) const;
    std::size_t UsedBytes() const { return used_; }
    std::size_t CommittedTextBytes() const { return committed_text_; }

private:
    bool MakeRoom(std::size_t bytes);
    bool Store(std::string_view line);

    OutputLimits limits_;
    os::ReservedMemory memory_;
    std::uint32_t* table_ = nullptr;
    char* text_ = nullptr;
    std::size_t table_bytes_ = 0;
    std::size_t count_ = 0;
    std::size_t used_ = 0;
    std::size_t committed_text_ = 0;
};

// True for the bytes that separate lines in pane text.
inline constexpr bool IsLineSeparator(unsigned char c) { return c < 32 ? c != '\t' : c == 127; }

}  // namespace ide
