#pragma once
// Runs one of the console tools in-process, in a scratch folder, and keeps
// what it printed and what it left in "output.msg".
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "linker/tool_messages.h"
#include "testing/temp_dir.h"

namespace linker::testing {

struct ToolRun {
    int exit_code = 0;
    std::string out;
    std::string err;
    std::string messages;  // contents of output.msg
};

using ToolMain = std::function<int(const std::vector<std::string>&, const Console&)>;

inline ToolRun run_tool(const ToolMain& tool, const std::filesystem::path& folder,
                        const std::vector<std::string>& arguments) {
    ToolRun run;
    Console console{[&run](std::string_view text) { run.out += text; },
                    [&run](std::string_view text) { run.err += text; }};
    testing_kit::ScopedCwd cwd(folder);
    run.exit_code = tool(arguments, console);
    if (std::filesystem::exists("output.msg")) run.messages = testing_kit::read_file("output.msg");
    return run;
}

}  // namespace linker::testing
