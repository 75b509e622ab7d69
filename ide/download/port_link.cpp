#include "ide/download/port_link.h"

namespace download {

void PortLink::write_control(int value) {
    if (port_error_) return;
    control_ = static_cast<std::uint8_t>(value);
    if (auto status = port_.write_control(control_); !status) port_error_ = status.error();
}

bool PortLink::read_status_bit(std::uint8_t bit) {
    if (port_error_) return false;
    auto status = port_.read_status();
    if (!status) {
        port_error_ = status.error();
        return false;
    }
    return (*status & bit) != 0;
}

void PortLink::idle() {
    write_control((control_ & ~kReadBit) | kStrobeBit);
    set(kDataBit);
    set(kClockBit);
}

void PortLink::reset() {
    if (!port_error_) {
        if (auto status = port_.write_data(0xFF); !status) port_error_ = status.error();
    }
    idle();
    polls_ = 0;
}

bool PortLink::poll() {
    clear(kClockBit);
    clear(kStrobeBit);
    const bool ready = read_status_bit(kReadyStatus);
    set(kStrobeBit);
    return ready;
}

bool PortLink::poll_limit_reached() {
    polls_ += 1;
    return polls_ >= kPollLimit || port_error_.has_value();
}

bool PortLink::wait_for_device() {
    set(kDataBit);
    polls_ = 0;
    // The device shows ready as one low poll followed by two high ones.
    for (;;) {
        if (poll_limit_reached()) return false;
        if (poll()) continue;
        if (poll_limit_reached()) return false;
        if (poll() && poll()) break;
    }
    clear(kDataBit);
    wait(12);
    set(kDataBit);
    wait(12);
    return !port_error_;
}

void PortLink::send_byte(std::uint8_t value) {
    for (int bit = 0; bit < 8; ++bit, value >>= 1) {
        set(kClockBit);
        wait(2);
        if (value & 1)
            clear(kDataBit);
        else
            set(kDataBit);
        wait(12);
        clear(kClockBit);
        wait(6);
    }
    set(kClockBit);
    wait(6);
}

std::uint8_t PortLink::receive_byte() {
    std::uint8_t value = 0;
    for (int bit = 0; bit < 8; ++bit) {
        set(kClockBit);
        wait(5);
        clear(kClockBit);
        wait(1);
        value >>= 1;
        clear(kDataBit);
        set(kReadBit);
        if (read_status_bit(kDataStatus)) value |= 0x80;
        clear(kReadBit);
        wait(16);
    }
    set(kClockBit);
    wait(4);
    return value;
}

}  // namespace download
