#pragma once
// The kernel control object: the one object the simulator's window side holds
// for the emulated device. It owns the core and the emulation thread, and
// answers the core's calls (stop notices, exceptions, LCD paints) through the
// window side's KernelWindow.
//
// Threads: the window thread calls every public entry point; the emulation
// thread runs the core and calls back through CoreHost. The window thread
// changes the core only through shared bytes (control flags, reset request),
// the key inbox, and, while the thread is parked at a notice, the registers
// and memory.
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/os/sync.h"
#include "platform/os/thread.h"
#include "simulator/cpu/core_host.h"
#include "simulator/cpu/disassembler.h"
#include "simulator/cpu/kernel_core.h"
#include "simulator/cpu/key_inbox.h"
#include "simulator/cpu/machine_init.h"
#include "simulator/cpu/memory_map.h"

namespace simcpu {

// What the kernel asks of the simulator's window side (or of a console driver).
class KernelWindow {
public:
    virtual ~KernelWindow() = default;
    // The simulator's own window, when it has one (WM_COMMAND 0x1002, code).
    virtual void PostToOwnWindow(std::uint32_t code) = 0;
    // The IDE's window, when a live one was given ("-h:").
    virtual bool HasIdeWindow() = 0;
    // WM_SIMLINK with wParam 0x1002FFFF and the code.
    virtual void PostStoppedToIde(std::uint32_t code) = 0;
    // The exception dialog's answer.
    virtual ExceptionAnswer ShowException(std::uint16_t address, int code) = 0;
    // Paint the LCD (bit 0 on, bit 1 just on); called under the LCD lock.
    virtual void PaintLcd(unsigned flags) = 0;
    // The automatic download is due (the core's autoDownloadPending was set).
    virtual void AutoDownloadDue() {}
};

class EmuKernel : private CoreHost {
public:
    explicit EmuKernel(KernelWindow& window) : window_(window) {}
    EmuKernel(const EmuKernel&) = delete;
    EmuKernel& operator=(const EmuKernel&) = delete;
    ~EmuKernel() override;

    // Sets the core up over the configuration's memories; a message when they do not fit.
    std::string Setup(KernelConfig config, unsigned options);

    // The emulation thread. StartThread clears the stop and pause requests;
    // false (with ErrorText) when the thread cannot be made.
    bool StartThread();
    // Sets the stop request and wakes a parked thread; with `wait`, joins it.
    // The core looks at the request between instructions, so it always ends.
    void StopThread(bool wait);
    // Asks the thread to park at its next instruction boundary; false when it
    // has not parked within 2 seconds (the caller must not go on then).
    bool Pause();
    // Lets a parked thread go on; nothing when it is not parked at a notice.
    void Resume();
    bool IsSuspended();
    bool IsRunning();
    bool IsPainting() const { return painting_.load(); }
    // The last run's result (RunResult as int), once the thread has ended.
    int LastResult() const { return lastResult_.load(); }

    void SetControlFlags(std::uint8_t mask, std::uint8_t value);
    void RequestReset(std::uint8_t kind) { core_.resetRequest = kind; }
    void KeyInput(std::uint32_t code, bool down) { inbox_.Post(core_, code, down); }
    // Turns the LCD with the thread parked around the change; false when it would not park.
    bool SetRotation(std::uint8_t* bitmap, std::uint8_t flags);

    // A CPU address's host place, rights and bytes to the end of its area.
    std::uint8_t* ReadMemoryInfo(std::uint16_t address, std::uint8_t* rights, std::uint32_t* runLength) const;
    // DisassembleListing around `address`; afterwards `address` holds
    // start << 16 | next and `lines` holds before << 16 | after.
    std::size_t Disassemble(std::uint32_t& address, DisassemblyLayout layout, std::uint32_t& lines,
                            std::string* buffer) const;

    const std::string& ErrorText() const { return errorText_; }
    int ErrorCode() const { return errorCode_; }
    void ClearError();

    // The LCD lock the window's own painting shares.
    os::CriticalSection& LcdLock() { return lcdLock_; }

    // The core, for the window side while the thread is parked or not running.
    KernelCore& core() { return core_; }

private:
    bool PostStop(std::uint32_t code) override;
    ExceptionAnswer AskException(std::uint16_t address, int code) override;
    void PaintLcd(unsigned flags) override;
    void QueueWait() override;
    void AutoDownloadDue() override { window_.AutoDownloadDue(); }

    void RunThread(os::Thread& self);
    bool AskToGoOn(std::uint16_t address, int code);

    KernelWindow& window_;
    KernelCore core_;
    KeyInbox inbox_;
    os::CriticalSection lcdLock_;
    std::unique_ptr<os::Thread> thread_;
    os::Thread* self_ = nullptr;  // the emulation thread's own handle, used only by it
    std::atomic<bool> parkedAtNotice_{false};
    std::atomic<bool> painting_{false};  // the core's state bit 0, readable from the window thread
    std::atomic<int> lastResult_{0};
    int errorCode_ = 0;
    std::string errorText_;
};

}  // namespace simcpu
