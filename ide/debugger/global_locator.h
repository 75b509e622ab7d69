#pragma once
// Where a C global lives in the target: found by its link name in the
// module's object (or, for an external, in the public table of another
// module's object), placed through the linker's debug map. The module's type
// file (.sym) must exist beside its object.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace ide {

struct DebugFileSet {
    std::string project_folder;  // ends in a path separator
    std::string project_name;
    std::span<const std::string> modules;  // every module of the program

    std::string path(const std::string& module, const char* extension) const {
        return project_folder + "debug/" + module + extension;
    }
};

// The address of `link_name` defined in `module` or, when the module only
// declares it, in another module; nothing when it cannot be located.
std::optional<std::uint16_t> locate_global(const DebugFileSet& files, const std::string& module,
                                           std::string_view link_name);

}  // namespace ide
