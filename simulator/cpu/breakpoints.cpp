#include "simulator/cpu/breakpoints.h"

#include <algorithm>
#include <cstring>
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

// Words up to and with a table's end word (its first without the valid bit).
std::uint32_t UsedWords(const std::uint32_t* words, std::uint32_t count) {
    std::uint32_t i = 0;
    while (i < count && (words[i] & BreakEntry::kValid)) ++i;
    return std::min(i + 1, count);
}

bool SummaryCurrent(const KernelCore& core) {
    const BreakSummary& s = core.breakSummary;
    const TargetControlBlock& block = *core.block;
    return s.valid && std::memcmp(block.first_table, s.words.data(), s.firstWords * sizeof(std::uint32_t)) == 0 &&
           std::memcmp(block.second_table, s.words.data() + kFirstBreakTableEntries,
                       s.secondWords * sizeof(std::uint32_t)) == 0;
}

void MarkBuckets(BreakSummary& s, const std::uint8_t* first, const std::uint8_t* last) {
    constexpr std::uintptr_t kWidestRange = 0x10000;
    auto from = reinterpret_cast<std::uintptr_t>(first) >> BreakSummary::kBucketShift;
    auto to = reinterpret_cast<std::uintptr_t>(last) >> BreakSummary::kBucketShift;
    if (to < from || (to - from) << BreakSummary::kBucketShift > kWidestRange) {
        s.scanAlways = true;
        return;
    }
    for (std::uintptr_t b = from; b <= to; ++b) {
        std::uint32_t bucket = static_cast<std::uint32_t>(b) & (BreakSummary::kBuckets - 1);
        s.buckets[bucket / 64] |= std::uint64_t{1} << (bucket % 64);
    }
}

void SummariseTable(KernelCore& core, const std::uint32_t* words, std::uint32_t used, int base) {
    BreakSummary& s = core.breakSummary;
    for (std::uint32_t i = 0; i < used && (words[i] & BreakEntry::kValid); ++i) {
        std::uint32_t word = words[i];
        bool range = (word & BreakEntry::kRangeStart) && i + 1 < used && (words[i + 1] & BreakEntry::kValid);
        if (word & BreakEntry::kArmed) {
            bool placed = (word & BreakEntry::kPlaced) && (!range || (words[i + 1] & BreakEntry::kPlaced));
            const std::uint8_t* first = core.breakPlaces[base + i];
            const std::uint8_t* last = range ? core.breakPlaces[base + i + 1] : first;
            if (!placed) {
                s.scanAlways = true;  // the next walk places it
            } else if (first && last) {
                MarkBuckets(s, first, last);
            }
        }
        if (range) ++i;
    }
}

void RebuildSummary(KernelCore& core) {
    BreakSummary& s = core.breakSummary;
    const TargetControlBlock& block = *core.block;
    s.firstWords = UsedWords(block.first_table, kFirstBreakTableEntries);
    s.secondWords = UsedWords(block.second_table, kSecondBreakTableEntries);
    std::copy_n(block.first_table, s.firstWords, s.words.begin());
    std::copy_n(block.second_table, s.secondWords, s.words.begin() + kFirstBreakTableEntries);
    s.scanAlways = false;
    s.buckets = {};
    SummariseTable(core, block.first_table, s.firstWords, 0);
    SummariseTable(core, block.second_table, s.secondWords, kFirstBreakTableEntries);
    s.valid = true;
}

}  // namespace

BreakHit ScanBreakTables(KernelCore& core, const std::uint8_t* place, BreakScan scan) {
    BreakSummary& summary = core.breakSummary;
    if (summary.comparedAt != core.stepSerial || !summary.valid) {
        if (!SummaryCurrent(core)) RebuildSummary(core);
        summary.comparedAt = core.stepSerial;
    }
    if (!summary.MayHit(place)) return {};
    Filter filter = FilterFor(scan);
    BreakHit hit = ScanTable(core, core.block->first_table, kFirstBreakTableEntries, 0, place, filter);
    if (!hit.hit) {
        hit =
            ScanTable(core, core.block->second_table, kSecondBreakTableEntries, kFirstBreakTableEntries, place, filter);
    }
    return hit;
}

}  // namespace simcpu
