#pragma once
// The two breakpoint tables inside the control block, which the simulator's
// emulation thread walks while the target runs. Every word goes through the
// atomic shared accesses. While the target runs the IDE only appends (the new
// terminator first, then the entry over the old one) and clears bits in
// place; entries move only while the target is stopped.
#include <cstdint>
#include <optional>

#include "formats/cpu_block.h"
#include "ide/debugger/target_memory.h"

namespace ide {

namespace BreakForm {
inline constexpr std::uint32_t kSource = 0xEC000000;      // stop before; source breakpoint or line step
inline constexpr std::uint32_t kBefore = 0xE0000000;      // stop before; temporary entry
inline constexpr std::uint32_t kStep = 0xF0000000;        // stop after executing the instruction
inline constexpr std::uint32_t kStepSource = 0xFC000000;  // stop after, with the source bits
}  // namespace BreakForm

// 0x1AC0 <= address < 0x4000: the fixed area belongs to no bank.
bool in_fixed_area(std::uint16_t address);
// The word as planted: flags | address, bank bits cleared in the fixed area.
std::uint32_t make_break_word(std::uint16_t address, std::uint32_t flags_and_bank);

enum class BreakTableId { Breakpoints = 0, Temporary = 1 };

class BreakTable {
public:
    // The table named in the control block; nothing when its offset or size
    // places it outside the control view or leaves no room for a terminator.
    static std::optional<BreakTable> open(const TargetMemory& memory, BreakTableId id);

    std::uint32_t capacity() const { return capacity_; }
    // Number of in-use entries before the terminator.
    std::uint32_t count() const;
    std::uint32_t word(std::uint32_t index) const;

    // Appends an entry; false when the table is full (the entry and its
    // terminator must both fit).
    bool append(std::uint32_t entry);
    // Clears bit 30 of the first in-use entry equal to `entry` (bit 25 ignored).
    bool disable(std::uint32_t entry);
    // Removes the first in-use entry equal to `entry`; only while stopped.
    bool remove(std::uint32_t entry);
    // Removes every entry whose bit 30 is clear; only while stopped.
    void compact();
    // Zeroes the whole table, the first word first.
    void clear();

private:
    BreakTable(std::uint32_t* words, std::uint32_t capacity) : words_(words), capacity_(capacity) {}
    std::optional<std::uint32_t> find(std::uint32_t entry) const;
    void store(std::uint32_t index, std::uint32_t value);

    std::uint32_t* words_;
    std::uint32_t capacity_;
};

}  // namespace ide
