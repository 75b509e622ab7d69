// RegExp: the compiler from pattern to node program.
//
// A node is 3 bytes: opcode and a 16-bit offset to the next node (backwards for BACK, 0
// for none), followed by an operand for some opcodes. A group or the whole pattern is a
// chain of BRANCH nodes whose operands run to a common end node.
#include "editor/regexp.h"

#include <cstring>

namespace editor {
namespace {

constexpr const char* kMeta = "^$.[()|?*+\\";
constexpr int kNodeSize = 3;

bool IsQuantifier(char c) { return c == '*' || c == '+' || c == '?'; }

// What the compiler knows of a piece of pattern.
enum Facts : int {
    kWorst = 0,
    kHasWidth = 1,   // never matches the empty string
    kSimple = 2,     // one byte wide: STAR and PLUS can repeat it directly
    kStartsAny = 4,  // starts with a "*" or "?" piece
};

}  // namespace

class RegExpCompiler {
public:
    explicit RegExpCompiler(const char* pattern) : at_(pattern) {}

    bool Run(std::vector<uint8_t>& program) {
        int facts = 0;
        if (Reg(false, facts) < 0 || failed_) return false;
        program = std::move(program_);
        top_facts_ = facts;
        return true;
    }
    int top_facts() const { return top_facts_; }

private:
    int Fail() {
        failed_ = true;
        return -1;
    }

    int NewNode(uint8_t op) {
        if (program_.size() + kNodeSize > RegExp::kMaxProgramSize) return Fail();
        int node = static_cast<int>(program_.size());
        program_.insert(program_.end(), {op, 0, 0});
        return node;
    }

    void EmitByte(uint8_t byte) {
        if (program_.size() + 1 > RegExp::kMaxProgramSize)
            Fail();
        else
            program_.push_back(byte);
    }

    // Puts a node in front of the operand that starts at `operand`.
    void InsertBefore(uint8_t op, int operand) {
        if (program_.size() + kNodeSize > RegExp::kMaxProgramSize) {
            Fail();
            return;
        }
        program_.insert(program_.begin() + operand, {op, 0, 0});
    }

    int NextOf(int node) const {
        int offset = program_[node + 1] << 8 | program_[node + 2];
        if (offset == 0) return -1;
        return program_[node] == kOpBack ? node - offset : node + offset;
    }

    // Points the last node of the chain starting at `node` to `target`.
    void Tail(int node, int target) {
        if (failed_ || node < 0 || target < 0) return;
        for (int next = NextOf(node); next >= 0; next = NextOf(node)) node = next;
        int offset = program_[node] == kOpBack ? node - target : target - node;
        program_[node + 1] = static_cast<uint8_t>(offset >> 8);
        program_[node + 2] = static_cast<uint8_t>(offset);
    }

    // Tail on the operand of a BRANCH; other nodes have no operand chain.
    void OperandTail(int node, int target) {
        if (!failed_ && node >= 0 && program_[node] == kOpBranch) Tail(node + kNodeSize, target);
    }

    // The whole pattern or a parenthesised group.
    int Reg(bool paren, int& facts) {
        facts = kHasWidth;
        int group = 0;
        int head = -1;
        if (paren) {
            if (groups_ >= RegExp::kGroups) return Fail();
            group = groups_++;
            head = NewNode(static_cast<uint8_t>(kOpOpen + group));
        }
        for (bool first = true;; first = false) {
            if (!first) ++at_;  // the "|"
            int branch_facts = 0;
            int branch = Branch(branch_facts);
            if (branch < 0) return -1;
            if (head < 0)
                head = branch;
            else
                Tail(head, branch);
            if (!(branch_facts & kHasWidth)) facts &= ~kHasWidth;
            facts |= branch_facts & kStartsAny;
            if (*at_ != '|') break;
        }
        int ender = NewNode(static_cast<uint8_t>(paren ? kOpClose + group : kOpEnd));
        Tail(head, ender);
        for (int branch = head; branch >= 0; branch = NextOf(branch)) OperandTail(branch, ender);
        if (paren) {
            if (*at_ != ')') return Fail();  // missing ")"
            ++at_;
        } else if (*at_ != '\0') {
            return Fail();  // an unmatched ")"
        }
        return failed_ ? -1 : head;
    }

    // One alternative: a sequence of pieces.
    int Branch(int& facts) {
        facts = kWorst;
        int branch = NewNode(kOpBranch);
        int chain = -1;
        while (*at_ != '\0' && *at_ != '|' && *at_ != ')') {
            int piece_facts = 0;
            int piece = Piece(piece_facts);
            if (piece < 0) return -1;
            facts |= piece_facts & kHasWidth;
            if (chain < 0)
                facts |= piece_facts & kStartsAny;
            else
                Tail(chain, piece);
            chain = piece;
        }
        if (chain < 0) NewNode(kOpNothing);
        return failed_ ? -1 : branch;
    }

