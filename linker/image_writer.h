#pragma once
// The two files a link writes: the bank image (.LKE) and the debug map (.DEB).
#include <cstdint>
#include <vector>

#include "linker/link_context.h"

namespace linker {

// `banks` are the relocated bank windows; bank 0's first 64 bytes receive the head.
std::vector<std::uint8_t> build_image(const LinkContext& link, std::vector<std::vector<std::uint8_t>> banks);

std::vector<std::uint8_t> build_debug_map(const LinkContext& link);

}  // namespace linker
