#include "simulator/window/settings_dialog.h"

namespace simwin {
namespace {

struct SliderRange {
    int low, high;
};
constexpr SliderRange kNmiRange{50, 1500}, kLcdRange{5, 1000};
// "Reset" widens both ranges and sets the default periods.
constexpr SliderRange kNmiResetRange{10, 1500}, kLcdResetRange{10, 1000};
constexpr int kNmiDefault = 500, kLcdDefault = 250, kNmiDefaultDebug = 360, kLcdDefaultDebug = 180;

struct DialogState {
    Periods* periods;
    bool debug;
};

void set_slider(HWND dialog, int id, SliderRange range, int position) {
    SendDlgItemMessage(dialog, id, TBM_SETRANGE, FALSE, MAKELPARAM(range.low, range.high));
    SendDlgItemMessage(dialog, id, TBM_SETPOS, TRUE, position);
}

std::uint32_t slider_period(HWND dialog, int id) {
    return std::uint32_t(SendDlgItemMessage(dialog, id, TBM_GETPOS, 0, 0)) * kCyclesPerStep;
}

LONG_PTR settings_procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* state = reinterpret_cast<DialogState*>(GetWindowLongPtr(dialog, GWL_USERDATA));
    switch (message) {
        case WM_INITDIALOG:
            SetWindowLongPtr(dialog, GWL_USERDATA, lParam);
            state = reinterpret_cast<DialogState*>(lParam);
            set_slider(dialog, kNmiSlider, kNmiRange, int(state->periods->nmi / kCyclesPerStep));
            set_slider(dialog, kLcdSlider, kLcdRange, int(state->periods->lcd / kCyclesPerStep));
            return TRUE;
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case kResetButton:
                    set_slider(dialog, kNmiSlider, kNmiResetRange, state->debug ? kNmiDefaultDebug : kNmiDefault);
                    set_slider(dialog, kLcdSlider, kLcdResetRange, state->debug ? kLcdDefaultDebug : kLcdDefault);
                    return TRUE;
                case IDOK:
                    state->periods->nmi = slider_period(dialog, kNmiSlider);
                    state->periods->lcd = slider_period(dialog, kLcdSlider);
                    EndDialog(dialog, IDOK);
                    return TRUE;
                case IDCANCEL: EndDialog(dialog, IDCANCEL); return TRUE;
                default: return FALSE;
            }
        default: return FALSE;
    }
}

}  // namespace

int show_settings_dialog(HWND owner, Periods& periods, bool debug) {
    DialogState state{&periods, debug};
    LONG_PTR result =
        DialogBoxParam(nullptr, MAKEINTRESOURCE(kSettingsDialog), owner, settings_procedure, LPARAM(&state));
    return result == IDOK ? IDOK : IDCANCEL;
}

}  // namespace simwin
