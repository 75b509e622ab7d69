#include "ide/download/tests/simulated_device.h"

#include <algorithm>
#include <cerrno>

#include "ide/download/downloader.h"
#include "ide/download/port_link.h"

namespace download::testing {

bool SimulatedDevice::vanished() {
    ++accesses_;
    return behaviour_.port_fails_after >= 0 && accesses_ > behaviour_.port_fails_after;
}

os::Status SimulatedDevice::write_data(std::uint8_t) {
    if (vanished()) return os::system_error("parallel port", ENODEV);
    return {};
}

os::Status SimulatedDevice::write_control(std::uint8_t value) {
    if (vanished()) return os::system_error("parallel port", ENODEV);
    const std::uint8_t before = control_;
    control_ = value;
    const auto fell = [&](std::uint8_t bit) { return (before & bit) && !(value & bit); };
    const auto rose = [&](std::uint8_t bit) { return !(before & bit) && (value & bit); };

    // A bit clocked in on the clock's fall counts unless the next write starts a poll.
    if (pending_bit_) {
        if (value & kStrobeBit) {
            shifting_in_ = static_cast<std::uint8_t>((shifting_in_ >> 1) | (*pending_bit_ ? 0x80 : 0));
            if (++bits_in_ == 8) {
                received_.push_back(shifting_in_);
                bits_in_ = 0;
            }
        }
        pending_bit_.reset();
    }
    if (selected_ && !sending_ && fell(kClockBit) && (value & kStrobeBit)) pending_bit_ = !(value & kDataBit);
    if (selected_ && sending_ && rose(kReadBit)) {
        reply_bit_ = (reply_ >> reply_bits_out_) & 1;
        ++reply_bits_out_;
    }

    // After showing ready, a low pulse on the data line selects the device.
    if (ready_shown_ && fell(kDataBit) && !(value & kClockBit)) {
        strobe_low_ = true;
    } else if (strobe_low_ && rose(kDataBit)) {
        strobe_low_ = false;
        ready_shown_ = false;
        select();
    }
    return {};
}

os::Result<std::uint8_t> SimulatedDevice::read_status() {
    if (vanished()) return os::system_error("parallel port", ENODEV);
    if (control_ & kStrobeBit) return status_lines();
    const bool silent =
        !behaviour_.answers || (behaviour_.silent_after_blocks >= 0 && blocks_taken_ >= behaviour_.silent_after_blocks);
    if (silent) {
        ready_shown_ = false;
        return std::uint8_t(kReadyStatus);
    }
    const bool high = pattern_ != 0;
    pattern_ = (pattern_ + 1) % 3;
    ready_shown_ = pattern_ == 0;
    return std::uint8_t(high ? kReadyStatus : 0);
}

std::uint8_t SimulatedDevice::status_lines() const { return reply_bit_ ? kDataStatus : 0; }

void SimulatedDevice::select() {
    finish_transfer();
    selected_ = true;
    sending_ = state_ == State::reply_handshake || state_ == State::reply_block;
    received_.clear();
    bits_in_ = 0;
    reply_bits_out_ = 0;
}

void SimulatedDevice::finish_transfer() {
    if (!selected_) return;
    if (sending_) {
        state_ = next_state_;
        return;
    }
    switch (state_) {
        case State::wait_handshake:
            if (received_ == std::vector<std::uint8_t>{kHandshakeByte}) {
                ++handshakes_;
                reply_ = behaviour_.handshake_reply;
                next_state_ = reply_ == kHandshakeByte ? State::wait_language : State::wait_handshake;
                state_ = State::reply_handshake;
            }
            break;
        case State::wait_language:
            if (received_.size() == 2) {
                language_ = received_[0];
                version_ = received_[1];
                state_ = State::wait_block;
            }
            break;
        case State::wait_block:
            if (received_.size() == kBlockSize) {
                block_ = received_;
                state_ = State::wait_trailer;
            }
            break;
        case State::wait_trailer: {
            bool take = received_.size() == 3 && trailer_matches(received_);
            if (take && blocks_taken_ == behaviour_.refuse_block && refusals_sent_ < behaviour_.refusals) {
                ++refusals_sent_;
                take = false;
            }
            if (take) {
                std::copy(block_.begin(), block_.end(), image_.begin() + blocks_taken_ * kBlockSize);
                ++blocks_taken_;
            }
            reply_ = take ? kBlockAccepted : 0xA5;
            next_state_ = State::wait_block;
            state_ = State::reply_block;
            break;
        }
        case State::reply_handshake:
        case State::reply_block: break;
    }
}

bool SimulatedDevice::trailer_matches(const std::vector<std::uint8_t>& trailer) const {
    std::uint8_t check = 0xFF;
    std::uint16_t sum = 0;
    for (std::uint8_t byte : block_) {
        check ^= byte;
        sum = static_cast<std::uint16_t>(sum + byte);
    }
    return trailer[0] == check && trailer[1] == (sum & 0xFF) && trailer[2] == (sum >> 8);
}

PortOpener opener_of(SimulatedDevice& device) {
    struct Borrowed final : ParallelPort {
        explicit Borrowed(SimulatedDevice& d) : device(d) {}
        os::Status write_data(std::uint8_t value) override { return device.write_data(value); }
        os::Status write_control(std::uint8_t value) override { return device.write_control(value); }
        os::Result<std::uint8_t> read_status() override { return device.read_status(); }
        SimulatedDevice& device;
    };
    return [&device]() -> os::Result<std::unique_ptr<ParallelPort>> {
        return std::unique_ptr<ParallelPort>(std::make_unique<Borrowed>(device));
    };
}

}  // namespace download::testing
