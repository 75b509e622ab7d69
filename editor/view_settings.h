#pragma once
// How a buffer is shown and typed into: the settings a window reads from the buffer's
// profile section. The buffer's edits use the tab settings; the rest is the window's.
#include <string>

#include "editor/profile_access.h"

namespace editor {

struct EditViewSettings {
    int word_wrap = 0;    // "Word wrap"
    int tab_size = 3;     // "Tab size", at least 1
    int keep_tabs = 1;    // "Keep tabs": padding and indents use tabs
    int show_tabs = 0;    // "Show tabs"
    int insert_mode = 1;  // "Insert"; 0 overwrites
    std::string font_name = "Courier New";
    int font_size = 9;
    int font_weight = 400;
    int font_italic = 0;
    int char_set = 0;

    void Load(ProfileAccess& profile, const std::string& section);
    void SetTabSize(int size) { tab_size = size < 1 ? 1 : size; }
};

}  // namespace editor
