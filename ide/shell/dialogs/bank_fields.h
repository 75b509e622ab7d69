#pragma once
// The rules of the bank pages' fields, apart from any window: what the user
// typed, read strictly, and the layout it describes when it describes one.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "ide/workspace/bank_param.h"

namespace ide {

// A 16-bit field: "0x" hexadecimal or decimal, blanks around it allowed;
// nothing when empty, not a number or above 0xFFFF.
std::optional<std::uint32_t> ReadBankField(std::string_view text);

// "0x%X" or "%d".
std::string FormatBankField(std::uint32_t value, bool hex);

// The fields the user types on a bank page.
struct BankFieldTexts {
    std::string name, number, data_address, data_size, stack_size;
};

enum class BankFieldFault {
    none,
    empty_name,
    empty_field,      // data address, data size or stack size left empty
    bad_number,       // a field that is not a 16-bit number
    bank_number,      // outside 0-26
    code_past_limit,  // data, stack and code would run past 0xC000 (or wrap)
};

struct BankFieldCheck {
    BankFieldFault fault = BankFieldFault::none;
    BankLayout layout;  // meaningful when fault is none
    bool ok() const { return fault == BankFieldFault::none; }
};

// With auto link only the name and the number count: the addresses are fixed.
BankFieldCheck CheckBankFields(const BankFieldTexts& texts, bool auto_link);

// The settings page keeps data clear of the bank's header: a data address
// below it becomes the first usable one once the user leaves the field.
std::string CorrectedDataAddress(std::string_view typed, bool hex);

}  // namespace ide
