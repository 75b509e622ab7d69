#include "simulator/cpu/breakpoints.h"

#include <functional>

#include "simulator/cpu/memory_map.h"

namespace simcpu {
namespace {

using namespace formats;

// The bits an entry must have (under `mask`) for one kind of scan.
struct Filter {
    std::uint32_t mask;
    std::uint32_t want;
};

constexpr Filter FilterFor(BreakScan scan) {
    constexpr std::uint32_t armed = BreakEntry::kArmed, execute = BreakEntry::kExecute,
                            flag28 = BreakEntry::kAfterOrReads;
    switch (scan) {
    case BreakScan::Execute: return {armed | execute, armed | execute};
    case BreakScan::ExecuteAfter: return {armed | execute | flag28, armed | execute | flag28};
    case BreakScan::DataRead: return {armed | execute | flag28, armed | flag28};
    case BreakScan::DataWrite: return {armed | execute, armed};
    }
    return {};
}

// The entry's host place, worked out once and cached until the IDE rewrites
// the entry without its placed bit.
const std::uint8_t* EntryPlace(const KernelCore& core, std::uint32_t& word, std::uint8_t*& cached) {
    if (!(word & BreakEntry::kPlaced)) {
        cached = (word & BreakEntry::kBanked)
                     ? MapBankedEntry(core, word)
                     : MapPlain(core, static_cast<std::uint16_t>(word & BreakEntry::kAddressMask));
        word |= BreakEntry::kPlaced;
    }
    return cached;
}

bool InRange(const std::uint8_t* place, const std::uint8_t* first, const std::uint8_t* last) {
    if (!first || !last) return false;
    std::less_equal<const std::uint8_t*> le;  // a total order even across memories
    return le(first, place) && le(place, last);
}

// Walks one table to its first entry without the valid bit. `base` is the
// table's first index in the numbering of both tables.
BreakHit ScanTable(KernelCore& core, std::uint32_t* words, int count, int base, const std::uint8_t* place,
                   Filter filter) {
    std::uint8_t** places = core.breakPlaces.data() + base;
    for (int i = 0; i < count && (words[i] & BreakEntry::kValid); ++i) {
        std::uint32_t word = words[i];
        bool range = (word & BreakEntry::kRangeStart) && i + 1 < count && (words[i + 1] & BreakEntry::kValid);
        if ((word & filter.mask) == filter.want) {
            const std::uint8_t* first = EntryPlace(core, words[i], places[i]);
            const std::uint8_t* last = range ? EntryPlace(core, words[i + 1], places[i + 1]) : first;
            if (InRange(place, first, last)) {
                core.stopIndex = static_cast<std::uint32_t>(base + i);
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
    Filter filter = FilterFor(scan);
    BreakHit hit = ScanTable(core, core.block->first_table, kFirstBreakTableEntries, 0, place, filter);
    if (!hit.hit) {
        hit = ScanTable(core, core.block->second_table, kSecondBreakTableEntries, kFirstBreakTableEntries, place,
                        filter);
    }
    return hit;
}

}  // namespace simcpu
