#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "formats/cpu_block.h"
#include "ide/debugger/break_tables.h"
#include "ide/debugger/tests/debug_project.h"

namespace ide {
namespace {

using testing::DebugProject;
using testing::kDeviceBank;
using testing::TargetFixture;
namespace be = formats::BreakEntry;

std::uint32_t source_word(std::uint16_t address, std::uint32_t bank) {
    return BreakForm::kSource | bank << 16 | address;
}

TEST(TargetMemoryTest, TranslatesEachRegionWithItsRights) {
    TargetFixture fixture;
    const TargetMemory memory({fixture.eram, fixture.rom});
    struct Case {
        std::uint16_t address;
        const std::uint8_t* expected;
        std::uint32_t left;
        bool writable;
    };
    const Case cases[] = {
        {0x0000, fixture.eram.data() + formats::kWriteLatchOffset, 0x40, true},
        {0x003F, fixture.eram.data() + formats::kWriteLatchOffset + 0x3F, 1, true},
        {0x0040, fixture.eram.data() + testing::kFixtureLowAreaOffset, 0x40, true},
        {0x0080, fixture.eram.data() + 0x2000 + 0x80, 0x2000 - 0x80, true},
        {0x3FFF, fixture.eram.data() + 0x4000 + 0x1FFF, 1, true},
        {0x4000, fixture.eram.data() + 0x6000, 0x2000, false},  // flash: not writable
        {0xC000, fixture.rom.data(), 0x2000, false},
        {0xFFFF, fixture.rom.data() + 0x3FFF, 1, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.address);
        auto run = memory.translate(c.address);
        ASSERT_TRUE(run);
        EXPECT_EQ(run->bytes, c.expected);
        EXPECT_EQ(run->left, c.left);
        EXPECT_EQ(run->writable != nullptr, c.writable);
    }
}

TEST(TargetMemoryTest, OffsetsOutsideTheViewsAreUnbacked) {
    TargetFixture fixture;
    std::uint32_t beyond = 0x7FFFFFFF;
    std::memcpy(fixture.eram.data() + ControlBlock::kPageOffsets + 4 * 2, &beyond, 4);  // page 2
    std::memcpy(fixture.eram.data() + ControlBlock::kPageOffsets + 4 * 7, &beyond, 4);  // page 7, ROM
    const TargetMemory memory({fixture.eram, fixture.rom});
    EXPECT_TRUE(memory.translate(0x3FFF));
    EXPECT_FALSE(memory.translate(0x4000));
    EXPECT_FALSE(memory.translate(0xE000));
    std::uint8_t out[4] = {1, 2, 3, 4};
    EXPECT_FALSE(memory.read(0x3FFE, out));  // page 1 then unbacked page 2
    const std::uint8_t value = 0x55;
    EXPECT_EQ(memory.write(0x4000, {&value, 1}), 0u);
}

TEST(TargetMemoryTest, ReadsAcrossPagesAndWrapsAtTheTop) {
    TargetFixture fixture;
    // Page 1 shows the memory of page 3, so a split read must translate twice.
    std::uint32_t page3 = 0x2000 + 3 * 0x2000;
    std::memcpy(fixture.eram.data() + ControlBlock::kPageOffsets + 4 * 1, &page3, 4);
    const std::uint8_t low[] = {0x11, 0x22};
    const std::uint8_t high[] = {0x33, 0x44};
    fixture.poke(0x1FFE, low);
    fixture.poke(0x6000, high);  // page 3, which page 1 now shows
    fixture.poke(0xFFFE, high);  // ROM
    fixture.poke(0x0000, low);   // I/O block
    const TargetMemory memory({fixture.eram, fixture.rom});
    EXPECT_EQ(memory.read_dword(0x1FFE), 0x44332211u);
    EXPECT_EQ(memory.read_dword(0xFFFE), 0x22114433u);

    const std::uint8_t bytes[] = {1, 2, 3};
    EXPECT_EQ(memory.write(0x1FFF, bytes), 3u);
    EXPECT_EQ(fixture.eram[0x2000 + 3 * 0x2000 + 1], 3);
    EXPECT_EQ(memory.write(0xBFFF, bytes), 0u);  // flash is not writable
    EXPECT_EQ(memory.write(0xFFFF, bytes), 0u);  // ROM
    EXPECT_EQ(fixture.rom[0x3FFF], 0x44);
}

TEST(BreakTableTest, AppendsRemovesDisablesAndCompacts) {
    TargetFixture fixture;
    const TargetMemory memory({fixture.eram, fixture.rom});
    auto table = BreakTable::open(memory, BreakTableId::Breakpoints);
    ASSERT_TRUE(table);
    EXPECT_EQ(table->capacity(), formats::kFirstBreakTableEntries);
    for (std::uint16_t a : {0x4000, 0x4010, 0x4020, 0x4030}) ASSERT_TRUE(table->append(source_word(a, 3)));
    EXPECT_EQ(table->count(), 4u);
    EXPECT_EQ(fixture.break_word(4), 0u);

    // The simulator's resolved mark neither hides an entry nor survives a move.
    std::uint32_t marked = source_word(0x4030, 3) | be::kPlaced;
    std::memcpy(fixture.eram.data() + formats::kFirstTableOffset + 12, &marked, 4);
    EXPECT_TRUE(table->remove(source_word(0x4010, 3)));
    EXPECT_EQ(fixture.break_word(0), source_word(0x4000, 3));
    EXPECT_EQ(fixture.break_word(1), source_word(0x4020, 3));
    EXPECT_EQ(fixture.break_word(2), source_word(0x4030, 3));
    EXPECT_EQ(fixture.break_word(3), 0u);
    EXPECT_FALSE(table->remove(source_word(0x4010, 3)));

    EXPECT_TRUE(table->disable(source_word(0x4020, 3)));
    EXPECT_EQ(fixture.break_word(1), source_word(0x4020, 3) & ~be::kArmed);
    EXPECT_EQ(table->count(), 3u);  // still in the table until the next stop
    table->compact();
    EXPECT_EQ(table->count(), 2u);
    EXPECT_EQ(fixture.break_word(1), source_word(0x4030, 3));
    EXPECT_EQ(fixture.break_word(2), 0u);
}

TEST(BreakTableTest, AFullTableRefusesAndKeepsItsTerminator) {
    TargetFixture fixture;
    const TargetMemory memory({fixture.eram, fixture.rom});
    auto table = BreakTable::open(memory, BreakTableId::Temporary);
    ASSERT_TRUE(table);
    for (std::uint32_t i = 0; i + 1 < table->capacity(); ++i) ASSERT_TRUE(table->append(BreakForm::kStep | i));
    EXPECT_FALSE(table->append(BreakForm::kStep | 0xFFFF));
    EXPECT_EQ(table->count(), table->capacity() - 1);
    EXPECT_EQ(fixture.temp_word(table->capacity() - 1), 0u);
}

TEST(BreakTableTest, RefusesATableOutsideTheView) {
    TargetFixture fixture;
    std::uint32_t bad = static_cast<std::uint32_t>(fixture.eram.size());
    std::memcpy(fixture.eram.data() + ControlBlock::kBreakTableOffset, &bad, 4);
    const TargetMemory memory({fixture.eram, fixture.rom});
    EXPECT_FALSE(BreakTable::open(memory, BreakTableId::Breakpoints));
    std::uint32_t odd = formats::kFirstTableOffset + 2;
    std::memcpy(fixture.eram.data() + ControlBlock::kBreakTableOffset, &odd, 4);
    EXPECT_FALSE(BreakTable::open(memory, BreakTableId::Breakpoints));
}

TEST(LocateStopTest, ClassifiesThePc) {
    DebugProject project;
    struct Case {
        std::uint16_t pc;
        int result;
        std::uint32_t line;
    };
    const Case cases[] = {
        {0x1ABF, kStopOutsideSource, 0}, {0xC000, kStopOutsideSource, 0}, {0x1AC0, kStopOutsideSource, 0},
        {0x2001, kStopOnLine, 30},       {0x4000, kStopOnLine, 10},       {0x4004, kStopOnLine, 11},
        {0x4008, kStopOutsideSource, 0},  // inside the segment but on no line record
        {0xBFFF, kStopOutsideSource, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pc);
        int result = 0;
        auto session = project.stopped_at(c.pc, &result);
        EXPECT_EQ(result, c.result);
        EXPECT_EQ(session->line(), c.line);
        EXPECT_EQ(session->stop_pc(), c.pc);
    }
}

TEST(LocateStopTest, FillsTheStopFieldsAndCleansTheTables) {
    DebugProject project;
    auto session = project.session();
    ASSERT_TRUE(session->AddTableEntry(0x4000, BreakForm::kStep, BreakTableId::Temporary));
    ASSERT_TRUE(session->AddTableEntry(0x4003, source_word(0, 3), BreakTableId::Breakpoints));
    ASSERT_TRUE(session->AddTableEntry(0x4005, source_word(0, 3), BreakTableId::Breakpoints));
    ASSERT_TRUE(session->DisableBreakPoint(source_word(0x4003, 3)));

    project.target.set_pc(0x4006);
    ASSERT_EQ(session->LocateStop(), kStopOnLine);
    EXPECT_EQ(session->source_path(), project.main_source);
    EXPECT_EQ(session->line(), 12u);
    EXPECT_EQ(session->line_start(), 0x4005);
    EXPECT_EQ(session->line_end(), 0x4007);
    EXPECT_EQ(session->procedure_end(), 0x4008);
    EXPECT_EQ(session->bank(), kDeviceBank);
    EXPECT_EQ(project.target.temp_word(0), 0u);
    EXPECT_EQ(project.target.break_word(0), source_word(0x4005, 3));
    EXPECT_EQ(project.target.break_word(1), 0u);
}

TEST(LocateStopTest, NeedsTheProgramsBankAndFlash) {
    DebugProject project;
    project.target.set_bank(kDeviceBank + 1);
    int result = 0;
    project.stopped_at(0x4000, &result);
    EXPECT_EQ(result, kStopOutsideSource);

    project.target.set_bank(kDeviceBank);
    project.target.set_page_flags(4, 0x40);
    project.target.set_page_flags(5, 0x40);
    project.stopped_at(0x4000, &result);
    EXPECT_EQ(result, kStopOutsideSource);

    // The fixed area belongs to every bank.
    project.target.set_bank(9);
    project.stopped_at(0x2000, &result);
    EXPECT_EQ(result, kStopOnLine);
}

TEST(LocateStopTest, AMissingDebugFileEndsTheRun) {
    DebugProject project;
    std::filesystem::remove(project.folder + "debug/game.deb");
    int result = 0;
    auto session = project.stopped_at(0x4000, &result);
    EXPECT_EQ(result, kStopFileError);
    EXPECT_NE(session->last_file_error(), 0);
}

TEST(SetBreakPointTest, PlantsAtTheLineOrTheNextLineWithCode) {
    DebugProject project;
    auto session = project.session();
    const std::string modules[] = {"main"};
    struct Case {
        std::uint32_t line;
        int result;
        std::uint32_t word;
    };
    const Case cases[] = {
        {10, 0, source_word(0x4000, kDeviceBank)},
        {13, 14 << 4 | 1, source_word(0x4007, kDeviceBank)},  // blank line moves on
        {1, 10 << 4 | 1, source_word(0x4000, kDeviceBank)},
        {30, 0, source_word(0x2000, 0)},  // fixed area: no bank
        {31, kBreakNoCode, 0},
    };
    unsigned planted = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        std::uint32_t word = 0;
        // The path is matched without regard to case.
        std::string path = project.main_source;
        path.back() = 'M';
        EXPECT_EQ(session->SetBreakPoint(modules, path, c.line, &word), c.result);
        EXPECT_EQ(word, c.word);
        if (c.word) {
            EXPECT_EQ(project.target.break_word(planted++), c.word);
        }
    }
    EXPECT_TRUE(session->RemoveBreakPoint(source_word(0x2000, 0)));
}

// Only armed code entries of the bank now mapped: the fixed area and an entry
// without the bank flag belong to every bank.
TEST(SetBreakPointTest, PlantedAddressesAreTheArmedOnesOfTheMappedBank) {
    DebugProject project;
    auto session = project.session();
    const std::uint32_t entries[] = {
        source_word(0x4000, kDeviceBank), source_word(0x4003, kDeviceBank + 1),           // another bank
        source_word(0x2000, 0),           source_word(0x4005, kDeviceBank),               // disarmed below
        BreakForm::kBefore | 0x6000,      (BreakForm::kSource & ~be::kExecute) | 0x4007,  // a data entry
    };
    for (const std::uint32_t entry : entries)
        ASSERT_TRUE(session->AddTableEntry(static_cast<std::uint16_t>(entry), entry, BreakTableId::Breakpoints));
    ASSERT_TRUE(session->DisableBreakPoint(source_word(0x4005, kDeviceBank)));
    EXPECT_EQ(session->PlantedBreakAddresses(), (std::vector<std::uint16_t>{0x4000, 0x2000, 0x6000}));

    project.target.set_bank(kDeviceBank + 1);
    EXPECT_EQ(session->PlantedBreakAddresses(), (std::vector<std::uint16_t>{0x4003, 0x2000, 0x6000}));
}

TEST(SetBreakPointTest, ReportsWhyABreakpointCannotBePlaced) {
    DebugProject project;
    auto session = project.session();
    const std::string modules[] = {"main"};
    std::uint32_t word = 0;
    EXPECT_EQ(session->SetBreakPoint(modules, project.folder + "other.asm", 10, &word), kBreakNoModule);
    EXPECT_EQ(session->SetBreakPoint(modules, project.folder + "inc.asm", 1, &word), kBreakNoCode);
    const std::string missing[] = {"gone", "main"};
    EXPECT_EQ(session->SetBreakPoint(missing, project.main_source, 10, &word), kBreakFileError);
    EXPECT_NE(session->last_file_error(), 0);

    auto map = project.make_map();
    map.objects[0].name = project.folder + "debug/other.obj";
    project.write_files(project.make_object(), map);
    EXPECT_EQ(session->SetBreakPoint(modules, project.main_source, 10, &word), kBreakNotInMap);
    EXPECT_EQ(project.target.break_word(0), 0u);
}

TEST(SetBreakPointTest, AFullTableLeavesTheBreakpointUnplanted) {
    DebugProject project;
    auto session = project.session();
    for (std::uint32_t i = 0; i + 1 < formats::kFirstBreakTableEntries; ++i)
        ASSERT_TRUE(
            session->AddTableEntry(static_cast<std::uint16_t>(i), BreakForm::kBefore, BreakTableId::Breakpoints));
    const std::string modules[] = {"main"};
    std::uint32_t word = 0;
    EXPECT_EQ(session->SetBreakPoint(modules, project.main_source, 10, &word), kBreakTableFull);
    EXPECT_EQ(word, 0u);
}

TEST(DebugFilesTest, CorruptOffsetsReadAsAbsent) {
    DebugProject project;
    auto spec = project.make_object();
    std::string object = testing::write_obj(spec);
    // Point the line table past the end of the file.
    const std::uint32_t beyond = 0xFFFFFFF0;
    std::memcpy(object.data() + offsetof(formats::ObjFileHeader, lines_offset), &beyond, 4);
    project.dir.write("debug/main.obj", object);
    int result = 0;
    project.stopped_at(0x4000, &result);
    EXPECT_EQ(result, kStopOutsideSource);

    project.dir.write("debug/game.deb", std::string("\x05\x00\x00\x00\xFF\xFF\xFF\xFF", 8));
    project.stopped_at(0x4000, &result);
    EXPECT_EQ(result, kStopOutsideSource);

    // Every object names the same long section table, whose sections all
    // name the same long segment table: the search ends, it does not multiply.
    std::string looped(0x10000, '\0');
    auto put = [&](std::size_t at, std::uint32_t value, std::size_t width) {
        std::memcpy(looped.data() + at, &value, width);
    };
    put(0, 0x10, 2);  // objects
    for (std::size_t o = 0; o < 0x10; ++o) {
        put(8 + 12 * o + 4, 0x7DF, 2);  // sections
        put(8 + 12 * o + 8, 0xC100, 4);
    }
    for (std::size_t at = 0xC100; at + 8 <= 0x10000; at += 8) {
        put(at, 0x100, 4);  // 0x2000 segments at 0x100
        put(at + 4, 0x2000, 2);
    }
    project.dir.write("debug/game.deb", looped);
    project.stopped_at(0x4000, &result);
    EXPECT_EQ(result, kStopOutsideSource);
}

}  // namespace
}  // namespace ide
