#pragma once
// The command line: <source> [<output path>] [-C] [-I <folder>]...
#include <optional>
#include <string>
#include <vector>

namespace dravlin {

inline constexpr size_t kMaxIncludeDirectories = 24;

struct RunSettings {
    std::string source_path;
    std::string output_path;  // empty when none was given
    bool code_lines = false;  // "-C": sources made by the C compiler
    std::vector<std::string> include_directories;
};

// The arguments after the program name; nullopt when the source is missing.
// Options are compared exactly; unknown arguments are ignored.
std::optional<RunSettings> parse_command_line(const std::vector<std::string>& args);

struct OutputPaths {
    std::string base;  // the source path without its extension
    std::string object;
    std::string symbols;
};

// Where this run writes: beside the source, into a folder (an output path
// ending in a separator) or under the output name given.
OutputPaths output_paths(const RunSettings& settings);

}  // namespace dravlin
