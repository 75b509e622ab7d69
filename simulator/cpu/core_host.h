#pragma once
// What the CPU core asks of whoever runs it: the simulator's window and kernel
// thread in the program, a console driver or a test fixture elsewhere.
#include <cstdint>

namespace simcpu {

// The answers of the exception dialog.
enum class ExceptionAnswer : std::uint8_t {
    Stop = 0,
    Continue = 1,
    IgnoreThisKind = 2,
    IgnoreAll = 3,
    SingleStep = 4,
};

class CoreHost {
public:
    virtual ~CoreHost() = default;

    // A stop notice (breakpoint: stopPC << 16 | index; 0xFFFE pause). Returns
    // when the host resumes the core; false ends the run.
    virtual bool PostStop(std::uint32_t code) = 0;

    // A CPU exception the core may not ignore; the host asks the user.
    virtual ExceptionAnswer AskException(std::uint16_t address, int code) = 0;

    // Paint the LCD: bit 0 on, bit 1 just turned on.
    virtual void PaintLcd(unsigned flags) = 0;

    // A queue opcode found its ring full or empty; a real host sleeps 1 ms.
    virtual void QueueWait() = 0;

    // The device has booted far enough (about 16.7 million cycles) for the
    // automatic download; called once, when the core's autoDownloadPending is set.
    virtual void AutoDownloadDue() {}
};

}  // namespace simcpu
