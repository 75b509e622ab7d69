#pragma once
// The device's side of the two 5-byte rings in the CPU and I/O block.
#include <cstdint>

#include "formats/cpu_block.h"

namespace simcpu {

int RingCount(const formats::TargetRing& ring);

// A ring whose read or write index lies outside 0-4 (the other side garbled
// it) holds nothing to take and has no room to put.

// TAQ: false when the device-to-host ring is full.
bool PutDeviceToHost(formats::TargetControlBlock& block, std::uint8_t byte);

// TQA: false when the host-to-device ring is empty.
bool GetHostToDevice(formats::TargetControlBlock& block, std::uint8_t& byte);

// BTQ: bit 0 the device-to-host ring has room, bit 1 the host-to-device ring holds a byte.
unsigned QueueStatus(const formats::TargetControlBlock& block);

// The host's end: it writes the host-to-device ring and reads the device-to-host ring.
bool PutHostToDevice(formats::TargetControlBlock& block, std::uint8_t byte);
bool GetDeviceToHost(formats::TargetControlBlock& block, std::uint8_t& byte);

}  // namespace simcpu
