#include "tools/simrun/session.h"

#include <algorithm>
#include <cstdio>
#include <ostream>

#include "formats/sim_messages.h"
#include "platform/os/file.h"
#include "simulator/cpu/lcd.h"
#include "simulator/cpu/machine_init.h"
#include "simulator/cpu/run_control.h"
#include "simulator/download/download_file.h"
#include "simulator/memory/rom_image.h"

namespace simrun {
namespace {

using simcpu::RunResult;

// The periods of a plain run and of a debug run.
constexpr std::uint32_t kLcdPeriod = 900000, kLcdPeriodDebug = 648000;
constexpr std::uint32_t kNmiPeriod = 1800000, kNmiPeriodDebug = 1296000;
constexpr std::uint32_t kTimerPeriod = 14400;

std::string Hex(std::uint32_t value, int digits) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%0*X", digits, value);
    return text;
}

std::string LoadRom(const Options& options, std::vector<std::uint8_t>& rom) {
    auto file = os::read_file(options.rom, sim::largest_rom_file(!options.scrambledRom));
    if (!file) return file.error().text;
    if (!options.scrambledRom) {
        rom = std::move(*file);
        return {};
    }
    rom.assign(sim::decoded_rom_size(file->size()), 0);
    if (!sim::decode_rom_image(*file, rom)) return "the scrambled ROM image " + options.rom + " is damaged";
    return {};
}

}  // namespace

std::string Session::Start(const Options& options, std::ostream& log) {
    options_ = options;
    log_ = &log;
    std::stable_sort(options_.keys.begin(), options_.keys.end(),
                     [](const ScriptedKey& a, const ScriptedKey& b) { return a.cycle < b.cycle; });
    if (std::string error = LoadRom(options_, rom_); !error.empty()) return error;

    if (!options_.download.empty()) {
        auto loader = sim::read_loader(options_.loader);
        if (auto* failure = std::get_if<sim::SimFailure>(&loader)) return failure->text;
        loader_ = std::move(std::get<std::vector<std::uint8_t>>(loader));
        auto prepared = sim::prepare_download(options_.download);
        if (auto* failure = std::get_if<sim::SimFailure>(&prepared)) return failure->text;
        auto& download = std::get<sim::PreparedDownload>(prepared);
        auto* record = reinterpret_cast<const std::uint8_t*>(&download.record);
        record_.assign(record, record + sizeof download.record);
        content_ = std::move(download.content);
    }

    std::uint64_t ramSize = simcpu::RamImageSize(options_.internalRam, options_.externalRam);
    if (ramSize > sim::kLargestDeviceMemory) return "the RAM sizes are too large (256 MB at most together)";
    ram_.assign(ramSize, 0);
    bool rotated = false;
    lcd_.assign(simcpu::LcdHostBytes(options_.lcdWidth, options_.lcdHeight, rotated), 0);
    icons_.assign(options_.lcdHeight, 0);

    simcpu::KernelConfig config;
    config.internalRamSize = options_.internalRam;
    config.externalRamSize = options_.externalRam;
    config.romSize = static_cast<std::uint32_t>(std::min<std::size_t>(rom_.size(), UINT32_MAX));
    config.ramImage = ram_.data();
    config.romImage = rom_.data();
    config.lcdWidth = options_.lcdWidth;
    config.lcdHeight = options_.lcdHeight;
    config.hostBitmap = lcd_.data();
    config.iconBuffer = icons_.data();
    config.lcdPeriod = options_.debug ? kLcdPeriodDebug : kLcdPeriod;
    config.timerPeriod = kTimerPeriod;
    config.nmiPeriod = options_.debug ? kNmiPeriodDebug : kNmiPeriod;
    config.host = this;
    unsigned init = simcpu::InitOption::kColdStart | (options_.fast ? simcpu::InitOption::kFastInterpreter : 0);
    if (std::string error = simcpu::Setup(core_, config, init); !error.empty()) return error;
    core_.keyInbox = &inbox_;
    core_.autoDownloadPending = !options_.download.empty();

    // The breakpoint words go into the first table in order.
    std::size_t count = std::min<std::size_t>(options_.breakpoints.size(), formats::kFirstBreakTableEntries - 1);
    std::copy_n(options_.breakpoints.begin(), count, core_.block->first_table);
    return {};
}

void Session::PostDueKeys() {
    while (nextKey_ < options_.keys.size() && options_.keys[nextKey_].cycle <= core_.cycleCount) {
        const ScriptedKey& key = options_.keys[nextKey_++];
        inbox_.Post(core_, key.code, key.down);
    }
}

