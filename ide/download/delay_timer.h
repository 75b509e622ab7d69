#pragma once
// The delays of the port protocol. The protocol counts in delay units, each
// the time the device's timing was designed around (about 19.5 us); the real
// timer busy-waits on the monotonic clock, so no calibration loop is needed
// and nothing divides by a measured time.
#include <chrono>

namespace download {

inline constexpr std::chrono::nanoseconds kDelayUnit{19512};  // 400000 / 20500000 ms

class DelayTimer {
public:
    virtual ~DelayTimer() = default;
    virtual void wait_units(int units) = 0;  // a busy wait: the line timing is tight
    virtual void pause_ms(int ms) = 0;       // the rest between blocks
};

class SteadyDelayTimer final : public DelayTimer {
public:
    void wait_units(int units) override;
    void pause_ms(int ms) override;
};

}  // namespace download
