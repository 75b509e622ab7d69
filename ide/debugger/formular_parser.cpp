// The evaluator's recursive-descent parser: C expressions from the
// assignment level down to primaries, numbers and character constants.
#include <cmath>
#include <cstdlib>
#include <string>

#include "ide/debugger/formular.h"
#include "ide/debugger/formular_ops.h"
#include "ide/debugger/value_display.h"

namespace ide {

namespace {

constexpr std::size_t kMaxNameLength = 256;

}  // namespace

using namespace evaluator;

class CFormular::Parser {
public:
    Parser(CFormular& owner, std::string_view text) : f_(owner), text_(text) {}

    FormularValue expression() { return assignment(true); }
    bool at_end() {
        skip_blanks();
        return pos_ >= text_.size();
    }

private:
    // ---- characters
    char peek(std::size_t ahead = 0) const { return pos_ + ahead < text_.size() ? text_[pos_ + ahead] : '\0'; }
    void skip_blanks() {
        while (peek() == ' ' || peek() == '\t' || peek() == '\r') ++pos_;
    }
    bool take(std::string_view token) {
        skip_blanks();
        if (text_.substr(pos_, token.size()) != token) return false;
        pos_ += token.size();
        return true;
    }
    static bool is_letter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
    static bool is_digit(char c) { return c >= '0' && c <= '9'; }
    std::string identifier() {
        skip_blanks();
        std::string out;
        if (!is_letter(peek())) return out;
        while (is_letter(peek()) || is_digit(peek()) || peek() == '_') out += text_[pos_++];
        if (out.size() > kMaxNameLength) fail(EvalCode::kNameTooLong);
        return out;
    }

    // ---- binary levels, lowest first
    FormularValue assignment(bool eval) {
        FormularValue left = logical(eval, 0);
        skip_blanks();
        static constexpr std::string_view kCompound[] = {"<<=", ">>=", "*=", "/=", "%=", "+=", "-=", "&=", "^=", "|="};
        std::string_view op;
        for (std::string_view candidate : kCompound) {
            if (text_.substr(pos_, candidate.size()) == candidate) {
                op = candidate;
                break;
            }
        }
        if (op.empty() && peek() == '=' && peek(1) != '=') op = "=";
        if (op.empty()) return left;
        pos_ += op.size();
        FormularValue right = assignment(eval);
        if (!eval) return right;
        return ops_.assign(left, op.substr(0, op.size() - 1), right);
    }

    // Levels 0-9: || && | ^ & equality relational shift additive multiplicative.
    FormularValue logical(bool eval, int level) {
        if (level == 10) return unary(eval);
        FormularValue left = logical(eval, level + 1);
        for (;;) {
            std::string_view op = binary_operator(level);
            if (op.empty()) return left;
            const bool skip_right = eval && short_circuits(op, left);
            FormularValue right = logical(eval && !skip_right, level + 1);
            if (!eval) continue;
            if (skip_right) {
                if (op == "||")
                    left = constant(1, TypeFlag::kUnsigned | TypeFlag::kInt);
                else if (op == "&&")
                    left = constant(0, TypeFlag::kUnsigned | TypeFlag::kInt);
                else
                    left = constant(0, left.flags);  // * or / by a zero left operand
                continue;
            }
            left = ops_.combine(left, op, right);
        }
    }

    bool short_circuits(std::string_view op, const FormularValue& left) const {
        if (op == "||") return ops_.truth(left);
        if (op == "&&" || op == "*" || op == "/") return !ops_.truth(left);
        return false;
    }

    std::string_view binary_operator(int level) {
        skip_blanks();
        const char c = peek(), n = peek(1);
        auto plain = [&](std::string_view op) -> std::string_view {
            // An operator followed by '=' belongs to a compound assignment.
            if (peek(op.size()) == '=') return {};
            pos_ += op.size();
            return op;
        };
        switch (level) {
            case 0: return c == '|' && n == '|' ? (pos_ += 2, "||") : std::string_view{};
            case 1: return c == '&' && n == '&' ? (pos_ += 2, "&&") : std::string_view{};
            case 2: return c == '|' && n != '|' ? plain("|") : std::string_view{};
            case 3: return c == '^' ? plain("^") : std::string_view{};
            case 4: return c == '&' && n != '&' ? plain("&") : std::string_view{};
            case 5:
                if ((c == '=' || c == '!') && n == '=') {
                    pos_ += 2;
                    return c == '=' ? "==" : "!=";
                }
                return {};
            case 6:
                if ((c == '<' || c == '>') && n == '=') {
                    pos_ += 2;
                    return c == '<' ? "<=" : ">=";
                }
                if ((c == '<' || c == '>') && n != c) {
                    pos_ += 1;
                    return c == '<' ? "<" : ">";
                }
                return {};
            case 7:
                if ((c == '<' || c == '>') && n == c) return plain(c == '<' ? "<<" : ">>");
                return {};
            case 8:
                if ((c == '+' || c == '-') && n != c) return plain(c == '+' ? "+" : "-");
                return {};
            case 9:
                if (c == '*' || c == '/' || c == '%') return plain(std::string_view(&text_[pos_], 1));
                return {};
            default: return {};
        }
    }

