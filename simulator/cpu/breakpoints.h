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

// The first entry that hits `place`. Sets stopIndex on a hit and places (and
// caches) entries that the IDE wrote anew.
BreakHit ScanBreakpoints(KernelCore& core, const std::uint8_t* place, BreakScan scan);

}  // namespace simcpu
