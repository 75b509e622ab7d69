#include "simulator/cpu/breakpoints.h"

#include <functional>

#include "simulator/cpu/memory_map.h"

namespace simcpu {
namespace {

using namespace formats;

std::uint32_t& EntryWord(KernelCore& core, int index) {
    return index < static_cast<int>(kFirstBreakTableEntries)
               ? core.block->first_table[index]
               : core.block->second_table[index - kFirstBreakTableEntries];
}

// The entry's host place, worked out once and cached until the IDE rewrites it.
const std::uint8_t* EntryPlace(KernelCore& core, int index) {
    std::uint32_t& word = EntryWord(core, index);
    if (!(word & BreakEntry::kPlaced)) {
        core.breakPlaces[index] = (word & BreakEntry::kBanked)
                                      ? MapBankedEntry(core, word)
                                      : MapPlain(core, static_cast<std::uint16_t>(word & BreakEntry::kAddressMask));
        word |= BreakEntry::kPlaced;
    }
    return core.breakPlaces[index];
}

bool Wanted(std::uint32_t word, BreakScan scan) {
    if (!(word & BreakEntry::kArmed)) return false;
    bool execute = word & BreakEntry::kExecute;
    bool flag28 = word & BreakEntry::kAfterOrReads;
    switch (scan) {
    case BreakScan::Execute: return execute;
    case BreakScan::ExecuteAfter: return execute && flag28;
    case BreakScan::DataRead: return !execute && flag28;
    case BreakScan::DataWrite: return !execute;
    }
    return false;
}

bool InRange(const std::uint8_t* place, const std::uint8_t* first, const std::uint8_t* last) {
    if (!first || !last) return false;
    std::less_equal<const std::uint8_t*> le;  // a total order even across memories
    return le(first, place) && le(place, last);
}

// Walks one table from `first` (its index in the combined numbering) to its
// first entry without the valid bit.
BreakHit ScanTable(KernelCore& core, int first, int count, const std::uint8_t* place, BreakScan scan) {
    for (int i = first; i < first + count; ++i) {
        std::uint32_t word = EntryWord(core, i);
        if (!(word & BreakEntry::kValid)) break;
        bool range = (word & BreakEntry::kRangeStart) && i + 1 < first + count &&
                     (EntryWord(core, i + 1) & BreakEntry::kValid);
        if (Wanted(word, scan)) {
            const std::uint8_t* start = EntryPlace(core, i);
            const std::uint8_t* end = range ? EntryPlace(core, i + 1) : start;
            if (InRange(place, start, end)) {
                core.stopIndex = static_cast<std::uint32_t>(i);
                return {true, (word & BreakEntry::kAfterOrReads) != 0};
            }
        }
        if (range) ++i;
    }
    return {};
}

}  // namespace

BreakHit ScanBreakpoints(KernelCore& core, const std::uint8_t* place, BreakScan scan) {
    if (!place) return {};
    BreakHit hit = ScanTable(core, 0, kFirstBreakTableEntries, place, scan);
    if (!hit.hit) hit = ScanTable(core, kFirstBreakTableEntries, kSecondBreakTableEntries, place, scan);
    return hit;
}

}  // namespace simcpu
