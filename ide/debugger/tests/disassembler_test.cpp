#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "ide/debugger/disassembler.h"
#include "ide/debugger/target_memory.h"
#include "ide/debugger/testing/target_fixture.h"
#include "testing/golden.h"

namespace ide {
namespace {

using testing::TargetFixture;

struct RecordingPane : DisassemblyPane {
    void Clear() override { lines.clear(); }
    bool AddLine(std::string_view text) override {
        if (lines.size() >= limit) return false;
        lines.emplace_back(text);
        return true;
    }
    void SetMarkLines(int first_line, int last_line, int pc_line) override {
        first = first_line;
        last = last_line;
        pc = pc_line;
        marked = true;
    }
    void SetBreakAddresses(std::set<std::uint16_t>) override {}
    std::vector<std::string> lines;
    std::size_t limit = 100000;
    int first = -2, last = -2, pc = -2;
    bool marked = false;
};

std::string one(std::uint32_t address, std::vector<std::uint8_t> bytes) {
    bytes.resize(3);
    unsigned length = 0;
    return disassemble_one(address, bytes.data(), length);
}

TEST(DisassemblerTest, EveryOpcodeMatchesTheGolden) {
    std::string all;
    for (unsigned opcode = 0; opcode < 256; ++opcode)
        all += one(0x1000 + opcode * 3, {static_cast<std::uint8_t>(opcode), 0x12, 0x34});
    EXPECT_TRUE(testing_kit::matches_golden("ide/debugger/tests/golden/opcodes.txt", all));
}

TEST(DisassemblerTest, LineFormats) {
    EXPECT_EQ(one(0x1234, {0x02}), "1234: 02        DB\t $02\t\t[    2]\r\n");
    EXPECT_EQ(one(0x2000, {0xD0, 0xFE}), "2000: D0 FE   \tBNE  $2000\t\t[ 8192]\r\n");
    EXPECT_EQ(one(0x3000, {0xB1, 0x12}), "3000: B1 12   \tLDA  ($12),y\t[   18]\r\n");
    EXPECT_EQ(one(0x3000, {0xB5, 0x12}), "3000: B5 12   \tLDA  $12,x\t\t[   18]\r\n");
    EXPECT_EQ(one(0x3000, {0xA9, 0x12}), "3000: A9 12   \tLDA  #$12\t\t[   18]\r\n");
    EXPECT_EQ(one(0x3000, {0x6C, 0x34, 0x12}), "3000: 6C 34 12\tJMP  ($1234)\t[ 4660]\r\n");
    EXPECT_EQ(one(0x3000, {0xAD, 0x34, 0x12}), "3000: AD 34 12\tLDA  $1234\t\t[ 4660]\r\n");
    EXPECT_EQ(one(0x3000, {0x0A}), "3000: 0A      \tASL  A\t\r\n");
    EXPECT_EQ(one(0x3000, {0x60}), "3000: 60      \tRTS  \t\r\n");
    // A branch target is printed as computed, past 0xFFFF too.
    EXPECT_EQ(one(0xFFF0, {0x10, 0x7F}), "FFF0: 10 7F   \tBPL  $10071\t\t[65649]\r\n");
}

TEST(DisassemblerTest, RangeMarksTheLineAndThePc) {
    TargetFixture fixture;
    // 0x0300: LDA #1; 0x0302: STA $0400; 0x0305: RTS; then zeros (BRK).
    const std::uint8_t code[] = {0xA9, 0x01, 0x8D, 0x00, 0x04, 0x60};
    fixture.poke(0x0300, code);
    const TargetMemory memory({fixture.eram, fixture.rom});
    RecordingPane pane;
    pane.lines.push_back("old");
    ASSERT_EQ(DisassembleRange(memory, pane, 0x0302, 0x0305, 0x0302), 0);
    ASSERT_TRUE(pane.marked);
    // From 0x0202: 0xFE one-byte zeros up to 0x0300, then the code.
    EXPECT_EQ(pane.lines.front().substr(0, 4), "0202");
    EXPECT_EQ(pane.lines[static_cast<std::size_t>(pane.first)].substr(0, 9), "0302: 8D ");
    EXPECT_EQ(pane.lines[static_cast<std::size_t>(pane.last)].substr(0, 9), "0302: 8D ");
    EXPECT_EQ(pane.pc, pane.first);
    EXPECT_EQ(pane.lines.back().substr(0, 4), "0404");  // to = 0x0405 is not decoded

    // The lines around the code with the marks as the pane shows them:
    // '>' on the marked line range, '*' on the PC line.
    std::string shown;
    for (int line = 0; line < static_cast<int>(pane.lines.size()); ++line) {
        const std::string& text = pane.lines[static_cast<std::size_t>(line)];
        if (text.compare(0, 4, "02FC") < 0 || text.compare(0, 4, "0308") > 0) continue;
        shown += line == pane.pc ? '*' : ' ';
        shown += line >= pane.first && line <= pane.last ? '>' : ' ';
        shown += text;
    }
    EXPECT_TRUE(testing_kit::matches_golden("ide/debugger/tests/golden/range_marks.txt", shown));
}

TEST(DisassemblerTest, RangeEdges) {
    TargetFixture fixture;
    const TargetMemory memory({fixture.eram, fixture.rom});
    RecordingPane pane;
    ASSERT_EQ(DisassembleRange(memory, pane, 0x0080, 0x0080, 0x0080), 0);
    EXPECT_EQ(pane.lines.front().substr(0, 4), "0000");
    EXPECT_EQ(pane.first, 0x80);
    EXPECT_EQ(pane.pc, 0x80);
    EXPECT_EQ(pane.last, -1);  // start = end: only the first mark and the PC

    // A three-byte instruction at 0xFFFE ends the range without wrapping to 0.
    const std::uint8_t jump[] = {0x4C};
    fixture.poke(0xFFFE, jump);
    ASSERT_EQ(DisassembleRange(memory, pane, 0xFF80, 0xFF80, 0xFF80), 0);
    EXPECT_EQ(pane.lines.back(), "FFFE: 4C 00 00\tJMP  $0000\t\t[    0]\r\n");
    EXPECT_EQ(pane.lines.front().substr(0, 4), "FE80");

    pane.limit = 3;
    pane.marked = false;
    EXPECT_EQ(DisassembleRange(memory, pane, 0x1000, 0x1010, 0x1000), -1);
    EXPECT_EQ(pane.lines.size(), 3u);
    EXPECT_FALSE(pane.marked);
}

}  // namespace
}  // namespace ide
