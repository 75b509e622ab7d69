#pragma once
// The two ways a step hands control to its host: a CPU exception and a stop
// report. Either may end the run, which unwinds to the step's caller.
#include <cstdint>
#include <string_view>

#include "simulator/cpu/kernel_core.h"

namespace simcpu {

// Thrown when the run must end (an exception answered with Stop, a refused stop
// report, a stop or exit request during an exception); Step() catches it.
struct RunEnded {};

// The single entry for CPU exceptions 0-10; outside a run it does nothing. Returns when the run goes on with
// the substitute values; throws RunEnded otherwise.
void RaiseException(KernelCore& core, std::uint16_t address, int code);

// A breakpoint stop at stopPC (entry stopIndex): operand information, any
// pending LCD refresh, then the host's stop notice. Nothing is reported while
// a stop request is set. Throws RunEnded when the host refuses.
void ReportStop(KernelCore& core);

// The pause notice (a pause request): as a stop, with the code 0xFFFE.
void ReportPause(KernelCore& core);

// The notice of a run ended by a stop request (0xFFFF); the core goes on
// without waiting for an answer.
void ReportStopped(KernelCore& core);

inline constexpr std::uint32_t kPauseCode = 0xFFFE;
inline constexpr std::uint32_t kStoppedCode = 0xFFFF;

// The text the exception dialog shows for a code 0-10.
std::string_view ExceptionText(int code);

}  // namespace simcpu
