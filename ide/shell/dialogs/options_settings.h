#pragma once
// What the options pages edit, without windows: the per-file-type editor
// settings and the lengths of the recent lists as the profile keeps them, the
// colour palette, and the font styles and sizes offered. A value a user or a
// crash damaged reads as its default.
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "platform/gdi/gdi_types.h"

namespace profile {
class Store;
}

namespace ide {

inline constexpr const char* kCFilesType = "C files(.c;.h)";
inline constexpr const char* kAsmFilesType = "Asm files(.asm;.inc)";
inline constexpr std::array<const char*, 2> kOptionFileTypes = {kCFilesType, kAsmFilesType};
inline constexpr const char* kCFilesSection = "Editor\\C Files";
inline constexpr const char* kAsmFilesSection = "Editor\\Asm Files";

// The profile section of a file type's name: the Asm files' for their name
// (case does not matter), the C files' for anything else.
const char* SectionForFileType(std::string_view type_name);

inline constexpr int kLargestRecentList = 16;
inline constexpr int kLargestTabSize = 32;

// The editor page: the recent lists' lengths and one file type's tab and comment settings.
struct EditorPageValues {
    int recent_files = 4;     // "Settings"/"nMaxFile"
    int recent_projects = 4;  // "Settings"/"nMaxProject"
    int tab_size = 4;
    bool keep_tabs = true;                // tabs typed and padded as tabs, not spaces
    std::array<std::string, 4> comments;  // start 1, end 1, start 2, end 2
};
EditorPageValues LoadEditorPageValues(const profile::Store& store, std::string_view section);
void SaveEditorPageValues(profile::Store& store, std::string_view section, const EditorPageValues& values);

// The syntax classes of the format page, in the order of its list.
enum class SyntaxClass { default_text, comment, keyword, quote };
inline constexpr std::array<const char*, 4> kSyntaxClassNames = {"Default Text", "Comment", "Keyword", "Quote"};

inline constexpr COLORREF kAutomaticColour = 0xFF000000;
// The colour combos' entries; the last is the automatic colour, which also
// shows any stored colour not in the list.
inline constexpr std::array<COLORREF, 17> kPalette = {0x000000, 0xFFFFFF, 0x808080, 0xC0C0C0, 0x000080,        0x0000FF,
                                                      0x008080, 0x00FFFF, 0x008000, 0x00FF00, 0x808000,        0xFFFF00,
                                                      0x800000, 0xFF0000, 0x800080, 0xFF00FF, kAutomaticColour};
inline constexpr std::array<const char*, 17> kPaletteNames = {
    "Black", "White", "Gray", "Silver", "Maroon", "Red",    "Olive",   "Yellow",   "Green",
    "Lime",  "Teal",  "Aqua", "Navy",   "Blue",   "Purple", "Fuchsia", "Automatic"};
int PaletteIndex(COLORREF colour);

inline constexpr std::array<const char*, 4> kFontStyles = {"Regular", "Italic", "Bold", "Bold Italic"};
inline constexpr std::size_t kLongestFontName = 31;

// One file type's look on the format page.
struct FormatRecord {
    std::array<COLORREF, 4> colours{};  // by SyntaxClass
    COLORREF background = 0;
    std::string font_name;
    std::string style;  // one of kFontStyles
    int font_size = 10;

    COLORREF& colour(SyntaxClass which) { return colours[static_cast<std::size_t>(which)]; }
    COLORREF colour(SyntaxClass which) const { return colours[static_cast<std::size_t>(which)]; }
};
// The defaults; the background follows the system's window colour.
FormatRecord DefaultFormat(COLORREF window_colour);
FormatRecord LoadFormat(const profile::Store& store, std::string_view section, COLORREF window_colour);
void SaveFormat(profile::Store& store, std::string_view section, const FormatRecord& record);

struct FontStyle {
    int italic;
    int weight;
};
std::string StyleText(FontStyle style);
FontStyle StyleFromText(std::string_view text);

// Fonts the editor can use: fixed pitch, in a character set it can show, not a vertical ("@") face.
bool IsEditorFont(const LOGFONT& font);
// The sizes offered for a font, in points (every face the kit draws with is scalable).
const std::vector<int>& FontSizes();

}  // namespace ide
