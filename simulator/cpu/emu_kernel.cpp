#include "simulator/cpu/emu_kernel.h"

#include <chrono>
#include <system_error>
#include <thread>

#include "simulator/cpu/lcd.h"
#include "simulator/cpu/run_control.h"
#include "simulator/cpu/run_loop.h"

namespace simcpu {
namespace {

constexpr auto kPauseTimeout = std::chrono::milliseconds(2000);
constexpr auto kPausePoll = std::chrono::milliseconds(1);
constexpr std::uint8_t kEndRequests = ControlFlag::kStopRequest | ControlFlag::kExitRequest;

}  // namespace

EmuKernel::~EmuKernel() { StopThread(true); }

std::string EmuKernel::Setup(KernelConfig config, unsigned options) {
    if (IsRunning()) return "The emulation thread is running; stop it before setting the kernel up again.";
    config.host = this;
    std::string error = simcpu::Setup(core_, config, options);
    core_.keyInbox = &inbox_;
    return error;
}

bool EmuKernel::StartThread() {
    if (thread_ && !thread_->finished()) return true;
    thread_.reset();
    ClearError();
    core_.controlFlags &= static_cast<std::uint8_t>(~(ControlFlag::kStopRequest | ControlFlag::kPauseRequest));
    parkedAtNotice_ = false;
    try {
        thread_ = std::make_unique<os::Thread>([this](os::Thread& self) { RunThread(self); });
    } catch (const std::system_error& e) {
        errorCode_ = e.code().value();
        errorText_ = e.what();
        return false;
    }
    return true;
}

void EmuKernel::RunThread(os::Thread& self) {
    self_ = &self;
    int result = static_cast<int>(RunResult::Ended);
    try {
        RunResult run = Run(core_);
        while (run == RunResult::Reinitialise) {
            Reinitialise(core_);
            run = Run(core_);
        }
        result = static_cast<int>(run);
    } catch (...) {
        // A fault of the host during the run counts as an ended run.
    }
    lastResult_ = result;
}

void EmuKernel::StopThread(bool wait) {
    if (!thread_) return;
    core_.controlFlags |= ControlFlag::kStopRequest;
    thread_->request_stop();  // also releases a park, now and later
    if (!wait) return;
    thread_->join();
    thread_.reset();
}

bool EmuKernel::Pause() {
    if (!IsRunning()) return false;
    if (IsSuspended()) return true;
    core_.controlFlags |= ControlFlag::kPauseRequest;
    auto deadline = std::chrono::steady_clock::now() + kPauseTimeout;
    while (std::chrono::steady_clock::now() < deadline) {
        if (IsSuspended()) return true;
        if (!IsRunning()) return false;
        std::this_thread::sleep_for(kPausePoll);
    }
    return false;
}

void EmuKernel::Resume() {
    // One resume per notice: taking the flag here makes a second Resume, or a
    // Pause that follows at once, see the thread as running, so no permit is
    // left over for the next park.
    if (!thread_ || !parkedAtNotice_.exchange(false)) return;
    core_.controlFlags &= static_cast<std::uint8_t>(~ControlFlag::kPauseRequest);
    thread_->resume();
}

bool EmuKernel::IsSuspended() { return thread_ && parkedAtNotice_ && thread_->IsSuspended(); }

bool EmuKernel::IsRunning() { return thread_ && !thread_->finished(); }

void EmuKernel::SetControlFlags(std::uint8_t mask, std::uint8_t value) {
    core_.controlFlags &= static_cast<std::uint8_t>(~mask);
    core_.controlFlags |= static_cast<std::uint8_t>(value & mask);
    // An end request reaches a thread parked at a notice too.
    if (value & mask & kEndRequests) Resume();
}

bool EmuKernel::SetRotation(std::uint8_t* bitmap, std::uint8_t flags) {
    bool pausedHere = false;
    if (IsRunning() && !IsSuspended()) {
        if (!Pause()) return false;
        pausedHere = true;
    }
    SetControlFlags(ControlFlag::kLcdRotated, flags);
    LcdGeometry(core_, bitmap);
    if (pausedHere) Resume();
    return true;
}

std::uint8_t* EmuKernel::ReadMemoryInfo(std::uint16_t address, std::uint8_t* rights, std::uint32_t* runLength) const {
    Place place = MapAddress(core_, address);
    if (rights) *rights = place.rights;
    if (runLength) *runLength = place.run;
    return place.at;
}

std::size_t EmuKernel::Disassemble(std::uint32_t& address, DisassemblyLayout layout, std::uint32_t& lines,
                                   std::string* buffer) const {
    if (!buffer) return 0;
    Listing listing = DisassembleListing(core_, static_cast<std::uint16_t>(address), lines, layout);
    address = std::uint32_t{listing.start} << 16 | (listing.next & 0xFFFF);
    lines = listing.linesBefore << 16 | listing.linesAfter;
    *buffer = std::move(listing.text);
    return buffer->size();
}

void EmuKernel::ClearError() {
    errorCode_ = 0;
    errorText_.clear();
}

bool EmuKernel::PostStop(std::uint32_t code) {
    bool park = code != kStoppedCode;
    bool ide = window_.HasIdeWindow();
    if (!ide && code != kStoppedCode && code != kPauseCode) {
        // A breakpoint without an IDE asks the user, without parking.
        window_.PostToOwnWindow(code);
        return AskToGoOn(0, 0);
    }
    // Marked before anyone hears of the stop: a resume that follows the
    // notice at once is kept by the park gate.
    if (park) parkedAtNotice_ = true;
    window_.PostToOwnWindow(code);
    if (ide && code != kPauseCode) window_.PostStoppedToIde(code);
    if (park) {
        self_->park();
        parkedAtNotice_ = false;
    }
    return true;
}

ExceptionAnswer EmuKernel::AskException(std::uint16_t address, int code) {
    return window_.ShowException(address, code);
}

bool EmuKernel::AskToGoOn(std::uint16_t address, int code) {
    ExceptionAnswer answer = window_.ShowException(address, code);
    if (answer == ExceptionAnswer::IgnoreAll) core_.ignore.fill(1);
    return answer != ExceptionAnswer::Stop;
}

void EmuKernel::PaintLcd(unsigned flags) {
    std::lock_guard lock(lcdLock_);
    painting_ = true;
    window_.PaintLcd(flags);
    painting_ = false;
}

void EmuKernel::QueueWait() { std::this_thread::sleep_for(std::chrono::milliseconds(1)); }

}  // namespace simcpu
