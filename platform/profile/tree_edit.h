#pragma once
// Edits of a loaded profile tree. A store records each edit it makes, so
// that at save time it can replay them over what another process may have
// saved in the meantime.
#include <string>
#include <string_view>

#include "platform/profile/store_format.h"

namespace profile {

struct Edit {
    enum class Kind { put, erase_value, erase_section };
    Kind kind;
    std::string section;
    std::string key;  // unused for erase_section
    Value value;      // put only
};

void apply(Tree& tree, const Edit& edit);

// Whether section path `path` is `folder` or lies below it (any case).
bool is_within(std::string_view path, std::string_view folder);

}  // namespace profile
