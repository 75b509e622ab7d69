// The project's 34-byte version block and its ".VER" file beside the project.
#include <cstring>

#include "ide/workspace/workspace_manager.h"
#include "platform/os/file.h"
#include "platform/profile/store.h"

namespace ide {

std::string CVyrWorkspaceManager::VersionFilePath() const { return project_folder_ + workspace_name_ + ".VER"; }

void CVyrWorkspaceManager::LoadVersionDefaults() {
    version_.language = static_cast<std::uint8_t>(profile_.GetProfileInt("Settings", "Default Language", 0) & 0xFF);
    version_.version = static_cast<std::uint8_t>(profile_.GetProfileInt("Settings", "Default Version", 0) & 0xFF);
}

bool CVyrWorkspaceManager::WriteVersionFile() const {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(&version_);
    return os::write_file(VersionFilePath(), std::span(bytes, sizeof version_)).ok();
}

namespace {
// The file is one block; one many times larger is no version file.
constexpr std::uint64_t kLargestVersionFile = 64 * 1024;
}  // namespace

bool CVyrWorkspaceManager::ReadVersionFile() {
    const auto bytes = os::read_file(VersionFilePath(), kLargestVersionFile);
    // A short file would leave the block half old and half new.
    if (!bytes || bytes->size() < sizeof version_) return false;
    std::memcpy(&version_, bytes->data(), sizeof version_);
    return true;
}

}  // namespace ide
