// The LCD refresh into the host bitmap (compared with PBM goldens), its icon
// column, switching and the dirty state.
#include <gtest/gtest.h>

#include "simulator/cpu/lcd.h"
#include "simulator/cpu/tests/machine_fixture.h"
#include "testing/golden.h"

namespace simcpu::testing {
namespace {

constexpr std::uint32_t kWidth = 24;
constexpr std::uint32_t kHeight = 12;
constexpr std::uint16_t kLcdMemory = 0x0C00;  // $06 = $C0

// Plain PBM of the bitmap as the window shows it: the bottom-up rows turned upright.
std::string ShownAsPbm(const KernelCore& core, std::uint32_t shownWidth, std::uint32_t shownHeight) {
    std::string pbm = "P1\n" + std::to_string(shownWidth) + " " + std::to_string(shownHeight) + "\n";
    for (std::uint32_t y = 0; y < shownHeight; ++y) {
        const std::uint8_t* row = core.hostBitmap + (shownHeight - 1 - y) * core.hostStride;
        for (std::uint32_t x = 0; x < shownWidth; ++x) {
            pbm += (row[x >> 3] & (0x80 >> (x & 7))) ? '1' : '0';
            pbm += x + 1 < shownWidth ? " " : "\n";
        }
    }
    return pbm;
}

// An "L" with a short bar on top and one lone pixel: every turn and mirror of it differs.
void DrawScene(MachineFixture& m) {
    auto set = [&](std::uint32_t c, std::uint32_t r) {
        m.core.internalRam[kLcdMemory + r * 3 + c / 8] |= static_cast<std::uint8_t>(0x80 >> (c % 8));
    };
    for (std::uint32_t r = 1; r < 11; ++r) set(2, r);
    for (std::uint32_t c = 2; c < 12; ++c) set(c, 10);
    for (std::uint32_t c = 2; c < 6; ++c) set(c, 1);
    set(20, 3);
    set(0, 0);
}

struct LcdFixture : MachineFixture {
    LcdFixture() : MachineFixture({.lcdWidth = kWidth, .lcdHeight = kHeight}) {
        DrawScene(*this);
        WriteIo(0x06, kLcdMemory >> 4);
    }
};

TEST(LcdRefreshTest, UprightMatchesGolden) {
    LcdFixture m;
    m.paints.clear();
    m.WriteIo(0x05, 0x08);                            // LCD on: refreshed at once
    EXPECT_EQ(m.paints, (std::vector<unsigned>{3}));  // on, just turned on
    EXPECT_TRUE(
        testing_kit::matches_golden("simulator/cpu/tests/golden/lcd_upright.pbm", ShownAsPbm(m.core, kWidth, kHeight)));
}

TEST(LcdRefreshTest, RotatedMatchesGolden) {
    LcdFixture m;
    m.core.controlFlags |= ControlFlag::kLcdRotated;
    LcdGeometry(m.core, m.lcdBitmap.data());
    EXPECT_EQ(m.core.hostStride, 4u);
    EXPECT_EQ(m.core.hostBytes, 4u * kWidth);
    m.WriteIo(0x05, 0x08);
    EXPECT_TRUE(
        testing_kit::matches_golden("simulator/cpu/tests/golden/lcd_rotated.pbm", ShownAsPbm(m.core, kHeight, kWidth)));
}

TEST(LcdRefreshTest, IconColumnMarksChanges) {
    LcdFixture m;
    m.WriteIo(0x05, 0x08);
    EXPECT_EQ(m.icons[0], 0x81);  // bit 7 set, changed from off
    EXPECT_EQ(m.icons[1], 0x00);
    m.core.internalRam[kLcdMemory + 3] = 0x80;  // row 1 gets its icon
    RefreshLcd(m.core);
    EXPECT_EQ(m.icons[0], 0x80);  // unchanged since the last refresh
    EXPECT_EQ(m.icons[1], 0x81);
    m.WriteIo(0x05, 0x00);  // off: icons cleared, nothing copied
    EXPECT_EQ(m.icons[0], 0x00);
    EXPECT_EQ(m.paints.back(), 0u);
}

TEST(LcdRefreshTest, UnreadableMemoryEndsTheCopy) {
    MachineFixture m({.externalRam = 0, .lcdWidth = kWidth, .lcdHeight = kHeight});
    m.WriteIo(0x06, 0xFF);
    m.WriteIo(0x0C, 0x03);  // start $3FF0: the rows from $4000 lie in a page without rights
    std::fill(m.core.internalRam + 0x3FF0, m.core.internalRam + 0x4000, 0xFF);
    m.WriteIo(0x05, 0x08);
    std::string shown = ShownAsPbm(m.core, kWidth, kHeight);
    EXPECT_EQ(shown.substr(shown.find('\n', 3) + 1, 6), "1 1 1 ");           // row 0 copied
    EXPECT_EQ(m.core.hostBitmap[(kHeight - 1 - 6) * m.core.hostStride], 0);  // row 6 was not
}

TEST(LcdDirtyTest, StoresIntoLcdMemoryMakeItDirty) {
    LcdFixture m;
    m.WriteIo(0x05, 0x08);
    EXPECT_FALSE(m.core.state & StateBit::kLcdDirty);
    m.Load(0x0200, {0x8D, 0x00, 0x0B, 0x8D, 0x23, 0x0C});  // STA $0B00 / STA $0C23 (last byte)
    m.StepOnce();
    EXPECT_FALSE(m.core.state & StateBit::kLcdDirty);
    m.core.lcdCountdown = 17;
    m.StepOnce();
    EXPECT_TRUE(m.core.state & StateBit::kLcdDirty);
    EXPECT_EQ(m.core.lcdCountdown, m.core.lcdPeriod);
}

}  // namespace
}  // namespace simcpu::testing
