#pragma once
// What a file named on Corvel's command line opens as.
#include <string>

namespace shell {

enum class StartupKind { Workspace, Source };

// A ".WSP" or ".PRJ" file opens as the workspace, anything else as a source (case
// does not matter).
StartupKind ClassifyStartupFile(const std::string& path);

}  // namespace shell
