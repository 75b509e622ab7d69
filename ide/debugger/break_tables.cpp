#include "ide/debugger/break_tables.h"

#include <algorithm>

#include "platform/ipc/shared_word.h"

namespace ide {

namespace be = formats::BreakEntry;

bool in_fixed_area(std::uint16_t address) { return address >= 0x1AC0 && address < 0x4000; }

std::uint32_t make_break_word(std::uint16_t address, std::uint32_t flags_and_bank) {
    std::uint32_t word = (flags_and_bank & ~be::kAddressMask) | address;
    if (in_fixed_area(address)) word &= ~be::kBankMask;
    return word;
}

std::optional<BreakTable> BreakTable::open(const TargetMemory& memory, BreakTableId id) {
    const bool first = id == BreakTableId::Breakpoints;
    auto offset = memory.header_word(first ? ControlBlock::kBreakTableOffset : ControlBlock::kTempTableOffset);
    auto bytes = memory.header_word(first ? ControlBlock::kBreakTableSize : ControlBlock::kTempTableSize);
    if (!offset || !bytes || *offset % 4 != 0) return std::nullopt;
    const auto control = memory.views().control;
    if (*offset >= control.size()) return std::nullopt;
    const std::uint64_t room = (control.size() - *offset) / 4;
    const std::uint64_t capacity = std::min<std::uint64_t>(*bytes / 4, room);
    if (capacity == 0) return std::nullopt;
    return BreakTable(reinterpret_cast<std::uint32_t*>(control.data() + *offset), static_cast<std::uint32_t>(capacity));
}

std::uint32_t BreakTable::word(std::uint32_t index) const { return ipc::load_shared(words_ + index); }

std::uint32_t BreakTable::count() const {
    std::uint32_t index = 0;
    while (index < capacity_ && (word(index) & be::kValid)) ++index;
    return index;
}

// Words the IDE writes or moves lose the simulator's resolved mark, so the
// simulator resolves them afresh.
void BreakTable::store(std::uint32_t index, std::uint32_t value) {
    ipc::store_shared(words_ + index, value & ~be::kPlaced);
}

bool BreakTable::append(std::uint32_t entry) {
    const std::uint32_t end = count();
    if (end + 1 >= capacity_) return false;
    store(end + 1, 0);
    store(end, entry);
    return true;
}

std::optional<std::uint32_t> BreakTable::find(std::uint32_t entry) const {
    const std::uint32_t end = count();
    for (std::uint32_t index = 0; index < end; ++index) {
        if (((word(index) ^ entry) & ~be::kPlaced) == 0) return index;
    }
    return std::nullopt;
}

bool BreakTable::disable(std::uint32_t entry) {
    auto index = find(entry);
    if (!index) return false;
    store(*index, word(*index) & ~be::kArmed);
    return true;
}

bool BreakTable::remove(std::uint32_t entry) {
    auto index = find(entry);
    if (!index) return false;
    const std::uint32_t end = count();
    for (std::uint32_t at = *index; at < end; ++at) store(at, at + 1 < capacity_ ? word(at + 1) : 0);
    return true;
}

void BreakTable::compact() {
    const std::uint32_t end = count();
    std::uint32_t kept = 0;
    for (std::uint32_t at = 0; at < end; ++at) {
        const std::uint32_t value = word(at);
        if (value & be::kArmed) store(kept++, value);
    }
    for (std::uint32_t at = kept; at < end; ++at) store(at, 0);
}

void BreakTable::clear() {
    for (std::uint32_t at = 0; at < capacity_; ++at) store(at, 0);
}

}  // namespace ide
