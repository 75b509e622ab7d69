#include "assembler/symbol_table.h"

#include <algorithm>
#include <numeric>

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

void SymbolTable::reserve(size_t count) {
    records_.reserve(count);
    order_.reserve(count);
    name_keys_.reserve(count);
}

int SymbolTable::search(std::string_view name) const {
    const uint64_t key = name_key(name);
    int low = 0, high = size() - 1;
    while (low <= high) {
        int middle = (low + high) / 2;
        const uint64_t other = name_keys_[order_[static_cast<size_t>(middle)]];
        // std::string_view compares bytes as unsigned characters.
        int order = key < other ? -1 : key > other ? 1 : name.compare(at(middle).name);
        if (order == 0) return middle;
        if (order < 0)
            high = middle - 1;
        else
            low = middle + 1;
    }
    return -1;
}

int SymbolTable::index_of(std::string_view name) const {
    if (lookup_slots_.empty()) return -1;
    const size_t mask = lookup_slots_.size() - 1;
    for (size_t slot = name_hash(name) & mask;; slot = (slot + 1) & mask) {
        int32_t index = lookup_slots_[slot];
        if (index < 0 || at(index).name == name) return index;
    }
}

void SymbolTable::enter(int index) {
    if (2 * (entered_ + 1) > lookup_slots_.size()) {
        rehash();  // enters every index, this one too
        return;
    }
    const std::string& name = at(index).name;
    const size_t mask = lookup_slots_.size() - 1;
    size_t slot = name_hash(name) & mask;
    for (; lookup_slots_[slot] >= 0; slot = (slot + 1) & mask) {
        if (at(lookup_slots_[slot]).name == name) return;  // a name's first record answers
    }
    // Sorted, a repeated section or segment name answers what the search answers.
    bool repeated = sorted_ && index + 1 < size() && at(index + 1).name == name;
    lookup_slots_[slot] = repeated ? search(name) : index;
    ++entered_;
}

void SymbolTable::rehash() {
    size_t slots = 16;
    while (slots < 2 * (order_.size() + 1)) slots *= 2;
    lookup_slots_.assign(slots, -1);
    entered_ = 0;
    for (int index = 0; index < size(); ++index) enter(index);
}

SymbolTable::InsertResult SymbolTable::add_record(std::string_view name, SymbolKind kind, int32_t value,
                                                  SourcePlace place) {
    Symbol symbol;
    symbol.kind = kind;
    symbol.name.assign(name);
    symbol.place = place;
    symbol.value = value;
    records_.push_back(std::move(symbol));
    name_keys_.push_back(name_key(name));
    const int handle = static_cast<int>(records_.size() - 1);
    order_.push_back(static_cast<uint32_t>(handle));  // unsorted: the index is the handle
    enter(handle);
    return {handle, InsertOutcome::Added};
}

SymbolTable::InsertResult SymbolTable::insert(std::string_view name, SymbolKind kind, int32_t value,
                                              SourcePlace place) {
    if (sorted_) unsort();
    const int index = index_of(name);
    if (index < 0) return add_record(name, kind, value, place);
    Symbol& existing = at(index);
    if (existing.state != kSymbolDefined) {
        existing.state = kSymbolDefined;
        existing.kind = kind;
        existing.place = place;
        existing.value = value;
        return {index, InsertOutcome::Redefined};
    }
    bool block = kind == SymbolKind::Section || kind == SymbolKind::Segment;
    if (block && existing.kind == kind) return {add_record(name, kind, value, place).index, InsertOutcome::Redeclared};
    return {index, InsertOutcome::Duplicate};
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

void SymbolTable::sort() {
    std::sort(order_.begin(), order_.end(), [this](uint32_t a, uint32_t b) {
        if (name_keys_[a] != name_keys_[b]) return name_keys_[a] < name_keys_[b];
        int order = records_[a].name.compare(records_[b].name);
        return order != 0 ? order < 0 : a > b;  // a repeated name: newest first
    });
    sorted_ = true;
    rehash();
}

void SymbolTable::unsort() {
    std::iota(order_.begin(), order_.end(), 0u);
    sorted_ = false;
    rehash();
}

std::vector<int> SymbolTable::indices_by_handle() const {
    std::vector<int> indices(records_.size(), -1);
    for (size_t i = 0; i < order_.size(); ++i) indices[order_[i]] = static_cast<int>(i);
    return indices;
}

}  // namespace dravlin
