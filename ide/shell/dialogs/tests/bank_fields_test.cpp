// The bank fields: strict 16-bit numbers, the layout they describe, and the
// layouts refused before they reach a project.
#include <gtest/gtest.h>

#include "ide/shell/dialogs/bank_fields.h"

namespace ide {
namespace {

TEST(BankFields, ReadsSixteenBitNumbersStrictly) {
    struct Case {
        const char* text;
        std::optional<std::uint32_t> value;
    } cases[] = {
        {"0x4000", 0x4000},
        {" 16384 ", 16384},
        {"0XfFfF", 0xFFFF},
        {"65535", 65535},
        {"0", 0},
        {"", std::nullopt},  // empty
        {"0x", std::nullopt},
        {"65536", std::nullopt},
        {"0x10000", std::nullopt},  // past 16 bits, not cut short
        {"12a", std::nullopt},
        {"-1", std::nullopt},
        {"0x4 0", std::nullopt},
        {"99999999999999999999", std::nullopt},  // no wrap of the accumulator
    };
    for (const auto& c : cases) EXPECT_EQ(ReadBankField(c.text), c.value) << '"' << c.text << '"';
}

TEST(BankFields, ChecksTheLayoutTyped) {
    struct Case {
        BankFieldTexts texts;
        bool auto_link;
        BankFieldFault fault;
    } cases[] = {
        {{"MAIN", "3", "0x4000", "0x1000", "0x400"}, false, BankFieldFault::none},
        {{"", "3", "0x4000", "0x1000", "0x400"}, false, BankFieldFault::empty_name},
        {{"  ", "3", "0x4000", "0x1000", "0x400"}, false, BankFieldFault::empty_name},
        {{"MAIN", "", "0x4000", "0x1000", "0x400"}, false, BankFieldFault::bad_number},
        {{"MAIN", "26", "0x4000", "0x1000", "0x400"}, false, BankFieldFault::none},
        {{"MAIN", "27", "0x4000", "0x1000", "0x400"}, false, BankFieldFault::bank_number},
        {{"MAIN", "28", "0x4000", "0x1000", "0x400"}, false, BankFieldFault::bank_number},
        {{"MAIN", "3", "", "0x1000", "0x400"}, false, BankFieldFault::empty_field},
        {{"MAIN", "3", "0x4000", "", "0x400"}, false, BankFieldFault::empty_field},
        {{"MAIN", "3", "0x4000", "0x1000", ""}, false, BankFieldFault::empty_field},
        {{"MAIN", "3", "0x4000", "0x1000", "0x4g"}, false, BankFieldFault::bad_number},
        // Code starting exactly at 0xC000 is empty but fits; one byte further does not.
        {{"MAIN", "3", "0x4000", "0x7000", "0x1000"}, false, BankFieldFault::none},
        {{"MAIN", "3", "0x4000", "0x7000", "0x1001"}, false, BankFieldFault::code_past_limit},
        // Fields each within 16 bits whose sum wraps past 0xFFFF.
        {{"MAIN", "3", "0xFFFF", "0xFFFF", "0x2"}, false, BankFieldFault::code_past_limit},
        {{"MAIN", "3", "0x8000", "0x8000", "0x4040"}, false, BankFieldFault::code_past_limit},
        // With auto link the addresses are fixed and not looked at.
        {{"MAIN", "5", "", "", ""}, true, BankFieldFault::none},
        {{"MAIN", "27", "0", "0", "0"}, true, BankFieldFault::bank_number},
    };
    for (const auto& c : cases) {
        const BankFieldCheck check = CheckBankFields(c.texts, c.auto_link);
        EXPECT_EQ(check.fault, c.fault) << c.texts.name << '|' << c.texts.number << '|' << c.texts.data_address << '|'
                                        << c.texts.data_size << '|' << c.texts.stack_size;
    }
}

TEST(BankFields, TheLayoutGivesItsDerivedFieldsAndString) {
    const BankFieldCheck check = CheckBankFields({"MAIN", "3", "0x4000", "0x1000", "0x400"}, false);
    ASSERT_TRUE(check.ok());
    EXPECT_EQ(check.layout.stack_address(), 0x5000u);
    EXPECT_EQ(check.layout.code_address(), 0x5400u);
    EXPECT_EQ(check.layout.code_size(), 0x6C00u);
    EXPECT_EQ(FormatBankField(check.layout.code_size(), true), "0x6C00");
    EXPECT_EQ(FormatBankField(check.layout.code_size(), false), "27648");
}

TEST(BankFields, DataAddressCorrectionKeepsWhatIsNotBelowTheFirstUsable) {
    struct Case {
        const char* typed;
        bool hex;
        const char* shown;
    } cases[] = {
        {"0x100", true, "0x4040"},  {"256", false, "16448"}, {"0", true, "0x4040"}, {"0x4040", true, "0x4040"},
        {"0x8000", true, "0x8000"}, {"", true, ""},  // left alone: the empty field already refuses OK
        {"0x", true, "0x"},         {"zz", true, "zz"},
    };
    for (const auto& c : cases) EXPECT_EQ(CorrectedDataAddress(c.typed, c.hex), c.shown) << c.typed;
}

}  // namespace
}  // namespace ide
