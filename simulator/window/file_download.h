#pragma once
// A file on its way into the device: the prepared download the core's traps
// read block by block, and what to do when the loader is done with it.
#include <atomic>
#include <cstdint>
#include <functional>
#include <string>

#include "simulator/cpu/download_traps.h"
#include "simulator/download/download_file.h"

namespace simwin {

class FileDownload final : public simcpu::DownloadSource {
public:
    // `finished` runs on the emulation thread with the slot search's result;
    // `pause_after` asks the device to pause then (debug mode: the IDE resumes it).
    FileDownload(sim::PreparedDownload prepared, std::string program_name, bool pause_after,
                 std::function<void(std::uint32_t)> finished);

    std::size_t ReadBlock(std::span<std::uint8_t> out) override;
    std::span<const std::uint8_t> Record() const override;
    std::string_view ProgramName() const override { return program_name_; }
    bool Finished(std::uint32_t slots) override;

    bool done() const { return done_.load(); }

private:
    sim::PreparedDownload prepared_;
    std::string program_name_;
    bool pause_after_;
    std::function<void(std::uint32_t)> finished_;
    std::size_t offset_ = 0;
    std::atomic<bool> done_{false};
};

}  // namespace simwin
