#pragma once
// The settings dialog: the periods of the NMI and of the LCD refresh, in
// steps of 3600 CPU cycles, on two sliders from "Fast" to "Slow".
#include <cstdint>

#include "platform/user/user.h"

namespace simwin {

inline constexpr int kSettingsDialog = 114;
inline constexpr int kNmiSlider = 1021, kLcdSlider = 1022, kResetButton = 1015;
inline constexpr std::uint32_t kCyclesPerStep = 3600;

struct Periods {
    std::uint32_t nmi = 0, lcd = 0;  // CPU cycles
};

// Returns IDOK with the chosen periods in `periods`, or IDCANCEL leaving them.
int show_settings_dialog(HWND owner, Periods& periods, bool debug);

}  // namespace simwin
