#pragma once
// The three registers of a PC parallel port as the downloader drives them:
// data (base), status (base + 1) and control (base + 2). The real port is
// reached through the kernel's user-space interface; tests put a simulated
// device behind the same calls.
#include <cstdint>

#include "platform/os/result.h"

namespace download {

class ParallelPort {
public:
    virtual ~ParallelPort() = default;
    virtual os::Status write_data(std::uint8_t value) = 0;
    virtual os::Status write_control(std::uint8_t value) = 0;
    virtual os::Result<std::uint8_t> read_status() = 0;
};

}  // namespace download
