#include "platform/os/clock.h"

#include <chrono>
#include <ctime>
#include <thread>

namespace os {

namespace {

class SteadyClock : public Clock {
public:
    std::uint64_t now_ms() override {
        const auto since = std::chrono::steady_clock::now().time_since_epoch();
        return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
    }
    void sleep_ms(std::uint32_t ms) override { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }
};

std::atomic<Clock*> installed{nullptr};

}  // namespace

Clock& system_clock() {
    static SteadyClock clock;
    return clock;
}

Clock& clock() {
    Clock* current = installed.load(std::memory_order_acquire);
    return current ? *current : system_clock();
}

void set_clock(Clock* clock) { installed.store(clock, std::memory_order_release); }

std::uint64_t VirtualClock::now_ms() {
    std::lock_guard lock(mutex_);
    return now_;
}

void VirtualClock::sleep_ms(std::uint32_t ms) {
    std::unique_lock lock(mutex_);
    const std::uint64_t wake = now_ + ms;
    ++sleepers_;
    moved_.notify_all();  // lets a test waiting for sleepers() see this one
    moved_.wait(lock, [&] { return now_ >= wake; });
    --sleepers_;
}

void VirtualClock::advance(std::uint64_t ms) {
    {
        std::lock_guard lock(mutex_);
        now_ += ms;
    }
    moved_.notify_all();
}

int VirtualClock::sleepers() {
    std::lock_guard lock(mutex_);
    return sleepers_;
}

void VirtualClock::wait_for_sleepers(int count) {
    std::unique_lock lock(mutex_);
    moved_.wait(lock, [&] { return sleepers_ >= count; });
}

LocalTime local_time() {
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    std::tm parts{};
    ::localtime_r(&seconds, &parts);
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
    return {parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday, parts.tm_wday,
            parts.tm_hour,        parts.tm_min,     parts.tm_sec,  static_cast<int>(ms)};
}

}  // namespace os
