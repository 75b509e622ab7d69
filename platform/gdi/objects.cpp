#include "platform/gdi/objects.h"

#include <mutex>
#include <vector>

namespace gdi {

namespace {

struct Slot {
    std::uint32_t generation = 0;
    Kind kind{};
    bool stock = false;
    std::shared_ptr<void> object;
};

struct Table {
    std::mutex mutex;
    std::vector<Slot> slots;
    std::vector<std::uint32_t> free;
};

Table& table() {
    static Table instance;
    return instance;
}

constexpr std::uintptr_t kIndexBits = 24;

HGDIOBJ encode(std::uint32_t index, Kind kind, std::uint32_t generation) {
    const std::uintptr_t value = (static_cast<std::uintptr_t>(generation) << 32) |
                                 (static_cast<std::uintptr_t>(kind) << kIndexBits) | (index + 1);
    return reinterpret_cast<HGDIOBJ>(value);
}

// The slot a handle names, or null when it is stale or not ours.
Slot* decode(Table& t, HGDIOBJ handle) {
    const auto value = reinterpret_cast<std::uintptr_t>(handle);
    const auto index = static_cast<std::uint32_t>(value & ((std::uintptr_t{1} << kIndexBits) - 1));
    if (index == 0 || index > t.slots.size()) return nullptr;
    Slot& slot = t.slots[index - 1];
    const auto kind = static_cast<Kind>((value >> kIndexBits) & 0xFF);
    const auto generation = static_cast<std::uint32_t>(value >> 32);
    if (!slot.object || slot.kind != kind || slot.generation != generation) return nullptr;
    return &slot;
}

}  // namespace

HGDIOBJ add_object(Kind kind, std::shared_ptr<void> object, bool stock) {
    Table& t = table();
    std::lock_guard lock(t.mutex);
    std::uint32_t index;
    if (!t.free.empty()) {
        index = t.free.back();
        t.free.pop_back();
    } else {
        if (t.slots.size() + 1 >= (std::size_t{1} << kIndexBits)) return nullptr;
        index = static_cast<std::uint32_t>(t.slots.size());
        t.slots.emplace_back();
    }
    Slot& slot = t.slots[index];
    ++slot.generation;
    slot.kind = kind;
    slot.stock = stock;
    slot.object = std::move(object);
    return encode(index, kind, slot.generation);
}

std::shared_ptr<void> find_object(HGDIOBJ handle, Kind kind) {
    Table& t = table();
    std::lock_guard lock(t.mutex);
    Slot* slot = decode(t, handle);
    return slot && slot->kind == kind ? slot->object : nullptr;
}

bool kind_of(HGDIOBJ handle, Kind* kind) {
    Table& t = table();
    std::lock_guard lock(t.mutex);
    Slot* slot = decode(t, handle);
    if (!slot) return false;
    *kind = slot->kind;
    return true;
}

bool remove_object(HGDIOBJ handle) {
    Table& t = table();
    std::shared_ptr<void> doomed;  // released outside the lock
    std::lock_guard lock(t.mutex);
    Slot* slot = decode(t, handle);
    if (!slot || slot->stock) return false;
    doomed = std::move(slot->object);
    t.free.push_back(static_cast<std::uint32_t>(slot - t.slots.data()));
    return true;
}

}  // namespace gdi
