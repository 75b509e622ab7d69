#pragma once
// What the Find in Files dialog keeps in the profile under "Settings\Find":
// the four check boxes ("Match case", "InSubFolders", "OutputTo2",
// "MatchWholeWord", 0 or 1), the histories of strings ("Find1".."Find10") and
// folders ("Folder1".."Folder10"), and the file-type list ("Type1", "Type2", ...
// up to the first empty one), which the dialog reads but never writes.
#include <string>
#include <string_view>
#include <vector>

namespace profile {
class Store;
}

namespace ide {

inline constexpr const char* kFindSection = "Settings\\Find";
inline constexpr std::size_t kFindHistorySize = 10;

struct FindSettings {
    std::vector<std::string> strings;  // most recent first
    std::vector<std::string> types;
    std::vector<std::string> folders;  // the project folder first when there is one
    bool match_case = false;
    bool subfolders = false;
    bool output_to_2 = false;
    bool whole_word = false;
};

// The project folder (empty when none) leads the folders; a history entry
// equal to it, ignoring case, is left out, as are empty entries.
FindSettings LoadFindSettings(const profile::Store& store, std::string_view project_folder);

// The list a history combo saves: `current` first, then the list's other
// items in order (one equal to `current` dropped), at most kFindHistorySize.
std::vector<std::string> UpdatedHistory(const std::vector<std::string>& list, const std::string& current);

// Writes the check boxes and both histories (unused entries emptied, so no
// older entry outlives a shorter list); the types are not written.
void SaveFindSettings(profile::Store& store, const FindSettings& settings);

}  // namespace ide
