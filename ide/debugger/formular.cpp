#include "ide/debugger/formular.h"

#include <bit>
#include <cmath>
#include <cstring>

#include "ide/debugger/value_display.h"

namespace ide {

namespace {

constexpr std::uint32_t kExtraTypeBit = 1u << 27;
constexpr std::size_t kMaxNameLength = 256;
constexpr std::size_t kMaxModuleNameLength = 502;

[[noreturn]] void fail(int code) { throw EvalError(code); }

std::uint16_t kind_flags(std::uint32_t kind) {
    switch (kind) {
        case TypeKind::kFloat:
        case TypeKind::kFloat2: return TypeFlag::kFloat;
        case TypeKind::kChar: return TypeFlag::kChar;
        case TypeKind::kInt:
        case TypeKind::kInt2: return TypeFlag::kInt;
        case TypeKind::kUnsignedInt: return TypeFlag::kUnsigned | TypeFlag::kInt;
        case TypeKind::kStruct: return TypeFlag::kStruct;
        case TypeKind::kUnion: return TypeFlag::kUnion;
        case TypeKind::kLong: return TypeFlag::kLong;
        case TypeKind::kUnsignedLong: return TypeFlag::kUnsigned | TypeFlag::kLong;
        default: return 0;
    }
}

// Flags of a type when it is the element of a pointer or an array.
std::uint16_t element_flags(const CTypeRecord& type) {
    if (type.kind == TypeKind::kPointer) return TypeFlag::kPointer;
    if (type.kind == TypeKind::kArray) return TypeFlag::kArray;
    return kind_flags(type.kind);
}

// A cast's scalar flags turned back into a type kind.
std::uint32_t flags_kind(std::uint16_t flags) {
    const std::uint16_t base = flags & ~TypeFlag::kComputed;
    if (base & (TypeFlag::kDouble | TypeFlag::kFloat)) return TypeKind::kFloat;
    switch (base) {
        case TypeFlag::kChar: return TypeKind::kChar;
        case TypeFlag::kInt:
        case TypeFlag::kLong: return TypeKind::kInt2;
        case TypeFlag::kUnsigned | TypeFlag::kChar: return TypeKind::kChar;
        case TypeFlag::kUnsigned | TypeFlag::kInt:
        case TypeFlag::kUnsigned | TypeFlag::kLong: return TypeKind::kUnsignedInt;
        default: return 0;
    }
}

std::uint32_t flags_width(std::uint16_t flags) {
    if (flags & TypeFlag::kDouble) return 8;
    if (flags & (TypeFlag::kFloat | TypeFlag::kLong)) return 4;
    if (flags & TypeFlag::kInt) return 2;
    return 1;
}

FormularValue constant(std::uint32_t value, std::uint16_t flags) {
    FormularValue out;
    out.value = value;
    out.flags = flags;
    out.category = Category::kConstant;
    return out;
}

FormularValue float_constant(double value) {
    return constant(std::bit_cast<std::uint32_t>(static_cast<float>(value)), TypeFlag::kFloat);
}

// A constant's integer as its flags read it: char and int sign-extended
// unless unsigned.
std::int64_t widen(std::uint32_t value, std::uint16_t flags) {
    const bool is_unsigned = flags & TypeFlag::kUnsigned;
    if (flags & TypeFlag::kLong) return is_unsigned ? std::int64_t{value} : std::int64_t{static_cast<std::int32_t>(value)};
    if (flags & TypeFlag::kInt)
        return is_unsigned ? std::int64_t{value & 0xFFFF} : std::int64_t{static_cast<std::int16_t>(value)};
    if (flags & TypeFlag::kChar)
        return is_unsigned ? std::int64_t{value & 0xFF} : std::int64_t{static_cast<std::int8_t>(value)};
    return value;
}

}  // namespace

// ---- type facts -------------------------------------------------------------

CTypeRecord CFormular::type_row(std::uint32_t row) const {
    if (!csy_) fail(EvalCode::kMissType);
    auto type = csy_->type(row);
    if (!type) fail(EvalCode::kMissType);
    return *type;
}

CTypeRecord CFormular::next_type(const CTypeRecord& type) const {
    if (type.next == kCsyNone) fail(EvalCode::kBrokenType);
    if (type.next & kExtraTypeBit) {
        const std::uint32_t row = type.next & ~kExtraTypeBit;
        if (row >= extra_types_.size()) fail(EvalCode::kBrokenType);
        return extra_types_[row];
    }
    return type_row(type.next);
}

std::optional<CsyStructEntry> CFormular::struct_row(std::uint32_t row) const {
    return csy_ ? csy_->struct_row(row) : std::nullopt;
}

std::string CFormular::member_name(const CsyStructEntry& member) const {
    auto name = csy_ ? csy_->name(member.name_offset) : std::nullopt;
    return name ? std::string(*name) : std::string();
}

std::uint32_t CFormular::size_of(const CTypeRecord& type) const {
    switch (type.kind) {
        case TypeKind::kFloat:
        case TypeKind::kFloat2:
        case TypeKind::kLong:
        case TypeKind::kUnsignedLong: return 4;
        case TypeKind::kChar: return 1;
        case TypeKind::kInt:
        case TypeKind::kInt2:
        case TypeKind::kUnsignedInt:
        case TypeKind::kPointer: return 2;
        case TypeKind::kStruct:
        case TypeKind::kUnion: {
            auto head = struct_row(type.extra);
            return head ? head->size_or_offset : 0;
        }
        case TypeKind::kArray: return type.extra;
        default: return 0;
    }
}

FormularValue CFormular::place(std::uint32_t address, const CTypeRecord& type) const {
    FormularValue out;
    out.value = address & 0xFFFF;
    out.type = type;
    out.has_type = true;
    if (type.kind == TypeKind::kPointer || type.kind == TypeKind::kArray) {
        out.flags = element_flags(next_type(type));
        out.category = type.kind == TypeKind::kPointer ? Category::kPointer : Category::kArray;
    } else {
        out.flags = kind_flags(type.kind);
        out.category = Category::kVariable;
    }
    return out;
}

std::uint32_t CFormular::add_type(const CTypeRecord& type) {
    extra_types_.push_back(type);
    return static_cast<std::uint32_t>(extra_types_.size() - 1) | kExtraTypeBit;
}

// ---- target memory ------------------------------------------------------------

std::uint32_t CFormular::read_dword(std::uint32_t address) const {
    if (!context_.memory || !context_.memory->attached()) fail(EvalCode::kNotDebugging);
    auto value = context_.memory->read_dword(static_cast<std::uint16_t>(address));
    if (!value) fail(EvalCode::kValueNotRight);
    return *value;
}

std::uint16_t CFormular::read_word(std::uint32_t address) const {
    return static_cast<std::uint16_t>(read_dword(address));
}

void CFormular::write(std::uint32_t address, std::uint32_t value, std::uint32_t width) const {
    if (!context_.memory || !context_.memory->attached()) fail(EvalCode::kNotDebugging);
    std::uint8_t bytes[8] = {};
    std::memcpy(bytes, &value, 4);
    if (context_.memory->write(static_cast<std::uint16_t>(address), {bytes, width}) != width)
        fail(EvalCode::kValueNotRight);
}

// ---- symbols --------------------------------------------------------------------

bool CFormular::InitCsym(const std::string& module) {
    ready_ = false;
    module_name_ = module;
    if (module.size() > kMaxModuleNameLength) return false;
    auto mapped = os::MappedFile::open_read(context_.files.path(module, ".csy"));
    if (!mapped) return false;
    csy_file_ = std::move(mapped.value());
    csy_.emplace(formats::ByteReader(csy_file_->bytes()));
    auto position = csy_->locate(context_.files.project_folder + module + ".c", context_.pc);
    if (!position) return false;
    module_row_ = position->module_row;
    function_row_ = position->function_row;
    ready_ = true;
    return true;
}

std::optional<FormularValue> CFormular::resolve(std::string_view name, bool evaluate) const {
    const CsyFile* file = symbols();
    if (!file) return std::nullopt;
    auto module = file->module(module_row_);
    auto range = module ? file->range(module->first_range + function_row_) : std::nullopt;
    if (!range) return std::nullopt;
    std::uint32_t scope_row = range->scope_row;
    // Bounded by the number of scope rows the file can hold, so a parent
    // cycle cannot loop for ever.
    const std::size_t most_scopes = file->size() / sizeof(CsyScopeEntry) + 1;
    for (std::size_t hops = 0; hops < most_scopes; ++hops) {
        auto scope = file->scope(scope_row);
        if (!scope || scope->level < 3) return std::nullopt;
        for (std::uint32_t i = 0; i < scope->symbol_count; ++i) {
            auto symbol = file->symbol(*scope, i);
            if (!symbol) break;
            if (file->name(symbol->name_offset) != name) continue;
            const CTypeRecord type = type_row(symbol->type_row);
            if (!evaluate) return place(0, type);
            std::uint32_t address = 0;
            std::uint32_t storage = 0;
            if (symbol->storage_class == CsyClass::kExternal || scope->level == 3) {
                auto link_name = file->name(symbol->value);
                auto found = link_name ? locate_global(context_.files, module_name_, *link_name) : std::nullopt;
                if (!found) fail(EvalCode::kMissAddress);
                address = *found;
                storage = symbol->storage_class == CsyClass::kExternal ? StorageFlag::kExternal : StorageFlag::kFileScope;
            } else if (symbol->storage_class == CsyClass::kParameter) {
                address = read_word(0x42) + symbol->value;
                storage = StorageFlag::kParameter;
            } else if (symbol->storage_class == CsyClass::kLocal) {
                address = read_word(0x40) + symbol->value;
                storage = StorageFlag::kLocal;
            } else {
                fail(EvalCode::kMissAddress);
            }
            FormularValue out = place(address, type);
            out.storage = storage;
            return out;
        }
        if (scope->parent == kCsyNone) return std::nullopt;
        scope_row = scope->parent;
    }
    return std::nullopt;
}

// ---- the parser -------------------------------------------------------------------

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

