#pragma once
// A control block laid out as the simulator lays out its own, over memory the
// caller owns: used by the tests (over plain vectors) and by the fake
// simulator (over the shared mappings). Pages 0-1 are RAM, pages 2-5 the
// bank window onto the program's flash (in "ERam", not writable), pages 6-7
// ROM in "IRom".
#include <cstdint>
#include <span>
#include <vector>

namespace ide::testing {

inline constexpr std::uint32_t kFixtureEramSize = 0x2000 + 6 * 0x2000;
inline constexpr std::uint32_t kFixtureRomSize = 2 * 0x2000;
inline constexpr std::uint32_t kFixtureLowAreaOffset = 0x2000 + 0x200;  // inside page 0's RAM

void lay_out_control_block(std::span<std::uint8_t> eram);

// Both views in plain memory, for tests in one process.
struct TargetFixture {
    TargetFixture();
    std::vector<std::uint8_t> eram;
    std::vector<std::uint8_t> rom;

    void set_pc(std::uint16_t pc);
    void set_bank(std::uint8_t bank);
    void set_page_flags(unsigned page, std::uint8_t flags);
    // Writes bytes at a target address through the fixture's own layout.
    void poke(std::uint16_t address, std::span<const std::uint8_t> bytes);
    std::uint32_t break_word(unsigned index) const;
    std::uint32_t temp_word(unsigned index) const;
};

}  // namespace ide::testing
