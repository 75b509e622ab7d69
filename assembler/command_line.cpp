#include "assembler/command_line.h"

namespace dravlin {

namespace {

bool is_separator(char c) { return c == '/' || c == '\\'; }

size_t file_name_start(const std::string& path) {
    size_t separator = path.find_last_of("/\\");
    return separator == std::string::npos ? 0 : separator + 1;
}

// The path without the extension of its file name (a dot in a folder name is
// no extension).
std::string without_extension(const std::string& path) {
    size_t dot = path.rfind('.');
    if (dot == std::string::npos || dot < file_name_start(path)) return path;
    return path.substr(0, dot);
}

}  // namespace

std::optional<RunSettings> parse_command_line(const std::vector<std::string>& args) {
    if (args.empty()) return std::nullopt;
    RunSettings settings;
    settings.source_path = args[0];
    if (args.size() > 1 && !args[1].starts_with('-')) settings.output_path = args[1];
    for (size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "-C") {
            settings.code_lines = true;
        } else if (args[i] == "-I" && i + 1 < args.size()) {
            ++i;
            if (settings.include_directories.size() < kMaxIncludeDirectories) {
                settings.include_directories.push_back(args[i]);
            }
        }
    }
    return settings;
}

OutputPaths output_paths(const RunSettings& settings) {
    OutputPaths paths;
    paths.base = without_extension(settings.source_path);
    const std::string& output = settings.output_path;
    std::string stem;
    if (output.empty()) {
        stem = paths.base;
        paths.object = stem + ".obj";
    } else if (is_separator(output.back())) {
        stem = output + without_extension(settings.source_path.substr(file_name_start(settings.source_path)));
        paths.object = stem + ".obj";
    } else {
        stem = without_extension(output);
        paths.object = output;
    }
    paths.symbols = stem + ".sym";
    return paths;
}

}  // namespace dravlin