    // ---- numeric readings of a value
    std::int64_t integer(const FormularValue& v) const {
        switch (v.category) {
            case Category::kConstant:
                if (v.flags & (TypeFlag::kStruct | TypeFlag::kUnion)) fail(EvalCode::kNotCompatible);
                if (v.is_float()) return static_cast<std::int64_t>(std::bit_cast<float>(v.value));
                return widen(v.value, v.flags);
            case Category::kVariable:
                if (v.is_float() || (v.flags & (TypeFlag::kStruct | TypeFlag::kUnion)) || !(v.flags & 7))
                    fail(EvalCode::kNotCompatible);
                return widen(f_.read_dword(v.value), v.flags);
            case Category::kAddress:
            case Category::kArray: return v.address();
            case Category::kPointer: return f_.read_word(v.value);
            default: fail(EvalCode::kUncompatibleStyle);
        }
    }
    double real(const FormularValue& v) const {
        if (v.category == Category::kConstant && v.is_float()) return std::bit_cast<float>(v.value);
        if (v.category == Category::kVariable && v.is_float()) return std::bit_cast<float>(f_.read_dword(v.value));
        return static_cast<double>(integer(v));
    }
    bool truth(const FormularValue& v) const { return v.is_float() ? real(v) != 0 : integer(v) != 0; }
    static bool numeric(const FormularValue& v) { return v.is(Category::kConstant) || v.is(Category::kVariable); }
    static bool addressable(const FormularValue& v) {
        return v.is(Category::kAddress) || v.is(Category::kPointer) || v.is(Category::kArray);
    }

