// The evaluator: values, flags, errors and relocation, as a table of cases.
#include "assembler/expression.h"

#include <gtest/gtest.h>

#include "assembler/tests/asm_fixture.h"

namespace {

using dravlin::evaluate;
using dravlin::ExprResult;

class AsmExpression : public ::testing::Test {
protected:
    void SetUp() override { dravlin_test::fill_context(context); }
    dravlin::AsmContext context;
};

struct ValueCase {
    const char* text;
    int32_t value;
    bool constant;
};

TEST_F(AsmExpression, ConstantValues) {
    const ValueCase cases[] = {
        {"3+4*2", 11, true},      {"(3+4)*2", 14, true},     {"1|2&3", 3, true},
        {"5>3", 1, true},         {"3>5", 0, true},          {"2=2", 1, true},
        {"-1<0", 1, true},        {"6^3", 5, true},          {"<1234H", 0x34, true},
        {">1234H", 0x12, true},   {"17O", 15, true},         {"17o", 15, true},
        {"0FFH", 255, true},      {"0ffh", 255, true},       {"$1F", 31, true},
        {"'A'+1", 66, true},      {"10-4-3", 3, true},       {"100/7", 14, true},
        {"100%7", 2, true},       {"-7/2", -3, true},        {"!0", 1, true},
        {"!5", 0, true},          {"--5", 5, true},          {"-!0", -1, true},
        {"!-0", -1, true},        {"!-5", 0, true},          {" ( 1 + 2 ) * 3 ", 9, true},
        {"1\t+\t2", 3, true},     {"K*2", 10, true},         {"v+1", 8, true},
        {"4294967295", -1, true}, {"0FFFFFFFFH+1", 0, true}, {"-2147483648/-1", INT32_MIN, true},
        {"#5", 5, true},          {"1+<1234H", 0x35, true},
    };
    for (const ValueCase& c : cases) {
        ExprResult result = evaluate(context, c.text);
        EXPECT_EQ(result.error, 0) << c.text;
        EXPECT_EQ(result.value, c.value) << c.text;
        EXPECT_EQ(result.constant, c.constant) << c.text;
        EXPECT_FALSE(result.relocation.relocatable) << c.text;
    }
}

TEST_F(AsmExpression, ImmediateMarkAnywhere) {
    EXPECT_TRUE(evaluate(context, "#5").immediate);
    EXPECT_TRUE(evaluate(context, "1+#5").immediate);
    EXPECT_FALSE(evaluate(context, "1+5").immediate);
}

struct ErrorCase {
    const char* text;
    int error;
};

TEST_F(AsmExpression, Errors) {
    const ErrorCase cases[] = {
        // Two binary operators in a row, a missing operand, leftovers.
        {"5*+3", 3001},
        {"5+*3", 3001},
        {"5+", 3001},
        {"", 3001},
        {"  ", 3001},
        {"1 2", 3001},
        {"(1)2", 3001},
        {"5(1)", 3001},
        {"(1 2)", 3001},
        {"1;", 3001},
        // Numbers: letters after decimal digits, bad octal, names after numbers, overflow.
        {"12AB", 3002},
        {"1010B", 3002},
        {"18O", 3002},
        {"4294967296", 3002},
        {"123456789H", 3002},
        {"12Q", 3003},
        {"0FFHX", 3003},
        {"$1G", 3003},
        // Characters.
        {"'AB'", 3001},
        {"''", 3001},
        {"'A", 3001},
        {"'A'5", 3002},
        {"'A''B'", 3002},
        // Location counter without "+" or "-".
        {"$", 3001},
        {"$ *2", 3001},
        // Names.
        {"nothing", 3005},
        {"pt", 3004},
        {"pt.", 3004},
        {"pt.z", 3005},
        {"start.x", 3004},
        {"point", 3001},
        {"sect", 3001},
        {"mac", 3001},
        {".foo", 3001},
        {".BANKNUM", 3001},
        {"K.x", 3004},
        // Parentheses.
        {"(1", 3006},
        {"1)", 3006},
        {"((1)", 3006},
        // Division by zero.
        {"10/0", 3009},
        {"10%0", 3009},
        // Byte selectors: one per expression and nothing after it.
        {"<>1234H", 3007},
        {"<start+1", 3007},
        {"<1234H+1", 3007},
        {"(<start)+1", 3007},
        {"1+<start", 3007},
        {"<.BANKNUM start", 3007},
        // Arithmetic on addresses.
        {"start*2", 3007},
        {"start/2", 3007},
        {"start|1", 3007},
        {"start&0FFH", 3007},
        {"start+later", 3007},
        {"start>later", 3007},
        {"!start", 3007},
        {"-start", 3007},
        {"2*start", 3001},
        {"2/start", 3001},
        {"2%start", 3001},
        {"2-start", 3001},
        {"2&start", 3007},
        {"start-far", 3007},
        {"start-ext", 3007},
        {".BANKNUM K", 3007},
    };
    for (const ErrorCase& c : cases) {
        ExprResult result = evaluate(context, c.text);
        EXPECT_EQ(result.error, c.error) << '"' << c.text << '"';
        EXPECT_EQ(result.value, 0) << c.text;
    }
}

TEST_F(AsmExpression, MissingNameIsReportedAsWritten) {
    EXPECT_EQ(evaluate(context, "1+nothing").missing_name, "nothing");
    EXPECT_EQ(evaluate(context, "pt.inner.zz").missing_name, "pt.inner.zz");
}

struct RelocationCase {
    const char* text;
    int32_t value;
    uint8_t type;
    const char* symbol;
    int32_t addend;
    bool external;
};

TEST_F(AsmExpression, Relocation) {
    const RelocationCase cases[] = {
        {"start", 0x10, 1, "start", 0, false},
        {"start+2", 0x12, 1, "start", 2, false},
        {"start-2", 0x0E, 1, "start", -2, false},
        {"2+start", 0x12, 1, "start", 2, false},
        {">later", 0x12, 2, "later", 0, false},
        {"<later", 0x34, 3, "later", 0, false},
        {"<(later+1)", 0x35, 3, "later", 1, false},
        {">(later+100H)", 0x13, 2, "later", 0x100, false},
        {".BANKNUM start", 0x10, 4, "start", 0, false},
        {".banknum  far", 0x20, 4, "far", 0, false},
        {"$+3", 0x43, 5, "code", 0x43, false},
        {"$ - 2", 0x3E, 5, "code", 0x3E, false},
        {">($+3)", 0x00, 6, "code", 0x43, false},
        {"<($+3)", 0x43, 7, "code", 0x43, false},
        {"pt.y", 0x51, 1, "pt", 1, false},
        {"pt.inner.hi", 0x54, 1, "pt", 4, false},
        {"count", 0x30, 1, "count", 0, false},
        {"ext+1", 1, 1, "ext", 1, true},
        {"far", 0x20, 1, "far", 0, false},
        {"code", 0, 1, "code", 0, false},
    };
    for (const RelocationCase& c : cases) {
        ExprResult result = evaluate(context, c.text);
        ASSERT_EQ(result.error, 0) << c.text;
        EXPECT_EQ(result.value, c.value) << c.text;
        EXPECT_FALSE(result.constant) << c.text;
        EXPECT_TRUE(result.relocation.relocatable) << c.text;
        EXPECT_EQ(result.relocation.type, c.type) << c.text;
        EXPECT_EQ(result.relocation.symbol, context.symbols.index_of(c.symbol)) << c.text;
        EXPECT_EQ(result.relocation.addend, c.addend) << c.text;
        EXPECT_EQ(result.relocation.external, c.external) << c.text;
    }
}

TEST_F(AsmExpression, DistanceWithinOneSegmentIsAPlainNumber) {
    for (const char* text : {"later-start", "(later-start)/2", "$-start", "later-start+K"}) {
        ExprResult result = evaluate(context, text);
        EXPECT_EQ(result.error, 0) << text;
        EXPECT_FALSE(result.constant) << text;
        EXPECT_FALSE(result.relocation.relocatable) << text;
    }
    EXPECT_EQ(evaluate(context, "later-start").value, 0x1224);
    EXPECT_EQ(evaluate(context, "$-start").value, 0x30);
}

TEST_F(AsmExpression, DistanceToALabelWithoutAPlaceYetIsDecidedLater) {
    // Pass 1 meets labels that pass 1 has not placed yet; pass 2 decides.
    context.symbols.insert("ahead", dravlin::SymbolKind::Label, 0, {});
    ExprResult result = evaluate(context, "ahead-far");
    EXPECT_EQ(result.error, 0);
    EXPECT_FALSE(result.relocation.relocatable);
}

TEST_F(AsmExpression, NestingIsBounded) {
    std::string deep(100, '(');
    deep += "1" + std::string(100, ')');
    EXPECT_EQ(evaluate(context, deep).value, 1);
    std::string too_deep(1000, '(');
    too_deep += "1" + std::string(1000, ')');
    EXPECT_EQ(evaluate(context, too_deep).error, 3001);
}

}  // namespace
