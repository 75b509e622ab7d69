#include "ide/shell/startup_file.h"

#include <filesystem>

#include "platform/os/text.h"

namespace shell {

StartupFile ClassifyStartupFile(const std::string& path) {
    const std::string extension = std::filesystem::path(path).extension().string();
    if (os::equals_ignore_case(extension, ".WSP")) return {StartupKind::Workspace, path};
    if (os::equals_ignore_case(extension, ".PRJ"))
        return {StartupKind::Workspace, path.substr(0, path.size() - extension.size()) + ".WSP"};
    return {StartupKind::Source, path};
}

}  // namespace shell
