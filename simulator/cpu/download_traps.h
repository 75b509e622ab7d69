#pragma once
// The download traps: while a download is active, opcodes 0x53, 0x4B and 0x5B
// (invalid on the 6502) are host calls of the device's loader, which runs at
// $3000 and names its destination through the word at $00A4.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "simulator/cpu/kernel_core.h"

namespace simcpu {

namespace DownloadState {
inline constexpr std::uint32_t kIdle = 0;
inline constexpr std::uint32_t kRequested = 1;  // the loader starts at the next instruction boundary
inline constexpr std::uint32_t kActive = 2;     // the loader runs; the traps act
}  // namespace DownloadState

inline constexpr std::uint16_t kLoaderAddress = 0x3000;
inline constexpr std::size_t kLoaderSize = 4096;
inline constexpr std::uint16_t kLoaderPointer = 0x00A4;  // internal RAM word: where the next transfer lands
inline constexpr std::size_t kDownloadBlockSize = 256;
inline constexpr std::size_t kRecordSize = 72;
inline constexpr std::uint8_t kTrapNextBlock = 0x53, kTrapRecord = 0x4B, kTrapEnd = 0x5B;

// The host side of a download: the open file and its record.
class DownloadSource {
public:
    virtual ~DownloadSource() = default;
    // Up to out.size() next bytes of the file; the count read.
    virtual std::size_t ReadBlock(std::span<std::uint8_t> out) = 0;
    // The 72-byte download record.
    virtual std::span<const std::uint8_t> Record() const = 0;
    // The display name the program's file head carries, for the slot search.
    virtual std::string_view ProgramName() const = 0;
    // The loader ended the download: the file is done with. `slots` is the
    // slot search's result. Returns true when the device should then pause
    // (debug mode: the IDE resumes it).
    virtual bool Finished(std::uint32_t slots) = 0;
};

// Arms a download: the loader goes to internal RAM $3000 and the download is
// requested. Refused (with a message) while another download is under way,
// for a loader other than 4096 bytes, or an internal RAM too small to hold it.
std::string StartDownload(KernelCore& core, DownloadSource& source, std::span<const std::uint8_t> loader);

// A requested download becomes active: the PC is saved and the loader entered.
void ActivateDownload(KernelCore& core);

// True when `opcode` at PC is a trap of the active download.
inline bool IsDownloadTrap(const KernelCore& core, std::uint8_t opcode) {
    return core.downloadState == DownloadState::kActive &&
           (opcode == kTrapNextBlock || opcode == kTrapRecord || opcode == kTrapEnd);
}

// Runs the trap in place of the instruction at PC (the register block's PC).
void RunDownloadTrap(KernelCore& core, std::uint8_t opcode);

// Which 32 KB slots of the external RAM hold the program named `name` (the
// file head's name at slot offset 0x4002, 16 bytes padded with blanks):
// (first slot << 8) | number of matching slots, or 0.
std::uint32_t FindProgramSlot(const KernelCore& core, std::string_view name);

}  // namespace simcpu
