#include "simulator/skin/skin_switch.h"

namespace sim {

SkinSwitch switch_skin(LoadedSkin& current, const std::filesystem::path& wanted, std::optional<SimFailure>& failure) {
    if (wanted == current.path) return SkinSwitch::AlreadyLoaded;
    auto loaded = load_skin(wanted);
    if (auto* why = std::get_if<SimFailure>(&loaded)) {
        failure = sim_failure(kReloadSkinError, why->text);
        return SkinSwitch::Failed;
    }
    current = {wanted, std::get<Skin>(std::move(loaded))};
    return SkinSwitch::Switched;
}

}  // namespace sim
