#include "ide/download/delay_timer.h"

#include <thread>

namespace download {

void SteadyDelayTimer::wait_units(int units) {
    const auto until = std::chrono::steady_clock::now() + units * kDelayUnit;
    while (std::chrono::steady_clock::now() < until) {
    }
}

void SteadyDelayTimer::pause_ms(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

}  // namespace download
