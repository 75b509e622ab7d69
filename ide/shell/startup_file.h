#pragma once
// What a file named on Corvel's command line opens as.
#include <string>

namespace shell {

enum class StartupKind { Workspace, Source };

struct StartupFile {
    StartupKind kind;
    std::string path;  // for a project: the workspace file beside it
};

// A ".WSP" opens as the workspace, a ".PRJ" as the workspace of the same name beside
// it, anything else as a source (case does not matter).
StartupFile ClassifyStartupFile(const std::string& path);

}  // namespace shell
