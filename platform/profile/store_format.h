#pragma once
// The text form of a profile store, one file per program:
//
//   [Editor\C Files]
//   Keep Tabs=int:1
//   Keywords=str:c.ini
//   Placement=bin:2C000000
//
// Sections are written in name order, values in name order within them.
// In names and strings, `%`, `=`, `[`, `]` and control bytes are written as
// %HH, so any name or value survives a round trip and stays on one line.
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "platform/os/text.h"

namespace profile {

using Value = std::variant<std::string, int, std::vector<std::uint8_t>>;

struct Section {
    // Keyed by the name as first written; looked up in any case.
    std::map<std::string, Value, os::LessIgnoreCase> values;
};

struct Tree {
    // Keyed by the normalised path ("Editor\C Files", no empty components).
    std::map<std::string, Section, os::LessIgnoreCase> sections;
};

// "\Editor\\C Files\" -> "Editor\C Files".
std::string normalise_section(std::string_view section);

std::string format_tree(const Tree& tree);

// Reads what format_tree wrote. Lines it cannot read are skipped; the first
// of them is described in `error` ("line 7: ...").
Tree parse_tree(std::string_view text, std::string& error);

}  // namespace profile
