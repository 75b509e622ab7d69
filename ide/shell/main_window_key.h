#pragma once
// The main frame's window handle in the profile ("FrameState", "MainWindow"), where
// the simulator learns whom to tell; -1 once the IDE has ended.
#include <string>

#include "platform/profile/store.h"

namespace shell {

// Writes the handle; returns its text ("0x%08X").
std::string PublishMainWindow(profile::Store& store, unsigned handle);
std::string ClearMainWindow(profile::Store& store);

}  // namespace shell
