// Reset mapping for several memory sizes, the bank registers, banked
// breakpoint places, and the limits of partly backed memories.
#include <array>
#include <gtest/gtest.h>

#include "simulator/cpu/memory_map.h"
#include "simulator/cpu/tests/machine_fixture.h"

namespace simcpu::testing {
namespace {

using Rights = std::array<std::uint8_t, 8>;

struct ResetCase {
    const char* name;
    std::uint32_t internalRam, externalRam, rom;
    Rights rights;
};

class ResetMapTest : public ::testing::TestWithParam<ResetCase> {};

TEST_P(ResetMapTest, RightsFollowTheMemorySizes) {
    const ResetCase& c = GetParam();
    MachineFixture m({.internalRam = c.internalRam, .externalRam = c.externalRam, .rom = c.rom});
    const auto& block = m.block();
    for (int page = 0; page < 8; ++page) EXPECT_EQ(block.page_rights[page], c.rights[page]) << "page " << page;

    const std::array<std::uint32_t, 8> offsets = {
        0x2000, 0x4000, 0x2000 + c.internalRam + 0x4000, 0x2000 + c.internalRam + 0x6000, 0, 0x2000, 0x4000, 0x6000};
    const std::array<std::uint16_t, 8> banks = {0, 2, 4, 6, 0, 2, 4, 6};
    for (int page = 0; page < 8; ++page) {
        EXPECT_EQ(block.page_offsets[page], offsets[page]) << "page " << page;
        EXPECT_EQ(block.bank_numbers[page], banks[page]) << "page " << page;
    }
    EXPECT_EQ(block.low_block_offset, 0x2040u);
    EXPECT_EQ(block.magic, 0x4D535526u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(m.ram.data()), 4), "&USM");
    EXPECT_EQ(block.internal_ram_size, c.internalRam);
    EXPECT_EQ(block.rom_size, c.rom);
    EXPECT_EQ(block.external_ram_size, c.externalRam);
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, ResetMapTest,
    ::testing::Values(
        ResetCase{"Default", 0x4000, 0x80000, 0x8000, {0xC1, 0xC1, 0xC3, 0xC3, 0x42, 0x42, 0x42, 0x42}},
        ResetCase{"SmallInternal", 0x2000, 0x80000, 0x8000, {0xC1, 0x01, 0xC3, 0xC3, 0x42, 0x42, 0x42, 0x42}},
        ResetCase{"External16K", 0x4000, 0x4000, 0x8000, {0xC1, 0xC1, 0x03, 0x03, 0x42, 0x42, 0x42, 0x42}},
        ResetCase{"External24K", 0x4000, 0x6000, 0x8000, {0xC1, 0xC1, 0xC3, 0x03, 0x42, 0x42, 0x42, 0x42}},
        ResetCase{"NoExternal", 0x4000, 0, 0x8000, {0xC1, 0xC1, 0x03, 0x03, 0x42, 0x42, 0x42, 0x42}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SetupTest, RefusesMemoriesTooSmallForVectorsAndStack) {
    EXPECT_THROW(MachineFixture({.rom = 0x4000}), std::runtime_error);
    EXPECT_THROW(MachineFixture({.internalRam = 0x100}), std::runtime_error);
    EXPECT_NO_THROW(MachineFixture({.internalRam = 0x300, .externalRam = 0}));
}

TEST(SetupTest, MessageNamesTheProblem) {
    std::vector<std::uint8_t> ram(RamImageSize(0x4000, 0)), rom(0x1000);
    KernelConfig config;
    config.internalRamSize = 0x4000;
    config.externalRamSize = 0;
    config.romSize = 0x1000;
    config.ramImage = ram.data();
    config.romImage = rom.data();
    KernelCore core;
    EXPECT_NE(simcpu::Setup(core, config, InitOption::kColdStart).find("32768"), std::string::npos);
}

TEST(SetupTest, RefusesAMisalignedRamImage) {
    std::vector<std::uint8_t> ram(RamImageSize(0x4000, 0) + 1), rom(0x8000);
    KernelConfig config;
    config.externalRamSize = 0;
    config.romSize = 0x8000;
    config.ramImage = ram.data() + 1;
    config.romImage = rom.data();
    KernelCore core;
    EXPECT_NE(simcpu::Setup(core, config, InitOption::kColdStart), "");
}

TEST(SetupTest, ResetVectorAndRegisters) {
    MachineFixture m;
    m.rom[0x7FFC] = 0x34;
    m.rom[0x7FFD] = 0x92;
    m.regs().a = 0x55;
    m.block().first_table[0] = 0xE0001234;
    InitMachine(m.core, 0);  // warm start keeps A, clears the tables
    EXPECT_EQ(m.regs().pc, 0x9234);
    EXPECT_EQ(m.regs().a, 0x55);
    EXPECT_EQ(m.regs().p & formats::RegisterP::kI, formats::RegisterP::kI);
    EXPECT_EQ(m.block().first_table[0], 0u);
    EXPECT_EQ(m.core.cycleCount, 6u);
    InitMachine(m.core, InitOption::kColdStart | InitOption::kFastInterpreter);
    EXPECT_EQ(m.regs().a, 0);
    EXPECT_EQ(m.regs().mode, formats::ModeBit::kFastInterpreter);
}

// Page offset (RAM image or ROM), bank number and rights of one page.
struct PageView {
    std::uint32_t offset;
    std::uint16_t bank;
    std::uint8_t rights;
    bool operator==(const PageView&) const = default;
};

PageView Page(MachineFixture& m, int page) {
    return {m.block().page_offsets[page], m.block().bank_numbers[page], m.block().page_rights[page]};
}

std::ostream& operator<<(std::ostream& os, const PageView& v) {
    return os << std::hex << "{offset 0x" << v.offset << ", bank " << std::dec << v.bank << ", rights 0x" << std::hex
              << int(v.rights) << "}";
}

TEST(RemapTest, WindowFromExternalRamSwapsTheSlotHalves) {
    MachineFixture m;
    const std::uint32_t external = 0x2000 + 0x4000;
    m.WriteIo(0x00, 3);
    m.WriteIo(0x0A, 0x80);
    EXPECT_EQ(Page(m, 2), (PageView{external + 0x1C000, 28, 0xC3}));
    EXPECT_EQ(Page(m, 3), (PageView{external + 0x1E000, 30, 0xC3}));
    EXPECT_EQ(Page(m, 4), (PageView{external + 0x18000, 24, 0xC3}));
    EXPECT_EQ(Page(m, 5), (PageView{external + 0x1A000, 26, 0xC3}));
    m.ram[external + 0x1C000] = 0x5A;
    EXPECT_EQ(m.Peek(0x4000), 0x5A);
}

TEST(RemapTest, WindowFromRomAndBackToTheResetWindow) {
    MachineFixture m({.rom = 0x20000});
    m.WriteIo(0x00, 1);
    EXPECT_EQ(Page(m, 2), (PageView{0xC000, 12, 0x42}));
    EXPECT_EQ(Page(m, 5), (PageView{0xA000, 10, 0x42}));
    m.WriteIo(0x00, 2);
    EXPECT_EQ(Page(m, 4), (PageView{0x10000, 16, 0x42}));
    m.WriteIo(0x00, 4);  // slot 4 starts at 0x20000, beyond 128 KB of ROM
    EXPECT_EQ(Page(m, 2), (PageView{0x24000, 36, 0x02}));
    m.WriteIo(0x00, 0);
    EXPECT_EQ(Page(m, 2), (PageView{0x2000 + 0x4000 + 0x4000, 4, 0xC3}));
    EXPECT_EQ(Page(m, 4), (PageView{0, 0, 0x42}));
}

TEST(RemapTest, RomBankExtensionNeedsBit7OfTheBank) {
    MachineFixture m({.rom = 0x20000});
    m.WriteIo(0x0D, 1);
    m.WriteIo(0x00, 0x01);
    EXPECT_EQ(Page(m, 2).bank, 12);
    m.WriteIo(0x00, 0x81);  // n = 257
    EXPECT_EQ(Page(m, 2), (PageView{(8 * 257 + 4) * 0x1000, 8 * 257 + 4, 0x02}));
    m.WriteIo(0x0D, 0);  // n = 0x81 = 129
    EXPECT_EQ(Page(m, 2).bank, 8 * 129 + 4);
}

TEST(RemapTest, Page6ThroughItsTable) {
    MachineFixture m;
    m.WriteIo(0x0A, 0x01);
    EXPECT_EQ(Page(m, 6), (PageView{0x2000 + 0x4000 + 0x6000, 6, 0xC3}));
    m.WriteIo(0x0A, 0x02);
    EXPECT_EQ(Page(m, 6), (PageView{0, 0, 0x42}));
    m.WriteIo(0x0A, 0x04);  // ROM bank 12: beyond 32 KB
    EXPECT_EQ(Page(m, 6), (PageView{0xC000, 12, 0x02}));
    EXPECT_EQ(Page(m, 2).bank, 4);  // bit 7 unchanged: the window stays
}

TEST(RemapTest, LowBlockSelection) {
    MachineFixture m;
    const std::pair<std::uint8_t, std::uint32_t> cases[] = {{1, 0x00},  {3, 0x00},    {4, 0x200},
                                                            {7, 0x2C0}, {0x08, 0x40}, {0, 0x40}};
    for (auto [select, offset] : cases) {
        m.WriteIo(0x0F, select);
        EXPECT_EQ(m.block().low_block_offset, 0x2000 + offset) << int(select);
        m.ram[0x2000 + offset] = select + 1;
        EXPECT_EQ(m.Peek(0x40), select + 1) << int(select);
    }
}

TEST(RemapTest, SameValueAgainChangesNothing) {
    MachineFixture m;
    m.WriteIo(0x00, 3);
    m.block().page_rights[2] = 0x99;  // would be rewritten by a remap
    m.WriteIo(0x00, 3);
    m.WriteIo(0x0A, 0);
    EXPECT_EQ(m.block().page_rights[2], 0x99);
}

TEST(BankedPlaceTest, Placement) {
    MachineFixture m;
    using formats::BreakEntry::kBanked;
    using formats::BreakEntry::kExternalBank;
    std::uint8_t* internal = m.core.internalRam;
    std::uint8_t* external = m.core.externalRam;
    std::uint8_t* rom = m.core.rom;
    struct Case {
        std::uint32_t entry;
        std::uint8_t* place;
    };
    const Case cases[] = {
        {kBanked | 5u << 16 | 0x0045, internal + 0x245},
        {kBanked | 0x4123, external + 0x4123},
        {kBanked | 0x8123, rom + 0x0123},
        {kBanked | kExternalBank | 2u << 16 | 0x4123, external + 0x14123},
        {kBanked | kExternalBank | 2u << 16 | 0xA123, external + 0x12123},
        {kBanked | 1u << 16 | 0xC123, external + 0x6123},
        {kBanked | 2u << 16 | 0xC123, rom + 0x0123},
        {kBanked | 3u << 16 | 0xC123, rom + 0x2123},
        {kBanked | 1u << 16 | 0x8123, nullptr},  // ROM offset 0x8123 lies beyond 32 KB
        {kBanked | 0xE000, rom + 0x6000},
    };
    for (const Case& c : cases) EXPECT_EQ(MapBankedEntry(m.core, c.entry), c.place) << std::hex << c.entry;
}

TEST(PartialPageTest, AccessPastTheEndOfAMemoryIsRefused) {
    MachineFixture m({.internalRam = 0x3000});
    EXPECT_EQ(m.block().page_rights[1], 0xC1);  // the page keeps its rights...
    EXPECT_TRUE(MapAddress(m.core, 0x2FFF).readable());
    Place beyond = MapAddress(m.core, 0x3000);  // ...but its unbacked part has none
    EXPECT_EQ(beyond.at, nullptr);
    EXPECT_FALSE(beyond.readable());
    EXPECT_EQ(MapAddress(m.core, 0x2FF0).run, 0x10u);

    m.Load(0x0200, {0xAD, 0x00, 0x30});  // LDA $3000
    m.StepOnce();
    EXPECT_EQ(m.exceptions, (std::vector<RaisedException>{{0x3000, 1}}));
    EXPECT_EQ(m.regs().a, 0xFF);
}

TEST(IndexedAddressTest, AbsoluteIndexedWrapsAt16Bits) {
    MachineFixture m;
    m.Poke(0x0090, {0x77});
    m.Load(0x0200, {0xBD, 0xF0, 0xFF});  // LDA $FFF0,X
    m.regs().x = 0xA0;
    m.StepOnce();
    EXPECT_TRUE(m.exceptions.empty());
    EXPECT_EQ(m.regs().a, 0x77);
    EXPECT_EQ(m.core.operandAddress, 0x0090);
}

}  // namespace
}  // namespace simcpu::testing
