#pragma once
// A device on the far end of the parallel port, for the downloader's tests:
// it follows the line protocol from the register writes and reads it sees,
// takes the handshake, the language and version bytes and the blocks, checks
// each block and answers, and can be told to misbehave.
#include <cstdint>
#include <optional>
#include <vector>

#include "ide/download/downloader.h"
#include "ide/download/parallel_port.h"
#include "ide/download/program_image.h"

namespace download::testing {

struct DeviceBehaviour {
    std::uint8_t handshake_reply = 0xA6;
    int refuse_block = -1;         // this block is refused ...
    int refusals = 0;              // ... so many times before it is taken
    int silent_after_blocks = -1;  // stops answering once it has taken so many blocks (-1: never)
    bool answers = true;           // false: never shows ready
    int port_fails_after = -1;     // the port vanishes after so many register accesses (-1: never)
};

class SimulatedDevice final : public ParallelPort {
public:
    explicit SimulatedDevice(DeviceBehaviour behaviour = {}) : behaviour_(behaviour) { image_.fill(0); }

    os::Status write_data(std::uint8_t value) override;
    os::Status write_control(std::uint8_t value) override;
    os::Result<std::uint8_t> read_status() override;

    const ProgramImage& image() const { return image_; }
    int blocks_taken() const { return blocks_taken_; }
    int refusals_sent() const { return refusals_sent_; }
    int handshakes() const { return handshakes_; }
    std::optional<std::uint8_t> language() const { return language_; }
    std::optional<std::uint8_t> version() const { return version_; }

private:
    enum class State { wait_handshake, reply_handshake, wait_language, wait_block, wait_trailer, reply_block };

    bool vanished();
    void select();
    void finish_transfer();
    bool trailer_matches(const std::vector<std::uint8_t>& trailer) const;
    std::uint8_t status_lines() const;

    DeviceBehaviour behaviour_;
    ProgramImage image_{};
    std::uint8_t control_ = 0;
    int accesses_ = 0;

    // Ready pattern: one low poll, then two high ones.
    int pattern_ = 0;
    bool ready_shown_ = false;
    bool strobe_low_ = false;

    State state_ = State::wait_handshake;
    State next_state_ = State::wait_handshake;  // after the reply being sent
    bool selected_ = false;
    bool sending_ = false;
    std::vector<std::uint8_t> received_;
    std::uint8_t shifting_in_ = 0;
    int bits_in_ = 0;
    std::optional<bool> pending_bit_;
    std::uint8_t reply_ = 0;
    int reply_bits_out_ = 0;
    bool reply_bit_ = false;

    std::vector<std::uint8_t> block_;
    int blocks_taken_ = 0;
    int refusals_sent_ = 0;
    int handshakes_ = 0;
    std::optional<std::uint8_t> language_, version_;
};

// Hands the downloader a port that talks to `device`, which the test keeps.
PortOpener opener_of(SimulatedDevice& device);

}  // namespace download::testing
