#include "ide/debugger/testing/target_fixture.h"

#include <cstring>

#include "formats/cpu_block.h"
#include "ide/debugger/target_memory.h"

namespace ide::testing {

namespace {

void put32(std::span<std::uint8_t> bytes, std::uint32_t offset, std::uint32_t value) {
    std::memcpy(bytes.data() + offset, &value, 4);
}

}  // namespace

void lay_out_control_block(std::span<std::uint8_t> eram) {
    namespace cb = ControlBlock;
    put32(eram, 0, formats::kBlockMagic);
    for (unsigned page = 0; page < 8; ++page) {
        const bool in_eram = page < 6;
        put32(eram, cb::kPageOffsets + 4 * page, in_eram ? 0x2000 + page * 0x2000 : (page - 6) * 0x2000);
        std::uint8_t flags = cb::kPageInCompareCopy;
        if (in_eram) flags |= cb::kPageInControlView;
        if (page < 2) flags |= cb::kPageWritable;
        eram[cb::kPageFlags + page] = flags;
    }
    put32(eram, cb::kLowAreaOffset, kFixtureLowAreaOffset);
    put32(eram, cb::kRegisterBlockOffset, formats::kRegisterBlockOffset);
    put32(eram, cb::kIoBlockOffset, formats::kWriteLatchOffset);
    put32(eram, cb::kBreakTableOffset, formats::kFirstTableOffset);
    put32(eram, cb::kTempTableOffset, formats::kSecondTableOffset);
    put32(eram, cb::kBreakTableSize, formats::kFirstBreakTableEntries * 4);
    put32(eram, cb::kTempTableSize, formats::kSecondBreakTableEntries * 4);
}

TargetFixture::TargetFixture() : eram(kFixtureEramSize, 0), rom(kFixtureRomSize, 0) { lay_out_control_block(eram); }

void TargetFixture::set_pc(std::uint16_t pc) { std::memcpy(eram.data() + formats::kRegisterBlockOffset, &pc, 2); }

void TargetFixture::set_bank(std::uint8_t bank) { eram[formats::kWriteLatchOffset] = bank; }

void TargetFixture::set_page_flags(unsigned page, std::uint8_t flags) { eram[ControlBlock::kPageFlags + page] = flags; }

void TargetFixture::poke(std::uint16_t address, std::span<const std::uint8_t> bytes) {
    for (std::uint8_t byte : bytes) {
        const unsigned page = address >> 13;
        if (address < 0x40) {
            eram[formats::kWriteLatchOffset + address] = byte;
        } else if (address < 0x80) {
            eram[kFixtureLowAreaOffset + address - 0x40] = byte;
        } else if (page < 6) {
            eram[0x2000 + page * 0x2000 + (address & 0x1FFF)] = byte;
        } else {
            rom[(page - 6) * 0x2000 + (address & 0x1FFF)] = byte;
        }
        ++address;
    }
}

std::uint32_t TargetFixture::break_word(unsigned index) const {
    std::uint32_t word;
    std::memcpy(&word, eram.data() + formats::kFirstTableOffset + 4 * index, 4);
    return word;
}

std::uint32_t TargetFixture::temp_word(unsigned index) const {
    std::uint32_t word;
    std::memcpy(&word, eram.data() + formats::kSecondTableOffset + 4 * index, 4);
    return word;
}

}  // namespace ide::testing
