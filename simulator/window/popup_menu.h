#pragma once
// The right-button menu: one entry per skin, then the simulator's commands,
// whose ids follow the skins' (101 + n for n skins onward).
#include <cstddef>
#include <string>
#include <vector>

#include "platform/user/user.h"

namespace simwin {

// Sound: 1 not available, 2 off, 3 on.
enum class SoundState { Unavailable = 1, Off = 2, On = 3 };

// Command ids of a menu with `skins` skin entries.
struct MenuIds {
    std::size_t skins = 0;
    UINT skin(std::size_t index) const { return UINT(101 + index); }
    UINT rotate() const { return UINT(101 + skins); }
    UINT suspend_and_watch() const { return UINT(102 + skins); }
    UINT sound() const { return UINT(103 + skins); }
    UINT setting() const { return UINT(104 + skins); }
    UINT download() const { return UINT(105 + skins); }
    UINT minimize() const { return UINT(106 + skins); }
    UINT reset() const { return UINT(107 + skins); }
    UINT exit() const { return UINT(108 + skins); }
    bool is_skin(UINT id) const { return id >= 101 && id < 101 + skins; }
};

struct MenuState {
    std::size_t current_skin = 0;
    bool debug = false;
    bool can_rotate = false;
    SoundState sound = SoundState::Unavailable;
};

// Builds the menu from the skins' display names and the command texts of the
// string table. Null, with the text of what failed, when an item cannot be added.
HMENU build_popup_menu(const std::vector<std::string>& skin_names, const MenuState& state, std::string* error);

}  // namespace simwin
