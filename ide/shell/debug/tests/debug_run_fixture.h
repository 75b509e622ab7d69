#pragma once
// What the debug-run tests and the screen run share: a copy of the sample
// workspace and a simulator folder of its own (the simulator writes its RAM
// file beside itself), the profile that names the kit's tools, and bounded
// waits that keep the IDE's messages flowing.
#include <chrono>
#include <filesystem>
#include <functional>
#include <string>

#include "platform/afx/app.h"
#include "platform/ipc/window_handles.h"

namespace shell {
class CVyrFrameDoc;
}

namespace debug_testing {

struct DebugRunFolders {
    std::filesystem::path workspace;  // HELLO.WSP, HELLO.PRJ, hello.asm
    std::filesystem::path simulator;  // Talvask, its ROM, skin, loader and product file
};

// Fills `root` and points the profile (KIT_PROFILE_DIR, set by the caller) at the
// simulator folder first, then the kit's programs; Corvel starts without its splash. Empty text when all is ready.
std::string PrepareDebugRun(const std::filesystem::path& root, DebugRunFolders& folders);

// Handles the application's messages (and its idle work), then looks at `done`,
// until it holds or the limit passes; true when done.
bool PumpUntil(CWinApp& app, const std::function<bool()>& done, std::chrono::milliseconds limit);

// Handles what is queued now.
void Drain(CWinApp& app);

// Presses a key on the IDE's keyboard, with Shift held when asked.
void PressKey(int vk, bool shift = false);

// The key the demo ROM waits for to enter the downloaded program (the skin's F1),
// pressed or released in the simulator's window.
void PostStartKey(ipc::WindowHandle simulator, bool down);

// The flags of a line (1-based) of an open document.
std::uint32_t LineFlags(shell::CVyrFrameDoc& doc, int line);

}  // namespace debug_testing
