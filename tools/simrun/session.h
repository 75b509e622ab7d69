#pragma once
// One headless run of the simulator core: the memories, the core's host (it
// records notices and answers exceptions from the script), the scripted keys
// and the download of a program file through the device's loader.
#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

#include "simulator/cpu/core_host.h"
#include "simulator/cpu/download_traps.h"
#include "simulator/cpu/kernel_core.h"
#include "simulator/cpu/key_inbox.h"
#include "simulator/cpu/run_loop.h"
#include "tools/simrun/simrun_options.h"

namespace simrun {

class Session : private simcpu::CoreHost, private simcpu::DownloadSource {
public:
    // Loads the ROM, the loader and the download file and sets the core up;
    // the error names the first thing that failed.
    std::string Start(const Options& options, std::ostream& log);

    // Runs for the options' cycles, or until the PC reaches untilPc. The
    // result is the last run's; true in `reached` when untilPc was reached.
    simcpu::RunResult Run(bool& reached);

    const simcpu::KernelCore& core() const { return core_; }
    // The LCD as a binary PBM: rows top down, set bits black.
    std::string LcdPbm() const;
    std::string LcdText() const;  // one line a pixel row: '#' set, '.' clear
    // A download that could not start, or an empty string.
    const std::string& downloadError() const { return downloadError_; }

private:
    const std::uint8_t* LcdRow(std::uint32_t y) const;
    bool PostStop(std::uint32_t code) override;
    simcpu::ExceptionAnswer AskException(std::uint16_t address, int code) override;
    void PaintLcd(unsigned) override {}
    void QueueWait() override {}
    void AutoDownloadDue() override;

    std::size_t ReadBlock(std::span<std::uint8_t> out) override;
    std::span<const std::uint8_t> Record() const override { return record_; }
    std::string_view ProgramName() const override { return options_.name; }
    bool Finished(std::uint32_t slots) override;

    simcpu::RunResult RunUntilCycle(std::uint64_t cycle);
    void PostDueKeys();

    Options options_;
    std::ostream* log_ = nullptr;
    std::vector<std::uint8_t> ram_;  // 8-aligned start for the CPU and I/O block
    std::vector<std::uint8_t> rom_;
    std::vector<std::uint8_t> lcd_;
    std::vector<std::uint8_t> icons_;
    simcpu::KernelCore core_;
    simcpu::KeyInbox inbox_;
    std::size_t nextKey_ = 0;
    std::size_t nextAnswer_ = 0;

    std::vector<std::uint8_t> loader_;
    std::vector<std::uint8_t> record_;
    std::vector<std::uint8_t> content_;
    std::size_t position_ = 0;
    std::string downloadError_;
};

}  // namespace simrun
