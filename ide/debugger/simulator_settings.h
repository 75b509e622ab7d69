#pragma once
// Where the debug manager finds the simulator and its device ROM: the
// profile's "Execution" keys, the program looked up as the build looks up its
// tools (the "Executable files" folders, then beside the IDE).
#include <string>
#include <string_view>

#include "ide/build/tool_programs.h"

namespace profile {
class Store;
}

namespace ide {

inline constexpr ToolKey kSimulatorTool{"vyr simulator", "Talvask.exe"};
inline constexpr std::string_view kRomFileKey = "Rom file";
inline constexpr std::string_view kDefaultRomFile = "QV4700.BIN";

struct SimulatorSettings {
    std::string program;  // full path; empty when not found
    std::string rom_file;
};

SimulatorSettings ReadSimulatorSettings(const profile::Store& profile, std::string_view application_folder);

}  // namespace ide
