#pragma once
// The evaluator's value: a constant, or a place in target memory with the
// type it holds there, and the codes with which an evaluation fails.
#include <cstdint>
#include <stdexcept>
#include <string_view>

#include "ide/debugger/csy_file.h"

namespace ide {

namespace TypeFlag {
inline constexpr std::uint16_t kChar = 1;
inline constexpr std::uint16_t kInt = 2;
inline constexpr std::uint16_t kLong = 4;
inline constexpr std::uint16_t kFloat = 8;
inline constexpr std::uint16_t kDouble = 16;
inline constexpr std::uint16_t kUnion = 128;
inline constexpr std::uint16_t kStruct = 256;
inline constexpr std::uint16_t kArray = 512;
inline constexpr std::uint16_t kPointer = 1024;
inline constexpr std::uint16_t kComputed = 0x4000;
inline constexpr std::uint16_t kUnsigned = 0x8000;
}  // namespace TypeFlag

namespace Category {
inline constexpr std::uint16_t kConstant = 1;
inline constexpr std::uint16_t kVariable = 2;
inline constexpr std::uint16_t kAddress = 4;
inline constexpr std::uint16_t kPointer = 8;
inline constexpr std::uint16_t kArray = 16;
}  // namespace Category

namespace StorageFlag {
inline constexpr std::uint32_t kExternal = 1;
inline constexpr std::uint32_t kFileScope = 2;
inline constexpr std::uint32_t kParameter = 4;
inline constexpr std::uint32_t kLocal = 8;
}  // namespace StorageFlag

// Type kinds of the symbol file.
namespace TypeKind {
inline constexpr std::uint32_t kFloat = 1, kFloat2 = 2, kChar = 3, kInt = 4, kInt2 = 5, kUnsignedInt = 6, kPointer = 7,
                               kStruct = 9, kUnion = 10, kArray = 12, kLong = 13, kUnsignedLong = 14;
}

struct FormularValue {
    std::uint32_t value = 0;  // a constant's value, or the target address in the low 16 bits
    std::uint32_t storage = 0;
    CTypeRecord type;
    bool has_type = false;
    std::uint16_t flags = 0;
    std::uint16_t category = 0;

    bool is(std::uint16_t wanted) const { return category == wanted; }
    bool is_float() const { return flags & (TypeFlag::kFloat | TypeFlag::kDouble); }
    std::uint16_t address() const { return static_cast<std::uint16_t>(value); }
};

// Evaluation failures; the codes are also string-table ids.
namespace EvalCode {
inline constexpr int kBufferRange = 0xF009;
inline constexpr int kValueNotRight = 0xF011;
inline constexpr int kCannotDisplay = 0xF012;
inline constexpr int kNotCompatible = 0xF013;
inline constexpr int kBadOperator = 0xF014;
inline constexpr int kDividedByZero = 0xF015;
inline constexpr int kUnknownIdentifier = 0xF017;
inline constexpr int kMissLeftBracket = 0xF018;
inline constexpr int kNotMatching = 0xF019;
inline constexpr int kUncompatibleStyle = 0xF01A;
inline constexpr int kNameTooLong = 0xF01C;
inline constexpr int kUnmatchingSubvariable = 0xF01D;
inline constexpr int kBrokenType = 0xF01E;
inline constexpr int kMissSubvariable = 0xF01F;
inline constexpr int kWrongNumber = 0xF020;
inline constexpr int kMissType = 0xF021;
inline constexpr int kMissAddress = 0xF023;
inline constexpr int kNotDebugging = 0xF026;
}  // namespace EvalCode

struct EvalError : std::runtime_error {
    explicit EvalError(int failure) : std::runtime_error("evaluation failed"), code(failure) {}
    int code;
};

// The string-table text of an evaluation code.
std::string_view eval_code_text(int code);

}  // namespace ide
