#pragma once
// Events and critical sections with the platform's semantics.
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>

namespace os {

// A manual-reset event stays set until reset and releases every waiter; an
// auto-reset event releases one waiter and resets itself.
class Event {
public:
    enum class Reset { manual, automatic };
    explicit Event(Reset reset, bool initially_set = false) : manual_(reset == Reset::manual), set_(initially_set) {}
    Event(const Event&) = delete;
    Event& operator=(const Event&) = delete;

    void set();
    void reset();
    bool is_set();
    // True when the event was (or became) set within the timeout; an
    // auto-reset event is consumed by the successful wait.
    bool wait_for(std::chrono::milliseconds timeout);
    void wait();

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    bool manual_;
    bool set_;
};

// Events named within this process (CreateEvent/OpenEvent with a name): a
// second create of a live name returns the same event, whatever it asks for.
// An event lives as long as someone holds it.
std::shared_ptr<Event> create_event(std::string_view name, Event::Reset reset, bool initially_set = false);
std::shared_ptr<Event> open_event(std::string_view name);  // nullptr when none lives

// A recursive lock; works with std::lock_guard / std::unique_lock.
class CriticalSection {
public:
    void lock() { mutex_.lock(); }
    void unlock() { mutex_.unlock(); }
    bool try_lock() { return mutex_.try_lock(); }
    void enter() { lock(); }
    void leave() { unlock(); }

private:
    std::recursive_mutex mutex_;
};

}  // namespace os
