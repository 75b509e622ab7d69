#include "ide/workspace/bank_param.h"

#include <gtest/gtest.h>

#include "ide/workspace/workspace_manager.h"

namespace ide {
namespace {

TEST(IdeBankParam, LayoutArithmeticAndBothNotations) {
    BankLayout layout;
    layout.number = 3;
    layout.data_address = 0x4000;
    layout.data_size = 0x1000;
    layout.stack_size = 0x400;
    EXPECT_EQ(layout.stack_address(), 0x5000u);
    EXPECT_EQ(layout.code_address(), 0x5400u);
    EXPECT_EQ(layout.code_size(), 0x6C00u);
    EXPECT_EQ(ComposeBankParam(layout, true, false), " -CB 0x5400 -DB 0x4000 -CL 0x6C00 -DL 0x1000 -BN 0x3");
    EXPECT_EQ(ComposeBankParam(layout, false, false), " -CB 21504 -DB 16384 -CL 27648 -DL 4096 -BN 3");
    EXPECT_EQ(ComposeBankParam(layout, true, true), " -CB 0x4040 -DB 0x0 -CL 0x8000 -DL 0x8000 -BN 0x3");
}

TEST(IdeBankParam, ParsingGivesTheFiveFieldsAndTheLayoutBack) {
    const BankParamText text = ParseBankParam(" -CB 0x5400 -DB 0x4000 -CL 0x6C00 -DL 0x1000 -BN 0x3");
    EXPECT_EQ(text.code_base, "0x5400");
    EXPECT_EQ(text.data_base, "0x4000");
    EXPECT_EQ(text.code_length, "0x6C00");
    EXPECT_EQ(text.data_length, "0x1000");
    EXPECT_EQ(text.bank_number, "0x3");

    const BankParamValues decimal = BankParamNumbers(" -CB 21504 -DB 16384 -CL 27648 -DL 4096 -BN 3");
    EXPECT_EQ(decimal.key(), 0x35400u);

    const BankLayout layout = LayoutOfBankParam(" -CB 0x5400 -DB 0x4000 -CL 0x6C00 -DL 0x1000 -BN 0x3");
    EXPECT_EQ(layout.stack_size, 0x400u);
    EXPECT_EQ(ComposeBankParam(layout, true, false), " -CB 0x5400 -DB 0x4000 -CL 0x6C00 -DL 0x1000 -BN 0x3");

    const BankParamText empty = ParseBankParam("");
    EXPECT_TRUE(empty.code_base.empty() && empty.data_base.empty() && empty.bank_number.empty());
    EXPECT_EQ(BankParamNumbers("-CB 0x99999 -BN 0x1").code_base, 0x9999u);  // each field bounded to 16 bits
}

TEST(IdeBankParam, PageRules) {
    EXPECT_TRUE(IsValidBankNumber(0));
    EXPECT_TRUE(IsValidBankNumber(26));
    EXPECT_FALSE(IsValidBankNumber(27));  // an image has 27 banks
    EXPECT_FALSE(IsValidBankNumber(28));
    EXPECT_EQ(SettingsDataAddress(0x100), 0x4040u);
    EXPECT_EQ(SettingsDataAddress(0x4040), 0x4040u);
    EXPECT_EQ(SettingsDataAddress(0x5000), 0x5000u);

    // Editing bank 0 into the key of bank 2 clashes; a bank keeps its own key.
    const std::vector<BankRecord> table = {{0x15400, "A", "", 0}, {0x24040, "B", "", 0}, {0x35400, "C", "", 0}};
    EXPECT_EQ(FindBankKeyClash(table, 0, 0x35400), 2);
    EXPECT_EQ(FindBankKeyClash(table, 0, 0x15400), -1);
    EXPECT_EQ(FindBankKeyClash(table, 1, 0x45400), -1);
}

}  // namespace
}  // namespace ide
