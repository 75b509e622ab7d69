#include "ide/shell/main_window_key.h"

#include <cstdio>

namespace shell {

std::string PublishMainWindow(profile::Store& store, unsigned handle) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", handle);
    store.WriteProfileInt("FrameState", "MainWindow", static_cast<int>(handle));
    return text;
}

std::string ClearMainWindow(profile::Store& store) { return PublishMainWindow(store, 0xFFFFFFFFu); }

}  // namespace shell
