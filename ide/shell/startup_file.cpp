#include "ide/shell/startup_file.h"

#include <filesystem>

#include "platform/os/text.h"

namespace shell {

StartupKind ClassifyStartupFile(const std::string& path) {
    const std::string extension = std::filesystem::path(path).extension().string();
    return os::equals_ignore_case(extension, ".WSP") || os::equals_ignore_case(extension, ".PRJ")
               ? StartupKind::Workspace
               : StartupKind::Source;
}

}  // namespace shell
