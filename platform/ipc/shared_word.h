#pragma once
// Words of a mapping that two processes use without a lock between them (the
// breakpoint words and run flags of the CPU and I/O block) are read and written
// only through these, so neither side ever sees a torn or stale-cached value.
#include <atomic>
#include <cassert>
#include <cstdint>
#include <type_traits>

namespace ipc {

template <class Word>
Word load_shared(const Word* place) {
    static_assert(std::is_integral_v<Word> && std::atomic_ref<Word>::is_always_lock_free);
    assert(reinterpret_cast<std::uintptr_t>(place) % std::atomic_ref<Word>::required_alignment == 0);
    return std::atomic_ref<Word>(*const_cast<Word*>(place)).load(std::memory_order_acquire);
}

template <class Word>
void store_shared(Word* place, Word value) {
    static_assert(std::is_integral_v<Word> && std::atomic_ref<Word>::is_always_lock_free);
    assert(reinterpret_cast<std::uintptr_t>(place) % std::atomic_ref<Word>::required_alignment == 0);
    std::atomic_ref<Word>(*place).store(value, std::memory_order_release);
}

}  // namespace ipc
