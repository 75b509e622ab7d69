#include "platform/res/resources.h"

#include <algorithm>
#include <mutex>

namespace kit::res {

namespace {

std::mutex registry_mutex;
std::vector<const Module*> registry;  // newest last

template <class T, class Pick>
const T* search(Pick pick) {
    std::lock_guard lock(registry_mutex);
    for (auto it = registry.rbegin(); it != registry.rend(); ++it) {
        if (const T* found = pick(**it)) return found;
    }
    return nullptr;
}

template <class T>
const T* by_id(const std::vector<T>& list, unsigned id) {
    auto it = std::find_if(list.begin(), list.end(), [&](const T& item) { return item.id == id; });
    return it == list.end() ? nullptr : &*it;
}

}  // namespace

void register_module(const Module* module) {
    if (!module) return;
    std::lock_guard lock(registry_mutex);
    if (std::find(registry.begin(), registry.end(), module) == registry.end()) registry.push_back(module);
}

void unregister_module(const Module* module) {
    std::lock_guard lock(registry_mutex);
    std::erase(registry, module);
}

const std::string* find_string(unsigned id) {
    return search<std::string>([&](const Module& m) -> const std::string* {
        auto it = m.strings.find(id);
        return it == m.strings.end() ? nullptr : &it->second;
    });
}

const Menu* find_menu(unsigned id) {
    return search<Menu>([&](const Module& m) { return by_id(m.menus, id); });
}

const AcceleratorTable* find_accelerators(unsigned id) {
    return search<AcceleratorTable>([&](const Module& m) { return by_id(m.accelerators, id); });
}

const Dialog* find_dialog(unsigned id) {
    return search<Dialog>([&](const Module& m) { return by_id(m.dialogs, id); });
}

const Toolbar* find_toolbar(unsigned id) {
    return search<Toolbar>([&](const Module& m) { return by_id(m.toolbars, id); });
}

const Picture* find_picture(PictureKind kind, unsigned id) {
    return search<Picture>([&](const Module& m) -> const Picture* {
        for (const auto& p : m.pictures) {
            if (p.kind == kind && p.id == id) return &p;
        }
        return nullptr;
    });
}

}  // namespace kit::res
