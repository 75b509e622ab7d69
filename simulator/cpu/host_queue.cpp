#include "simulator/cpu/host_queue.h"

namespace simcpu {
namespace {

using formats::kRingSize;
using formats::TargetRing;

// Only bits 0-2 of an index and bit 0 of the flag count.
unsigned Index(std::uint8_t value) { return value & 7u; }
bool Garbled(const TargetRing& ring) {
    return Index(ring.read_index) >= kRingSize || Index(ring.write_index) >= kRingSize;
}
bool Full(const TargetRing& ring) { return ring.full & 1; }

std::uint8_t Advance(std::uint8_t value) { return static_cast<std::uint8_t>((Index(value) + 1) % kRingSize); }

bool Put(TargetRing& ring, std::uint8_t byte) {
    if (Garbled(ring) || RingCount(ring) == static_cast<int>(kRingSize)) return false;
    ring.data[Index(ring.write_index)] = byte;
    ring.write_index = Advance(ring.write_index);
    if (Index(ring.write_index) == Index(ring.read_index)) ring.full = 1;
    return true;
}

bool Get(TargetRing& ring, std::uint8_t& byte) {
    if (Garbled(ring) || RingCount(ring) == 0) return false;
    byte = ring.data[Index(ring.read_index)];
    ring.read_index = Advance(ring.read_index);
    if (Index(ring.read_index) == Index(ring.write_index)) ring.full = 0;
    return true;
}

}  // namespace

int RingCount(const TargetRing& ring) {
    int d = static_cast<int>(Index(ring.write_index)) - static_cast<int>(Index(ring.read_index));
    if (d == 0) return Full(ring) ? static_cast<int>(kRingSize) : 0;
    return d < 0 ? d + static_cast<int>(kRingSize) : d;
}

bool PutDeviceToHost(formats::TargetControlBlock& block, std::uint8_t byte) { return Put(block.device_to_host, byte); }

bool GetHostToDevice(formats::TargetControlBlock& block, std::uint8_t& byte) { return Get(block.host_to_device, byte); }

bool PutHostToDevice(formats::TargetControlBlock& block, std::uint8_t byte) { return Put(block.host_to_device, byte); }

bool GetDeviceToHost(formats::TargetControlBlock& block, std::uint8_t& byte) { return Get(block.device_to_host, byte); }

unsigned QueueStatus(const formats::TargetControlBlock& block) {
    unsigned status = 0;
    const TargetRing& out = block.device_to_host;
    const TargetRing& in = block.host_to_device;
    if (!Garbled(out) && RingCount(out) < static_cast<int>(kRingSize)) status |= 1;
    if (!Garbled(in) && RingCount(in) > 0) status |= 2;
    return status;
}

}  // namespace simcpu
