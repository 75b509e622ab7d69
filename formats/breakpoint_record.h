#pragma once
// One source breakpoint as the IDE keeps it in memory and in the workspace's
// breakpoint file (.EXW): the file is these records back to back, no header.
#include <cstdint>

#include "formats/pack_check.h"

namespace formats {

inline constexpr std::uint32_t kBreakPointPathSize = 262;

#pragma pack(push, 1)

struct BreakPointRecord {
    std::uint16_t line;
    char source_path[kBreakPointPathSize];  // NUL-terminated, compared without case
    std::uint32_t target_word;              // the planted break entry of the current session
};

#pragma pack(pop)

static_assert(sizeof(BreakPointRecord) == 268);
FORMATS_PIN(BreakPointRecord, source_path, 2);
FORMATS_PIN(BreakPointRecord, target_word, 264);

}  // namespace formats
