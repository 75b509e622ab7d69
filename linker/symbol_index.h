#pragma once
// A name-to-value table for the linker's symbol lookups: open addressing with
// the full hash kept beside each name, so a lookup touches one slot and, on a
// hash match, the name itself. Links resolve tens of thousands of references
// against tables that outgrow the caches; a node-based map costs several
// cache misses per lookup where this costs about two.
#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

namespace linker {

template <class Value>
class SymbolIndex {
public:
    void reserve(std::size_t count) {
        std::size_t capacity = 16;
        while (capacity < count * 2) capacity *= 2;
        if (capacity > slots_.size()) rehash(capacity);
    }

    // Adds the name unless present; false (and the first value kept) when it was.
    bool insert(std::string_view name, const Value& value) {
        if ((size_ + 1) * 2 > slots_.size()) rehash(slots_.empty() ? 16 : slots_.size() * 2);
        const auto hash = hash_of(name);
        auto& slot = slots_[probe(name, hash)];
        if (slot.used) return false;
        slot = {hash, name, value, true};
        ++size_;
        return true;
    }

    const Value* find(std::string_view name) const {
        if (slots_.empty()) return nullptr;
        const auto& slot = slots_[probe(name, hash_of(name))];
        return slot.used ? &slot.value : nullptr;
    }

private:
    struct Slot {
        std::uint64_t hash = 0;
        std::string_view name;
        Value value{};
        bool used = false;
    };

    static std::uint64_t hash_of(std::string_view name) { return std::hash<std::string_view>{}(name); }

    // The slot holding `name`, or the empty slot where it would go.
    std::size_t probe(std::string_view name, std::uint64_t hash) const {
        const auto mask = slots_.size() - 1;
        for (auto i = std::size_t(hash) & mask;; i = (i + 1) & mask) {
            const auto& slot = slots_[i];
            if (!slot.used || (slot.hash == hash && slot.name == name)) return i;
        }
    }

    void rehash(std::size_t capacity) {
        std::vector<Slot> old(capacity);
        old.swap(slots_);
        for (const auto& slot : old)
            if (slot.used) slots_[probe(slot.name, slot.hash)] = slot;
    }

    std::vector<Slot> slots_;
    std::size_t size_ = 0;
};

}  // namespace linker
