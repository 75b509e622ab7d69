#pragma once
// A name-to-value table for the linker's symbol lookups: open addressing over
// small slots, with every name copied once into one block of characters.
// Links resolve hundreds of thousands of references against tables that
// outgrow the caches, so a lookup must touch as little memory as possible:
// one slot (the upper half of the hash in it rules out almost every wrong
// name) and, on a match, the name's characters, which sit together in a
// block that grows with the number of names, not with the size of the
// inputs they came from. Callers that look up many names in a row hash a
// few names ahead and prefetch their slots and names (for_each_hashed), so
// the misses overlap.
#include <cstdint>
#include <functional>
#include <optional>
#include <array>
#include <limits>
#include <new>
#include <string>
#include <string_view>
#include <vector>

namespace linker {

template <class Value>
class SymbolIndex {
public:
    static std::uint64_t hash_of(std::string_view name) { return std::hash<std::string_view>{}(name); }

    void reserve(std::size_t count) {
        std::size_t capacity = 16;
        while (capacity < count * 2) capacity *= 2;
        if (capacity > slots_.size()) rehash(capacity);
    }

    // Adds the name unless present; false (and the first value kept) when it was.
    bool insert(std::string_view name, const Value& value) { return insert(name, hash_of(name), value); }

    // `hash` must be hash_of(name).
    bool insert(std::string_view name, std::uint64_t hash, const Value& value) {
        if ((size_ + 1) * 2 > slots_.size()) rehash(slots_.empty() ? 16 : slots_.size() * 2);
        auto& slot = slots_[probe(name, hash)];
        if (slot.used()) return false;
        // Offsets are 32 bits to keep slots small; no real link comes near.
        if (name.size() > kEmpty - 1 - names_.size()) throw std::bad_alloc();
        slot = {tag_of(hash), std::uint32_t(names_.size()), std::uint32_t(name.size()), value};
        names_.append(name);
        ++size_;
        return true;
    }

    const Value* find(std::string_view name) const { return find(name, hash_of(name)); }

    // `hash` must be hash_of(name).
    const Value* find(std::string_view name, std::uint64_t hash) const {
        if (slots_.empty()) return nullptr;
        const auto& slot = slots_[probe(name, hash)];
        return slot.used() ? &slot.value : nullptr;
    }

    // Start loading what find(name, hash) or insert reads, in two steps well
    // ahead of it: the slot, and once that has arrived, the name it holds.
    void prefetch_slot(std::uint64_t hash) const {
        if (!slots_.empty()) __builtin_prefetch(&slots_[std::size_t(hash) & (slots_.size() - 1)]);
    }
    void prefetch_name(std::uint64_t hash) const {
        if (slots_.empty()) return;
        const auto& slot = slots_[std::size_t(hash) & (slots_.size() - 1)];
        if (slot.used() && slot.tag == tag_of(hash)) __builtin_prefetch(names_.data() + slot.name_start);
    }

private:
    static constexpr std::uint32_t kEmpty = std::numeric_limits<std::uint32_t>::max();

    struct Slot {
        std::uint32_t tag = 0;
        std::uint32_t name_start = 0;
        std::uint32_t name_length = kEmpty;
        Value value{};
        bool used() const { return name_length != kEmpty; }
    };

    // The slot's position comes from the low bits of the hash, the tag from the high ones.
    static std::uint32_t tag_of(std::uint64_t hash) { return std::uint32_t(hash >> 32); }

    std::string_view name_of(const Slot& slot) const { return {names_.data() + slot.name_start, slot.name_length}; }

    // The slot holding `name`, or the empty slot where it would go.
    std::size_t probe(std::string_view name, std::uint64_t hash) const {
        const auto mask = slots_.size() - 1;
        const auto tag = tag_of(hash);
        for (auto i = std::size_t(hash) & mask;; i = (i + 1) & mask) {
            const auto& slot = slots_[i];
            if (!slot.used() || (slot.tag == tag && name_of(slot) == name)) return i;
        }
    }

    void rehash(std::size_t capacity) {
        std::vector<Slot> old(capacity);
        old.swap(slots_);
        const auto mask = capacity - 1;
        for (const auto& slot : old) {
            if (!slot.used()) continue;
            // Names are unique: the first free slot is the place, no comparison needed.
            auto i = std::size_t(hash_of(name_of(slot))) & mask;
            while (slots_[i].used()) i = (i + 1) & mask;
            slots_[i] = slot;
        }
    }

    std::vector<Slot> slots_;
    std::string names_;  // every name, back to back
    std::size_t size_ = 0;
};

// Calls visit(i, hash) for i = 0 .. count-1 in order, for each item that
// name_of(i) gives a name (an optional), with the name's hash. The hashes are
// computed ahead and the index's slots and names prefetched, so that a long
// run of lookups or inserts overlaps its cache misses.
template <class Value, class NameOf, class Visit>
void for_each_hashed(const SymbolIndex<Value>& index, std::size_t count, NameOf name_of, Visit visit) {
    static constexpr std::size_t kSlotsAhead = 16, kNamesAhead = 8;
    std::array<std::optional<std::uint64_t>, kSlotsAhead> hashes{};  // of item i at i % kSlotsAhead
    auto hash_ahead = [&](std::size_t i) {
        if (i >= count) return;
        auto& hash = hashes[i % kSlotsAhead];
        hash.reset();
        if (const std::optional<std::string_view> name = name_of(i)) {
            hash = SymbolIndex<Value>::hash_of(*name);
            index.prefetch_slot(*hash);
        }
    };
    auto name_ahead = [&](std::size_t i) {
        if (i < count && hashes[i % kSlotsAhead]) index.prefetch_name(*hashes[i % kSlotsAhead]);
    };
    for (std::size_t i = 0; i < kSlotsAhead; ++i) hash_ahead(i);
    for (std::size_t i = 0; i < kNamesAhead; ++i) name_ahead(i);
    for (std::size_t i = 0; i < count; ++i) {
        if (const auto hash = hashes[i % kSlotsAhead]) visit(i, *hash);
        hash_ahead(i + kSlotsAhead);
        name_ahead(i + kNamesAhead);
    }
}

}  // namespace linker
