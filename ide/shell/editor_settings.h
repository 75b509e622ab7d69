#pragma once
// The editor sections of the profile, made whole at every start: each setting is
// read with its default (a damaged value takes the default too), the section is
// cleared of anything else, and what was read is written back for the editor's
// buffers to find.
#include <string_view>

#include "platform/gdi/gdi_types.h"
#include "platform/profile/store.h"

namespace shell {

// The system colours the sections follow.
struct SystemColours {
    COLORREF window;       // background of text windows
    COLORREF window_text;  // text in them
};

// A colour whose top byte is this follows the system colour it stands for.
inline constexpr COLORREF kFollowsSystem = 0xFF000000;

// Normalises "Editor\C Files", "Editor\Asm Files" and "Editor\Default Files".
void LoadEditorSettings(profile::Store& store, const SystemColours& colours);

// The section a source's settings come from, by its extension (case does not matter):
// C sources and headers, assembler sources, and everything else.
const char* SettingsSectionFor(std::string_view path);

}  // namespace shell
