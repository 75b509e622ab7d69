#pragma once
// Delays that only count: the tests run the protocol at full speed and
// still know how long a real port would have taken.
#include <string>
#include <vector>

#include "ide/download/delay_timer.h"

namespace download::testing {

class VirtualDelayTimer final : public DelayTimer {
public:
    void wait_units(int units) override {
        units_ += units;
        if (log_) log_->push_back("wait " + std::to_string(units));
    }
    void pause_ms(int ms) override { pause_ms_ += ms; }

    long long units() const { return units_; }
    long long pause_ms_total() const { return pause_ms_; }
    void log_to(std::vector<std::string>* log) { log_ = log; }

private:
    long long units_ = 0;
    long long pause_ms_ = 0;
    std::vector<std::string>* log_ = nullptr;
};

}  // namespace download::testing
