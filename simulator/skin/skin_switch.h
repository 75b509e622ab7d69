#pragma once
// Changing the skin while the device runs.
#include <filesystem>
#include <variant>

#include "simulator/skin/skin_file.h"

namespace sim {

struct LoadedSkin {
    std::filesystem::path path;
    Skin skin;
};

// The skin at `wanted`, read whole to take the place of `current`: nothing
// (monostate) when it is the loaded skin itself; string 25 when it cannot be
// read or its LCD differs from the current one (the running device keeps its
// LCD size). The current skin stays loaded until the caller swaps it, so
// nothing ever needs reloading.
std::variant<std::monostate, LoadedSkin, SimFailure> read_chosen_skin(const LoadedSkin& current,
                                                                      const std::filesystem::path& wanted);

}  // namespace sim