RunResult Session::RunUntilCycle(std::uint64_t cycle) {
    core_.cycleLimit = cycle;
    RunResult result = simcpu::Run(core_);
    while (result == RunResult::Reinitialise) {
        simcpu::Reinitialise(core_);
        result = simcpu::Run(core_);
    }
    core_.cycleLimit = UINT64_MAX;
    if (result == RunResult::Stopped && core_.cycleCount >= cycle) {
        // The bound, not the host, stopped this run.
        core_.controlFlags &= static_cast<std::uint8_t>(~simcpu::ControlFlag::kStopRequest);
    }
    return result;
}

RunResult Session::Run(bool& reached) {
    reached = false;
    std::uint64_t end = core_.cycleCount + options_.cycles;
    RunResult result = RunResult::Stopped;
    while (core_.cycleCount < end) {
        PostDueKeys();
        if (options_.untilPc && core_.regs().pc == *options_.untilPc) {
            reached = true;
            break;
        }
        std::uint64_t bound = end;
        if (nextKey_ < options_.keys.size())
            bound = std::min(bound, std::max(options_.keys[nextKey_].cycle, core_.cycleCount + 1));
        // Looking for a PC: one instruction a run.
        if (options_.untilPc) bound = core_.cycleCount + 1;
        result = RunUntilCycle(bound);
        if (result != RunResult::Stopped || core_.cycleCount < bound) break;
    }
    if (options_.untilPc && core_.regs().pc == *options_.untilPc) reached = true;
    return result;
}

bool Session::PostStop(std::uint32_t code) {
    // A stop notice of a run that the driver's own bound ended is not the core's news.
    bool bound = code == simcpu::kStoppedCode && core_.cycleCount >= core_.cycleLimit;
    if (options_.notices && !bound) *log_ << "notice " << Hex(code, 8) << "\n";
    return true;
}

simcpu::ExceptionAnswer Session::AskException(std::uint16_t address, int code) {
    simcpu::ExceptionAnswer answer =
        nextAnswer_ < options_.answers.size() ? options_.answers[nextAnswer_++] : simcpu::ExceptionAnswer::Stop;
    if (options_.notices) {
        *log_ << "exception " << code << " at " << Hex(address, 4) << " answered " << static_cast<int>(answer) << "\n";
    }
    return answer;
}

void Session::AutoDownloadDue() {
    position_ = 0;
    downloadError_ = simcpu::StartDownload(core_, *this, loader_);
    if (!downloadError_.empty()) *log_ << "download refused: " << downloadError_ << "\n";
}

std::size_t Session::ReadBlock(std::span<std::uint8_t> out) {
    std::size_t count = std::min(out.size(), content_.size() - position_);
    std::copy_n(content_.begin() + static_cast<std::ptrdiff_t>(position_), count, out.begin());
    position_ += count;
    return count;
}

bool Session::Finished(std::uint32_t slots) {
    *log_ << "download ended: slot " << (slots >> 8) << ", " << (slots & 0xFF) << " matching\n";
    // Only a debug run tells the IDE and waits for it.
    if (!options_.debug) return false;
    if (options_.notices) {
        *log_ << "notice "
              << Hex(formats::sim_downloaded_wparam(static_cast<std::uint8_t>(slots >> 8),
                                                    static_cast<std::uint8_t>(slots)),
                     8)
              << "\n";
    }
    return true;
}

// The host bitmap keeps its rows bottom-up.
const std::uint8_t* Session::LcdRow(std::uint32_t y) const {
    return lcd_.data() + std::size_t{core_.lcdHeight - 1 - y} * core_.hostStride;
}

std::string Session::LcdPbm() const {
    std::uint32_t width = core_.lcdWidth, height = core_.lcdHeight;
    std::string pbm = "P4\n" + std::to_string(width) + " " + std::to_string(height) + "\n";
    std::uint32_t rowBytes = (width + 7) / 8;
    for (std::uint32_t y = 0; y < height; ++y) pbm.append(reinterpret_cast<const char*>(LcdRow(y)), rowBytes);
    return pbm;
}

std::string Session::LcdText() const {
    std::string text;
    for (std::uint32_t y = 0; y < core_.lcdHeight; ++y) {
        const std::uint8_t* row = LcdRow(y);
        for (std::uint32_t x = 0; x < core_.lcdWidth; ++x) text += (row[x / 8] >> (7 - x % 8)) & 1 ? '#' : '.';
        text += '\n';
    }
    return text;
}

}  // namespace simrun
