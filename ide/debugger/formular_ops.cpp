#include "ide/debugger/formular_ops.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>

namespace ide::evaluator {

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

std::uint16_t element_flags(const CTypeRecord& type) {
    if (type.kind == TypeKind::kPointer) return TypeFlag::kPointer;
    if (type.kind == TypeKind::kArray) return TypeFlag::kArray;
    return kind_flags(type.kind);
}

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

std::int64_t truncated(double value) {
    if (std::isnan(value)) return 0;
    if (value >= 0x1p63) return INT64_MAX;
    if (value <= -0x1p63) return INT64_MIN;
    return static_cast<std::int64_t>(value);
}

std::int64_t widen(std::uint32_t value, std::uint16_t flags) {
    const bool is_unsigned = flags & TypeFlag::kUnsigned;
    if (flags & TypeFlag::kLong)
        return is_unsigned ? std::int64_t{value} : std::int64_t{static_cast<std::int32_t>(value)};
    if (flags & TypeFlag::kInt)
        return is_unsigned ? std::int64_t{value & 0xFFFF} : std::int64_t{static_cast<std::int16_t>(value)};
    if (flags & TypeFlag::kChar)
        return is_unsigned ? std::int64_t{value & 0xFF} : std::int64_t{static_cast<std::int8_t>(value)};
    return value;
}

// ---- numeric readings of a value
std::int64_t Ops::integer(const FormularValue& v) const {
    switch (v.category) {
        case Category::kConstant:
            if (v.flags & (TypeFlag::kStruct | TypeFlag::kUnion)) fail(EvalCode::kNotCompatible);
            if (v.is_float()) return truncated(std::bit_cast<float>(v.value));
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

double Ops::real(const FormularValue& v) const {
    if (v.category == Category::kConstant && v.is_float()) return std::bit_cast<float>(v.value);
    if (v.category == Category::kVariable && v.is_float()) return std::bit_cast<float>(f_.read_dword(v.value));
    return static_cast<double>(integer(v));
}

bool Ops::truth(const FormularValue& v) const { return v.is_float() ? real(v) != 0 : integer(v) != 0; }

bool Ops::numeric(const FormularValue& v) { return v.is(Category::kConstant) || v.is(Category::kVariable); }

bool Ops::addressable(const FormularValue& v) {
    return v.is(Category::kAddress) || v.is(Category::kPointer) || v.is(Category::kArray);
}

// Type flags of an integer result.
std::uint16_t Ops::integer_flags(const FormularValue& left, const FormularValue& right, std::int64_t result) {
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
std::uint16_t Ops::promoted(std::uint16_t flags) {
    if ((flags & ~(TypeFlag::kUnsigned | TypeFlag::kComputed)) != TypeFlag::kChar) return flags;
    return static_cast<std::uint16_t>((flags & ~TypeFlag::kChar) | TypeFlag::kInt);
}

FormularValue Ops::combine(const FormularValue& left, std::string_view op, const FormularValue& right) {
    if (op == "||" || op == "&&" || op == "==" || op == "!=" || op == "<" || op == "<=" || op == ">" || op == ">=")
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

FormularValue Ops::compare(const FormularValue& left, std::string_view op, const FormularValue& right) {
    const double a = real(left), b = real(right);
    bool r = false;
    if (op == "||")
        r = a != 0 || b != 0;
    else if (op == "&&")
        r = a != 0 && b != 0;
    else if (op == "==")
        r = a == b;
    else if (op == "!=")
        r = a != b;
    else if (op == "<")
        r = a < b;
    else if (op == "<=")
        r = a <= b;
    else if (op == ">")
        r = a > b;
    else
        r = a >= b;
    return constant(r ? 1 : 0, TypeFlag::kUnsigned | TypeFlag::kInt);
}

// Address arithmetic moves by whole elements of what the value refers to.
FormularValue Ops::move_address(const FormularValue& base, std::int64_t count, std::string_view op) {
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

FormularValue Ops::arithmetic(const FormularValue& left, std::string_view op, const FormularValue& right) {
    if (left.is_float() || right.is_float()) {
        const double a = real(left), b = real(right);
        if (op == "/" && b == 0) fail(EvalCode::kCannotDisplay);
        const double r = op == "+" ? a + b : op == "-" ? a - b : op == "*" ? a * b : a / b;
        return float_constant(r);
    }
    const auto a = static_cast<std::int32_t>(integer(left)), b = static_cast<std::int32_t>(integer(right));
    if (op == "/" && b == 0) fail(EvalCode::kCannotDisplay);
    std::int64_t r = 0;
    if (op == "+")
        r = std::int64_t{a} + b;
    else if (op == "-")
        r = std::int64_t{a} - b;
    else if (op == "*")
        r = std::int64_t{a} * b;
    else
        r = (a == INT32_MIN && b == -1) ? a : a / b;
    const auto result = static_cast<std::uint32_t>(r);
    return constant(result, integer_flags(left, right, result));
}

FormularValue Ops::integer_only(const FormularValue& left, std::string_view op, const FormularValue& right) {
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

FormularValue Ops::assign(const FormularValue& left, std::string_view op, const FormularValue& right) {
    if (!left.is(Category::kVariable) && !left.is(Category::kPointer)) fail(EvalCode::kBadOperator);
    if (left.flags & (TypeFlag::kStruct | TypeFlag::kUnion)) fail(EvalCode::kUncompatibleStyle);
    if (left.is(Category::kVariable) && left.is_float()) {
        const double b = real(right);
        const double a = op.empty() ? 0 : real(left);
        double r = b;
        if (op == "+")
            r = a + b;
        else if (op == "-")
            r = a - b;
        else if (op == "*")
            r = a * b;
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
    // 32-bit integers: a negative or large right side keeps its low 32 bits.
    const auto b = static_cast<std::int32_t>(right.is_float() ? truncated(real(right)) : integer(right));
    const auto a = static_cast<std::int32_t>(op.empty() ? 0 : integer(left));
    const bool pointer = left.is(Category::kPointer);
    const std::int32_t step =
        pointer && (op == "+" || op == "-") ? std::max<std::uint32_t>(f_.size_of(f_.next_type(left.type)), 1) : 1;
    std::int64_t r = b;
    if (op == "+")
        r = std::int64_t{a} + std::int64_t{b} * step;
    else if (op == "-")
        r = std::int64_t{a} - std::int64_t{b} * step;
    else if (op == "*")
        r = std::int64_t{a} * b;
    else if (op == "/" || op == "%") {
        if (b == 0) fail(EvalCode::kDividedByZero);
        if (a == INT32_MIN && b == -1)
            r = op == "/" ? a : 0;
        else
            r = op == "/" ? a / b : a % b;
    } else if (op == "<<")
        r = static_cast<std::uint32_t>(a) << (b & 31);
    else if (op == ">>")
        r = (left.flags & TypeFlag::kUnsigned) ? static_cast<std::uint32_t>(a) >> (b & 31) : a >> (b & 31);
    else if (op == "&")
        r = a & b;
    else if (op == "^")
        r = a ^ b;
    else if (op == "|")
        r = a | b;
    const auto result = static_cast<std::uint32_t>(r);
    if (pointer) {
        f_.write(left.value, result & 0xFFFF, 2);
        return constant(result & 0xFFFF, TypeFlag::kUnsigned | TypeFlag::kInt);
    }
    f_.write(left.value, result, flags_width(left.flags));
    return constant(result, left.flags);
}

// ++ and --: a scalar or pointer variable in memory moves by one step.
void Ops::add_or_sub_one(const FormularValue& target, bool add) {
    if (target.is(Category::kPointer)) {
        const std::uint32_t step = std::max<std::uint32_t>(f_.size_of(f_.next_type(target.type)), 1);
        const std::uint16_t content = f_.read_word(target.value);
        f_.write(target.value, static_cast<std::uint16_t>(add ? content + step : content - step), 2);
        return;
    }
    if (!target.is(Category::kVariable) || !(target.flags & (7 | TypeFlag::kFloat))) fail(EvalCode::kBadOperator);
    if (target.is_float()) {
        const double value = real(target) + (add ? 1 : -1);
        f_.write(target.value, float_constant(value).value, 4);
        return;
    }
    const std::int64_t value = integer(target) + (add ? 1 : -1);
    f_.write(target.value, static_cast<std::uint32_t>(value), flags_width(target.flags));
}

FormularValue Ops::apply_unary(char op, const FormularValue& operand) {
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

FormularValue Ops::as_address(FormularValue value) const {
    value.category = Category::kAddress;
    return value;
}

FormularValue Ops::dereference(const FormularValue& operand) {
    if (!addressable(operand)) fail(EvalCode::kNotCompatible);
    if (operand.type.kind == TypeKind::kStruct || operand.type.kind == TypeKind::kUnion)
        fail(EvalCode::kUnmatchingSubvariable);
    if (operand.is(Category::kPointer)) return f_.place(f_.read_word(operand.value), f_.next_type(operand.type));
    if (operand.is(Category::kArray)) return f_.place(operand.value, f_.next_type(operand.type));
    return f_.place(operand.value, operand.type);
}

// x++ yields the old value and leaves the new one in memory.
FormularValue Ops::post_step(const FormularValue& target, bool add) {
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

FormularValue Ops::select_member(const FormularValue& value, const std::string& member, bool arrow) {
    CTypeRecord structure = value.type;
    std::uint32_t base = value.value;
    if (arrow) {
        if (!value.is(Category::kPointer)) fail(EvalCode::kUncompatibleStyle);
        structure = f_.next_type(value.type);
        base = f_.read_word(value.value);
    } else if (!value.is(Category::kVariable)) {
        fail(EvalCode::kUncompatibleStyle);
    }
    if (structure.kind != TypeKind::kStruct && structure.kind != TypeKind::kUnion) fail(EvalCode::kUncompatibleStyle);
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

FormularValue Ops::subscript(const FormularValue& value, const FormularValue& index) {
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

FormularValue Ops::convert(const FormularValue& operand, const CastType& type) {
    const bool scalar_variable =
        operand.is(Category::kVariable) && !(operand.flags & (TypeFlag::kStruct | TypeFlag::kUnion));
    if (!operand.is(Category::kConstant) && !scalar_variable) fail(EvalCode::kNotCompatible);
    if (!type.scalar) {
        if (operand.is_float()) fail(EvalCode::kNotCompatible);
        return f_.place(static_cast<std::uint32_t>(integer(operand)), type.record);
    }
    FormularValue out;
    if (type.flags & (TypeFlag::kFloat | TypeFlag::kDouble)) {
        out = float_constant(real(operand));
    } else {
        const std::int64_t value = operand.is_float() ? truncated(real(operand)) : integer(operand);
        const std::uint32_t width = flags_width(type.flags);
        const std::uint32_t mask = width >= 4 ? 0xFFFFFFFF : (1u << (8 * width)) - 1;
        out = constant(static_cast<std::uint32_t>(value) & mask, type.flags);
    }
    out.type = type.record;
    out.has_type = true;
    out.flags = type.flags;
    return out;
}

}  // namespace ide::evaluator
