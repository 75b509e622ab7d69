#include "platform/os/sync.h"

#include <map>

namespace os {

void Event::set() {
    {
        std::lock_guard lock(mutex_);
        set_ = true;
    }
    if (manual_)
        changed_.notify_all();
    else
        changed_.notify_one();
}

void Event::reset() {
    std::lock_guard lock(mutex_);
    set_ = false;
}

bool Event::is_set() {
    std::lock_guard lock(mutex_);
    return set_;
}

bool Event::wait_for(std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    if (!changed_.wait_for(lock, timeout, [&] { return set_; })) return false;
    if (!manual_) set_ = false;
    return true;
}

void Event::wait() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return set_; });
    if (!manual_) set_ = false;
}

namespace {

// Names of live events. Entries whose event has died are replaced on the
// next create of that name.
struct EventNames {
    std::mutex mutex;
    std::map<std::string, std::weak_ptr<Event>, std::less<>> events;
};

EventNames& event_names() {
    static EventNames names;
    return names;
}

}  // namespace

std::shared_ptr<Event> create_event(std::string_view name, Event::Reset reset, bool initially_set) {
    if (name.empty()) return std::make_shared<Event>(reset, initially_set);
    EventNames& names = event_names();
    std::lock_guard lock(names.mutex);
    auto& slot = names.events[std::string(name)];
    if (auto existing = slot.lock()) return existing;
    auto event = std::make_shared<Event>(reset, initially_set);
    slot = event;
    return event;
}

std::shared_ptr<Event> open_event(std::string_view name) {
    EventNames& names = event_names();
    std::lock_guard lock(names.mutex);
    const auto it = names.events.find(name);
    return it == names.events.end() ? nullptr : it->second.lock();
}

}  // namespace os
