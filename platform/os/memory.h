#pragma once
// Reserve a range of address space and commit it in steps (VirtualAlloc's
// reserve/commit): tables that grow up to a cap keep a stable base address.
#include <cstddef>
#include <cstdint>

#include "platform/os/result.h"

namespace os {

class ReservedMemory {
public:
    // Address space only (mapped PROT_NONE): touching it faults until committed.
    static Result<ReservedMemory> reserve(std::size_t bytes);

    ReservedMemory() = default;
    ReservedMemory(ReservedMemory&& other) noexcept;
    ReservedMemory& operator=(ReservedMemory&& other) noexcept;
    ReservedMemory(const ReservedMemory&) = delete;
    ReservedMemory& operator=(const ReservedMemory&) = delete;
    ~ReservedMemory();

    // Makes the first `bytes` of the range readable and writable (rounded up
    // to whole pages); committed memory reads as zero. Fails beyond the
    // reservation. Committing less than what is committed keeps it.
    Status commit(std::size_t bytes);

    std::uint8_t* data() const { return base_; }
    std::size_t reserved() const { return reserved_; }
    std::size_t committed() const { return committed_; }

private:
    std::uint8_t* base_ = nullptr;
    std::size_t reserved_ = 0;
    std::size_t committed_ = 0;
};

}  // namespace os
