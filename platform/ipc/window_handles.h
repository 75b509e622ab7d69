#pragma once
// Handles of top-level windows that another process may address. They are
// printed in decimal on command lines and kept in the profile, so they are
// unique across every process of the user and below 2^31. The window manager
// takes the handles of its top-level windows from here.
#include <cstdint>
#include <string>

namespace ipc {

using WindowHandle = uint32_t;

// The range handed out; values below it stay free for handles private to a process.
inline constexpr WindowHandle kFirstSharedHandle = 0x10000;
inline constexpr WindowHandle kSharedHandleLimit = 0x80000000u;

// A handle no other process has been given since the counter last wrapped;
// 0 when the runtime folder cannot be used (`why` says why).
WindowHandle allocate_window_handle(std::string* why = nullptr);

}  // namespace ipc
