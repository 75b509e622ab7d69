#include "ide/shell/dialogs/options_settings.h"

#include <algorithm>

#include "ide/shell/profile_values.h"
#include "platform/os/text.h"
#include "platform/profile/store.h"

namespace ide {

namespace {

constexpr const char* kSettingsSection = "Settings";
constexpr std::array<const char*, 4> kCommentKeys = {"Comment Start 1", "Comment End 1", "Comment Start 2",
                                                     "Comment End 2"};
constexpr int kBoldWeight = 600;  // from this weight on a font shows as bold

// Character sets the editor shows, besides ANSI, symbol, GB2312 and OEM.
constexpr BYTE kShiftJisCharset = 128;
constexpr BYTE kHangulCharset = 129;
constexpr BYTE kBig5Charset = 136;

int ReadInt(const profile::Store& store, std::string_view section, const char* key, int fallback, int low, int high) {
    return shell::ProfileIntInRange(store, section, key, fallback, low, high);
}

}  // namespace

const char* SectionForFileType(std::string_view type_name) {
    return os::equals_ignore_case(type_name, kAsmFilesType) ? kAsmFilesSection : kCFilesSection;
}

EditorPageValues LoadEditorPageValues(const profile::Store& store, std::string_view section) {
    EditorPageValues values;
    values.recent_files = ReadInt(store, kSettingsSection, "nMaxFile", 4, 0, kLargestRecentList);
    values.recent_projects = ReadInt(store, kSettingsSection, "nMaxProject", 4, 0, kLargestRecentList);
    values.tab_size = ReadInt(store, section, "Tab size", 4, 1, kLargestTabSize);
    // The editor's meaning: 1 keeps tabs, 0 inserts spaces; it keeps tabs when the key is missing.
    values.keep_tabs = ReadInt(store, section, "Keep Tabs", 1, 0, 1) == 1;
    for (std::size_t i = 0; i < kCommentKeys.size(); ++i)
        values.comments[i] = store.GetProfileString(section, kCommentKeys[i]);
    return values;
}

void SaveEditorPageValues(profile::Store& store, std::string_view section, const EditorPageValues& values) {
    store.WriteProfileInt(kSettingsSection, "nMaxProject", values.recent_projects);
    store.WriteProfileInt(kSettingsSection, "nMaxFile", values.recent_files);
    store.WriteProfileInt(section, "Tab size", values.tab_size);
    store.WriteProfileInt(section, "Keep Tabs", values.keep_tabs ? 1 : 0);
    for (std::size_t i = 0; i < kCommentKeys.size(); ++i)
        store.WriteProfileString(section, kCommentKeys[i], values.comments[i]);
}

int PaletteIndex(COLORREF colour) {
    const auto found = std::find(kPalette.begin(), kPalette.end(), colour);
    return found == kPalette.end() ? int(kPalette.size()) - 1 : int(found - kPalette.begin());
}

FormatRecord DefaultFormat(COLORREF window_colour) {
    FormatRecord record;
    record.colour(SyntaxClass::default_text) = 0xFF000000;
    record.colour(SyntaxClass::comment) = 0xFF008000;
    record.colour(SyntaxClass::keyword) = 0xFFFF0000;
    record.colour(SyntaxClass::quote) = 0xFF0000FF;
    record.background = (window_colour & 0x00FFFFFF) | kAutomaticColour;
    record.font_name = "Courier New";
    record.style = kFontStyles[0];
    record.font_size = 10;
    return record;
}

FormatRecord LoadFormat(const profile::Store& store, std::string_view section, COLORREF window_colour) {
    FormatRecord record = DefaultFormat(window_colour);
    auto read_colour = [&](const char* key, COLORREF& colour) {
        colour = static_cast<COLORREF>(store.GetProfileInt(section, key, static_cast<int>(colour)));
    };
    for (std::size_t i = 0; i < kSyntaxClassNames.size(); ++i) read_colour(kSyntaxClassNames[i], record.colours[i]);
    read_colour("Background", record.background);
    const std::string name = store.GetProfileString(section, "Font Name", record.font_name);
    if (!name.empty()) record.font_name = name.substr(0, kLongestFontName);
    record.style = StyleText(
        {ReadInt(store, section, "Font Italic", 0, 0, 1), ReadInt(store, section, "Font Weight", 400, 1, 1000)});
    record.font_size = ReadInt(store, section, "Font Size", record.font_size, 1, 200);
    return record;
}

void SaveFormat(profile::Store& store, std::string_view section, const FormatRecord& record) {
    auto write_colour = [&](const char* key, COLORREF colour) {
        store.WriteProfileInt(section, key, static_cast<int>(colour));
    };
    write_colour("Background", record.background);
    for (std::size_t i = 0; i < kSyntaxClassNames.size(); ++i) write_colour(kSyntaxClassNames[i], record.colours[i]);
    const FontStyle style = StyleFromText(record.style);
    store.WriteProfileString(section, "Font Name", record.font_name);
    store.WriteProfileInt(section, "Font Italic", style.italic);
    store.WriteProfileInt(section, "Font Weight", style.weight);
    store.WriteProfileInt(section, "Font Size", record.font_size);
}

std::string StyleText(FontStyle style) {
    if (style.weight >= kBoldWeight) return style.italic ? "Bold Italic" : "Bold";
    return style.italic ? "Italic" : "Regular";
}

FontStyle StyleFromText(std::string_view text) {
    if (text == "Italic") return {1, 400};
    if (text == "Bold") return {0, 700};
    if (text == "Bold Italic") return {1, 700};
    return {0, 400};
}

bool IsEditorFont(const LOGFONT& font) {
    constexpr std::array<BYTE, 7> kShown = {ANSI_CHARSET,   SYMBOL_CHARSET, kShiftJisCharset, kHangulCharset,
                                            GB2312_CHARSET, kBig5Charset,   OEM_CHARSET};
    const bool shown_charset = std::find(kShown.begin(), kShown.end(), font.lfCharSet) != kShown.end();
    return shown_charset && (font.lfPitchAndFamily & 0x03) == FIXED_PITCH && font.lfFaceName[0] != '@';
}

const std::vector<int>& FontSizes() {
    static const std::vector<int> sizes = {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72};
    return sizes;
}

}  // namespace ide
