#include "simulator/skin/skin_outline.h"

#include <algorithm>

namespace sim {

std::vector<SkinPoint> window_outline(const Skin& skin, bool turned) {
    const std::vector<SkinPoint>& quarter = skin.outline_points;
    std::vector<SkinPoint> outline;
    if (quarter.front() == quarter.back()) {
        outline = quarter;
    } else {
        uint32_t w = skin.width, h = skin.height;
        outline = quarter;
        for (auto p = quarter.rbegin(); p != quarter.rend(); ++p) outline.push_back({p->x, h - p->y});
        for (const SkinPoint& p : quarter) outline.push_back({w - p.x, h - p.y});
        for (auto p = quarter.rbegin(); p != quarter.rend(); ++p) outline.push_back({w - p->x, p->y});
        outline.push_back(quarter.front());
    }
    if (turned)
        for (SkinPoint& p : outline) p = {skin.height - p.y, p.x};
    return outline;
}

}  // namespace sim
