#include "simulator/skin/skin_switch.h"

#include "simulator/skin/skin_list.h"

namespace sim {

std::variant<std::monostate, LoadedSkin, SimFailure> read_chosen_skin(const LoadedSkin& current,
                                                                      const std::filesystem::path& wanted) {
    if (same_file(wanted, current.path)) return std::monostate{};
    auto loaded = load_skin(wanted);
    if (auto* why = std::get_if<SimFailure>(&loaded)) return sim_failure(kReloadSkinError, failure_line(*why));
    Skin& skin = std::get<Skin>(loaded);
    const LcdDescription& lcd = current.skin.lcd;
    if (skin.lcd.columns() != lcd.columns() || skin.lcd.rows() != lcd.rows()) return sim_failure(kReloadSkinError);
    return LoadedSkin{wanted, std::move(skin)};
}

}  // namespace sim
