#include "simulator/cpu/key_inbox.h"

#include "simulator/cpu/keyboard.h"

namespace simcpu {

void KeyInbox::Post(KernelCore& core, std::uint32_t code, bool down) {
    {
        std::lock_guard lock(mutex_);
        events_.push_back({code, down});
    }
    core.controlFlags |= ControlFlag::kInputWaiting;
}

void KeyInbox::Deliver(KernelCore& core) {
    // The flag goes first: an event posted meanwhile sets it again.
    core.controlFlags &= static_cast<std::uint8_t>(~ControlFlag::kInputWaiting);
    std::vector<Event> events;
    {
        std::lock_guard lock(mutex_);
        events.swap(events_);
    }
    for (const Event& event : events) KeyInput(core, event.code, event.down);
}

}  // namespace simcpu
