#pragma once
// The core's private state: everything the interpreter and the devices keep
// beside the CPU and I/O block. The block itself (registers, latches, page
// table, breakpoint tables) lives at the start of the RAM image and is worked on
// in place, because the IDE reads and writes the same bytes.
#include <array>
#include <atomic>
#include <cstdint>

#include "formats/cpu_block.h"
#include "simulator/cpu/core_host.h"

namespace simcpu {

inline constexpr int kBreakEntryCount = formats::kFirstBreakTableEntries + formats::kSecondBreakTableEntries;
inline constexpr int kExceptionCodes = 10;  // codes 1-10 can be ignored
inline constexpr int kMaxKeys = 63;

// Bits of KernelCore::state.
namespace StateBit {
inline constexpr std::uint8_t kPainting = 0x01;
inline constexpr std::uint8_t kLcdDirty = 0x02;
inline constexpr std::uint8_t kPaused = 0x04;
inline constexpr std::uint8_t kStopAfter = 0x08;
inline constexpr std::uint8_t kAccessShift = 4;  // bits 4-5: read, write
inline constexpr std::uint8_t kAccessMask = 0x30;
inline constexpr std::uint8_t kRightsMask = 0xC0;  // rights of the last mapped operand page
}  // namespace StateBit

// Bits of KernelCore::controlFlags, set by the host side.
namespace ControlFlag {
inline constexpr std::uint8_t kStopRequest = 0x01;
inline constexpr std::uint8_t kExitRequest = 0x02;
inline constexpr std::uint8_t kPauseRequest = 0x04;
inline constexpr std::uint8_t kPowerKey = 0x08;
inline constexpr std::uint8_t kDownloadRequested = 0x10;  // the loader starts at the next instruction boundary
inline constexpr std::uint8_t kLcdRotated = 0x20;
inline constexpr std::uint8_t kWakeKeys = 0x40;
inline constexpr std::uint8_t kInputWaiting = 0x80;  // key events wait in the inbox
}  // namespace ControlFlag

// A byte that the window thread and the emulation thread both touch: the host
// sets requests, the core reads them between instructions. Copies take the
// current value, so the core's state can still be reset as a whole.
class SharedByte {
public:
    SharedByte(std::uint8_t value = 0) : value_(value) {}
    SharedByte(const SharedByte& other) : value_(other) {}
    SharedByte& operator=(const SharedByte& other) { return *this = static_cast<std::uint8_t>(other); }
    SharedByte& operator=(std::uint8_t value) {
        value_.store(value, std::memory_order_release);
        return *this;
    }
    operator std::uint8_t() const { return value_.load(std::memory_order_acquire); }
    SharedByte& operator|=(std::uint8_t bits) {
        value_.fetch_or(bits, std::memory_order_acq_rel);
        return *this;
    }
    SharedByte& operator&=(std::uint8_t bits) {
        value_.fetch_and(bits, std::memory_order_acq_rel);
        return *this;
    }

private:
    std::atomic<std::uint8_t> value_;
};

// Reset requests (KernelCore::resetRequest).
namespace ResetKind {
inline constexpr std::uint8_t kNone = 0;
inline constexpr std::uint8_t kRestart = 1;       // PC from the reset vector
inline constexpr std::uint8_t kReinitialise = 2;  // the machine initialised anew, tables kept
}  // namespace ResetKind

class KeyInbox;
class DownloadSource;

// One 8 KB page of the CPU's address space as the host sees it. `limit` is the
// number of bytes from `base` that the memory really holds (0 for a page whose
// window lies beyond its memory), so a partly backed last page never reaches
// outside its image.
struct PageWindow {
    std::uint8_t* base = nullptr;
    std::uint32_t limit = 0;
};

// A held key as the matrix sees it: k0 lines on the $08 side, k1 on the $09
// side, k2 and k3 wake flags.
struct KeyEntry {
    std::uint8_t k0, k1, k2, k3;
    bool operator==(const KeyEntry&) const = default;
};

struct KeyList {
    std::uint8_t keyCount = 0;
    std::uint8_t wakeKeyCount = 0;
    std::array<KeyEntry, kMaxKeys> keys{};
};

// What the breakpoint tables held when last looked at, and a coarse map of
// the host places their armed entries cover. A scan first checks that the
// tables still hold these words (only up to each table's end), and skips the
// walk when the place's bucket is empty; any change rebuilds the map.
struct BreakSummary {
    static constexpr std::uint32_t kBucketShift = 6;  // 64-byte buckets of host memory
    static constexpr std::uint32_t kBuckets = 4096;
    bool valid = false;
    bool scanAlways = false;
    std::uint32_t comparedAt =
        0;  // the step whose scans last compared the words  // entries the map cannot stand for (not yet placed, wide ranges)
    std::uint32_t firstWords = 0, secondWords = 0;        // words compared: entries and the end word
    std::array<std::uint32_t, kBreakEntryCount> words{};  // first table's, then second table's
    std::array<std::uint64_t, kBuckets / 64> buckets{};

