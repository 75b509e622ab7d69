#pragma once
// A block of device memory: private to the simulator in a plain run, a named
// mapping that the IDE shares in a debug run. The CPU core sees only bytes.
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "platform/ipc/shared_mapping.h"

namespace sim {

class MemoryBlock {
public:
    MemoryBlock() = default;
    explicit MemoryBlock(std::vector<uint8_t> own) : own_(std::move(own)) {}
    explicit MemoryBlock(std::unique_ptr<ipc::SharedMapping> shared) : shared_(std::move(shared)) {}

    uint8_t* data() const { return shared_ ? shared_->data() : const_cast<uint8_t*>(own_.data()); }
    std::size_t size() const { return shared_ ? shared_->size() : own_.size(); }
    std::span<uint8_t> bytes() const { return {data(), size()}; }
    // The mapping behind the block in a debug run; null otherwise.
    ipc::SharedMapping* shared() const { return shared_.get(); }

private:
    std::vector<uint8_t> own_;
    std::unique_ptr<ipc::SharedMapping> shared_;
};

}  // namespace sim
