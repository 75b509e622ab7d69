#pragma once
// Scans of the two breakpoint tables of the CPU and I/O block. Entries are
// matched by host place, so a banked entry hits only while its bank is mapped.
#include <cstdint>

#include "simulator/cpu/kernel_core.h"

namespace simcpu {

enum class BreakScan {
    Execute,       // before an instruction: any armed execute entry
    ExecuteAfter,  // after a resume: only the stop-after execute entries
    DataRead,      // after an instruction that only read its operand
    DataWrite,     // after one that wrote it
};

struct BreakHit {
    bool hit = false;
    bool after = false;  // bit 28 of the entry that hit
};

// The walk of ScanBreakpoints over tables that hold entries.
BreakHit ScanBreakTables(KernelCore& core, const std::uint8_t* place, BreakScan scan);

// The first entry that hits `place`. Sets stopIndex on a hit and places (and
// caches) entries that the IDE wrote anew. Inline: the checked interpreter
// scans before every instruction and after every operand access, and both
// tables are usually empty.
inline BreakHit ScanBreakpoints(KernelCore& core, const std::uint8_t* place, BreakScan scan) {
    const formats::TargetControlBlock& block = *core.block;
    bool empty = !((block.first_table[0] | block.second_table[0]) & formats::BreakEntry::kValid);
    if (empty || !place) return {};
    return ScanBreakTables(core, place, scan);
}

}  // namespace simcpu
