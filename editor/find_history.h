#pragma once
// The find dialog's settings and its find and replace histories in the profile.
#include <string>
#include <string_view>
#include <vector>

#include "editor/profile_access.h"

namespace editor {

inline constexpr std::string_view kFindSection = "Settings\\Find";
// How an empty replace text is kept in the history.
inline constexpr std::string_view kEmptyReplaceEntry = "<OE empty string>";
inline constexpr int kHistoryEntries = 10;

struct FindSettings {
    int regular_expressions = 0;
    int match_case = 0;
    int forward = 1;
    int wrap_search = 1;
};

enum class FindHistory { kFind, kReplace };

FindSettings LoadFindSettings(ProfileAccess& profile);
void SaveFindSettings(ProfileAccess& profile, const FindSettings& settings);

// Entries from the most recent, up to the first empty one; the empty replace entry
// reads back as an empty text.
std::vector<std::string> LoadFindHistory(ProfileAccess& profile, FindHistory history);

// Puts a text at the top of the history. An older copy of it moves up rather than
// staying twice; the oldest entry falls off a full history. Empty find texts are not kept.
void SaveFindHistory(ProfileAccess& profile, FindHistory history, std::string_view text);

}  // namespace editor
