#pragma once
// Reading numbers a user or a crash may have damaged: a value outside its range is
// taken as missing.
#include <string_view>

#include "platform/profile/store.h"

namespace shell {

inline int ProfileIntInRange(const profile::Store& store, std::string_view section, std::string_view key, int fallback,
                             int low, int high) {
    const int value = store.GetProfileInt(section, key, fallback);
    return value < low || value > high ? fallback : value;
}

}  // namespace shell
