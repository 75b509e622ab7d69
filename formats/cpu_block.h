#pragma once
// The CPU and I/O block: the first 0x2000 bytes of the simulator's RAM image.
// The simulator's CPU core keeps its registers, I/O latches and memory map here
// in place, and the IDE reads and writes the same bytes through the shared
// "ERam" mapping, so every offset, width and bit is part of the wire format.
// Fields are little-endian and naturally aligned; the structs are laid over the
// bytes of the image, which starts page-aligned.
//
// Header-only and self-contained: include it with the source root on the path.
#include <bit>
#include <cstddef>
#include <cstdint>

namespace formats {

static_assert(std::endian::native == std::endian::little, "the block is little-endian in place");

inline constexpr std::uint32_t kBlockMagic = 0x4D535526;  // the bytes "&USM"
inline constexpr std::uint32_t kBlockSize = 0x2000;
inline constexpr std::uint32_t kPageCount = 8;
inline constexpr std::uint32_t kIoRegisterCount = 0x40;
inline constexpr std::uint32_t kFirstBreakTableEntries = 954;
inline constexpr std::uint32_t kSecondBreakTableEntries = 1024;
inline constexpr std::uint32_t kRingSize = 5;

// One ring of the host queue: 5 data bytes, read index, write index, full flag.
struct TargetRing {
    std::uint8_t data[kRingSize];
    std::uint8_t read_index;   // 0..4; only bits 0-2 are looked at
    std::uint8_t write_index;  // 0..4
    std::uint8_t full;         // bit 0: the ring holds 5 bytes
};

// The 16 bytes handed to the register window.
struct TargetRegisterBlock {
    std::uint16_t pc;
    std::uint8_t p;  // RegisterP bits
    std::uint8_t s;  // the stack lies at $0100 + s
    std::uint8_t a;
    std::uint8_t x;
    std::uint8_t y;
    std::uint8_t run_flags;         // RunFlag bits
    std::uint16_t operand_address;  // operand of the instruction at pc
    std::uint16_t operand_value;    // byte, or word for an indirect jump
    std::uint8_t operand_flags;     // OperandFlag bits
    std::uint8_t mode;              // ModeBit bits
    std::uint8_t cpu_state;         // CpuStateBit bits
    std::uint8_t state_change;      // cleared whenever cpu_state bit 0 or 1 changes
};

struct TargetControlBlock {
    std::uint32_t magic;
    TargetRing host_to_device;
    TargetRing device_to_host;
    std::uint32_t page_offsets[kPageCount];  // RAM image offset for RAM pages, ROM offset for ROM pages
    std::uint32_t low_block_offset;          // RAM image offset of what $0040-$007F shows
    std::uint8_t page_rights[kPageCount];    // PageRight bits
    std::uint16_t bank_numbers[kPageCount];  // window offset within its memory, 4 KB units
    std::uint32_t register_block_offset;
    std::uint32_t write_latch_offset;
    std::uint32_t read_latch_offset;
    std::uint32_t first_table_offset;
    std::uint32_t second_table_offset;
    std::uint32_t register_block_size;
    std::uint32_t write_latch_size;
    std::uint32_t read_latch_size;
    std::uint32_t first_table_bytes;
    std::uint32_t second_table_bytes;
    std::uint32_t reserved;
    std::uint32_t internal_ram_size;
    std::uint32_t rom_size;
    std::uint32_t external_ram_size;
    TargetRegisterBlock registers;
    std::uint8_t write_latches[kIoRegisterCount];        // last value written to $00-$3F
    std::uint8_t read_latches[kIoRegisterCount];         // what a read of $00-$3F returns
    std::uint32_t first_table[kFirstBreakTableEntries];  // TargetBreakEntry words
    std::uint32_t second_table[kSecondBreakTableEntries];
};

#define FORMATS_CPU_BLOCK_PIN(Record, field, offset) \
    static_assert(offsetof(Record, field) == (offset), #Record "::" #field " moved")

FORMATS_CPU_BLOCK_PIN(TargetRing, read_index, 5);
FORMATS_CPU_BLOCK_PIN(TargetRing, full, 7);
static_assert(sizeof(TargetRing) == 8);

FORMATS_CPU_BLOCK_PIN(TargetRegisterBlock, pc, 0x00);
FORMATS_CPU_BLOCK_PIN(TargetRegisterBlock, p, 0x02);
FORMATS_CPU_BLOCK_PIN(TargetRegisterBlock, s, 0x03);
FORMATS_CPU_BLOCK_PIN(TargetRegisterBlock, a, 0x04);
FORMATS_CPU_BLOCK_PIN(TargetRegisterBlock, x, 0x05);
FORMATS_CPU_BLOCK_PIN(TargetRegisterBlock, y, 0x06);
FORMATS_CPU_BLOCK_PIN(TargetRegisterBlock, run_flags, 0x07);
FORMATS_CPU_BLOCK_PIN(TargetRegisterBlock, operand_address, 0x08);
FORMATS_CPU_BLOCK_PIN(TargetRegisterBlock, operand_value, 0x0A);
FORMATS_CPU_BLOCK_PIN(TargetRegisterBlock, operand_flags, 0x0C);
FORMATS_CPU_BLOCK_PIN(TargetRegisterBlock, mode, 0x0D);
FORMATS_CPU_BLOCK_PIN(TargetRegisterBlock, cpu_state, 0x0E);
FORMATS_CPU_BLOCK_PIN(TargetRegisterBlock, state_change, 0x0F);
static_assert(sizeof(TargetRegisterBlock) == 0x10);

FORMATS_CPU_BLOCK_PIN(TargetControlBlock, magic, 0x00);
FORMATS_CPU_BLOCK_PIN(TargetControlBlock, host_to_device, 0x04);
FORMATS_CPU_BLOCK_PIN(TargetControlBlock, device_to_host, 0x0C);
FORMATS_CPU_BLOCK_PIN(TargetControlBlock, page_offsets, 0x14);
FORMATS_CPU_BLOCK_PIN(TargetControlBlock, low_block_offset, 0x34);
FORMATS_CPU_BLOCK_PIN(TargetControlBlock, page_rights, 0x38);
FORMATS_CPU_BLOCK_PIN(TargetControlBlock, bank_numbers, 0x40);
FORMATS_CPU_BLOCK_PIN(TargetControlBlock, register_block_offset, 0x50);
FORMATS_CPU_BLOCK_PIN(TargetControlBlock, write_latch_offset, 0x54);
FORMATS_CPU_BLOCK_PIN(TargetControlBlock, read_latch_offset, 0x58);
FORMATS_CPU_BLOCK_PIN(TargetControlBlock, first_table_offset, 0x5C);
FORMATS_CPU_BLOCK_PIN(TargetControlBlock, second_table_offset, 0x60);
FORMATS_CPU_BLOCK_PIN(TargetControlBlock, register_block_size, 0x64);
FORMATS_CPU_BLOCK_PIN(TargetControlBlock, write_latch_size, 0x68);
FORMATS_CPU_BLOCK_PIN(TargetControlBlock, read_latch_size, 0x6C);
FORMATS_CPU_BLOCK_PIN(TargetControlBlock, first_table_bytes, 0x70);
FORMATS_CPU_BLOCK_PIN(TargetControlBlock, second_table_bytes, 0x74);
FORMATS_CPU_BLOCK_PIN(TargetControlBlock, reserved, 0x78);
FORMATS_CPU_BLOCK_PIN(TargetControlBlock, internal_ram_size, 0x7C);
FORMATS_CPU_BLOCK_PIN(TargetControlBlock, rom_size, 0x80);
FORMATS_CPU_BLOCK_PIN(TargetControlBlock, external_ram_size, 0x84);
FORMATS_CPU_BLOCK_PIN(TargetControlBlock, registers, 0x88);
FORMATS_CPU_BLOCK_PIN(TargetControlBlock, write_latches, 0x98);
FORMATS_CPU_BLOCK_PIN(TargetControlBlock, read_latches, 0xD8);
FORMATS_CPU_BLOCK_PIN(TargetControlBlock, first_table, 0x118);
FORMATS_CPU_BLOCK_PIN(TargetControlBlock, second_table, 0x1000);
static_assert(sizeof(TargetControlBlock) == kBlockSize);

#undef FORMATS_CPU_BLOCK_PIN

// The fixed offsets and sizes the header announces (0x50-0x74).
inline constexpr std::uint32_t kRegisterBlockOffset = offsetof(TargetControlBlock, registers);
inline constexpr std::uint32_t kWriteLatchOffset = offsetof(TargetControlBlock, write_latches);
inline constexpr std::uint32_t kReadLatchOffset = offsetof(TargetControlBlock, read_latches);
inline constexpr std::uint32_t kFirstTableOffset = offsetof(TargetControlBlock, first_table);
inline constexpr std::uint32_t kSecondTableOffset = offsetof(TargetControlBlock, second_table);

// Page rights byte (0x38 + page).
namespace PageRight {
inline constexpr std::uint8_t kWritable = 0x80;
inline constexpr std::uint8_t kReadable = 0x40;
inline constexpr std::uint8_t kKindMask = 0x03;
inline constexpr std::uint8_t kInternalRam = 1;
inline constexpr std::uint8_t kRom = 2;
inline constexpr std::uint8_t kExternalRam = 3;
}  // namespace PageRight

// P register.
namespace RegisterP {
inline constexpr std::uint8_t kN = 0x80;
inline constexpr std::uint8_t kV = 0x40;
inline constexpr std::uint8_t kB = 0x10;
inline constexpr std::uint8_t kD = 0x08;
inline constexpr std::uint8_t kI = 0x04;
inline constexpr std::uint8_t kZ = 0x02;
inline constexpr std::uint8_t kC = 0x01;
}  // namespace RegisterP

// Register block byte 7.
namespace RunFlag {
inline constexpr std::uint8_t kRunning = 0x80;
inline constexpr std::uint8_t kIoReadModifyWrite = 0x40;
inline constexpr std::uint8_t kAccessRefused = 0x20;
inline constexpr std::uint8_t kMemoryOperand = 0x10;
inline constexpr std::uint8_t kFlashStore = 0x08;
inline constexpr std::uint8_t kNmiPending = 0x02;
inline constexpr std::uint8_t kIrqPending = 0x01;
}  // namespace RunFlag

// Register block byte 12.
namespace OperandFlag {
inline constexpr std::uint8_t kAddressValid = 0x01;
inline constexpr std::uint8_t kValueValid = 0x02;
inline constexpr std::uint8_t kValueIsWord = 0x04;
}  // namespace OperandFlag

// Register block byte 13.
namespace ModeBit {
inline constexpr std::uint8_t kFastInterpreter = 0x01;
}

// Register block byte 14.
namespace CpuStateBit {
inline constexpr std::uint8_t kCounterRuns = 0x01;  // counter $02 counts cycles
inline constexpr std::uint8_t kReadOf07 = 0x02;     // set by a read of $07, cleared by $06
inline constexpr std::uint8_t kHalted = 0x04;
}  // namespace CpuStateBit

// TargetBreakEntry, one u32 of either breakpoint table.
namespace BreakEntry {
inline constexpr std::uint32_t kValid = 1u << 31;  // clear: end of the table
inline constexpr std::uint32_t kArmed = 1u << 30;
inline constexpr std::uint32_t kExecute = 1u << 29;       // clear: data entry
inline constexpr std::uint32_t kAfterOrReads = 1u << 28;  // execute: stop after; data: reads too
inline constexpr std::uint32_t kBanked = 1u << 27;
inline constexpr std::uint32_t kExternalBank = 1u << 26;
inline constexpr std::uint32_t kPlaced = 1u << 25;      // set by the simulator once placed
inline constexpr std::uint32_t kRangeStart = 1u << 24;  // this entry and the next form a range
inline constexpr unsigned kBankShift = 16;
inline constexpr std::uint32_t kBankMask = 0xFFu << kBankShift;
inline constexpr std::uint32_t kAddressMask = 0xFFFF;
}  // namespace BreakEntry

}  // namespace formats