    // An atom and its quantifier.
    int Piece(int& facts) {
        int atom_facts = 0;
        int atom = Atom(atom_facts);
        if (atom < 0) return -1;
        char op = *at_;
        if (!IsQuantifier(op)) {
            facts = atom_facts;
            return atom;
        }
        if (!(atom_facts & kHasWidth) && op != '?') return Fail();  // could repeat nothing
        facts = op == '+' ? (kWorst | kHasWidth) : (kWorst | kStartsAny);
        if (op == '*' && (atom_facts & kSimple)) {
            InsertBefore(kOpStar, atom);
        } else if (op == '*') {
            // x* as (x BACK | NOTHING): the loop goes back to the first BRANCH.
            InsertBefore(kOpBranch, atom);
            OperandTail(atom, NewNode(kOpBack));
            OperandTail(atom, atom);
            Tail(atom, NewNode(kOpBranch));
            Tail(atom, NewNode(kOpNothing));
        } else if (op == '+' && (atom_facts & kSimple)) {
            InsertBefore(kOpPlus, atom);
        } else if (op == '+') {
            // x+ as x (BRANCH BACK to x | BRANCH NOTHING).
            int next = NewNode(kOpBranch);
            Tail(atom, next);
            Tail(NewNode(kOpBack), atom);
            Tail(next, NewNode(kOpBranch));
            Tail(atom, NewNode(kOpNothing));
        } else {
            // x? as (x | NOTHING).
            InsertBefore(kOpBranch, atom);
            Tail(atom, NewNode(kOpBranch));
            int nothing = NewNode(kOpNothing);
            Tail(atom, nothing);
            OperandTail(atom, nothing);
        }
        ++at_;
        if (IsQuantifier(*at_)) return Fail();  // a quantifier on a quantifier
        return failed_ ? -1 : atom;
    }

    int Atom(int& facts) {
        facts = kWorst;
        char c = *at_;
        switch (c) {
            case '\0':
            case '|':
            case ')':
            case '?':
            case '+':
            case '*': return Fail();  // an atom is required here
            case '^': ++at_; return NewNode(kOpBol);
            case '$': ++at_; return NewNode(kOpEol);
            case '.':
                ++at_;
                facts = kHasWidth | kSimple;
                return NewNode(kOpAny);
            case '[':
                ++at_;
                facts = kHasWidth | kSimple;
                return Set();
            case '(': {
                ++at_;
                int group_facts = 0;
                int group = Reg(true, group_facts);
                facts = group_facts & (kHasWidth | kStartsAny);
                return group;
            }
            case '\\': {
                if (at_[1] == '\0') return Fail();
                int node = NewNode(kOpExactly);
                EmitByte(static_cast<uint8_t>(at_[1]));
                EmitByte(0);
                at_ += 2;
                facts = kHasWidth | kSimple;
                return failed_ ? -1 : node;
            }
            default: return Run(facts);
        }
    }

    // A set between "[" and "]"; "]" or "-" first, and "-" last, are literal.
    int Set() {
        bool negated = *at_ == '^';
        if (negated) ++at_;
        int node = NewNode(negated ? kOpAnyBut : kOpAnyOf);
        bool members[256] = {};
        if (*at_ == ']' || *at_ == '-') members[static_cast<unsigned char>(*at_++)] = true;
        while (*at_ != '\0' && *at_ != ']') {
            if (*at_ == '-' && at_[1] != ']' && at_[1] != '\0') {
                unsigned first = static_cast<unsigned char>(at_[-1]);
                unsigned last = static_cast<unsigned char>(at_[1]);
                if (first > last) return Fail();  // a reversed range
                for (unsigned byte = first; byte <= last; ++byte) members[byte] = true;
                at_ += 2;
            } else {
                members[static_cast<unsigned char>(*at_++)] = true;
            }
        }
        if (*at_ != ']') return Fail();  // no closing "]"
        ++at_;
        for (int byte = 1; byte < 256; ++byte)
            if (members[byte]) EmitByte(static_cast<uint8_t>(byte));
        EmitByte(0);
        return failed_ ? -1 : node;
    }

    // A run of ordinary bytes; before a quantifier the last byte stands alone.
    int Run(int& facts) {
        size_t length = std::strcspn(at_, kMeta);
        if (length > 1 && IsQuantifier(at_[length])) --length;
        facts = kHasWidth | (length == 1 ? kSimple : 0);
        int node = NewNode(kOpExactly);
        for (size_t i = 0; i < length; ++i) EmitByte(static_cast<uint8_t>(at_[i]));
        EmitByte(0);
        at_ += length;
        return failed_ ? -1 : node;
    }

    const char* at_;
    std::vector<uint8_t> program_;
    int groups_ = 1;
    bool failed_ = false;
    int top_facts_ = 0;
};

RegExp* RegExp::Compile(const char* pattern) {
    program_.clear();
    matched_ = false;
    start_byte_ = -1;
    anchored_ = false;
    must_.clear();
    if (!pattern) return nullptr;
    RegExpCompiler compiler(pattern);
    if (!compiler.Run(program_)) {
        program_.clear();
        return nullptr;
    }
    // Facts for speed, from a pattern with a single top-level branch.
    auto next_of = [&](size_t node) {
        int offset = program_[node + 1] << 8 | program_[node + 2];
        return offset == 0 ? program_.size() : node + static_cast<size_t>(offset);
    };
    if (program_[next_of(0)] == kOpEnd) {
        size_t scan = 3;
        if (program_[scan] == kOpExactly)
            start_byte_ = program_[scan + 3];
        else if (program_[scan] == kOpBol)
            anchored_ = true;
        if (compiler.top_facts() & kStartsAny) {
            for (; scan < program_.size() && program_[scan] != kOpEnd; scan = next_of(scan)) {
                if (program_[scan] != kOpExactly) continue;
                const char* run = reinterpret_cast<const char*>(&program_[scan + 3]);
                if (std::strlen(run) > must_.size()) must_ = run;
            }
        }
    }
    return this;
}

}  // namespace editor
