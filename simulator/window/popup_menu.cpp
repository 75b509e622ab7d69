#include "simulator/window/popup_menu.h"

namespace simwin {
namespace {

// Strings of the menu's command texts.
constexpr UINT kRotateText = 60, kSuspendText = 61, kExitText = 62, kDownloadText = 63, kMinimizeText = 79,
               kResetText = 80, kSettingText = 81, kSoundText = 85;

bool append(HMENU menu, UINT flags, UINT id, const char* text, std::string* error) {
    if (AppendMenu(menu, flags, id, text)) return true;
    *error = "Append Menu Item Error";
    return false;
}

bool append_string(HMENU menu, UINT flags, UINT id, UINT string_id, std::string* error) {
    char text[256];
    if (LoadString(nullptr, string_id, text, sizeof text) <= 0) {
        *error = "LoadString Error";
        return false;
    }
    return append(menu, flags | MF_STRING, id, text, error);
}

}  // namespace

HMENU build_popup_menu(const std::vector<std::string>& skin_names, const MenuState& state, std::string* error) {
    MenuIds ids{skin_names.size()};
    HMENU menu = CreatePopupMenu();
    if (!menu) {
        *error = "Append Menu Item Error";
        return nullptr;
    }
    bool ok = true;
    for (std::size_t i = 0; ok && i < skin_names.size(); ++i)
        ok = append(menu, MF_STRING | (i == state.current_skin ? MF_CHECKED : 0), ids.skin(i), skin_names[i].c_str(),
                    error);
    ok = ok && append(menu, MF_SEPARATOR, 0, nullptr, error);
    ok = ok && append_string(menu, state.can_rotate ? 0 : MF_GRAYED, ids.rotate(), kRotateText, error);
    ok = ok && append_string(menu, state.debug ? 0 : MF_GRAYED, ids.suspend_and_watch(), kSuspendText, error);
    switch (state.sound) {
        case SoundState::Unavailable: ok = ok && append_string(menu, MF_GRAYED, ids.sound(), kSoundText, error); break;
        case SoundState::Off: ok = ok && append_string(menu, MF_UNCHECKED, ids.sound(), kSoundText, error); break;
        case SoundState::On: ok = ok && append_string(menu, MF_CHECKED, ids.sound(), kSoundText, error); break;
    }
    ok = ok && append_string(menu, 0, ids.setting(), kSettingText, error);
    ok = ok && append_string(menu, 0, ids.download(), kDownloadText, error);
    ok = ok && append(menu, MF_SEPARATOR, 0, nullptr, error);
    ok = ok && append_string(menu, 0, ids.minimize(), kMinimizeText, error);
    ok = ok && append_string(menu, 0, ids.reset(), kResetText, error);
    ok = ok && append_string(menu, 0, ids.exit(), kExitText, error);
    if (ok) return menu;
    DestroyMenu(menu);
    return nullptr;
}

}  // namespace simwin
