#include "assembler/symbol_table.h"

#include <algorithm>

namespace dravlin {

namespace {

// Big-endian with zero padding: keys that differ order their names as the
// names' bytes do; equal keys need the whole names compared.
uint64_t name_key(std::string_view name) {
    uint64_t key = 0;
    for (size_t i = 0; i < name.size() && i < 8; ++i) {
        key |= uint64_t{static_cast<unsigned char>(name[i])} << (8 * (7 - i));
    }
    return key;
}

uint64_t name_hash(std::string_view name) {
    uint64_t hash = 0xcbf29ce484222325u;  // FNV-1a
    for (char c : name) hash = (hash ^ static_cast<unsigned char>(c)) * 0x100000001b3u;
    return hash;
}

}  // namespace

// Room for as many records as the store can count, reserved at once: the
// pages are taken only as records fill them, and no record is ever moved.
SymbolTable::SymbolTable() {
    constexpr size_t kMostRecords = std::min(kMaxSymbols, kStoreCapacity / (kRecordFixedBytes + 2));
    records_.reserve(kMostRecords);
    name_keys_.reserve(kMostRecords);
    order_.reserve(kMostRecords);
}

SymbolTable::Position SymbolTable::find(std::string_view name) const {
    const uint64_t key = name_key(name);
    int low = 0, high = size() - 1, middle = 0;
    int order = -1;
    while (low <= high) {
        middle = (low + high) / 2;
        const uint64_t other = name_keys_[order_[static_cast<size_t>(middle)]];
        // std::string_view compares bytes as unsigned characters.
        order = key < other ? -1 : key > other ? 1 : name.compare(at(middle).name);
        if (order == 0) return {middle, Relation::Found};
        if (order < 0)
            high = middle - 1;
        else
            low = middle + 1;
    }
    return {middle, order < 0 ? Relation::Before : Relation::After};
}

int SymbolTable::index_of(std::string_view name) const {
    if (!lookup_slots_.empty()) {
        const size_t mask = lookup_slots_.size() - 1;
        for (size_t slot = name_hash(name) & mask;; slot = (slot + 1) & mask) {
            int32_t index = lookup_slots_[slot];
            if (index < 0 || at(index).name == name) return index;
        }
    }
    Position position = find(name);
    return position.relation == Relation::Found ? position.index : -1;
}

SymbolTable::InsertResult SymbolTable::add_record(int index, std::string_view name, SymbolKind kind, int32_t value,
                                                  SourcePlace place) {
    size_t bytes = kRecordFixedBytes + name.size() + 1;
    if (order_.size() >= kMaxSymbols || store_bytes_ + bytes > kStoreCapacity) {
        return {-1, InsertOutcome::Full};
    }
    store_bytes_ += bytes;
    lookup_slots_.clear();
    Symbol symbol;
    symbol.kind = kind;
    symbol.name.assign(name);
    symbol.place = place;
    symbol.value = value;
    records_.push_back(std::move(symbol));
    name_keys_.push_back(name_key(name));
    order_.insert(order_.begin() + index, static_cast<uint32_t>(records_.size() - 1));
    return {index, InsertOutcome::Added};
}

SymbolTable::InsertResult SymbolTable::insert(std::string_view name, SymbolKind kind, int32_t value,
                                              SourcePlace place) {
    Position position = find(name);
    switch (position.relation) {
        case Relation::Before: return add_record(position.index, name, kind, value, place);
        case Relation::After: return add_record(position.index + 1, name, kind, value, place);
        case Relation::Found: break;
    }
    Symbol& existing = at(position.index);
    if (existing.state != kSymbolDefined) {
        existing.state = kSymbolDefined;
        existing.kind = kind;
        existing.place = place;
        existing.value = value;
        return {position.index, InsertOutcome::Redefined};
    }
    bool block = kind == SymbolKind::Section || kind == SymbolKind::Segment;
    if (block && existing.kind == kind) {
        InsertResult result = add_record(position.index, name, kind, value, place);
        if (result.outcome == InsertOutcome::Added) result.outcome = InsertOutcome::Redeclared;
        return result;
    }
    return {position.index, InsertOutcome::Duplicate};
}

bool SymbolTable::define(std::string_view name, SymbolKind kind, int32_t value, bool settled, SourcePlace place,
                         int16_t section, int16_t segment) {
    int index = index_of(name);
    if (index < 0) return false;
    Symbol& symbol = at(index);
    symbol.state = kSymbolDefined;
    symbol.kind = kind;
    symbol.place = place;
    symbol.value = value;
    symbol.settled = settled;
    symbol.section = section;
    symbol.segment = segment;
    return true;
}

void SymbolTable::freeze_lookup() {
    size_t slots = 16;
    while (slots < 2 * order_.size()) slots *= 2;  // at most half full
    std::vector<int32_t> table(slots, -1);
    for (int index = 0; index < size(); ++index) {
        const std::string& name = at(index).name;
        // A repeated section or segment name answers what the search answers.
        bool repeated = (index > 0 && at(index - 1).name == name) || (index + 1 < size() && at(index + 1).name == name);
        int answer = repeated ? find(name).index : index;
        size_t slot = name_hash(name) & (slots - 1);
        while (table[slot] >= 0 && at(table[slot]).name != name) slot = (slot + 1) & (slots - 1);
        table[slot] = answer;
    }
    lookup_slots_ = std::move(table);
}

std::vector<int> SymbolTable::indices_by_handle() const {
    std::vector<int> indices(records_.size(), -1);
    for (size_t i = 0; i < order_.size(); ++i) indices[order_[i]] = static_cast<int>(i);
    return indices;
}

}  // namespace dravlin
