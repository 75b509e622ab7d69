#pragma once
// Key events on their way from the window thread to the emulation thread. The
// window posts them; the run loop delivers them between instructions, so the
// key list itself is only ever touched by the thread that runs the core.
#include <cstdint>
#include <mutex>
#include <vector>

#include "simulator/cpu/kernel_core.h"

namespace simcpu {

class KeyInbox {
public:
    // From any thread: queues the event and flags the core.
    void Post(KernelCore& core, std::uint32_t code, bool down);

    // On the core's thread: KeyInput for every queued event, in order.
    void Deliver(KernelCore& core);

private:
    struct Event {
        std::uint32_t code;
        bool down;
    };
    std::mutex mutex_;
    std::vector<Event> events_;
};

}  // namespace simcpu
