#pragma once
// What the tests and benchmarks of Corvel share: the sample workspace copied
// into a folder with its own profile, and the message loop's work done at once.
#include <cstdlib>
#include <filesystem>

#include "platform/afx/app.h"
#include "testing/golden.h"

// Copies the sample workspace into `folder` and keeps the profile there.
inline void UseSampleWorkspace(const std::filesystem::path& folder) {
    const std::filesystem::path sample = testing_kit::source_path("samples/hello");
    for (const char* name : {"HELLO.WSP", "HELLO.PRJ", "hello.asm"})
        std::filesystem::copy_file(sample / name, folder / name);
    setenv("KIT_PROFILE_DIR", (folder / "profile").c_str(), 1);
}

// Everything queued, then the idle work, as the loop would do before waiting.
inline void HandleQueued(CWinApp& app) { app.RunQueued(); }
