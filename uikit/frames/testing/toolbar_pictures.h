#pragma once
// Pictures for toolbars whose program brings none: each button gets a 16 by 15
// shape by its toolbar (a page, a block, a pencil, an arrow) and dots for its
// place in it, so that pictures of a layout tell the buttons apart.
#include <string>
#include <vector>

#include "platform/res/resources.h"

namespace frames_testing {

// A module holding toolbar resource `resource_id` with every command of
// `toolbars` (one list of command ids per toolbar, 0 for a separator), once,
// and its picture strip under the same id.
kit::res::Module toolbar_pictures(std::string name, unsigned resource_id,
                                  const std::vector<std::vector<unsigned>>& toolbars);

}  // namespace frames_testing
