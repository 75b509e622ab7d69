#include "platform/os/memory.h"

#include <sys/mman.h>
#include <unistd.h>

#include <utility>

namespace os {

namespace {

std::size_t page_size() {
    static const std::size_t size = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
    return size;
}

std::size_t round_to_pages(std::size_t bytes) {
    const std::size_t page = page_size();
    return (bytes + page - 1) / page * page;
}

}  // namespace

Result<ReservedMemory> ReservedMemory::reserve(std::size_t bytes) {
    if (bytes == 0 || bytes > (std::size_t(1) << 46)) return Error{EINVAL, "reserve memory: invalid size"};
    const std::size_t size = round_to_pages(bytes);
    void* base = ::mmap(nullptr, size, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    if (base == MAP_FAILED) return system_error("reserve memory");
    ReservedMemory memory;
    memory.base_ = static_cast<std::uint8_t*>(base);
    memory.reserved_ = size;
    return memory;
}

ReservedMemory::ReservedMemory(ReservedMemory&& other) noexcept
    : base_(std::exchange(other.base_, nullptr)),
      reserved_(std::exchange(other.reserved_, 0)),
      committed_(std::exchange(other.committed_, 0)) {}

ReservedMemory& ReservedMemory::operator=(ReservedMemory&& other) noexcept {
    if (this != &other) {
        if (base_) ::munmap(base_, reserved_);
        base_ = std::exchange(other.base_, nullptr);
        reserved_ = std::exchange(other.reserved_, 0);
        committed_ = std::exchange(other.committed_, 0);
    }
    return *this;
}

ReservedMemory::~ReservedMemory() {
    if (base_) ::munmap(base_, reserved_);
}

Status ReservedMemory::commit(std::size_t bytes) {
    if (!base_) return Error{EINVAL, "commit memory: nothing reserved"};
    if (bytes > reserved_) return Error{ENOMEM, "commit memory: beyond the reservation"};
    const std::size_t size = round_to_pages(bytes);
    if (size <= committed_) return {};
    if (::mprotect(base_ + committed_, size - committed_, PROT_READ | PROT_WRITE) != 0)
        return system_error("commit memory");
    committed_ = size;
    return {};
}

}  // namespace os
