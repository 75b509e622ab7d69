// RegExp: the backtracking matcher and the replace template.
//
// The matcher keeps its choice points on an explicit stack instead of recursing, so a
// long line cannot exhaust the call stack, and it counts its steps so that a pattern
// that backtracks without end is stopped with kTooComplex.
#include <cstring>

#include "editor/regexp.h"

namespace editor {
namespace {

struct Frame {
    enum Kind : uint8_t { kAlternative, kRestoreStart, kRestoreEnd, kRepeat };
    Kind kind;
    int node;     // alternative: the BRANCH to try; repeat: the node after the repeat
    int pos;      // alternative: where to try it; restore: the old value; repeat: where the run began
    int count;    // repeat: the next number of repetitions to try
    int min;      // repeat: the fewest allowed; restore: the group
    int operand;  // repeat: the repeated node
};

class Matcher {
public:
    // Bytes from `end` on are out of reach; `$` matches only at the subject's own end.
    Matcher(const std::vector<uint8_t>& program, std::string_view subject, int end, int* starts, int* ends, long& steps)
        : program_(program), subject_(subject), end_(end), starts_(starts), ends_(ends), steps_(steps) {}

    // Runs the program from `at`; the end reached, -1 on no match, -2 when out of steps.
    int Run(int at) {
        int node = 0;
        int pos = at;
        for (;;) {
            if (++steps_ > RegExp::kStepBudget) return -2;
            if (Step(node, pos)) {
                if (program_[node] == kOpEnd) return pos;
                continue;
            }
            if (!Backtrack(node, pos)) return -1;
        }
    }

private:
    uint8_t OpOf(int node) const { return program_[node]; }
    const uint8_t* OperandOf(int node) const { return &program_[node + 3]; }
    int NextOf(int node) const {
        int offset = program_[node + 1] << 8 | program_[node + 2];
        if (offset == 0) return -1;
        return program_[node] == kOpBack ? node - offset : node + offset;
    }
    bool AtByte(int pos) const { return pos < end_; }
    unsigned char ByteAt(int pos) const { return static_cast<unsigned char>(subject_[pos]); }

    bool InSet(int node, unsigned char byte) const {
        return byte != 0 && std::strchr(reinterpret_cast<const char*>(OperandOf(node)), byte) != nullptr;
    }

    // Whether the one-byte node matches the byte at pos.
    bool SimpleMatches(int node, int pos) const {
        if (!AtByte(pos)) return false;
        switch (OpOf(node)) {
            case kOpAny: return true;
            case kOpExactly: return ByteAt(pos) == OperandOf(node)[0];
            case kOpAnyOf: return InSet(node, ByteAt(pos));
            case kOpAnyBut: return !InSet(node, ByteAt(pos));
            default: return false;
        }
    }

    // Executes one node; false when it fails. On success node and pos move on.
    bool Step(int& node, int& pos) {
        uint8_t op = OpOf(node);
        switch (op) {
            case kOpEnd: return true;
            case kOpBol:
                if (pos != 0) return false;
                break;
            case kOpEol:
                if (pos != static_cast<int>(subject_.size())) return false;
                break;
            case kOpAny:
            case kOpAnyOf:
            case kOpAnyBut:
                if (!SimpleMatches(node, pos)) return false;
                ++pos;
                break;
            case kOpExactly: {
                const char* run = reinterpret_cast<const char*>(OperandOf(node));
                size_t length = std::strlen(run);
                if (static_cast<size_t>(end_ - pos) < length || std::memcmp(subject_.data() + pos, run, length) != 0)
                    return false;
                pos += static_cast<int>(length);
                break;
            }
            case kOpNothing:
            case kOpBack: break;
            case kOpBranch: {
                int next = NextOf(node);
                if (next >= 0 && OpOf(next) == kOpBranch) stack_.push_back({Frame::kAlternative, next, pos, 0, 0, 0});
                node += 3;
                return true;
            }
            case kOpStar:
            case kOpPlus: {
                int operand = node + 3;
                int count = 0;
                while (SimpleMatches(operand, pos + count)) ++count;
                steps_ += count;
                stack_.push_back({Frame::kRepeat, NextOf(node), pos, count, op == kOpPlus ? 1 : 0, operand});
                return ResumeRepeat(node, pos);
            }
            default:
                if (op >= kOpOpen && op < kOpOpen + RegExp::kGroups) {
                    int group = op - kOpOpen;
                    stack_.push_back({Frame::kRestoreStart, 0, starts_[group], 0, group, 0});
                    starts_[group] = pos;
                } else if (op >= kOpClose && op < kOpClose + RegExp::kGroups) {
                    int group = op - kOpClose;
                    stack_.push_back({Frame::kRestoreEnd, 0, ends_[group], 0, group, 0});
                    ends_[group] = pos;
                } else {
                    return false;
                }
                break;
        }
        node = NextOf(node);
        return node >= 0;
    }

