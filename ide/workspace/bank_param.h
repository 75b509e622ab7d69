#pragma once
// A bank's memory layout and its parameter string
// " -CB 0x%X -DB 0x%X -CL 0x%X -DL 0x%X -BN 0x%X", which the project keeps per
// bank and the build hands to the C compiler.
#include <cstdint>
#include <string>
#include <string_view>

namespace ide {

// The banks an image holds are numbered 0 to 26; the pages and the project
// file accept no other number.
inline constexpr std::uint32_t kMaxBankNumber = 26;
inline bool IsValidBankNumber(std::uint32_t number) { return number <= kMaxBankNumber; }

// The settings page moves a data address below the first usable one up to it.
inline constexpr std::uint32_t kFirstDataAddress = 0x4040;
inline std::uint32_t SettingsDataAddress(std::uint32_t typed) {
    return typed < kFirstDataAddress ? kFirstDataAddress : typed;
}

// Every value a 16-bit address or size; the stack lies between data and code,
// and code runs up to 0xC000.
struct BankLayout {
    std::uint32_t number = 0;
    std::uint32_t data_address = 0;
    std::uint32_t data_size = 0;
    std::uint32_t stack_size = 0;

    std::uint32_t stack_address() const { return (data_address + data_size) & 0xFFFF; }
    std::uint32_t code_address() const { return (stack_address() + stack_size) & 0xFFFF; }
    std::uint32_t code_size() const { return (0xC000 - code_address()) & 0xFFFF; }
};

// The string's five fields as text (each empty when missing).
struct BankParamText {
    std::string code_base, data_base, code_length, data_length, bank_number;
};

// The five numbers of a parameter string, each read with the bound 65535.
struct BankParamValues {
    std::uint32_t code_base = 0, data_base = 0, code_length = 0, data_length = 0, bank_number = 0;
    std::uint32_t key() const { return bank_number << 16 | code_base; }
};

// The string of a layout, in hexadecimal or decimal. With auto link the
// addresses and sizes are the fixed ones and only the number is the layout's.
std::string ComposeBankParam(const BankLayout& layout, bool hex, bool auto_link);

BankParamText ParseBankParam(std::string_view param);
BankParamValues BankParamNumbers(std::string_view param);

// The layout a stored string describes: the stack fills the gap between the
// end of the data and the code.
BankLayout LayoutOfBankParam(std::string_view param);

// A bank's key: its number in bits 16-23 and its code base in bits 0-15.
inline std::uint32_t BankKey(std::uint32_t number, std::uint32_t code_base) {
    return number << 16 | (code_base & 0xFFFF);
}
inline std::uint32_t BankNumberOfKey(std::uint32_t key) { return key >> 16 & 0xFF; }
inline std::uint32_t CodeBaseOfKey(std::uint32_t key) { return key & 0xFFFF; }

}  // namespace ide
