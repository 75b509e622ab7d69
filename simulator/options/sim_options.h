#pragma once
// The simulator's command line, read into one record.
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <variant>

#include "platform/ipc/window_handles.h"
#include "simulator/strings/sim_strings.h"

namespace sim {

inline constexpr uint32_t kDefaultInternalRamSize = 16384;
// Longest value an option may carry; anything longer is refused, not cut.
inline constexpr std::size_t kMaxOptionValue = 4095;
// The path that names no file: "-a:NUL" runs without a RAM file.
inline constexpr std::string_view kNoFile = "NUL";

struct SimOptions {
    bool debug = false;                                    // -d
    bool delete_ram = false;                               // -DelRam
    bool warm_boot = false;                                // -Warm
    bool plain_rom = false;                                // -up
    std::string rom_path;                                  // -o:  completed
    std::string ram_path;                                  // -a:  completed
    std::string skin_path;                                 // -if: completed; empty: the last skin
    uint32_t internal_ram_size = kDefaultInternalRamSize;  // -ias:
    uint32_t external_ram_size = 0;                        // -eas:
    ipc::WindowHandle ide_window = 0;                      // -h:  0: none
    std::string download_path;                             // -f:  completed
    std::string display_name;                              // -n:  as given
};

// Parses the arguments after the program's name. Relative paths are completed
// against `program_dir`, the folder of the simulator's own executable. A
// refused option, or a missing ROM or RAM path (the usage text), comes back as
// the failure to show.
std::variant<SimOptions, SimFailure> parse_sim_command_line(std::span<const std::string> arguments,
                                                            const std::filesystem::path& program_dir);

// "NUL" and absolute paths (a Linux path, or a drive with a directory) stay as
// they are; anything else lies in `program_dir`, a path rooted without a drive
// ("\sub\r.bin") too.
std::string complete_path(const std::string& value, const std::filesystem::path& program_dir);

// Size of the RAM image: the CPU and I/O block, internal and external RAM.
constexpr uint64_t ram_image_size(const SimOptions& options) {
    return uint64_t{0x2000} + options.internal_ram_size + options.external_ram_size;
}

}  // namespace sim
