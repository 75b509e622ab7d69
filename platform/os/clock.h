#pragma once
// Time as the programs read it (GetTickCount, Sleep, GetLocalTime), behind
// an interface so that tests run on a virtual clock they advance themselves.
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>

namespace os {

class Clock {
public:
    virtual ~Clock() = default;
    virtual std::uint64_t now_ms() = 0;           // monotonic milliseconds
    virtual void sleep_ms(std::uint32_t ms) = 0;  // returns once now_ms() has moved on by ms
};

// The steady system clock.
Clock& system_clock();

// The clock the process uses; system_clock() unless a test installed another.
Clock& clock();
void set_clock(Clock* clock);  // nullptr restores the system clock

// Installs a clock for the lifetime of the object.
class ScopedClock {
public:
    explicit ScopedClock(Clock& clock) { set_clock(&clock); }
    ~ScopedClock() { set_clock(nullptr); }
    ScopedClock(const ScopedClock&) = delete;
    ScopedClock& operator=(const ScopedClock&) = delete;
};

// A clock that moves only when advanced. A sleeper blocks until another
// thread advances the time past its wake-up point, so timing in a test
// depends on what the test does, never on the machine.
class VirtualClock : public Clock {
public:
    explicit VirtualClock(std::uint64_t start_ms = 0) : now_(start_ms) {}
    std::uint64_t now_ms() override;
    void sleep_ms(std::uint32_t ms) override;
    void advance(std::uint64_t ms);
    int sleepers();                     // threads blocked in sleep_ms right now
    void wait_for_sleepers(int count);  // blocks until at least `count` threads sleep

private:
    std::mutex mutex_;
    std::condition_variable moved_;
    std::uint64_t now_;
    int sleepers_ = 0;
};

// Win32-shaped conveniences over clock().
inline std::uint32_t GetTickCount() { return static_cast<std::uint32_t>(clock().now_ms()); }
inline void Sleep(std::uint32_t ms) { clock().sleep_ms(ms); }

struct LocalTime {
    int year, month, day, day_of_week, hour, minute, second, milliseconds;
};
LocalTime local_time();  // wall-clock time in the local zone

}  // namespace os
