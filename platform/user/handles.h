#pragma once
// Where handles come from. Top-level windows may be named on another
// process's command line, so their handles come from the between-process
// allocator (unique across processes, below 2^31); other windows take handles
// private to the process, above that range. Menu handles are never reused.
#include "platform/user/user_types.h"

namespace kit::user {

HWND allocate_window_handle(bool top_level);
HMENU allocate_menu_handle();

}  // namespace kit::user
