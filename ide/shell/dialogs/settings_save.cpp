#include "ide/shell/dialogs/settings_save.h"

#include "platform/afx/app.h"
#include "platform/profile/store.h"

namespace ide {

std::string SettingsNotSavedText(const os::Error& error) { return "The settings cannot be saved: " + error.text; }

std::string SettingsReadInPartText(const profile::Store& profile) {
    if (profile.kept_copy().empty()) return "Settings read in part: " + profile.load_error();
    return profile.kept_copy() + " keeps the damaged settings, read in part: " + profile.damage();
}

void SaveSettings(profile::Store& profile) {
    if (const os::Status saved = profile.Flush(); !saved)
        AfxMessageBox(SettingsNotSavedText(saved.error()).c_str(), MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace ide