    static std::uint32_t Bucket(const std::uint8_t* place) {
        return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(place) >> kBucketShift) & (kBuckets - 1);
    }
    bool MayHit(const std::uint8_t* place) const {
        std::uint32_t bucket = Bucket(place);
        return scanAlways || (buckets[bucket / 64] >> (bucket % 64) & 1);
    }
};

struct KernelCore {
    // Memories.
    formats::TargetControlBlock* block = nullptr;
    std::uint8_t* ramImage = nullptr;  // block, then internal RAM, then external RAM
    std::uint8_t* internalRam = nullptr;
    std::uint8_t* externalRam = nullptr;
    std::uint8_t* rom = nullptr;
    std::uint32_t internalRamSize = 0;
    std::uint32_t externalRamSize = 0;
    std::uint32_t romSize = 0;
    std::array<PageWindow, formats::kPageCount> pages{};
    std::uint8_t* lowBlock = nullptr;  // what $0040-$007F shows
    CoreHost* host = nullptr;

    // The current step.
    std::uint8_t state = 0;
    std::uint8_t cycles = 0;
    std::uint16_t operandAddress = 0;
    std::uint8_t* operandPlace = nullptr;
    std::uint16_t instructionPC = 0;
    std::uint16_t stopPC = 0;
    std::uint32_t stepSerial = 0;  // counts steps and resumes: the breakpoint words are compared once per value
    std::array<std::uint8_t, 2> scratch{};  // [0] caught stores, [1] substitute reads

    // Breakpoints and exceptions.
    std::array<std::uint8_t*, kBreakEntryCount> breakPlaces{};
    BreakSummary breakSummary;
    std::uint32_t stopIndex = 0;
    std::array<std::uint8_t, kExceptionCodes> ignore{};
    SharedByte controlFlags;
    SharedByte resetRequest;       // ResetKind
    KeyInbox* keyInbox = nullptr;  // key events from the window thread, when it has one

    // Clock (counted by the run loop; the LCD countdown is reloaded here too).
    // Countdowns are signed and wide: a long instruction or interrupt entry
    // past zero leaves them negative, never wrapped into a long silence.
    std::uint64_t cycleCount = 0;
    // A driver's bound: once the counter reaches it, the run is stopped as by a stop request.
    std::uint64_t cycleLimit = UINT64_MAX;
    std::uint32_t lcdPeriod = 0, timerPeriod = 0, nmiPeriod = 0;
    std::int64_t lcdCountdown = 0, timerCountdown = 0, nmiCountdown = 0;
    // A run counts its instructions' cycles in batches up to the next event
    // (run_loop.h): the cycles run but not yet counted are `cycleBudget -
    // cyclesLeft`, and a boundary is due once `cyclesLeft` runs out.
    std::int64_t cycleBudget = 0, cyclesLeft = 0;

    // Download (the loader on the device pulls a file through trap opcodes).
    std::uint32_t downloadState = 0;  // DownloadState
    std::uint16_t savedPC = 0;
    DownloadSource* download = nullptr;  // the file being downloaded, while one is
    bool autoDownloadPending = false;    // the host has a file to download once the device has booted

    // Devices.
    std::uint8_t flashState = 0;  // bit 7 identification mode, bits 0-6 command sequence
    KeyList keyList;
    std::array<std::uint8_t, formats::kIoRegisterCount> keptIo{};  // last applied register writes
    std::uint16_t lcdStart = 0;
    std::uint32_t lcdWidth = 0, lcdHeight = 0;
    std::uint32_t lcdRowBytes = 0, lcdBytes = 0;
    std::uint32_t hostStride = 0, hostBytes = 0;
    std::uint8_t* hostBitmap = nullptr;  // bottom-up 1-bit bitmap of hostBytes bytes
    std::uint8_t* iconBuffer = nullptr;  // lcdHeight bytes
    bool lcdWasOn = false;

    formats::TargetRegisterBlock& regs() { return block->registers; }
    const formats::TargetRegisterBlock& regs() const { return block->registers; }
    bool fastMode() const { return block->registers.mode & formats::ModeBit::kFastInterpreter; }
};

}  // namespace simcpu
