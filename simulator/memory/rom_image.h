#pragma once
// The device ROM image: the scrambled file form (chunks of 4096 data bytes, each
// word XORed with a key) and the plain form ("-up"), turned into the ROM block.
#include <array>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <variant>
#include <vector>

#include "simulator/memory/memory_block.h"
#include "simulator/options/sim_options.h"

namespace sim {

// 12-byte header before each chunk's data; a data size of 0 ends the file.
struct RomChunkHeader {
    uint32_t data_size;
    uint32_t seed;
    uint16_t kind;
    uint16_t key_index;
};
static_assert(sizeof(RomChunkHeader) == 12);

inline constexpr uint16_t kRomChunkKind = 1;
inline constexpr uint32_t kRomChunkData = 4096;
using RomKeyTable = std::array<uint32_t, 10>;
// The kit's own keys, which its demo ROM is scrambled with.
inline constexpr RomKeyTable kKitRomKeyTable = {
    0x5A3C96E1, 0xC3A5F00F, 0x1E2D3C4B, 0x96696996, 0xA1B2C3D4,
    0x0F1E2D3C, 0x7B5D3F19, 0xE4C2A086, 0x3879BAFC, 0xD2B4967A,
};
// A device's own keys, when its scrambled ROM image comes with them: ten
// little-endian 32-bit words in this file beside the program.
inline constexpr const char* kRomKeyFileName = "QV4700.KEY";

// The memory map's four ROM pages at reset need at least this much ROM; the
// block is kept in whole 8 KB pages so a page that is only partly backed by
// the image never reads past the block.
inline constexpr uint32_t kMinimumRomSize = 0x8000;
inline constexpr uint32_t kRomPageSize = 0x2000;

// Bank numbers count 4 KB in 16 bits: no device addresses more than 256 MB,
// so no ROM image is larger, and no scrambled file larger than its chunks.
inline constexpr uint64_t kLargestDeviceMemory = uint64_t{1} << 28;
inline constexpr uint64_t kLargestScrambledRomFile =
    kLargestDeviceMemory / kRomChunkData * (kRomChunkData + sizeof(RomChunkHeader)) + sizeof(RomChunkHeader);
inline constexpr uint64_t largest_rom_file(bool plain) {
    return plain ? kLargestDeviceMemory : kLargestScrambledRomFile;
}

// Decoded size of a scrambled file: 4096 data bytes for every 4108 file bytes
// after the 12-byte end header.
uint64_t decoded_rom_size(uint64_t file_size);

// Decodes a scrambled file into `rom` (decoded_rom_size bytes). False when a
// chunk is not of kind 1, names a key past the table, claims more bytes than
// the file or the block has left, or the end header is missing.
bool decode_rom_image(std::span<const uint8_t> file, std::span<uint8_t> rom, const RomKeyTable& keys = kKitRomKeyTable);

// The scrambled form of `rom`: chunks of 4096 bytes whose seeds and keys vary
// from chunk to chunk, then the end header. Tests and the demo ROM use it.
std::vector<uint8_t> scramble_rom_image(std::span<const uint8_t> rom, uint32_t first_seed,
                                        const RomKeyTable& keys = kKitRomKeyTable);

// The keys in "QV4700.KEY" of `program_dir`, else the kit's own; a key file
// that does not hold exactly ten keys is string 126.
std::variant<RomKeyTable, SimFailure> rom_key_table(const std::filesystem::path& program_dir);

struct RomBlock {
    MemoryBlock block;  // whole 8 KB pages, the image at its start
    uint32_t size = 0;  // the image's own size in bytes
};

// Loads "-o:": decoded, or plain with "-up". In debug mode the block is the
// named mapping "IRom" of `link_space` (the IDE reads it); otherwise a private
// writable copy, since the fast interpreter may store into ROM pages.
std::variant<RomBlock, SimFailure> load_rom_image(const SimOptions& options, const RomKeyTable& keys,
                                                  const std::string& link_space);

}  // namespace sim
