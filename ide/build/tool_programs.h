#pragma once
// Where the build finds its programs: the names in the profile's "Execution"
// section, looked up in the "Executable files" folders, then beside the IDE.
// On this system a name given with ".exe" also finds the program without it,
// so the defaults ("Dravlin.exe") find the kit's own executables.
#include <string>
#include <string_view>

namespace profile {
class Store;
}

namespace ide {

struct ToolKey {
    std::string_view key;
    std::string_view default_name;
};

inline constexpr ToolKey kPreprocessorTool{"C PreCompile", "ovp.exe"};
inline constexpr ToolKey kCompilerTool{"C Compile", "ucx.exe"};
inline constexpr ToolKey kAssemblerTool{"Asm Compile", "Dravlin.exe"};
inline constexpr ToolKey kLinkerTool{"6502 linker", "Mossrel.exe"};
inline constexpr ToolKey kLibrarianTool{"6502 lib maker", "Vostrel.exe"};
inline constexpr ToolKey kPackerTool{"6502 packer", "packer.exe"};

inline constexpr std::string_view kExecutionSection = "Execution";
inline constexpr std::string_view kDirectoriesSection = "Environment\\Directories";

// The program's name from the profile (its default when the key is missing).
std::string ToolName(const profile::Store& profile, const ToolKey& tool);

// Full path of the program, or empty. `application_folder` ends with a separator.
std::string FindExecutablePath(const profile::Store& profile, std::string_view name,
                               std::string_view application_folder);

// Writes the four tool names back so that their keys exist in the profile.
void InitToolNames(profile::Store& profile);

}  // namespace ide
