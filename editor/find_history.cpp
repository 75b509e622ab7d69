#include "editor/find_history.h"

namespace editor {
namespace {

std::string EntryKey(FindHistory history, int number) {
    return (history == FindHistory::kFind ? "Find" : "Replace") + std::to_string(number);
}

}  // namespace

FindSettings LoadFindSettings(ProfileAccess& profile) {
    FindSettings defaults;
    return {profile.GetProfileInt(kFindSection, "Regular expressions", defaults.regular_expressions),
            profile.GetProfileInt(kFindSection, "Match case", defaults.match_case),
            profile.GetProfileInt(kFindSection, "Forward", defaults.forward),
            profile.GetProfileInt(kFindSection, "Wrap search", defaults.wrap_search)};
}

void SaveFindSettings(ProfileAccess& profile, const FindSettings& settings) {
    profile.WriteProfileInt(kFindSection, "Regular expressions", settings.regular_expressions ? 1 : 0);
    profile.WriteProfileInt(kFindSection, "Match case", settings.match_case ? 1 : 0);
    profile.WriteProfileInt(kFindSection, "Forward", settings.forward ? 1 : 0);
    profile.WriteProfileInt(kFindSection, "Wrap search", settings.wrap_search ? 1 : 0);
}

std::vector<std::string> LoadFindHistory(ProfileAccess& profile, FindHistory history) {
    std::vector<std::string> entries;
    for (int number = 1; number <= kHistoryEntries; ++number) {
        std::string entry = profile.GetProfileString(kFindSection, EntryKey(history, number), "");
        if (entry.empty()) break;
        entries.push_back(entry == kEmptyReplaceEntry ? std::string{} : entry);
    }
    return entries;
}

void SaveFindHistory(ProfileAccess& profile, FindHistory history, std::string_view text) {
    std::string carried(text);
    if (carried.empty()) {
        if (history == FindHistory::kFind) return;
        carried = kEmptyReplaceEntry;
    }
    std::string wanted = carried;
    for (int number = 1; number <= kHistoryEntries; ++number) {
        std::string key = EntryKey(history, number);
        std::string older = profile.GetProfileString(kFindSection, key, "");
        if (number == 1 && older == wanted) return;
        profile.WriteProfileString(kFindSection, key, carried);
        if (older.empty() || older == wanted) return;
        carried = std::move(older);
    }
}

}  // namespace editor
