#pragma once
// The IDE's save points of its settings: the start-up, OK or Apply in the
// options, closing a workspace and closing the frame. A save that fails is
// told once, in one message naming the file and the reason; the old file
// stays whole, and what was written waits in the store for the next one.
#include <string>

#include "platform/os/result.h"

namespace profile {
class Store;
}

namespace ide {

std::string SettingsNotSavedText(const os::Error& error);
// What start-up says of settings it could read only in part. A damaged file's
// kept copy is named first, so that the status bar shows its name whole
// whenever the name fits at all.
std::string SettingsReadInPartText(const profile::Store& profile);

// Saves what was written to `profile` since its last save; a failure is told
// in a message box.
void SaveSettings(profile::Store& profile);

}  // namespace ide
