#pragma once
// The fuzzers' input read as a stream of small choices; an exhausted input
// chooses 0 from then on, so every run ends.
#include <cstddef>
#include <cstdint>

namespace testing_kit {

class ByteSource {
public:
    ByteSource(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    bool empty() const { return at_ >= size_; }
    int Next(int bound) { return bound <= 0 || empty() ? 0 : data_[at_++] % bound; }

private:
    const uint8_t* data_;
    size_t size_;
    size_t at_ = 0;
};

}  // namespace testing_kit
