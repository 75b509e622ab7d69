#include "ide/shell/dialogs/settings_save.h"

#include "platform/afx/app.h"
#include "platform/profile/store.h"

namespace ide {

std::string SettingsNotSavedText(const os::Error& error) { return "The settings cannot be saved: " + error.text; }

void SaveSettings(profile::Store& profile) {
    if (const os::Status saved = profile.Flush(); !saved)
        AfxMessageBox(SettingsNotSavedText(saved.error()).c_str(), MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace ide
