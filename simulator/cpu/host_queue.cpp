#include "simulator/cpu/host_queue.h"

namespace simcpu {
namespace {

using formats::kRingSize;
using formats::TargetRing;

// Only bits 0-2 of an index count; a value the other side garbled stays in range.
unsigned Index(std::uint8_t value) { return (value & 7u) % kRingSize; }

std::uint8_t Advance(std::uint8_t value) {
    return static_cast<std::uint8_t>((Index(value) + 1) % kRingSize);
}

bool Full(const TargetRing& ring) { return ring.full & 1; }

}  // namespace

int RingCount(const TargetRing& ring) {
    int d = static_cast<int>(Index(ring.write_index)) - static_cast<int>(Index(ring.read_index));
    if (d == 0) return Full(ring) ? static_cast<int>(kRingSize) : 0;
    return d < 0 ? d + static_cast<int>(kRingSize) : d;
}

bool PutDeviceToHost(formats::TargetControlBlock& block, std::uint8_t byte) {
    TargetRing& ring = block.device_to_host;
    if (RingCount(ring) == static_cast<int>(kRingSize)) return false;
    ring.data[Index(ring.write_index)] = byte;
    ring.write_index = Advance(ring.write_index);
    if (Index(ring.write_index) == Index(ring.read_index)) ring.full = 1;
    return true;
}

bool GetHostToDevice(formats::TargetControlBlock& block, std::uint8_t& byte) {
    TargetRing& ring = block.host_to_device;
    if (RingCount(ring) == 0) return false;
    byte = ring.data[Index(ring.read_index)];
    ring.read_index = Advance(ring.read_index);
    if (Index(ring.read_index) == Index(ring.write_index)) ring.full = 0;
    return true;
}

unsigned QueueStatus(const formats::TargetControlBlock& block) {
    unsigned status = 0;
    if (RingCount(block.device_to_host) < static_cast<int>(kRingSize)) status |= 1;
    if (RingCount(block.host_to_device) > 0) status |= 2;
    return status;
}

}  // namespace simcpu
