#include "platform/ipc/leftovers.h"

#include "platform/ipc/runtime_dir.h"
#include "platform/ipc/shared_mapping.h"
#include "platform/ipc/window_messages.h"

namespace ipc {

void remove_leftovers() {
    const auto folder = runtime_directory(nullptr);
    if (!folder) return;
    remove_dead_ports(*folder);
    remove_dead_mappings(*folder);
}

}  // namespace ipc
