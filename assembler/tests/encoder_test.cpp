// Instruction encoding: bytes, sizes, fix-ups and the errors of each group.
#include "assembler/encoder.h"
#include "assembler/symbol_rows.h"

#include <gtest/gtest.h>

#include <vector>

#include "assembler/keyword_tables.h"
#include "assembler/tests/asm_fixture.h"

namespace {

using dravlin::EncodedInstruction;

class AsmEncoder : public ::testing::Test {
protected:
    void SetUp() override { dravlin_test::fill_context(context); }

    // Encodes "MNEMONIC operand" as pass 2 would, at the fixture's location.
    EncodedInstruction encode(const std::string& line, int reserved = 0) {
        size_t blank = line.find(' ');
        std::string mnemonic = line.substr(0, blank);
        std::string operand = blank == std::string::npos ? "" : line.substr(blank + 1);
        int index = dravlin::find_keyword(dravlin::mnemonics(), mnemonic);
        EXPECT_GT(index, 0) << line;
        return dravlin::encode_instruction(context, index, operand, true, reserved);
    }

    std::vector<uint8_t> bytes(const std::string& line) {
        EncodedInstruction encoded = encode(line);
        EXPECT_EQ(encoded.error, 0) << line;
        return {encoded.bytes.begin(), encoded.bytes.begin() + encoded.size};
    }

