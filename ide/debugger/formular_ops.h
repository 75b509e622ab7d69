#pragma once
// The evaluator's operations on values: numeric readings, operators,
// assignments, members, indexing and casts, with the type rules of the C
// dialect the debugger understands. Used by the evaluator's parser only.
#include <cstdint>
#include <string>
#include <string_view>

#include "ide/debugger/formular.h"

namespace ide::evaluator {

[[noreturn]] void fail(int code);
std::uint16_t kind_flags(std::uint32_t kind);
// Flags of a type when it is the element of a pointer or an array.
std::uint16_t element_flags(const CTypeRecord& type);
// A cast's scalar flags turned back into a type kind.
std::uint32_t flags_kind(std::uint16_t flags);
std::uint32_t flags_width(std::uint16_t flags);
FormularValue constant(std::uint32_t value, std::uint16_t flags);
FormularValue float_constant(double value);
// A real number truncated toward zero; beyond 64 bits it is held at the
// nearest end and NaN gives 0, so no conversion is undefined.
std::int64_t truncated(double value);
// A constant's integer as its flags read it: char and int sign-extended
// unless unsigned.
std::int64_t widen(std::uint32_t value, std::uint16_t flags);

struct CastType {
    CTypeRecord record;
    std::uint16_t flags;  // scalar casts only
    bool scalar;
};

class Ops {
public:
    explicit Ops(CFormular& formular) : f_(formular) {}

    // The value of an operand as an operator reads it: a constant's own
    // value, a variable's value in memory, an address, a pointer's content.
    std::int64_t integer(const FormularValue& v) const;
    double real(const FormularValue& v) const;
    bool truth(const FormularValue& v) const;
    static bool numeric(const FormularValue& v);
    static bool addressable(const FormularValue& v);

    // A binary operator of the levels below the assignment.
    FormularValue combine(const FormularValue& left, std::string_view op, const FormularValue& right);
    // `op` is the operator before '=' ("" for a plain assignment).
    FormularValue assign(const FormularValue& left, std::string_view op, const FormularValue& right);
    FormularValue apply_unary(char op, const FormularValue& operand);
    void add_or_sub_one(const FormularValue& target, bool add);
    FormularValue post_step(const FormularValue& target, bool add);
    FormularValue dereference(const FormularValue& operand);
    FormularValue select_member(const FormularValue& value, const std::string& member, bool arrow);
    FormularValue subscript(const FormularValue& value, const FormularValue& index);
    FormularValue convert(const FormularValue& operand, const CastType& type);

private:
    static std::uint16_t integer_flags(const FormularValue& left, const FormularValue& right, std::int64_t result);
    static std::uint16_t promoted(std::uint16_t flags);
    FormularValue compare(const FormularValue& left, std::string_view op, const FormularValue& right);
    FormularValue move_address(const FormularValue& base, std::int64_t count, std::string_view op);
    FormularValue arithmetic(const FormularValue& left, std::string_view op, const FormularValue& right);
    FormularValue integer_only(const FormularValue& left, std::string_view op, const FormularValue& right);
    FormularValue as_address(FormularValue value) const;

    CFormular& f_;
};

}  // namespace ide::evaluator
