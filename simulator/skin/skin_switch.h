#pragma once
// Changing the skin while the device runs.
#include <filesystem>
#include <optional>

#include "simulator/skin/skin_file.h"

namespace sim {

struct LoadedSkin {
    std::filesystem::path path;
    Skin skin;
};

enum class SkinSwitch { AlreadyLoaded, Failed, Switched };

// Loads the skin at `wanted` in place of `current`. The new skin is read in
// full before the old one goes, so a skin that fails to load (string 25 in
// `failure`) leaves the current one loaded and nothing needs reloading.
SkinSwitch switch_skin(LoadedSkin& current, const std::filesystem::path& wanted, std::optional<SimFailure>& failure);

}  // namespace sim
