#include <gtest/gtest.h>

#include <cstring>

#include "ide/debugger/mem_image.h"
#include "ide/debugger/mem_view_model.h"
#include "ide/debugger/testing/target_fixture.h"

namespace ide {
namespace {

using testing::TargetFixture;

struct MemoryWorld {
    MemoryWorld() { image.Refresh(); }
    std::uint8_t byte(std::uint16_t address) const { return image.ReadByte(address).value_or(0xEE); }
    TargetFixture target;
    CMemImage image{TargetViews{target.eram, target.rom}};
};

TEST(MemImageTest, RightsAndReads) {
    MemoryWorld world;
    EXPECT_FALSE(world.image.IsWritable(0x0010));  // the I/O block
    EXPECT_TRUE(world.image.IsWritable(0x0040));   // the low area
    EXPECT_TRUE(world.image.IsWritable(0x1234));
    EXPECT_FALSE(world.image.IsWritable(0x4000));  // flash
    EXPECT_FALSE(world.image.IsWritable(0xC000));  // ROM

    std::uint16_t alias = 0;
    EXPECT_EQ(world.image.WriteByte(0xC000, 0x12, alias), ByteWrite::NotWritable);
    EXPECT_EQ(world.image.WriteByte(0x0010, 0x12, alias), ByteWrite::NotWritable);
    EXPECT_EQ(world.image.WriteByte(0xC000, 0x00, alias), ByteWrite::SameValue);
    EXPECT_FALSE(world.image.IsChanged(0xC000));

    std::uint8_t out[16];
    EXPECT_EQ(world.image.Read(0xFFF8, out), 8u);
}

TEST(MemImageTest, MarksExactlyTheBytesThatChanged) {
    MemoryWorld world;
    const std::uint8_t changed = 0x77;
    world.target.poke(0x1000, {&changed, 1});  // as a step would
    world.image.Refresh();
    for (std::uint32_t address = 0; address <= 0xFFFF; ++address) {
        ASSERT_EQ(world.image.IsChanged(static_cast<std::uint16_t>(address)), address == 0x1000) << address;
    }
    world.image.Snapshot();
    world.image.Refresh();  // the next stop, nothing changed
    EXPECT_FALSE(world.image.IsChanged(0x1000));

    std::uint16_t alias = 0;
    EXPECT_EQ(world.image.WriteByte(0x1000, 0x77, alias), ByteWrite::SameValue);
    EXPECT_FALSE(world.image.IsChanged(0x1000));
    EXPECT_EQ(world.image.WriteByte(0x1000, 0x78, alias), ByteWrite::Written);
    EXPECT_EQ(alias, 0x1000);
    EXPECT_TRUE(world.image.IsChanged(0x1000));
}

TEST(MemImageTest, WritesMarkTheirAliases) {
    MemoryWorld world;
    std::uint16_t alias = 0;
    // The low area lies at offset 0x200 of page 0.
    EXPECT_EQ(world.image.WriteByte(0x0041, 0x5A, alias), ByteWrite::Written);
    EXPECT_EQ(alias, 0x0201);
    EXPECT_EQ(world.byte(0x0201), 0x5A);
    EXPECT_TRUE(world.image.IsChanged(0x0201));
    EXPECT_EQ(world.image.WriteByte(0x0205, 0x5B, alias), ByteWrite::Written);
    EXPECT_EQ(alias, 0x0045);
    EXPECT_TRUE(world.image.IsChanged(0x0045));

    // Two pages over the same memory.
    TargetFixture& target = world.target;
    std::memcpy(target.eram.data() + ControlBlock::kPageOffsets + 4 * 3,
                target.eram.data() + ControlBlock::kPageOffsets + 4 * 1, 4);
    target.set_page_flags(3, target.eram[ControlBlock::kPageFlags + 1]);
    world.image.Refresh();
    EXPECT_EQ(world.image.WriteByte(0x2005, 0x11, alias), ByteWrite::Written);
    EXPECT_EQ(alias, 0x6005);
    EXPECT_EQ(world.byte(0x6005), 0x11);
}

TEST(MemRowTest, TextsAndColoursOfARow) {
    MemoryWorld world;
    const std::uint8_t bytes[] = {0x41, 0x20, 0xFF, 0x7E};
    world.target.poke(0x3FFE, bytes);                                           // two RAM bytes, then two flash bytes
    world.image = CMemImage(TargetViews{world.target.eram, world.target.rom});  // a new run
    world.image.Refresh();
    std::uint16_t alias = 0;
    ASSERT_EQ(world.image.WriteByte(0x3FFF, 0x21, alias), ByteWrite::Written);
    const MemRow row = DescribeRow(&world.image, 0x3FFE, 4);
    EXPECT_EQ(row.address, "3ffe  ");
    ASSERT_EQ(row.cells.size(), 4u);
    EXPECT_EQ(row.cells[0].hex, "41");
    EXPECT_EQ(row.cells[0].character, 'A');
    EXPECT_EQ(row.cells[0].colour, MemByteColour::Normal);
    EXPECT_EQ(row.cells[1].character, '!');
    EXPECT_EQ(row.cells[1].colour, MemByteColour::Changed);
    EXPECT_EQ(row.cells[2].character, '.');
    EXPECT_EQ(row.cells[2].colour, MemByteColour::ReadOnly);

    const MemRow last = DescribeRow(&world.image, 0xFFFE, 4);  // past 0xFFFF: blanks
    ASSERT_EQ(last.cells.size(), 4u);
    EXPECT_EQ(last.cells[1].hex, "00");
    EXPECT_EQ(last.cells[2].hex, "  ");
    EXPECT_TRUE(DescribeRow(nullptr, 0, 4).cells.empty());
}

// A model laid out for `bytes` bytes per row and `rows` rows.
MemViewModel laid_out(int bytes, int rows) {
    MemViewModel model;
    model.Layout(4 * bytes + 7, rows);
    return model;
}

TEST(MemViewModelTest, LayoutFromTheClientWidth) {
    struct Case {
        int width, bytes;
        bool panning;
    };
    for (const Case c : {Case{20, 3, false}, Case{16, 2, false}, Case{10, 2, true}, Case{71, 16, false}}) {
        MemViewModel model;
        model.Layout(c.width, 10);
        EXPECT_EQ(model.bytes_per_row(), c.bytes) << c.width;
        EXPECT_EQ(model.panning(), c.panning) << c.width;
    }
    MemViewModel narrow;
    narrow.Layout(10, 4);
    EXPECT_TRUE(narrow.HScroll(MemScroll::PageDown, 0).repaint);
    EXPECT_EQ(narrow.pan(), 6);  // at most 16 cells minus the client width
    narrow.HScroll(MemScroll::LineDown, 0);
    EXPECT_EQ(narrow.pan(), 6);
}

TEST(MemViewModelTest, KeysAtTheEdges) {
    MemViewModel model = laid_out(16, 10);
    model.Key(MemKey::End, true);
    EXPECT_EQ(model.top(), 0xFF60);
    EXPECT_EQ(model.caret_row(), 9);
    EXPECT_EQ(model.caret_x(), 0);
    model.VScroll(MemScroll::LineDown, 0);
    model.VScroll(MemScroll::PageDown, 0);
    EXPECT_EQ(model.top(), 0xFF60);
    // Right on the row end of the last row at the bottom: cell 0 of that row.
    model.Key(MemKey::End, false);
    EXPECT_EQ(model.caret_x(), model.row_end());
    model.Key(MemKey::Right, false);
    EXPECT_EQ(model.caret_x(), 0);
    EXPECT_EQ(model.caret_row(), 9);
    EXPECT_EQ(model.top(), 0xFF60);

    MemViewModel top = laid_out(16, 10);
    top.Key(MemKey::Down, false);
    top.Key(MemKey::Right, false);
    top.Key(MemKey::Home, true);  // already at 0: only the caret moves
    EXPECT_EQ(top.caret_x(), 0);
    EXPECT_EQ(top.caret_row(), 1);
    top.Key(MemKey::Up, false);
    top.Key(MemKey::Left, false);  // cell 0 of the first row at address 0
    EXPECT_EQ(top.caret_x(), top.row_end());
    EXPECT_EQ(top.caret_row(), 0);
    EXPECT_EQ(top.top(), 0);
}

TEST(MemViewModelTest, PageDownPastTheBottomShowsFewerRows) {
    MemViewModel model = laid_out(16, 10);
    model.VScroll(MemScroll::ThumbPosition, 0xFF00 / 16);
    model.Click(0, 8);
    ASSERT_EQ(model.caret_row(), 8);
    EXPECT_TRUE(model.Key(MemKey::PageDown, false).repaint);
    EXPECT_EQ(model.top(), 0xFF90);
    EXPECT_EQ(model.caret_row(), 6);
}

TEST(MemViewModelTest, ScrollBarKeepsTheCaretOnItsByte) {
    MemViewModel model = laid_out(16, 10);
    model.Click(7, 3);
    const MemViewEffect effect = model.VScroll(MemScroll::LineDown, 0);
    EXPECT_EQ(effect.scrolled_rows, 1);
    EXPECT_EQ(model.top(), 16);
    EXPECT_EQ(model.caret_row(), 2);
    model.VScroll(MemScroll::PageUp, 0);
    EXPECT_EQ(model.top(), 0);
    EXPECT_EQ(model.caret_row(), 3);
}

TEST(MemViewModelTest, TypingBytes) {
    MemoryWorld world;
    MemViewModel model = laid_out(16, 10);
    model.SetTop(0x1000);

    // The digit typed on the second blank after the address goes to the first byte.
    model.Click(5, 0);
    MemViewEffect effect = model.Type('3', &world.image);
    EXPECT_EQ(world.byte(0x1000), 0x30);
    EXPECT_EQ(model.caret_x(), model.hex_x() + 1);
    EXPECT_EQ(effect.typed, std::vector<std::uint16_t>{0x1000});
    model.Type('A', &world.image);
    EXPECT_EQ(world.byte(0x1000), 0x3A);
    EXPECT_EQ(model.caret_x(), model.hex_x() + 2);

    // The same value moves the caret without drawing.
    model.Click(model.hex_x() + 3, 0);
    effect = model.Type('0', &world.image);
    EXPECT_TRUE(effect.typed.empty());
    EXPECT_EQ(model.caret_x(), model.hex_x() + 4);

    // Enter in the character column writes 0x0D.
    model.Click(model.char_x() + 2, 0);
    model.Type('\r', &world.image);
    EXPECT_EQ(world.byte(0x1002), 0x0D);
    EXPECT_EQ(model.caret_x(), model.char_x() + 3);

    // The low digit of the last byte of the last row, then the next row's first byte.
    model.Click(model.hex_x() + 3 * 15 + 1, 9);
    model.Type('1', &world.image);
    EXPECT_EQ(model.caret_x(), model.hex_x() + 3 * 15 + 2);
    effect = model.Type('2', &world.image);
    EXPECT_EQ(world.byte(0x10A0), 0x20);
    EXPECT_EQ(effect.scrolled_rows, 1);
    EXPECT_EQ(model.top(), 0x1010);
    EXPECT_EQ(model.caret_row(), 9);
    EXPECT_EQ(model.caret_x(), model.hex_x() + 1);
}

TEST(MemViewModelTest, TypingRefusedOrElsewhere) {
    MemoryWorld world;
    MemViewModel model = laid_out(16, 10);
    model.SetTop(0xC000);  // ROM
    model.Click(model.hex_x(), 0);
    model.Type('5', &world.image);
    EXPECT_EQ(world.byte(0xC000), 0x00);
    EXPECT_EQ(model.caret_x(), model.hex_x());

    // Without an image nothing is written and the caret stays.
    model.Type('5', nullptr);
    EXPECT_EQ(model.caret_x(), model.hex_x());

    // An address digit moves the view so that the row shows the typed address.
    model.Click(0, 2);
    EXPECT_TRUE(model.Type('1', &world.image).repaint);
    EXPECT_EQ(model.top() + 2 * 16, 0x1020);
    EXPECT_EQ(model.caret_x(), 1);
    model.Type('x', &world.image);  // not a digit
    EXPECT_EQ(model.top() + 2 * 16, 0x1020);
}

}  // namespace
}  // namespace ide
