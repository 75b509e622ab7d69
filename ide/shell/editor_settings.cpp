#include "ide/shell/editor_settings.h"

#include <array>
#include <filesystem>
#include <string>

#include "ide/shell/profile_values.h"
#include "platform/os/text.h"

namespace shell {
namespace {

struct IntSetting {
    const char* key;
    int fallback;
    int low, high;  // a stored value outside takes the default
};

struct TextDefaults {
    const char* comment_start_1;
    const char* comment_start_2;
    const char* comment_end_2;
    const char* extra_word_chars;
    const char* keywords;
};

struct Section {
    const char* name;
    bool has_font;  // the default files follow the system colours and have no font
    TextDefaults text;
};

constexpr std::array kSections{
    Section{"Editor\\C Files", true, {"//", "/*", "*/", "#", "c.ini"}},
    Section{"Editor\\Asm Files", true, {";", "", "", "#", "asm.ini"}},
    Section{"Editor\\Default Files", false, {"", "", "", "", "default.ini"}},
};

constexpr std::array kFontInts{
    IntSetting{"Font Italic", 0, 0, 1},
    IntSetting{"Font Weight", 400, 1, 1000},
    IntSetting{"Font Size", 10, 1, 200},
};

constexpr std::array kViewInts{
    IntSetting{"Chroma", 1, 0, 1},
    IntSetting{"Case", 1, 0, 1},
    IntSetting{"Tab size", 4, 1, 64},
    IntSetting{"Show tabs", 0, 0, 1},
};

struct ColourKey {
    const char* key;
    COLORREF fallback;
};

constexpr COLORREF kBackgroundMarker = 0;  // stands for "the system window colour"
constexpr std::array kColours{
    ColourKey{"Comment", 0xFF008000}, ColourKey{"Keyword", 0xFFFF0000},      ColourKey{"Quote", 0xFF0000FF},
    ColourKey{"SQuote", 0xFF0000FF},  ColourKey{"Default Text", 0xFF000000}, ColourKey{"Background", kBackgroundMarker},
};

struct ReadValue {
    std::string key;
    bool is_text;
    int number;
    std::string text;
};

int ReadInt(const profile::Store& store, const char* section, const IntSetting& setting) {
    return ProfileIntInRange(store, section, setting.key, setting.fallback, setting.low, setting.high);
}

COLORREF FollowingSystem(COLORREF colour) { return (colour & 0x00FFFFFF) | kFollowsSystem; }

// Everything the section keeps, read before the section is cleared.
std::vector<ReadValue> ReadSection(const profile::Store& store, const Section& section, const SystemColours& colours) {
    std::vector<ReadValue> values;
    auto add_int = [&](const char* key, int value) { values.push_back({key, false, value, {}}); };
    auto add_text = [&](const char* key, std::string value) { values.push_back({key, true, 0, std::move(value)}); };
    if (section.has_font) {
        std::string font = store.GetProfileString(section.name, "Font Name", "Courier New");
        add_text("Font Name", font.empty() ? "Courier New" : font);
        for (const IntSetting& setting : kFontInts) add_int(setting.key, ReadInt(store, section.name, setting));
        const COLORREF background = FollowingSystem(colours.window);
        for (const ColourKey& colour : kColours) {
            const bool is_background = colour.fallback == kBackgroundMarker;
            COLORREF value = static_cast<COLORREF>(store.GetProfileInt(
                section.name, colour.key, static_cast<int>(is_background ? background : colour.fallback)));
            if (is_background && (value & 0xFF000000) != 0) value = background;
            add_int(colour.key, static_cast<int>(value));
        }
    } else {
        for (const ColourKey& colour : kColours)
            add_int(colour.key,
                    static_cast<int>(colour.fallback == kBackgroundMarker ? colours.window : colours.window_text));
    }
    const TextDefaults& text = section.text;
    const std::array<std::pair<const char*, const char*>, 6> texts{{{"Keywords", text.keywords},
                                                                    {"Extra word chars", text.extra_word_chars},
                                                                    {"Comment Start 1", text.comment_start_1},
                                                                    {"Comment End 1", ""},
                                                                    {"Comment Start 2", text.comment_start_2},
                                                                    {"Comment End 2", text.comment_end_2}}};
    for (const auto& [key, fallback] : texts) add_text(key, store.GetProfileString(section.name, key, fallback));
    for (const IntSetting& setting : kViewInts) add_int(setting.key, ReadInt(store, section.name, setting));
    return values;
}

}  // namespace

void LoadEditorSettings(profile::Store& store, const SystemColours& colours) {
    for (const Section& section : kSections) {
        const std::vector<ReadValue> values = ReadSection(store, section, colours);
        store.DeleteSection(section.name);
        for (const ReadValue& value : values) {
            if (value.is_text)
                store.WriteProfileString(section.name, value.key, value.text);
            else
                store.WriteProfileInt(section.name, value.key, value.number);
        }
    }
}

const char* SettingsSectionFor(std::string_view path) {
    const std::string extension = std::filesystem::path(path).extension().string();
    auto is = [&](const char* wanted) { return os::equals_ignore_case(extension, wanted); };
    if (is(".C") || is(".H")) return kSections[0].name;
    if (is(".S") || is(".ASM") || is(".INC")) return kSections[1].name;
    return kSections[2].name;
}

}  // namespace shell
