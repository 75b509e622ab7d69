#pragma once
// What a job list and the up-to-date checks are made from: the project, the
// profile's folders and tool names, the IDE's own folder, and the project's
// C and assembler sources in collection order.
#include <cstdint>
#include <string>
#include <vector>

namespace profile {
class Store;
}

namespace ide {

class CVyrWorkspaceManager;

enum class SourceKind : std::uint32_t { c_source = 1, asm_source = 2 };

struct SourceFileRecord {
    std::uint32_t bank = 0;  // the bank item's key (bank number << 16 | code base)
    SourceKind kind = SourceKind::asm_source;
    std::string path;        // as the project stores it, relative to the project folder
    std::string bank_param;  // the parameter string of its bank
};

// For each bank, its C sources, then its assembler sources, in tree order.
std::vector<SourceFileRecord> CollectSourceFiles(const CVyrWorkspaceManager& workspace);

struct JobContext {
    CVyrWorkspaceManager& workspace;
    const profile::Store& profile;
    std::string application_folder;  // ends with a separator
    std::vector<SourceFileRecord> sources;
};

}  // namespace ide
