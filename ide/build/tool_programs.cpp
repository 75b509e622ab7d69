#include "ide/build/tool_programs.h"

#include <vector>

#include "ide/workspace/text_utils.h"
#include "platform/os/file.h"
#include "platform/os/text.h"
#include "platform/profile/store.h"

namespace ide {

namespace {

// The name as given, then without a ".exe" suffix.
std::vector<std::string> SpellingsOf(std::string_view name) {
    std::vector<std::string> spellings{std::string(name)};
    if (name.size() > 4 && os::equals_ignore_case(name.substr(name.size() - 4), ".exe")) {
        spellings.emplace_back(name.substr(0, name.size() - 4));
    }
    return spellings;
}

bool IsProgramFile(const std::string& path) {
    const os::FileInfo info = os::file_info(path);
    return info.exists && !info.is_directory;
}

}  // namespace

std::string ToolName(const profile::Store& profile, const ToolKey& tool) {
    return profile.GetProfileString(kExecutionSection, tool.key, tool.default_name);
}

std::string FindExecutablePath(const profile::Store& profile, std::string_view name,
                               std::string_view application_folder) {
    if (name.empty()) return {};
    std::vector<std::string> folders;
    SplitString(profile.GetProfileString(kDirectoriesSection, "Executable files"), folders, ';');
    folders.emplace_back(application_folder);
    for (const std::string& folder : folders) {
        for (const std::string& spelling : SpellingsOf(name)) {
            const std::string path = WithTrailingSeparator(folder) + spelling;
            if (IsProgramFile(path)) return path;
        }
    }
    return {};
}

void InitToolNames(profile::Store& profile) {
    for (const ToolKey& tool : {kLinkerTool, kAssemblerTool, kCompilerTool, kPreprocessorTool}) {
        profile.WriteProfileString(kExecutionSection, tool.key, ToolName(profile, tool));
    }
}

}  // namespace ide
