#pragma once
// The window's outline polygon from the skin's outline points.
#include <vector>

#include "simulator/skin/skin_file.h"

namespace sim {

// A closed list (last point equal to the first) is the outline as it stands.
// Otherwise the points are one quarter: the outline is the points, then them
// reversed and mirrored top to bottom, then in order mirrored both ways, then
// reversed and mirrored left to right, and the first point again (4 n + 1
// points). In the turned view each point (x, y) becomes (H - y, x).
std::vector<SkinPoint> window_outline(const Skin& skin, bool turned);

}  // namespace sim
