#pragma once
// The user's source breakpoints of the open workspace as (line, source path)
// pairs, kept apart from any debug run, and the workspace's breakpoint file
// (".EXW"): the 268-byte records back to back, no header.
#include <cstdint>
#include <string_view>
#include <vector>

#include "formats/breakpoint_record.h"

namespace ide {

class CVyrBreakPointMgr {
public:
    static constexpr int kRefused = -1;

    // The index of the record with this line and path (path compared without
    // case), appended when there is none. A path that does not fit the
    // record, or a line beyond 16 bits, is refused with kRefused.
    int Add(std::uint32_t line, std::string_view path);
    // The index of the record with this line and path; kRefused when none.
    int Find(std::uint32_t line, std::string_view path) const;
    // Remove every record with this line and path / of this path.
    void Remove(std::uint32_t line, std::string_view path);
    void RemoveFile(std::string_view path);
    void RemoveAll() { records_.clear(); }

    // The target word of the first matching record; -1 when there is none.
    std::int64_t GetTargetId(std::uint32_t line, std::string_view path) const;
    void SetTargetId(int index, std::uint32_t target_word);
    // A planted breakpoint that moved to the next line with code.
    void SetLine(int index, std::uint16_t line);
    void RemoveAt(int index);

    const formats::BreakPointRecord* GetBreakPoint(int index) const;
    int GetCount() const { return static_cast<int>(records_.size()); }

    // Appends the file's records whose source file exists; false when the
    // file cannot be read (the list is then unchanged).
    bool LoadBreakPoints(std::string_view file_path);
    // Writes every record in list order through a temporary file.
    bool SaveBreakPoints(std::string_view file_path) const;

private:
    template <class Match>
    void RemoveIf(Match match);

    std::vector<formats::BreakPointRecord> records_;
};

}  // namespace ide
