// Feeds any bytes to the two readers of this library: the store's own file
// format and INI files. Neither may crash, and whatever the store reads it
// must write back so that it reads the same again.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/profile/ini.h"
#include "platform/profile/store_format.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    std::string error;
    const profile::Tree tree = profile::parse_tree(text, error);
    const std::string written = profile::format_tree(tree);
    const profile::Tree again = profile::parse_tree(written, error);
    if (!error.empty() || profile::format_tree(again) != written) std::abort();

    const profile::IniFile ini = profile::IniFile::parse(text);
    for (const std::string& section : ini.sections())
        for (const std::string& key : ini.keys(section)) (void)ini.get(section, key, "godzilla");
    return 0;
}
