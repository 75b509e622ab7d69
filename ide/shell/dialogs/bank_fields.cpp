#include "ide/shell/dialogs/bank_fields.h"

#include <cstdio>

#include "ide/workspace/text_utils.h"

namespace ide {

namespace {

constexpr std::uint32_t kFieldLimit = 0xFFFF;
constexpr std::uint32_t kCodeEnd = 0xC000;

}  // namespace

std::optional<std::uint32_t> ReadBankField(std::string_view text) {
    const std::string trimmed = Trim(text);
    std::string_view digits = trimmed;
    const bool hex = digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X');
    if (hex) digits.remove_prefix(2);
    if (digits.empty()) return std::nullopt;
    std::uint32_t value = 0;
    for (char c : digits) {
        std::uint32_t digit = 0;
        if (!HexDigitValue(c, hex, digit)) return std::nullopt;
        value = value * (hex ? 16 : 10) + digit;
        if (value > kFieldLimit) return std::nullopt;
    }
    return value;
}

std::string FormatBankField(std::uint32_t value, bool hex) {
    char text[16];
    std::snprintf(text, sizeof text, hex ? "0x%X" : "%u", value);
    return text;
}

BankFieldCheck CheckBankFields(const BankFieldTexts& texts, bool auto_link) {
    BankFieldCheck check;
    auto fail = [&](BankFieldFault fault) {
        check.fault = fault;
        return check;
    };
    if (Trim(texts.name).empty()) return fail(BankFieldFault::empty_name);
    const auto number = ReadBankField(texts.number);
    if (!number) return fail(BankFieldFault::bad_number);
    if (!IsValidBankNumber(*number)) return fail(BankFieldFault::bank_number);
    check.layout.number = *number;
    if (auto_link) return check;
    const std::string_view fields[] = {texts.data_address, texts.data_size, texts.stack_size};
    std::uint32_t values[3] = {};
    for (int i = 0; i < 3; ++i) {
        if (Trim(fields[i]).empty()) return fail(BankFieldFault::empty_field);
        const auto value = ReadBankField(fields[i]);
        if (!value) return fail(BankFieldFault::bad_number);
        values[i] = *value;
    }
    // Summed wide, so a layout that would wrap the 16-bit addresses is seen.
    if (values[0] + values[1] + values[2] > kCodeEnd) return fail(BankFieldFault::code_past_limit);
    check.layout.data_address = values[0];
    check.layout.data_size = values[1];
    check.layout.stack_size = values[2];
    return check;
}

std::string CorrectedDataAddress(std::string_view typed, bool hex) {
    const auto value = ReadBankField(typed);
    if (!value || *value >= kFirstDataAddress) return std::string(typed);
    return FormatBankField(SettingsDataAddress(*value), hex);
}

}  // namespace ide
