#pragma once
// The RAM image: the CPU and I/O block, internal RAM and external RAM, kept
// between runs in the RAM file ("-a:"), and the product identification file
// whose bytes start the external RAM.
#include <filesystem>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "simulator/memory/memory_block.h"
#include "simulator/memory/rom_image.h"
#include "simulator/options/sim_options.h"

namespace sim {

inline constexpr const char* kProductIdFileName = "QV4700.PID";
inline constexpr uint32_t kCpuBlockSize = 0x2000;

struct RamImage {
    MemoryBlock block;  // ram_image_size(options) bytes
    bool warm = false;  // the boot actually made (a warm boot without a file turns cold)
};

// Opens the RAM for a cold or a warm boot. In debug mode it is the named
// mapping "ERam" of `link_space` over the RAM file itself; otherwise a private
// copy, written back at the end, and a cold boot writes the fresh image to the
// RAM file at once (string 12 when it cannot). "-a:NUL" runs without a RAM
// file: a warm boot turns cold, and nothing is written. Warnings that do not
// stop the start (string 44) are appended to `warnings`.
std::variant<RamImage, SimFailure> open_ram_image(const SimOptions& options, const std::filesystem::path& program_dir,
                                                  const std::string& link_space, std::vector<SimFailure>& warnings);

// The end of a run: the RAM goes back to the start of its file, whose bytes
// past the image stay (or the file is deleted with "-DelRam"), the product
// identification file takes back its bytes from the external RAM, and both
// blocks are released. Files are replaced whole, never left half-written.
std::optional<SimFailure> write_back_memory_files(const SimOptions& options, const std::filesystem::path& program_dir,
                                                  RomBlock rom, RamImage ram);

}  // namespace sim
