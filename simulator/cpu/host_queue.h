#pragma once
// The device's side of the two 5-byte rings in the CPU and I/O block.
#include <cstdint>

#include "formats/cpu_block.h"

namespace simcpu {

int RingCount(const formats::TargetRing& ring);

// TAQ: false when the device-to-host ring is full.
bool PutDeviceToHost(formats::TargetControlBlock& block, std::uint8_t byte);

// TQA: false when the host-to-device ring is empty.
bool GetHostToDevice(formats::TargetControlBlock& block, std::uint8_t& byte);

// BTQ: bit 0 the device-to-host ring has room, bit 1 the host-to-device ring holds a byte.
unsigned QueueStatus(const formats::TargetControlBlock& block);

}  // namespace simcpu
