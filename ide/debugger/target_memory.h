#pragma once
// The target's 64 KB address space as the simulator's two shared views hold
// it: the read/write "ERam" view, whose first 0x2000 bytes are the control
// block, and the read-only "IRom" view. Every translation checks the control
// block's offsets against the views it was given, so a corrupt or half-written
// block yields "unbacked" instead of a pointer outside either view.
#include <cstdint>
#include <optional>
#include <span>

namespace ide {

struct TargetViews {
    std::span<std::uint8_t> control;    // "ERam", whole
    std::span<const std::uint8_t> rom;  // "IRom", whole
};

// The host bytes behind a target address: `left` bytes from `bytes` belong to
// consecutive target addresses; `writable` is null in the ROM view and on
// pages the device cannot write.
struct TargetRun {
    const std::uint8_t* bytes = nullptr;
    std::uint8_t* writable = nullptr;
    std::uint32_t left = 0;
};

// Where an address region lies: the I/O block (0x00-0x3F), the low area
// (0x40-0x7F) or one of the eight 8 KB pages.
enum class RegionKind { IoBlock, LowArea, Page };

class TargetMemory {
public:
    TargetMemory() = default;
    explicit TargetMemory(TargetViews views) : views_(views) {}

    bool attached() const { return !views_.control.empty(); }
    TargetViews views() const { return views_; }

    // A u32 of the control block's header, nothing when outside the view.
    std::optional<std::uint32_t> header_word(std::uint32_t offset) const;
    std::optional<std::uint8_t> page_flags(unsigned page) const;
    // Bank number of the device at the moment: the I/O block's first byte.
    std::uint8_t current_bank() const;
    // The register block's bytes (16), or nothing when its offset is bad.
    std::uint8_t* register_block() const;

    // The run of host bytes behind `address`; nothing when the control block
    // places it outside both views.
    std::optional<TargetRun> translate(std::uint16_t address) const;

    // Copies `out.size()` bytes from `address` on, wrapping after 0xFFFF;
    // false when some byte is unbacked (the rest of `out` is then zero).
    bool read(std::uint16_t address, std::span<std::uint8_t> out) const;
    std::optional<std::uint32_t> read_dword(std::uint16_t address) const;
    std::optional<std::uint16_t> read_word(std::uint16_t address) const;
    // Stores the bytes one by one; returns how many were stored before an
    // unbacked or read-only byte stopped it.
    std::uint32_t write(std::uint16_t address, std::span<const std::uint8_t> bytes) const;

private:
    std::optional<TargetRun> run_in_control(std::uint64_t offset, std::uint32_t length) const;
    std::optional<TargetRun> run_in_rom(std::uint64_t offset, std::uint32_t length) const;

    TargetViews views_;
};

// Offsets of the control block's header words the IDE reads.
namespace ControlBlock {
inline constexpr std::uint32_t kPageOffsets = 0x14;
inline constexpr std::uint32_t kLowAreaOffset = 0x34;
inline constexpr std::uint32_t kPageFlags = 0x38;
inline constexpr std::uint32_t kRegisterBlockOffset = 0x50;
inline constexpr std::uint32_t kIoBlockOffset = 0x54;
inline constexpr std::uint32_t kBreakTableOffset = 0x5C;
inline constexpr std::uint32_t kTempTableOffset = 0x60;
inline constexpr std::uint32_t kBreakTableSize = 0x70;
inline constexpr std::uint32_t kTempTableSize = 0x74;
inline constexpr std::uint32_t kHeaderSize = 0x2000;
inline constexpr std::uint8_t kPageInControlView = 0x01;
inline constexpr std::uint8_t kPageInCompareCopy = 0x40;
inline constexpr std::uint8_t kPageWritable = 0x80;
inline constexpr std::uint32_t kPageSize = 0x2000;
}  // namespace ControlBlock

}  // namespace ide
