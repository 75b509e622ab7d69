#pragma once
// The main frame's placement in the profile ("FrameState\Window"): saved at exit,
// applied at start. A window closed minimised comes back restored (or maximised
// when it was maximised before), and a damaged value takes the current one.
#include "platform/profile/store.h"
#include "platform/user/window_api.h"

namespace shell {

inline constexpr char kPlacementSection[] = "FrameState\\Window";

struct FramePlacement {
    WINDOWPLACEMENT placement;
    bool workbook_mode;
};

void SaveWindowPlacement(profile::Store& store, const FramePlacement& current);

// The placement to apply: the stored values over `current`.
FramePlacement LoadWindowPlacement(const profile::Store& store, const FramePlacement& current);

// The show command the frame first appears with: the stored one, else `fallback`.
int StoredShowCommand(const profile::Store& store, int fallback);

}  // namespace shell