    // ---- unary and primary
    FormularValue unary(bool eval) {
        skip_blanks();
        const char c = peek(), n = peek(1);
        if (c == '(') return parenthesis(eval);
        if ((c == '+' || c == '-') && n == c) {
            pos_ += 2;
            FormularValue target = unary(eval);
            if (eval) ops_.add_or_sub_one(target, c == '+');
            return target;
        }
        if (c == '!' || c == '~' || c == '+' || c == '-' || c == '*' || c == '&') {
            ++pos_;
            FormularValue operand = unary(eval);
            return eval ? ops_.apply_unary(c, operand) : operand;
        }
        if (c == '\'') return character();
        if (is_letter(c)) {
            const std::size_t start = pos_;
            const std::string name = identifier();
            if (name == "sizeof") return size_of_operand(eval);
            if (auto resolved = f_.resolve(name, eval)) return postfix(*resolved, eval);
            pos_ = start;  // not a symbol: perhaps a hexadecimal number
        }
        return number();
    }

    FormularValue postfix(FormularValue value, bool eval) {
        for (;;) {
            skip_blanks();
            const bool dot = take(".");
            const bool arrow = !dot && take("->");
            if (dot || arrow) {
                const std::string member = identifier();
                if (member.empty()) fail(EvalCode::kMissSubvariable);
                if (eval) value = ops_.select_member(value, member, arrow);
            } else if (take("[")) {
                FormularValue index = assignment(eval);
                if (!take("]")) fail(EvalCode::kNotMatching);
                if (eval) value = ops_.subscript(value, index);
            } else if ((peek() == '+' || peek() == '-') && peek(1) == peek()) {
                const bool add = peek() == '+';
                pos_ += 2;
                if (eval) value = ops_.post_step(value, add);
            } else {
                return value;
            }
        }
    }

    FormularValue size_of_operand(bool eval) {
        if (!take("(")) fail(EvalCode::kMissLeftBracket);
        const FormularValue operand = unary(eval);
        if (!take(")")) fail(EvalCode::kNotMatching);
        std::uint32_t size = 0;
        if (operand.has_type && !operand.is(Category::kAddress))
            size = f_.size_of(operand.type);
        else if (operand.is(Category::kAddress))
            size = 2;
        else
            size = flags_width(operand.flags);
        return constant(size, TypeFlag::kUnsigned | TypeFlag::kInt);
    }

    // '(' begins a cast when a type keyword or a structure tag follows.
    FormularValue parenthesis(bool eval) {
        ++pos_;
        const std::size_t after = pos_;
        if (auto type = cast_type()) {
            if (!take(")")) fail(EvalCode::kNotMatching);
            FormularValue operand = unary(eval);
            return eval ? ops_.convert(operand, *type) : operand;
        }
        pos_ = after;
        FormularValue inner = assignment(eval);
        if (!take(")")) fail(EvalCode::kNotMatching);
        return inner;
    }

    std::optional<CastType> cast_type() {
        static constexpr std::pair<std::string_view, std::uint16_t> kKeywords[] = {
            {"char", TypeFlag::kChar},        {"short", TypeFlag::kInt},   {"int", TypeFlag::kInt},
            {"long", TypeFlag::kInt},         {"float", TypeFlag::kFloat}, {"double", TypeFlag::kDouble},
            {"unsigned", TypeFlag::kUnsigned}};
        auto keyword_flags = [&](const std::string& word) -> std::optional<std::uint16_t> {
            for (const auto& [name, flags] : kKeywords) {
                if (word == name) return flags;
            }
            return std::nullopt;
        };
        const std::size_t start = pos_;
        std::string word = identifier();
        std::optional<CastType> out;
        if (auto flags = keyword_flags(word)) {
            std::uint16_t accumulated = *flags;
            if (*flags == TypeFlag::kUnsigned) {
                const std::size_t before = pos_;
                const std::string next = identifier();
                if (next.empty()) {
                    accumulated |= TypeFlag::kInt;
                } else if (next == "char" || next == "short" || next == "int" || next == "long") {
                    accumulated |= *keyword_flags(next);
                } else if (keyword_flags(next)) {
                    fail(EvalCode::kUnknownIdentifier);
                } else {
                    pos_ = before;
                    accumulated |= TypeFlag::kInt;
                }
            }
            const std::uint32_t kind = flags_kind(accumulated);
            out = CastType{CTypeRecord{kCsyNone, kind, 0}, accumulated, true};
        } else if (!word.empty() && f_.symbols()) {
            auto row = f_.symbols()->find_struct(word);
            if (row) out = CastType{CTypeRecord{kCsyNone, TypeKind::kStruct, *row}, 0, false};
        }
        if (!out) {
            pos_ = start;
            return std::nullopt;
        }
        if (take("*")) {
            const std::uint32_t base = f_.add_type(out->record);
            out = CastType{CTypeRecord{base, TypeKind::kPointer, 0}, 0, false};
        }
        return out;
    }

