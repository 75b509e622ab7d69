#include "ide/workspace/context_menu.h"

namespace ide {

std::vector<std::uint32_t> ContextMenuCommands(ItemKind kind) {
    std::vector<std::uint32_t> kind_items;
    switch (kind) {
        case ItemKind::source: kind_items = {kCommandOpen, kMenuSeparator, kCommandDelete}; break;
        case ItemKind::project: kind_items = {kCommandNewBank}; break;
        case ItemKind::bank: kind_items = {kCommandDelete, kMenuSeparator, kCommandNewFile, kCommandInsertFile}; break;
        case ItemKind::category: kind_items = {kCommandNewFile, kCommandInsertFile}; break;
        case ItemKind::library:
            kind_items = {kCommandLibraryProperty, kCommandDelete, kMenuSeparator, kCommandInsertStandardLibraries,
                          kCommandInsertFile};
            break;
        case ItemKind::library_group: kind_items = {kCommandInsertStandardLibraries, kCommandInsertFile}; break;
        case ItemKind::none: return {};
    }
    std::vector<std::uint32_t> menu{kMenuSeparator};
    menu.insert(menu.end(), kind_items.begin(), kind_items.end());
    menu.push_back(kMenuSeparator);
    menu.push_back(kCommandSettings);
    return menu;
}

}  // namespace ide