    dravlin::AsmContext context;
};

struct BytesCase {
    const char* line;
    std::vector<uint8_t> bytes;
};

TEST_F(AsmEncoder, OperandClassesPickTheColumn) {
    const BytesCase cases[] = {
        {"LDA #1", {0xA9, 0x01}},
        {"lda #1", {0xA9, 0x01}},
        {"LDA 10H", {0xA5, 0x10}},
        {"LDA 100H", {0xAD, 0x00, 0x01}},
        {"LDA K", {0xA5, 0x05}},
        {"LDA big", {0xAD, 0x00, 0x03}},
        {"LDA 10H,Y", {0xB9, 0x10, 0x00}},
        {"LDX 10H,Y", {0xB6, 0x10}},
        {"STX 10H,y", {0x96, 0x10}},
        {"LDA 10H,X", {0xB5, 0x10}},
        {"LDA 1000H,X", {0xBD, 0x00, 0x10}},
        {"EOR (10H,X)", {0x41, 0x10}},
        {"EOR (10H,x)", {0x41, 0x10}},
        {"EOR (10H),Y", {0x51, 0x10}},
        {"EOR ( 10H ), Y", {0x51, 0x10}},
        {"LDA (10H+2)*2,Y", {0xB9, 0x24, 0x00}},
        {"LDX (10H+2)*2,Y", {0xB6, 0x24}},
        {"LDA (100H+2)*2,Y", {0xB9, 0x04, 0x02}},
        {"JMP (1234H)", {0x6C, 0x34, 0x12}},
        {"JMP (1)+(2)", {0x4C, 0x03, 0x00}},
        {"JMP 1234H", {0x4C, 0x34, 0x12}},
        {"JSR 1234H", {0x20, 0x34, 0x12}},
        {"ASL A", {0x0A}},
        {"ASL a", {0x0A}},
        {"ASL 10H", {0x06, 0x10}},
        {"BRK", {0x00}},
        {"NOP ; comment", {0xEA}},
        {"LDA #'A'", {0xA9, 0x41}},
        {"LDA #<later", {0xA9, 0x34}},
        {"LDA #>later", {0xA9, 0x12}},
        {"LDA 10H ; comment, with comma", {0xA5, 0x10}},
    };
    for (const BytesCase& c : cases) EXPECT_EQ(bytes(c.line), c.bytes) << c.line;
}

TEST_F(AsmEncoder, AddressesAreAbsoluteWithAFixup) {
    EncodedInstruction encoded = encode("LDA start");  // value 10H, still absolute
    ASSERT_EQ(encoded.error, 0);
    EXPECT_EQ(std::vector<uint8_t>(encoded.bytes.begin(), encoded.bytes.end()),
              (std::vector<uint8_t>{0xAD, 0x10, 0x00}));
    ASSERT_TRUE(encoded.fixup);
    EXPECT_EQ(encoded.fixup->type, 1);
    EXPECT_EQ(encoded.fixup->symbol, context.symbols.index_of("start"));

    encoded = encode("STA ext+2,X");
    ASSERT_TRUE(encoded.fixup);
    EXPECT_EQ(encoded.bytes[0], 0x9D);
    EXPECT_TRUE(encoded.fixup->external);
    EXPECT_EQ(encoded.fixup->addend, 2);

    encoded = encode("LDA #<(later+1)");
    ASSERT_TRUE(encoded.fixup);
    EXPECT_EQ(encoded.fixup->type, 3);
    EXPECT_EQ(encoded.fixup->addend, 1);

    EXPECT_FALSE(encode("LDA 10H").fixup);
    EXPECT_FALSE(encode("LDA later-start").fixup);
}

TEST_F(AsmEncoder, Errors) {
    const std::pair<const char*, int> cases[] = {
        {"STA #1", 2008},
        {"ASL", 2008},
        {"LDA", 2008},
        {"LDA 10H,", 2008},
        {"LDA ,X", 2008},
        {"LDA 10H,Z", 2008},
        {"LDA (10H,Y)", 2008},
        {"LDA 10H,X,Y", 2001},
        {"NOP 1", 2001},
        {"BRK 1", 2001},
        {"JMP 1,X", 2001},
        {"BNE", 2001},
        {"JMP #1", 2008},
        {"LDA nothing", 3005},
        {"LDA 5*+3", 3001},
        {"LDA #10/0", 3009},
        // A whole address cannot fit a one-byte field, nor a far call any field.
        {"LDA #start", 3007},
        {"LDA (start),Y", 3007},
        {"LDA (start,X)", 3007},
        {"JSR .BANKNUM start", 3007},
    };
    for (const auto& [line, error] : cases) {
        EXPECT_EQ(encode(line).error, error) << line;
    }
    EXPECT_EQ(encode("LDA nothing").error_detail, "nothing");
}

TEST_F(AsmEncoder, BranchRange) {
    // The fixture stands at 40H: "near" is 129 bytes on (offset 127).
    EXPECT_EQ(bytes("BNE near"), (std::vector<uint8_t>{0xD0, 0x7F}));
    EXPECT_EQ(encode("BNE beyond").error, 2034);
    EXPECT_EQ(bytes("BEQ start"), (std::vector<uint8_t>{0xF0, 0xCE}));  // 10H - 42H
    EXPECT_EQ(bytes("BCC 42H"), (std::vector<uint8_t>{0x90, 0x00}));    // a constant is an offset here
    EXPECT_EQ(bytes("BCS $+2"), (std::vector<uint8_t>{0xB0, 0x00}));
    EXPECT_EQ(bytes("BCS $-7EH"), (std::vector<uint8_t>{0xB0, 0x80}));
    EXPECT_EQ(encode("BCS $-7FH").error, 2034);
    EXPECT_FALSE(encode("BNE start").fixup);
}

TEST_F(AsmEncoder, BranchOutOfTheSegmentIsRefused) {
    EXPECT_EQ(encode("BNE far").error, 2034);
    EXPECT_EQ(encode("BNE ext").error, 2034);
    EXPECT_EQ(encode("BNE >later").error, 2034);
    // Pass 1 does not know every place yet and only sizes the branch.
    int bne = dravlin::find_keyword(dravlin::mnemonics(), "BNE");
    EXPECT_EQ(dravlin::encode_instruction(context, bne, "far", false).error, 0);
}

TEST_F(AsmEncoder, PassTwoKeepsTheSizeOfPassOne) {
    // Pass 1 reserved three bytes: the zero-page form widens to absolute.
    EncodedInstruction widened = encode("LDA 10H,X", 3);
    EXPECT_EQ(widened.error, 0);
    EXPECT_EQ(widened.size, 3);
    EXPECT_EQ(widened.bytes[0], 0xBD);
    // STX has no absolute ,Y form to widen to; needing more bytes is refused.
    EXPECT_EQ(encode("STX 10H,Y", 3).error, 2008);
    EXPECT_EQ(encode("LDA 1000H", 2).error, 2008);
}

TEST_F(AsmEncoder, EmitWritesTheSegmentAndRecordsFixups) {
    int lda = dravlin::find_keyword(dravlin::mnemonics(), "LDA");
    context.statement_sizes = {3};
    context.rows = dravlin::build_symbol_rows(context.symbols, context.members);
    dravlin::emit_instruction(context, nullptr, lda, "later");
    EXPECT_EQ(context.state.location_counter, 0x43);
    EXPECT_EQ(context.code[0x40], 0xAD);
    EXPECT_EQ(context.code[0x41], 0x34);
    EXPECT_EQ(context.code[0x42], 0x12);
    ASSERT_EQ(context.object.fixups.size(), 1u);
    EXPECT_EQ(context.object.fixups[0].place, 0x41);

    // The last bytes of the buffer: a write past its end is refused.
    context.state.location_counter = dravlin::kSegmentCodeSize - 2;
    dravlin::emit_instruction(context, nullptr, lda, "later");
    EXPECT_TRUE(context.pass_failed);
    EXPECT_NE(context.reporter.transcript().find("syntax error 2037"), std::string::npos);
}

TEST_F(AsmEncoder, SizingOutsideASegmentIs2033) {
    context.state.segment_open = false;
    dravlin::size_instruction(context, nullptr, dravlin::find_keyword(dravlin::mnemonics(), "NOP"), "");
    EXPECT_NE(context.reporter.transcript().find("syntax error 2033"), std::string::npos);
}

}  // namespace
