#include "simulator/window/key_mapping.h"

#include "platform/user/keys.h"

namespace simwin {

int turned_arrow(int virtual_key, bool turned) {
    if (!turned) return virtual_key;
    switch (virtual_key) {
        case VK_LEFT: return VK_DOWN;
        case VK_RIGHT: return VK_UP;
        case VK_UP: return VK_LEFT;
        case VK_DOWN: return VK_RIGHT;
        default: return virtual_key;
    }
}

std::optional<std::size_t> key_for_pc_key(const sim::Skin& skin, int virtual_key, bool turned) {
    int key = turned_arrow(virtual_key, turned);
    if (key <= 0) return std::nullopt;
    for (std::size_t i = 0; i < skin.keys.size(); ++i) {
        for (uint16_t bound : skin.keys[i].pc_keys)
            if (bound != 0 && bound == key) return i;
    }
    return std::nullopt;
}

sim::SkinRect key_area(const sim::Skin& skin, bool turned, std::size_t key) {
    if (turned && skin.rotated && key < skin.rotated->key_areas.size()) return skin.rotated->key_areas[key];
    return skin.keys[key].area;
}

std::optional<std::size_t> key_at_point(const sim::Skin& skin, bool turned, int x, int y) {
    if (x < 0 || y < 0) return std::nullopt;
    for (std::size_t i = 0; i < skin.keys.size(); ++i)
        if (key_area(skin, turned, i).contains(uint32_t(x), uint32_t(y))) return i;
    return std::nullopt;
}

}  // namespace simwin