    // Type flags of an integer result.
    static std::uint16_t integer_flags(const FormularValue& left, const FormularValue& right, std::int64_t result) {
        const std::uint16_t both = left.flags | right.flags;
        const std::uint16_t sign = both & TypeFlag::kUnsigned;
        if (!left.is(Category::kVariable)) {
            const bool is_long = (both & TypeFlag::kLong) || static_cast<std::uint32_t>(result) >= 0x10000;
            return (is_long ? TypeFlag::kLong : TypeFlag::kInt) | sign | TypeFlag::kComputed;
        }
        if (both & TypeFlag::kLong) return TypeFlag::kLong | sign;
        if (both & TypeFlag::kInt) return TypeFlag::kInt | sign;
        return TypeFlag::kChar | sign;
    }

    // A char operand of an integer operator counts as an int.
    static std::uint16_t promoted(std::uint16_t flags) {
        if ((flags & ~(TypeFlag::kUnsigned | TypeFlag::kComputed)) != TypeFlag::kChar) return flags;
        return static_cast<std::uint16_t>((flags & ~TypeFlag::kChar) | TypeFlag::kInt);
    }

    // ---- binary levels, lowest first
    FormularValue assignment(bool eval) {
        FormularValue left = logical(eval, 0);
        skip_blanks();
        static constexpr std::string_view kCompound[] = {"<<=", ">>=", "*=", "/=", "%=", "+=", "-=",
                                                         "&=",  "^=",  "|="};
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
        return assign(left, op.substr(0, op.size() - 1), right);
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
                if (op == "||") left = constant(1, TypeFlag::kUnsigned | TypeFlag::kInt);
                else if (op == "&&") left = constant(0, TypeFlag::kUnsigned | TypeFlag::kInt);
                else left = constant(0, left.flags);  // * or / by a zero left operand
                continue;
            }
            left = combine(left, op, right);
        }
    }

    bool short_circuits(std::string_view op, const FormularValue& left) const {
        if (op == "||") return truth(left);
        if (op == "&&" || op == "*" || op == "/") return !truth(left);
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

    FormularValue combine(const FormularValue& left, std::string_view op, const FormularValue& right) {
        if (op == "||" || op == "&&" || op == "==" || op == "!=" || op == "<" || op == "<=" || op == ">" ||
            op == ">=")
            return compare(left, op, right);
        if (op == "&" || op == "|" || op == "^") {
            const std::int64_t a = integer(left), b = integer(right);
            const std::int64_t r = op == "&" ? (a & b) : op == "|" ? (a | b) : (a ^ b);
            return constant(static_cast<std::uint32_t>(r), left.flags | right.flags);
        }
        if (op == "+" || op == "-") {
            if (addressable(left) && numeric(right) && !right.is_float()) return move_address(left, integer(right), op);
            if (op == "+" && numeric(left) && !left.is_float() && addressable(right))
                return move_address(right, integer(left), op);
        }
        if (op == "%" || op == "<<" || op == ">>") return integer_only(left, op, right);
        return arithmetic(left, op, right);
    }

    FormularValue compare(const FormularValue& left, std::string_view op, const FormularValue& right) {
        const double a = real(left), b = real(right);
        bool r = false;
        if (op == "||") r = a != 0 || b != 0;
        else if (op == "&&") r = a != 0 && b != 0;
        else if (op == "==") r = a == b;
        else if (op == "!=") r = a != b;
        else if (op == "<") r = a < b;
        else if (op == "<=") r = a <= b;
        else if (op == ">") r = a > b;
        else r = a >= b;
        return constant(r ? 1 : 0, TypeFlag::kUnsigned | TypeFlag::kInt);
    }

    // Address arithmetic moves by whole elements of what the value refers to.
    FormularValue move_address(const FormularValue& base, std::int64_t count, std::string_view op) {
        CTypeRecord element = base.type;
        std::uint32_t start = base.address();
        if (base.is(Category::kPointer)) {
            element = f_.next_type(base.type);
            start = f_.read_word(base.value);
        } else if (base.is(Category::kArray)) {
            element = f_.next_type(base.type);
        }
        if (!base.has_type) fail(EvalCode::kMissType);
        const std::int64_t step = std::max<std::uint32_t>(f_.size_of(element), 1);
        const std::int64_t moved = op == "+" ? start + count * step : start - count * step;
        FormularValue out = f_.place(static_cast<std::uint32_t>(moved), element);
        out.category = Category::kAddress;
        return out;
    }

    FormularValue arithmetic(const FormularValue& left, std::string_view op, const FormularValue& right) {
        if (left.is_float() || right.is_float()) {
            const double a = real(left), b = real(right);
            if (op == "/" && b == 0) fail(EvalCode::kCannotDisplay);
            const double r = op == "+" ? a + b : op == "-" ? a - b : op == "*" ? a * b : a / b;
            return float_constant(r);
        }
        const auto a = static_cast<std::int32_t>(integer(left)), b = static_cast<std::int32_t>(integer(right));
        if (op == "/" && b == 0) fail(EvalCode::kCannotDisplay);
        std::int64_t r = 0;
        if (op == "+") r = std::int64_t{a} + b;
        else if (op == "-") r = std::int64_t{a} - b;
        else if (op == "*") r = std::int64_t{a} * b;
        else r = (a == INT32_MIN && b == -1) ? a : a / b;
        const auto result = static_cast<std::uint32_t>(r);
        return constant(result, integer_flags(left, right, result));
    }

    FormularValue integer_only(const FormularValue& left, std::string_view op, const FormularValue& right) {
        if (left.is_float() || right.is_float()) fail(EvalCode::kNotCompatible);
        const std::uint16_t flags = promoted(left.flags);
        const auto a = static_cast<std::int32_t>(integer(left));
        const auto b = static_cast<std::int32_t>(integer(right));
        std::uint32_t r = 0;
        if (op == "%") {
            if (b == 0) fail(EvalCode::kCannotDisplay);
            r = static_cast<std::uint32_t>(b == -1 ? 0 : a % b);
        } else if (op == "<<") {
            r = static_cast<std::uint32_t>(a) << (b & 31);
        } else if (flags & TypeFlag::kUnsigned) {
            r = static_cast<std::uint32_t>(a) >> (b & 31);
        } else {
            r = static_cast<std::uint32_t>(a >> (b & 31));
        }
        return constant(r, flags);
    }

    FormularValue assign(const FormularValue& left, std::string_view op, const FormularValue& right) {
        if (!left.is(Category::kVariable) && !left.is(Category::kPointer)) fail(EvalCode::kBadOperator);
        if (left.flags & (TypeFlag::kStruct | TypeFlag::kUnion)) fail(EvalCode::kUncompatibleStyle);
        if (left.is(Category::kVariable) && left.is_float()) {
            const double b = real(right);
            const double a = op.empty() ? 0 : real(left);
            double r = b;
            if (op == "+") r = a + b;
            else if (op == "-") r = a - b;
            else if (op == "*") r = a * b;
            else if (op == "/") {
                if (b == 0) fail(EvalCode::kDividedByZero);
                r = a / b;
            } else if (!op.empty()) {
                fail(EvalCode::kNotCompatible);
            }
            const FormularValue stored = float_constant(r);
            f_.write(left.value, stored.value, 4);
            return stored;
        }
        const auto b = static_cast<std::int32_t>(right.is_float() ? std::trunc(real(right)) : integer(right));
        const auto a = static_cast<std::int32_t>(op.empty() ? 0 : integer(left));
        const bool pointer = left.is(Category::kPointer);
        const std::int32_t step =
            pointer && (op == "+" || op == "-") ? std::max<std::uint32_t>(f_.size_of(f_.next_type(left.type)), 1) : 1;
        std::int64_t r = b;
        if (op == "+") r = std::int64_t{a} + std::int64_t{b} * step;
        else if (op == "-") r = std::int64_t{a} - std::int64_t{b} * step;
        else if (op == "*") r = std::int64_t{a} * b;
        else if (op == "/" || op == "%") {
            if (b == 0) fail(EvalCode::kDividedByZero);
            if (a == INT32_MIN && b == -1) r = op == "/" ? a : 0;
            else r = op == "/" ? a / b : a % b;
        } else if (op == "<<") r = static_cast<std::uint32_t>(a) << (b & 31);
        else if (op == ">>") r = (left.flags & TypeFlag::kUnsigned) ? static_cast<std::uint32_t>(a) >> (b & 31) : a >> (b & 31);
        else if (op == "&") r = a & b;
        else if (op == "^") r = a ^ b;
        else if (op == "|") r = a | b;
        const auto result = static_cast<std::uint32_t>(r);
        if (pointer) {
            f_.write(left.value, result & 0xFFFF, 2);
            return constant(result & 0xFFFF, TypeFlag::kUnsigned | TypeFlag::kInt);
        }
        f_.write(left.value, result, flags_width(left.flags));
        return constant(result, left.flags);
    }

    // ++ and --: a scalar or pointer variable in memory moves by one step.
    void add_or_sub_one(const FormularValue& target, bool add) {
        if (target.is(Category::kPointer)) {
            const std::uint32_t step = std::max<std::uint32_t>(f_.size_of(f_.next_type(target.type)), 1);
            const std::uint16_t content = f_.read_word(target.value);
            f_.write(target.value, static_cast<std::uint16_t>(add ? content + step : content - step), 2);
            return;
        }
        if (!target.is(Category::kVariable) || !(target.flags & (7 | TypeFlag::kFloat)))
            fail(EvalCode::kBadOperator);
        if (target.is_float()) {
            const double value = real(target) + (add ? 1 : -1);
            f_.write(target.value, float_constant(value).value, 4);
            return;
        }
        const std::int64_t value = integer(target) + (add ? 1 : -1);
        f_.write(target.value, static_cast<std::uint32_t>(value), flags_width(target.flags));
    }

    // ---- unary and primary
    FormularValue unary(bool eval) {
        skip_blanks();
        const char c = peek(), n = peek(1);
        if (c == '(') return parenthesis(eval);
        if ((c == '+' || c == '-') && n == c) {
            pos_ += 2;
            FormularValue target = unary(eval);
            if (eval) add_or_sub_one(target, c == '+');
            return target;
        }
        if (c == '!' || c == '~' || c == '+' || c == '-' || c == '*' || c == '&') {
            ++pos_;
            FormularValue operand = unary(eval);
            return eval ? apply_unary(c, operand) : operand;
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

    FormularValue apply_unary(char op, const FormularValue& operand) {
        switch (op) {
            case '!': return constant(truth(operand) ? 0 : 1, TypeFlag::kInt | TypeFlag::kComputed);
            case '+':
            case '-': {
                if (operand.is_float()) return float_constant(op == '-' ? -real(operand) : real(operand));
                const std::int64_t value = integer(operand);
                const auto result = static_cast<std::uint32_t>(op == '-' ? -value : value);
                return constant(result, integer_flags(operand, operand, result));
            }
            case '~':
                if (operand.is_float()) fail(EvalCode::kNotCompatible);
                return constant(~static_cast<std::uint32_t>(integer(operand)), promoted(operand.flags));
            case '&':
                if (!operand.is(Category::kVariable) && !operand.is(Category::kPointer) && !operand.is(Category::kArray))
                    fail(EvalCode::kNotCompatible);
                return as_address(operand);
            default: return dereference(operand);
        }
    }

    FormularValue as_address(FormularValue value) const {
        value.category = Category::kAddress;
        return value;
    }

    FormularValue dereference(const FormularValue& operand) {
        if (!addressable(operand)) fail(EvalCode::kNotCompatible);
        if (operand.type.kind == TypeKind::kStruct || operand.type.kind == TypeKind::kUnion)
            fail(EvalCode::kUnmatchingSubvariable);
        if (operand.is(Category::kPointer)) return f_.place(f_.read_word(operand.value), f_.next_type(operand.type));
        if (operand.is(Category::kArray)) return f_.place(operand.value, f_.next_type(operand.type));
        return f_.place(operand.value, operand.type);
    }

    FormularValue postfix(FormularValue value, bool eval) {
        for (;;) {
            skip_blanks();
            const bool dot = take(".");
            const bool arrow = !dot && take("->");
            if (dot || arrow) {
                const std::string member = identifier();
                if (member.empty()) fail(EvalCode::kMissSubvariable);
                if (eval) value = select_member(value, member, arrow);
            } else if (take("[")) {
                FormularValue index = assignment(eval);
                if (!take("]")) fail(EvalCode::kNotMatching);
                if (eval) value = subscript(value, index);
            } else if ((peek() == '+' || peek() == '-') && peek(1) == peek()) {
                const bool add = peek() == '+';
                pos_ += 2;
                if (eval) value = post_step(value, add);
            } else {
                return value;
            }
        }
    }

    // x++ yields the old value and leaves the new one in memory.
    FormularValue post_step(const FormularValue& target, bool add) {
        FormularValue old = target;
        if (target.is(Category::kPointer)) {
            old = f_.place(f_.read_word(target.value), f_.next_type(target.type));
            old.category = Category::kAddress;
        } else if (target.is(Category::kVariable)) {
            old = target.is_float() ? float_constant(real(target))
                                    : constant(static_cast<std::uint32_t>(integer(target)), target.flags);
        }
        add_or_sub_one(target, add);
        return old;
    }

    FormularValue select_member(const FormularValue& value, const std::string& member, bool arrow) {
        CTypeRecord structure = value.type;
        std::uint32_t base = value.value;
        if (arrow) {
            if (!value.is(Category::kPointer)) fail(EvalCode::kUncompatibleStyle);
            structure = f_.next_type(value.type);
            base = f_.read_word(value.value);
        } else if (!value.is(Category::kVariable)) {
            fail(EvalCode::kUncompatibleStyle);
        }
        if (structure.kind != TypeKind::kStruct && structure.kind != TypeKind::kUnion)
            fail(EvalCode::kUncompatibleStyle);
        auto head = f_.struct_row(structure.extra);
        if (!head) fail(EvalCode::kBrokenType);
        for (std::uint32_t m = 1; m <= head->count_or_type; ++m) {
            auto row = f_.struct_row(structure.extra + m);
            if (!row) break;
            if (f_.member_name(*row) == member)
                return f_.place(base + (row->size_or_offset & 0xFFFF), f_.type_row(row->count_or_type));
        }
        fail(EvalCode::kMissSubvariable);
    }

    FormularValue subscript(const FormularValue& value, const FormularValue& index) {
        if (value.is(Category::kVariable)) fail(EvalCode::kBrokenType);
        if (!addressable(value)) fail(EvalCode::kBadOperator);
        if (value.type.kind == TypeKind::kStruct || value.type.kind == TypeKind::kUnion)
            fail(EvalCode::kUnmatchingSubvariable);
        CTypeRecord element = value.type;
        std::uint32_t base = value.address();
        if (value.is(Category::kPointer)) {
            element = f_.next_type(value.type);
            base = f_.read_word(value.value);
        } else if (value.is(Category::kArray)) {
            element = f_.next_type(value.type);
        }
        const std::int64_t at = base + integer(index) * std::int64_t{f_.size_of(element)};
        return f_.place(static_cast<std::uint32_t>(at), element);
    }

    FormularValue size_of_operand(bool eval) {
        if (!take("(")) fail(EvalCode::kMissLeftBracket);
        const FormularValue operand = unary(eval);
        if (!take(")")) fail(EvalCode::kNotMatching);
        std::uint32_t size = 0;
        if (operand.has_type && !operand.is(Category::kAddress)) size = f_.size_of(operand.type);
        else if (operand.is(Category::kAddress)) size = 2;
        else size = flags_width(operand.flags);
        return constant(size, TypeFlag::kUnsigned | TypeFlag::kInt);
    }

    // '(' begins a cast when a type keyword or a structure tag follows.
    FormularValue parenthesis(bool eval) {
        ++pos_;
        const std::size_t after = pos_;
        if (auto type = cast_type()) {
            if (!take(")")) fail(EvalCode::kNotMatching);
            FormularValue operand = unary(eval);
            return eval ? convert(operand, *type) : operand;
        }
        pos_ = after;
        FormularValue inner = assignment(eval);
        if (!take(")")) fail(EvalCode::kNotMatching);
        return inner;
    }

    struct CastType {
        CTypeRecord record;
        std::uint16_t flags;  // scalar casts only
        bool scalar;
    };

    std::optional<CastType> cast_type() {
        static constexpr std::pair<std::string_view, std::uint16_t> kKeywords[] = {
            {"char", TypeFlag::kChar},   {"short", TypeFlag::kInt},     {"int", TypeFlag::kInt},
            {"long", TypeFlag::kInt},    {"float", TypeFlag::kFloat},   {"double", TypeFlag::kDouble},
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

    FormularValue convert(const FormularValue& operand, const CastType& type) {
        const bool scalar_variable = operand.is(Category::kVariable) &&
                                     !(operand.flags & (TypeFlag::kStruct | TypeFlag::kUnion));
        if (!operand.is(Category::kConstant) && !scalar_variable) fail(EvalCode::kNotCompatible);
        if (!type.scalar) {
            if (operand.is_float()) fail(EvalCode::kNotCompatible);
            return f_.place(static_cast<std::uint32_t>(integer(operand)), type.record);
        }
        FormularValue out;
        if (type.flags & (TypeFlag::kFloat | TypeFlag::kDouble)) {
            out = float_constant(real(operand));
        } else {
            const std::int64_t value =
                operand.is_float() ? static_cast<std::int64_t>(std::trunc(real(operand))) : integer(operand);
            const std::uint32_t width = flags_width(type.flags);
            const std::uint32_t mask = width >= 4 ? 0xFFFFFFFF : (1u << (8 * width)) - 1;
            out = constant(static_cast<std::uint32_t>(value) & mask, type.flags);
        }
        out.type = type.record;
        out.has_type = true;
        out.flags = type.flags;
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
        return constant(integer_value, TypeFlag::kUnsigned | (integer_value <= 0xFFFF ? TypeFlag::kInt : TypeFlag::kLong));
    }

    CFormular& f_;
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
