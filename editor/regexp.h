#pragma once
// A small regular-expression engine for the editor's search: a pattern compiles into a
// compact node program that a backtracking matcher runs against one line.
//
// Syntax: branches separated by "|"; pieces are atoms with an optional "*", "+" or "?";
// atoms are "^" (line start), "$" (line end), "." (any byte), a set "[...]" or "[^...]",
// a group "(...)" (at most 9), a backslash and any byte (that byte), or ordinary bytes.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace editor {

class RegExp {
public:
    static constexpr int kGroups = 10;
    static constexpr int kNoMatch = -1;
    static constexpr int kTooComplex = -2;
    // Matcher steps one Find may take before it gives up; stops runaway backtracking.
    static constexpr long kStepBudget = 4'000'000;
    // Node offsets are 16 bits, so a program may not pass this size.
    static constexpr size_t kMaxProgramSize = 65535;

    // Compiles a NUL-terminated pattern; returns this object, or null on a syntax error
    // (null pattern included), leaving nothing compiled.
    RegExp* Compile(const char* pattern);

    // Offset of the leftmost match that starts at or after `start_offset` and ends by
    // `end` (the subject's size when negative), kNoMatch, or kTooComplex when the step
    // budget ran out. Bytes from `end` on are out of reach, as if the subject stopped
    // there; `^` and `$` still match only at the subject's true start and end, whatever
    // the start offset and the end.
    int Find(std::string_view subject, int start_offset = 0, int end = -1);

    int GetMatchLength() const { return matched_ ? group_end_[0] - group_start_[0] : 0; }
    // Start and end offset of a group of the last match; -1 when the group is unset.
    int GroupStart(int group) const { return matched_ ? group_start_[group] : -1; }
    int GroupEnd(int group) const { return matched_ ? group_end_[group] : -1; }

    // The replace template with "&" and "\0".."\9" taken from `subject` at the offsets of
    // the last match (the subject may be an original-case copy of the one searched);
    // nothing when there is no match.
    std::optional<std::string> GetReplaceString(std::string_view replace_template, std::string_view subject) const;

    bool compiled() const { return !program_.empty(); }
    const std::vector<uint8_t>& program() const { return program_; }

private:
    friend class RegExpCompiler;
    bool TryAt(std::string_view subject, int at, int end, long& steps);

    std::vector<uint8_t> program_;
    int start_byte_ = -1;
    bool anchored_ = false;
    std::string must_;
    bool matched_ = false;
    int group_start_[kGroups] = {};
    int group_end_[kGroups] = {};
};

// Node opcodes of the compiled program.
enum RegExpOp : uint8_t {
    kOpEnd = 0,
    kOpBol = 1,
    kOpEol = 2,
    kOpAny = 3,
    kOpAnyOf = 4,
    kOpAnyBut = 5,
    kOpBranch = 6,
    kOpBack = 7,
    kOpExactly = 8,
    kOpNothing = 9,
    kOpStar = 10,
    kOpPlus = 11,
    kOpOpen = 20,
    kOpClose = 30,
};

}  // namespace editor
