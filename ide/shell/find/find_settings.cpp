#include "ide/shell/find/find_settings.h"

#include <algorithm>
#include <strings.h>

#include "platform/profile/store.h"

namespace ide {

namespace {

constexpr const char* kMatchCaseKey = "Match case";
constexpr const char* kSubfoldersKey = "InSubFolders";
constexpr const char* kOutputTo2Key = "OutputTo2";
constexpr const char* kWholeWordKey = "MatchWholeWord";

std::string Key(const char* stem, std::size_t number) { return stem + std::to_string(number); }

bool SameIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && ::strncasecmp(a.data(), b.data(), a.size()) == 0;
}

std::vector<std::string> LoadHistory(const profile::Store& store, const char* stem, std::string_view left_out) {
    std::vector<std::string> history;
    for (std::size_t n = 1; n <= kFindHistorySize; ++n) {
        std::string value = store.GetProfileString(kFindSection, Key(stem, n), "");
        if (value.empty() || (!left_out.empty() && SameIgnoringCase(value, left_out))) continue;
        history.push_back(std::move(value));
    }
    return history;
}

void SaveHistory(profile::Store& store, const char* stem, const std::vector<std::string>& history) {
    for (std::size_t n = 1; n <= kFindHistorySize; ++n)
        store.WriteProfileString(kFindSection, Key(stem, n), n <= history.size() ? history[n - 1] : std::string());
}

}  // namespace

FindSettings LoadFindSettings(const profile::Store& store, std::string_view project_folder) {
    FindSettings settings;
    settings.match_case = store.GetProfileInt(kFindSection, kMatchCaseKey, 0) != 0;
    settings.subfolders = store.GetProfileInt(kFindSection, kSubfoldersKey, 0) != 0;
    settings.output_to_2 = store.GetProfileInt(kFindSection, kOutputTo2Key, 0) != 0;
    settings.whole_word = store.GetProfileInt(kFindSection, kWholeWordKey, 0) != 0;
    for (std::size_t n = 1;; ++n) {
        std::string type = store.GetProfileString(kFindSection, Key("Type", n), "");
        if (type.empty()) break;
        settings.types.push_back(std::move(type));
    }
    if (!project_folder.empty()) settings.folders.emplace_back(project_folder);
    for (std::string& folder : LoadHistory(store, "Folder", project_folder))
        settings.folders.push_back(std::move(folder));
    settings.strings = LoadHistory(store, "Find", {});
    return settings;
}

std::vector<std::string> UpdatedHistory(const std::vector<std::string>& list, const std::string& current) {
    std::vector<std::string> history{current};
    for (const std::string& item : list) {
        if (history.size() == kFindHistorySize) break;
        if (item != current) history.push_back(item);
    }
    return history;
}

void SaveFindSettings(profile::Store& store, const FindSettings& settings) {
    const std::pair<const char*, bool> checks[] = {{kMatchCaseKey, settings.match_case},
                                                   {kSubfoldersKey, settings.subfolders},
                                                   {kOutputTo2Key, settings.output_to_2},
                                                   {kWholeWordKey, settings.whole_word}};
    for (const auto& [key, on] : checks) store.WriteProfileInt(kFindSection, key, on ? 1 : 0);
    SaveHistory(store, "Folder", settings.folders);
    SaveHistory(store, "Find", settings.strings);
}

}  // namespace ide
