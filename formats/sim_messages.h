#pragma once
// The link between the IDE and the simulator: one window message, 0x8100, posted
// both ways, with a code in the high word of wParam. Both programs build their
// messages from these values so that they agree code for code.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace formats {

inline constexpr uint32_t WM_SIMLINK = 0x8100;  // WM_APP + 0x100
inline constexpr uint32_t WM_COMMAND_MSG = 0x0111;

// Codes in the high word of wParam.
enum SimLinkCode : uint16_t {
    SimNotifyStarted = 0x1001,     // simulator -> IDE, lParam = simulator window
    SimNotifyStopped = 0x1002,     // simulator -> IDE, lParam = stop reason
    SimNotifyExited = 0x1003,      // simulator -> IDE, sent as WM_COMMAND
    SimNotifyEnded = 0x1004,       // simulator -> IDE, waits for SimCmdAckEnd
    SimNotifyDownloaded = 0xFFFC,  // simulator -> IDE, low word = slot << 8 | count
    SimCmdRun = 0x1011,            // IDE -> simulator
    SimCmdResume = 0x1012,
    SimCmdExit = 0x1013,
    SimCmdAckEnd = 0x1014,
};

// The low word of wParam when a message carries nothing there.
inline constexpr uint16_t kSimLinkNoDetail = 0xFFFF;

constexpr uint32_t sim_link_wparam(uint16_t code, uint16_t low = kSimLinkNoDetail) {
    return (uint32_t{code} << 16) | low;
}
constexpr uint16_t sim_link_code(uint64_t wparam) { return static_cast<uint16_t>(wparam >> 16); }
constexpr uint16_t sim_link_detail(uint64_t wparam) { return static_cast<uint16_t>(wparam); }

// lParam low words of SimNotifyStopped that are no breakpoint stop.
inline constexpr uint16_t kStopReasonPaused = 0xFFFE;
inline constexpr uint16_t kStopReasonStopped = 0xFFFF;
// Bit 15 of a breakpoint stop's index marks an entry of the second table.
inline constexpr uint16_t kStopInSecondTable = 0x8000;

// The close request: wParam exactly 0x00001002 with lParam 0xFFFF.
inline constexpr uint32_t kSimCloseWParam = 0x00001002;
inline constexpr uint32_t kSimCloseLParam = 0xFFFF;

// The simulator's own exit command (WM_COMMAND) and the kernel's stop notice to
// the simulator's window (WM_COMMAND).
inline constexpr uint32_t kSimExitCommand = 14079;
inline constexpr uint32_t kSimKernelStoppedCommand = 4098;

constexpr uint32_t sim_downloaded_wparam(uint8_t slot, uint8_t count) {
    return sim_link_wparam(SimNotifyDownloaded, static_cast<uint16_t>((slot << 8) | count));
}

// The simulator's command line as the IDE starts it: a debug run (Go) with
// "-d", a run without debugging (Execute) without it. Each option is one
// argument of the process's argument vector, so paths with blanks survive.
inline constexpr std::string_view kDefaultRomFile = "QV4700.BIN";  // profile "Execution"/"Rom file"
inline constexpr std::string_view kIdeRamFile = "ram.mem";
inline constexpr std::string_view kIdeSkinFile = "qv4700.cfs";
inline constexpr uint32_t kIdeExternalRamSize = 524288;

inline std::vector<std::string> simulator_arguments(std::string_view rom_file, uint32_t ide_window,
                                                    std::string_view program_file, std::string_view display_name,
                                                    bool debug) {
    std::vector<std::string> arguments = {
        "-o:" + std::string(rom_file),
        "-a:" + std::string(kIdeRamFile),
        "-eas:" + std::to_string(kIdeExternalRamSize),
        "-h:" + std::to_string(ide_window),
        "-if:" + std::string(kIdeSkinFile),
        "-f:" + std::string(program_file),
        "-n:" + std::string(display_name),
    };
    if (debug) arguments.push_back("-d");
    arguments.push_back("-up");
    return arguments;
}

}  // namespace formats
