#include "ide/debugger/global_locator.h"

#include "ide/debugger/debug_files.h"
#include "platform/os/file.h"
#include "platform/os/text.h"

namespace ide {

namespace {

// A symbol of a module's object placed through the debug map, when it is a
// variable or a label and its type file exists.
std::optional<std::uint16_t> place_symbol(const DebugFileSet& files, const std::string& module,
                                          const formats::ObjSymbolRecord& symbol) {
    const auto kind = static_cast<formats::SymbolKind>(symbol.kind);
    if (kind != formats::SymbolKind::Variable && kind != formats::SymbolKind::Label) return std::nullopt;
    if (!os::file_exists(files.path(module, ".sym"))) return std::nullopt;
    auto deb_file = map_read_only(files.project_folder + "debug/" + files.project_name + ".deb");
    if (!deb_file.mapped) return std::nullopt;
    const DebugMap map(deb_file.mapped->bytes());
    auto index = map.find_object(files.path(module, ".obj"));
    auto entry = index ? map.object(*index) : std::nullopt;
    auto segment = entry ? map.segment(*entry, symbol.section_index, symbol.segment_index) : std::nullopt;
    if (!segment) return std::nullopt;
    return static_cast<std::uint16_t>(segment->start_address + symbol.value);
}

std::optional<std::uint16_t> locate_external(const DebugFileSet& files, const std::string& current,
                                             std::string_view link_name) {
    for (const std::string& module : files.modules) {
        if (os::equals_ignore_case(module, current)) continue;
        auto obj_file = map_read_only(files.path(module, ".obj"));
        if (!obj_file.mapped) continue;  // one unreadable object does not end the search
        auto object = ObjectDebugInfo::read(obj_file.mapped->bytes());
        if (!object) continue;
        for (std::uint32_t p = 0; p < object->header().public_count; ++p) {
            auto entry = object->public_entry(p);
            if (!entry) break;
            auto name = object->pool_string(entry->name_offset);
            if (!name || !os::equals_ignore_case(*name, link_name)) continue;
            auto symbol = object->symbol(entry->symbol_row);
            if (!symbol) return std::nullopt;
            return place_symbol(files, module, *symbol);
        }
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::uint16_t> locate_global(const DebugFileSet& files, const std::string& module,
                                           std::string_view link_name) {
    auto obj_file = map_read_only(files.path(module, ".obj"));
    if (!obj_file.mapped) return std::nullopt;
    auto object = ObjectDebugInfo::read(obj_file.mapped->bytes());
    if (!object) return std::nullopt;
    for (std::uint32_t s = 0; s < object->header().symbol_count; ++s) {
        auto symbol = object->symbol(s);
        if (!symbol) break;
        if (object->pool_string(symbol->name_offset) != link_name) continue;
        if (symbol->type_offset == formats::kExternalVariableType) return locate_external(files, module, link_name);
        return place_symbol(files, module, *symbol);
    }
    return std::nullopt;
}

}  // namespace ide
