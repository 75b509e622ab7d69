#include "editor/view_settings.h"

namespace editor {

void EditViewSettings::Load(ProfileAccess& profile, const std::string& section) {
    word_wrap = profile.GetProfileInt(section, "Word wrap", 0);
    SetTabSize(profile.GetProfileInt(section, "Tab size", 3));
    keep_tabs = profile.GetProfileInt(section, "Keep tabs", 1);
    show_tabs = profile.GetProfileInt(section, "Show tabs", 0);
    insert_mode = profile.GetProfileInt(section, "Insert", 1);
    font_name = profile.GetProfileString(section, "Font name", "Courier New");
    font_size = profile.GetProfileInt(section, "Font size", 9);
    font_weight = profile.GetProfileInt(section, "Font weight", 400);
    font_italic = profile.GetProfileInt(section, "Font Italic", 0);
    char_set = profile.GetProfileInt(section, "CharSet", 0);
}

}  // namespace editor
