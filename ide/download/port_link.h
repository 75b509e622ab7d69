#pragma once
// The line-level protocol with the device: bits clocked over the control and
// status lines of the parallel port, with the delays the device expects.
// A port failure (the port vanished) is kept as the link's error: every
// later step does nothing and reports failure, so the caller stops cleanly.
#include <cstdint>
#include <optional>

#include "ide/download/delay_timer.h"
#include "ide/download/parallel_port.h"

namespace download {

// Control-register bits as the protocol uses them.
inline constexpr std::uint8_t kStrobeBit = 0x01;    // bit 0: toggled around each poll
inline constexpr std::uint8_t kClockBit = 0x02;     // bit 1: the bit clock
inline constexpr std::uint8_t kReadBit = 0x04;      // bit 2: raised while a bit from the device is read
inline constexpr std::uint8_t kDataBit = 0x08;      // bit 3: data to the device (cleared for a 1)
inline constexpr std::uint8_t kReadyStatus = 0x20;  // status bit 5: the device's ready pattern
inline constexpr std::uint8_t kDataStatus = 0x10;   // status bit 4: data from the device

// Polls allowed while waiting for the device; the count grows by two a round.
inline constexpr double kPollLimit = 400000.0;

class PortLink {
public:
    PortLink(ParallelPort& port, DelayTimer& timer) : port_(port), timer_(timer) {}

    void reset();  // data lines high, lines idle, poll count cleared
    void idle();
    bool wait_for_device();  // false when the device never showed ready
    void send_byte(std::uint8_t value);
    std::uint8_t receive_byte();
    void wait(int units) { timer_.wait_units(units); }

    // The port's failure, once one happened.
    const std::optional<os::Error>& port_error() const { return port_error_; }

private:
    void set(std::uint8_t bits) { write_control(control_ | bits); }
    void clear(std::uint8_t bits) { write_control(control_ & ~bits); }
    void write_control(int value);
    bool read_status_bit(std::uint8_t bit);
    bool poll();
    bool poll_limit_reached();

    ParallelPort& port_;
    DelayTimer& timer_;
    std::uint8_t control_ = 0;
    double polls_ = 0;
    std::optional<os::Error> port_error_;
};

}  // namespace download
