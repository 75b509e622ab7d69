#pragma once
// The simulator's side of the link with the IDE: what it tells the IDE's
// window, and what an incoming 0x8100 message asks of it.
#include <cstdint>
#include <optional>

#include "formats/sim_messages.h"
#include "platform/ipc/window_handles.h"

namespace sim {

enum class IdeCommand { Run, Resume, Exit, AckEnd, Close };

// What an incoming WM_SIMLINK asks. Without debug mode only the close request
// counts; unknown codes ask nothing.
std::optional<IdeCommand> ide_command(uint64_t wparam, uint64_t lparam, bool debug);

// lParam of SimNotifyStopped for a breakpoint: the entry's index (bit 15 for
// the second table) in the low word, the PC in the high word.
constexpr uint32_t breakpoint_stop_lparam(uint16_t index, bool second_table, uint16_t pc) {
    return uint32_t{pc} << 16 | (index & 0x7FFF) | (second_table ? formats::kStopInSecondTable : 0);
}

// The IDE's window while it is set and alive; every notice goes through here.
class IdeLink {
public:
    explicit IdeLink(ipc::WindowHandle ide_window) : ide_window_(ide_window) {}

    // True when the IDE's window exists (a dead or absent IDE makes every send a no-op).
    bool connected() const;
    // WM_SIMLINK with `code` in the high word of wParam.
    bool post(uint16_t code, uint16_t detail, uint64_t lparam) const;
    bool notify_stopped(uint32_t lparam) const;
    bool notify_ended() const;
    bool notify_downloaded(uint8_t slot, uint8_t count, ipc::WindowHandle own_window) const;
    // SimNotifyExited goes as WM_COMMAND; between processes it is posted.
    bool notify_exited() const;

private:
    ipc::WindowHandle ide_window_;
};

}  // namespace sim
