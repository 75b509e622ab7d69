#pragma once
// The simulator's start, in its order: the command line, the skins, the skin,
// the LCD buffers and the popup menu, the icon, the window class, the window
// (whose creation opens the memory files and starts the emulation), its
// outline, its place in the middle of the screen. Every failure shows its
// message and ends the start with a non-zero exit code.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <variant>

#include "simulator/window/sim_window.h"

namespace simwin {

struct StartRequest {
    std::span<const std::string> arguments;  // after the program's name
    std::filesystem::path program_dir;       // the folder of the simulator's executable
    std::optional<std::string> remembered_skin;
    std::optional<std::uint64_t> pace_hz;
    int show_command = SW_SHOWNORMAL;
};

// The shown window, or the exit code of a start that failed.
std::variant<std::unique_ptr<SimWindow>, int> start_talvask(const StartRequest& request);

// The message loop until WM_QUIT; then the class goes. Returns the exit code.
int run_talvask(SimWindow& window);

}  // namespace simwin
