#pragma once
// The commands of the project tree's context menu for the selected item's
// kind; the workspace bar takes their texts from the string table.
#include <cstdint>
#include <vector>

#include "ide/workspace/item_data.h"

namespace ide {

inline constexpr std::uint32_t kMenuSeparator = 0;
inline constexpr std::uint32_t kCommandNewBank = 32900;
inline constexpr std::uint32_t kCommandNewFile = 32901;
inline constexpr std::uint32_t kCommandInsertFile = 32902;
inline constexpr std::uint32_t kCommandSettings = 32904;  // "Setting\tAlt+F7"
inline constexpr std::uint32_t kCommandOpen = 32905;
inline constexpr std::uint32_t kCommandDelete = 32906;
inline constexpr std::uint32_t kCommandLibraryProperty = 32943;
inline constexpr std::uint32_t kCommandInsertStandardLibraries = 32944;

// The menu's items in order (kMenuSeparator between groups); empty when no
// item is selected (kind none).
std::vector<std::uint32_t> ContextMenuCommands(ItemKind kind);

}  // namespace ide