    FormularValue character() {
        ++pos_;
        std::uint32_t value = 0;
        for (int count = 0;; ++count) {
            if (pos_ >= text_.size()) fail(EvalCode::kUnknownIdentifier);
            const char c = text_[pos_++];
            if (c == '\'') break;
            if (count == 2) fail(EvalCode::kUnknownIdentifier);
            value = (value << 1) | static_cast<std::uint32_t>(static_cast<std::int32_t>(static_cast<signed char>(c)));
        }
        return constant(value, TypeFlag::kUnsigned | TypeFlag::kInt);
    }

    static int hex_digit(char c) {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        return -1;
    }

    FormularValue hexadecimal(bool prefixed) {
        std::uint64_t value = 0;
        std::size_t digits = 0;
        while (hex_digit(peek()) >= 0) {
            value = value << 4 | static_cast<std::uint64_t>(hex_digit(peek()));
            ++pos_;
            if (++digits > 8) fail(EvalCode::kUnknownIdentifier);
        }
        if (digits == 0) fail(prefixed ? EvalCode::kWrongNumber : EvalCode::kUnknownIdentifier);
        return constant(static_cast<std::uint32_t>(value),
                        TypeFlag::kUnsigned | (digits <= 4 ? TypeFlag::kInt : TypeFlag::kLong));
    }

    FormularValue number() {
        skip_blanks();
        const char c = peek(), n = peek(1);
        if (c == '0' && (n == 'x' || n == 'X')) {
            pos_ += 2;
            return hexadecimal(true);
        }
        bool decimal_prefix = false;
        if (c == '0' && (n == 'n' || n == 'N')) {
            pos_ += 2;
            decimal_prefix = true;
        } else if (f_.hex_mode() && hex_digit(c) >= 0) {
            return hexadecimal(false);
        }
        const std::size_t start = pos_;
        while (is_digit(peek())) ++pos_;
        bool is_real = false;
        if (!decimal_prefix && peek() == '.') {
            is_real = true;
            ++pos_;
            while (is_digit(peek())) ++pos_;
        }
        if (!decimal_prefix && pos_ > start && (peek() == 'e' || peek() == 'E')) {
            is_real = true;
            ++pos_;
            if (peek() == '+' || peek() == '-') ++pos_;
            if (!is_digit(peek())) fail(EvalCode::kWrongNumber);
            while (is_digit(peek())) ++pos_;
        }
        if (pos_ == start || (is_real && pos_ == start + 1 && text_[start] == '.'))
            fail(decimal_prefix ? EvalCode::kWrongNumber : EvalCode::kUnknownIdentifier);
        const double value = std::strtod(std::string(text_.substr(start, pos_ - start)).c_str(), nullptr);
        if (is_real) {
            if (value > 3.40282347e38) fail(EvalCode::kUnknownIdentifier);
            return float_constant(value);
        }
        if (value > 4294967295.0) fail(EvalCode::kUnknownIdentifier);
        const auto integer_value = static_cast<std::uint32_t>(value);
        return constant(integer_value,
                        TypeFlag::kUnsigned | (integer_value <= 0xFFFF ? TypeFlag::kInt : TypeFlag::kLong));
    }

    CFormular& f_;
    Ops ops_{f_};
    std::string_view text_;
    std::size_t pos_ = 0;
};

DisplayItem CFormular::Evaluate(std::string_view expression) {
    extra_types_.clear();
    result_.reset();
    last_error_ = 0;
    const std::string name(expression);
    try {
        Parser parser(*this, expression);
        const FormularValue value = parser.expression();
        if (!parser.at_end()) fail(EvalCode::kUnknownIdentifier);
        result_ = value;
        return describe_value(*this, value, name);
    } catch (const EvalError& error) {
        last_error_ = error.code;
        return DisplayItem{name, std::string(eval_code_text(error.code)), std::nullopt, false};
    }
}

}  // namespace ide
