#include "assembler/expression.h"

#include <climits>
#include <vector>

#include "assembler/word_reader.h"

namespace dravlin {

namespace {

enum class TermClass : uint8_t {
    Constant,
    Plain,    // a number that is no constant: the distance of two addresses
    Address,  // relocated by the linker
};

struct Term {
    int32_t value = 0;
    TermClass kind = TermClass::Constant;
    int symbol = -1;        // for an address; the open segment's symbol for "$"
    bool location = false;  // the address is "$"
    bool bank_number = false;
    char selector = 0;  // '>' or '<' once a byte was taken
    int32_t whole = 0;  // the value before the byte was taken
};

struct EvalError {
    int id;
    std::string name;
};

constexpr int kMaxNesting = 128;

bool is_hex_digit(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f'); }
bool is_digit(char c) { return c >= '0' && c <= '9'; }
bool is_name_char(char c) { return is_name_character(c); }
int hex_value(char c) {
    if (is_digit(c)) return c - '0';
    return (c | 0x20) - 'a' + 10;
}

int32_t wrap(uint32_t value) { return static_cast<int32_t>(value); }

class Parser {
public:
    Parser(const AsmContext& context, std::string_view text) : context_(context), text_(text) {}

    Term parse_all() {
        Term term = parse_level(1);
        skip_blanks();
        if (pos_ < text_.size()) throw EvalError{peek() == ')' ? kMsgMissingParenthesis : kMsgExprSyntax, {}};
        return term;
    }

    bool immediate() const { return immediate_; }
    bool settled() const { return settled_; }

private:
    char peek(size_t ahead = 0) const { return pos_ + ahead < text_.size() ? text_[pos_ + ahead] : '\0'; }
    void skip_blanks() {
        while (peek() == ' ' || peek() == '\t') ++pos_;
    }

    // The level (1 lowest, 6 highest) of the binary operator at the current
    // position, or 0 when none stands there.
    int operator_level() {
        skip_blanks();
        switch (peek()) {
            case '|': return 1;
            case '^': return 2;
            case '&': return 3;
            case '>':
            case '<':
            case '=': return 4;
            case '+':
            case '-': return 5;
            case '*':
            case '/':
            case '%': return 6;
            default: return 0;
        }
    }

    // Operators of `min_level` and above, left-associative (precedence climbing).
    Term parse_level(int min_level) {
        Term left = parse_prefixed();
        for (int level = operator_level(); level >= min_level; level = operator_level()) {
            char op = peek();
            ++pos_;
            Term right = parse_level(level + 1);
            left = combine(left, op, right);
        }
        return left;
    }

    static bool is_prefix(char c) { return c == '#' || c == '!' || c == '-' || c == '>' || c == '<'; }

    Term parse_prefixed() {
        // The prefixes stand in the text between `first` and `last`, blanks
        // between them; they apply from the innermost out.
        skip_blanks();
        const size_t first = pos_;
        for (; is_prefix(peek()); skip_blanks()) {
            if (peek() == '#') immediate_ = true;
            ++pos_;
        }
        const size_t last = pos_;
        Term term = parse_primary();
        bool negate = false;
        for (size_t at = last; at-- > first;) {
            switch (text_[at]) {
                case '-': negate = !negate; break;  // applied after the others
                case '!':
                    if (term.kind == TermClass::Address) throw EvalError{kMsgIllegalAddressOperation, {}};
                    term.value = term.value == 0 ? 1 : 0;
                    break;
                case '>':
                case '<': select_byte(term, text_[at]); break;
                default: break;
            }
        }
        if (negate) {
            if (term.kind == TermClass::Address) throw EvalError{kMsgIllegalAddressOperation, {}};
            term.value = wrap(0u - static_cast<uint32_t>(term.value));
        }
        return term;
    }

    void select_byte(Term& term, char selector) {
        if (++selectors_ > 1 || term.bank_number) throw EvalError{kMsgIllegalAddressOperation, {}};
        term.whole = term.value;
        term.selector = selector;
        uint32_t value = static_cast<uint32_t>(term.value);
        term.value = static_cast<int32_t>(selector == '>' ? (value >> 8) & 0xFF : value & 0xFF);
    }

    Term parse_primary() {
        skip_blanks();
        char c = peek();
        if (c == '(') return parse_parenthesised();
        if (is_digit(c)) return parse_number();
        if (c == '$') return parse_dollar();
        if (c == '\'') return parse_character();
        if (c == '.') return parse_bank_number();
        if (is_name_char(c)) return parse_name();
        // Nothing where an operand belongs: an empty expression, a missing
        // operand at the end, or two binary operators in a row.
        throw EvalError{kMsgExprSyntax, {}};
    }

    Term parse_parenthesised() {
        if (++depth_ > kMaxNesting) throw EvalError{kMsgExprSyntax, {}};
        ++pos_;
        Term term = parse_level(1);
        skip_blanks();
        if (peek() != ')') throw EvalError{pos_ >= text_.size() ? kMsgMissingParenthesis : kMsgExprSyntax, {}};
        ++pos_;
        --depth_;
        return term;
    }

    // Digits then "H" (hexadecimal), "O" (octal) or nothing (decimal).
    Term parse_number() {
        size_t start = pos_;
        while (is_hex_digit(peek())) ++pos_;
        std::string_view digits = text_.substr(start, pos_ - start);
        char suffix = static_cast<char>(peek() | 0x20);
        int base = 10;
        if (suffix == 'h') {
            base = 16;
            ++pos_;
        } else if (suffix == 'o') {
            base = 8;
            ++pos_;
        }
        Term term;
        term.value = digits_value(digits, base);
        if (is_name_char(peek())) throw EvalError{kMsgIllegalSymbol, {}};
        return term;
    }

    static int32_t digits_value(std::string_view digits, int base) {
        uint64_t value = 0;
        for (char c : digits) {
            int digit = hex_value(c);
            if (digit >= base) throw EvalError{kMsgIllegalNumber, {}};
            value = value * static_cast<uint64_t>(base) + static_cast<uint64_t>(digit);
            if (value > 0xFFFFFFFFu) throw EvalError{kMsgIllegalNumber, {}};
        }
        return wrap(static_cast<uint32_t>(value));
    }

    // "$1F" is a number; "$" before "+" or "-" is the statement's own address.
    Term parse_dollar() {
        ++pos_;
        if (is_hex_digit(peek())) {
            size_t start = pos_;
            while (is_hex_digit(peek())) ++pos_;
            Term term;
            term.value = digits_value(text_.substr(start, pos_ - start), 16);
            if (is_name_char(peek())) throw EvalError{kMsgIllegalSymbol, {}};
            return term;
        }
        skip_blanks();
        if (peek() != '+' && peek() != '-') throw EvalError{kMsgExprSyntax, {}};
        Term term;
        term.kind = TermClass::Address;
        term.location = true;
        term.symbol = context_.state.segment_symbol;
        term.value = context_.state.location_counter;
        return term;
    }

    Term parse_character() {
        if (pos_ + 2 >= text_.size() || text_[pos_ + 2] != '\'') throw EvalError{kMsgExprSyntax, {}};
        Term term;
        term.value = static_cast<unsigned char>(text_[pos_ + 1]);
        pos_ += 3;
        if (is_digit(peek()) || peek() == '\'') throw EvalError{kMsgIllegalNumber, {}};
        return term;
    }

    Term parse_bank_number() {
        static constexpr std::string_view kWord = ".BANKNUM";
        std::string_view word = text_.substr(pos_, kWord.size());
        bool matches = word.size() == kWord.size();
        for (size_t i = 0; matches && i < kWord.size(); ++i) {
            char c = word[i];
            if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
            matches = c == kWord[i];
        }
        char after = peek(kWord.size());
        if (!matches || (after != ' ' && after != '\t')) throw EvalError{kMsgExprSyntax, {}};
        pos_ += kWord.size();
        skip_blanks();
        if (!is_name_char(peek()) || is_digit(peek())) throw EvalError{kMsgExprSyntax, {}};
        Term term = parse_name();
        if (term.kind != TermClass::Address) throw EvalError{kMsgIllegalAddressOperation, {}};
        term.bank_number = true;
        return term;
    }

    Term parse_name() {
        size_t start = pos_;
        while (is_name_char(peek()) || peek() == '.') ++pos_;
        std::string_view written = text_.substr(start, pos_ - start);
        if (written.back() == '.') throw EvalError{kMsgIllegalStructure, {}};

        size_t dot = written.find('.');
        std::string_view head = written.substr(0, dot);
        std::string_view members = dot == std::string_view::npos ? std::string_view{} : written.substr(dot + 1);
        const SymbolTable& symbols = context_.symbols;
        int index = symbols.index_of(head);
        if (index < 0) throw EvalError{kMsgUndefinedSymbol, std::string(written)};
        const Symbol& symbol = symbols.at(index);
        // A member's offset comes from its structure type, which is not tracked.
        if (!symbol.settled || !members.empty()) settled_ = false;

        Term term;
        term.value = symbol.value;
        term.symbol = index;
        switch (symbol.kind) {
            case SymbolKind::Constant:
            case SymbolKind::AssignedValue:
                if (!members.empty()) throw EvalError{kMsgIllegalStructure, {}};
                term.symbol = -1;
                return term;
            case SymbolKind::Label:
            case SymbolKind::Segment:
            case SymbolKind::Procedure:
            case SymbolKind::ByteVariable:
            case SymbolKind::WordVariable:
            case SymbolKind::DwordVariable:
            case SymbolKind::QwordVariable:
                if (!members.empty()) throw EvalError{kMsgIllegalStructure, {}};
                term.kind = TermClass::Address;
                return term;
            case SymbolKind::StructVariable:
                if (members.empty()) throw EvalError{kMsgIllegalStructure, {}};
                term.kind = TermClass::Address;
                term.value = wrap(static_cast<uint32_t>(symbol.value) +
                                  static_cast<uint32_t>(member_offset(symbol.aux, members, written)));
                return term;
            case SymbolKind::StructType:
            case SymbolKind::Section:
            case SymbolKind::Macro: throw EvalError{kMsgExprSyntax, {}};
        }
        throw EvalError{kMsgUndefinedSymbol, std::string(written)};
    }

    // Offset of "a.b.c" inside the structure type `type_handle`.
    int32_t member_offset(int type_handle, std::string_view members, std::string_view written) const {
        const SymbolTable& symbols = context_.symbols;
        const std::vector<StructMember>& table = context_.members;
        uint32_t offset = 0;
        while (!members.empty()) {
            size_t dot = members.find('.');
            std::string_view wanted = members.substr(0, dot);
            members = dot == std::string_view::npos ? std::string_view{} : members.substr(dot + 1);
            if (!symbols.is_handle(type_handle) || symbols.by_handle(type_handle).kind != SymbolKind::StructType) {
                throw EvalError{kMsgUndefinedSymbol, std::string(written)};
            }
            const StructMember* found = nullptr;
            for (size_t i = static_cast<size_t>(symbols.by_handle(type_handle).aux);
                 i < table.size() && table[i].kind != kMemberListEnd; ++i) {
                if (table[i].name == wanted) {
                    found = &table[i];
                    break;
                }
            }
            if (!found) throw EvalError{kMsgUndefinedSymbol, std::string(written)};
            offset += static_cast<uint32_t>(found->offset);
            type_handle = found->type_handle;
        }
        return wrap(offset);
    }

    static int32_t apply(int32_t left, char op, int32_t right) {
        uint32_t a = static_cast<uint32_t>(left), b = static_cast<uint32_t>(right);
        switch (op) {
            case '|': return wrap(a | b);
            case '^': return wrap(a ^ b);
            case '&': return wrap(a & b);
            case '>': return left > right;
            case '<': return left < right;
            case '=': return left == right;
            case '+': return wrap(a + b);
            case '-': return wrap(a - b);
            case '*': return wrap(a * b);
            case '/':
            case '%':
                if (right == 0) throw EvalError{kMsgDivideByZero, {}};
                if (left == INT32_MIN && right == -1) return op == '/' ? INT32_MIN : 0;
                return op == '/' ? left / right : left % right;
            default: return 0;
        }
    }

    // Whether two addresses lie in one segment, so that their distance is fixed.
    bool same_segment(const Term& a, const Term& b) const {
        struct Place {
            bool known;
            bool external;
            int section;
            int segment;
        };
        auto place_of = [this](const Term& t) {
            if (t.location) {
                return Place{context_.state.section >= 0, false, context_.state.section, context_.state.segment};
            }
            const Symbol& symbol = context_.symbols.at(t.symbol);
            return Place{symbol.section >= 0, symbol.state == kSymbolExternal, symbol.section, symbol.segment};
        };
        Place x = place_of(a), y = place_of(b);
        if (x.external || y.external) return false;
        if (!x.known || !y.known) return true;  // decided once every label has its place
        return x.section == y.section && x.segment == y.segment;
    }

    Term combine(const Term& left, char op, const Term& right) {
        // A selected byte ends the expression: <label+1 would patch the wrong byte.
        if (left.selector || (right.selector && right.kind == TermClass::Address)) {
            throw EvalError{kMsgIllegalAddressOperation, {}};
        }
        bool left_address = left.kind == TermClass::Address;
        bool right_address = right.kind == TermClass::Address;
        if (!left_address && right_address && (op == '*' || op == '/' || op == '%' || op == '-')) {
            throw EvalError{kMsgExprSyntax, {}};
        }
        int32_t value = apply(left.value, op, right.value);
        Term result;
        if (!left_address && !right_address) {
            bool constant = left.kind == TermClass::Constant && right.kind == TermClass::Constant;
            result.kind = constant ? TermClass::Constant : TermClass::Plain;
            result.selector = right.selector;
        } else if (left_address && !right_address && (op == '+' || op == '-')) {
            result = left;
        } else if (!left_address && right_address && op == '+') {
            result = right;
        } else if (left_address && right_address && op == '-' && !left.bank_number && !right.bank_number &&
                   same_segment(left, right)) {
            result.kind = TermClass::Plain;
        } else {
            throw EvalError{kMsgIllegalAddressOperation, {}};
        }
        result.value = value;
        return result;
    }

    const AsmContext& context_;
    std::string_view text_;
    size_t pos_ = 0;
    int depth_ = 0;
    int selectors_ = 0;
    bool immediate_ = false;
    bool settled_ = true;
};

uint8_t fixup_type(const Term& term) {
    uint8_t type = term.bank_number ? kFixupBankNumber : term.location ? kFixupLocationAddress : kFixupAddress;
    if (term.selector == '>') type += 1;
    if (term.selector == '<') type += 2;
    return type;
}

}  // namespace

ExprResult evaluate(const AsmContext& context, std::string_view text) {
    ExprResult result;
    Parser parser(context, text);
    try {
        Term term = parser.parse_all();
        result.value = term.value;
        result.constant = term.kind == TermClass::Constant;
        if (term.kind == TermClass::Address) {
            Relocation& relocation = result.relocation;
            relocation.relocatable = true;
            relocation.type = fixup_type(term);
            relocation.symbol = term.symbol;
            int32_t base = 0;
            if (term.symbol >= 0) {
                const Symbol& symbol = context.symbols.at(term.symbol);
                base = symbol.value;
                relocation.external = symbol.state == kSymbolExternal;
            }
            int32_t unselected = term.selector ? term.whole : term.value;
            relocation.addend = wrap(static_cast<uint32_t>(unselected) - static_cast<uint32_t>(base));
        }
    } catch (const EvalError& error) {
        result = ExprResult{};
        result.error = error.id;
        result.missing_name = error.name;
    }
    result.immediate = parser.immediate();
    result.settled = parser.settled();
    return result;
}

}  // namespace dravlin
