#include "ide/workspace/bank_param.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace ide