    // Tries the repeat on top of the stack with the most repetitions left to try; a
    // repeat followed by a literal tries only counts that the literal can follow.
    bool ResumeRepeat(int& node, int& pos) {
        Frame& repeat = stack_.back();
        int after = repeat.node;
        int literal = after >= 0 && OpOf(after) == kOpExactly ? OperandOf(after)[0] : -1;
        while (repeat.count >= repeat.min) {
            ++steps_;
            int end = repeat.pos + repeat.count--;
            if (literal < 0 || (AtByte(end) && ByteAt(end) == literal)) {
                node = after;
                pos = end;
                return true;
            }
        }
        stack_.pop_back();
        return false;
    }

    bool Backtrack(int& node, int& pos) {
        while (!stack_.empty()) {
            Frame& top = stack_.back();
            switch (top.kind) {
                case Frame::kAlternative:
                    node = top.node;
                    pos = top.pos;
                    stack_.pop_back();
                    return true;
                case Frame::kRestoreStart:
                    starts_[top.min] = top.pos;
                    stack_.pop_back();
                    break;
                case Frame::kRestoreEnd:
                    ends_[top.min] = top.pos;
                    stack_.pop_back();
                    break;
                case Frame::kRepeat:
                    if (ResumeRepeat(node, pos)) return true;
                    break;
            }
        }
        return false;
    }

    const std::vector<uint8_t>& program_;
    std::string_view subject_;
    int end_;
    int* starts_;
    int* ends_;
    long& steps_;
    std::vector<Frame> stack_;
};

}  // namespace

bool RegExp::TryAt(std::string_view subject, int at, int end, long& steps) {
    for (int group = 0; group < kGroups; ++group) group_start_[group] = group_end_[group] = -1;
    Matcher matcher(program_, subject, end, group_start_, group_end_, steps);
    int reached = matcher.Run(at);
    if (reached == -2) steps = kStepBudget + 1;
    if (reached < 0) return false;
    group_start_[0] = at;
    group_end_[0] = reached;
    return true;
}

int RegExp::Find(std::string_view subject, int start_offset, int end) {
    matched_ = false;
    int size = static_cast<int>(subject.size());
    if (end < 0 || end > size) end = size;
    if (program_.empty() || start_offset < 0 || start_offset > end) return kNoMatch;
    std::string_view reach = subject.substr(0, static_cast<size_t>(end));
    if (!must_.empty() && reach.find(must_, static_cast<size_t>(start_offset)) == std::string_view::npos)
        return kNoMatch;
    long steps = 0;
    for (int at = start_offset; at <= end; ++at) {
        if (anchored_ && at > 0) break;
        if (start_byte_ >= 0) {
            const void* found =
                at < end ? std::memchr(subject.data() + at, start_byte_, static_cast<size_t>(end - at)) : nullptr;
            if (!found) break;
            at = static_cast<int>(static_cast<const char*>(found) - subject.data());
        }
        if (TryAt(subject, at, end, steps)) {
            matched_ = true;
            return at;
        }
        if (steps > kStepBudget) return kTooComplex;
    }
    return kNoMatch;
}

std::optional<std::string> RegExp::GetReplaceString(std::string_view replace_template, std::string_view subject) const {
    if (!matched_) return std::nullopt;
    std::string out;
    auto append_group = [&](int group) {
        int start = group_start_[group];
        int end = group_end_[group];
        if (start >= 0 && end > start && static_cast<size_t>(end) <= subject.size())
            out.append(subject.substr(static_cast<size_t>(start), static_cast<size_t>(end - start)));
    };
    for (size_t i = 0; i < replace_template.size(); ++i) {
        char c = replace_template[i];
        if (c == '&') {
            append_group(0);
        } else if (c == '\\' && i + 1 < replace_template.size()) {
            char next = replace_template[++i];
            if (next >= '0' && next <= '9')
                append_group(next - '0');
            else if (next == '\\' || next == '&')
                out += next;
            else {
                out += '\\';
                out += next;
            }
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace editor
