#include "platform/os/module.h"

#include <unistd.h>

#include <cstdlib>
#include <system_error>

#include "platform/os/text.h"

extern char** environ;

namespace os {

std::filesystem::path module_path() {
    std::error_code error;
    return std::filesystem::read_symlink("/proc/self/exe", error);
}

std::filesystem::path module_directory() { return module_path().parent_path(); }

std::optional<std::string> environment_variable(std::string_view name) {
    const std::string wanted(name);
    if (const char* value = std::getenv(wanted.c_str())) return std::string(value);
    for (char** entry = environ; entry && *entry; ++entry) {
        const std::string_view text = *entry;
        const std::size_t equals = text.find('=');
        if (equals != std::string_view::npos && equals_ignore_case(text.substr(0, equals), name))
            return std::string(text.substr(equals + 1));
    }
    return std::nullopt;
}

}  // namespace os
