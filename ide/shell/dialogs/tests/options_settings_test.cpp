// The options pages' values without windows: defaults, damaged profile values,
// font styles, the palette and which fonts the editor may use.
#include <gtest/gtest.h>

#include <cstring>

#include "ide/shell/dialogs/options_settings.h"
#include "platform/profile/store.h"
#include "testing/temp_dir.h"

namespace ide {
namespace {

class OptionsSettings : public ::testing::Test {
protected:
    testing_kit::TempDir dir;
    profile::Store store{(dir / "profile.ini").string()};
};

TEST_F(OptionsSettings, AnEmptyProfileGivesTheDefaults) {
    const EditorPageValues editor = LoadEditorPageValues(store, kCFilesSection);
    EXPECT_EQ(editor.recent_files, 4);
    EXPECT_EQ(editor.recent_projects, 4);
    EXPECT_EQ(editor.tab_size, 4);
    EXPECT_TRUE(editor.keep_tabs);
    for (const std::string& comment : editor.comments) EXPECT_EQ(comment, "");

    const FormatRecord format = LoadFormat(store, kAsmFilesSection, 0x00C0FFEE);
    EXPECT_EQ(format.font_name, "Courier New");
    EXPECT_EQ(format.style, "Regular");
    EXPECT_EQ(format.font_size, 10);
    EXPECT_EQ(format.colour(SyntaxClass::default_text), 0xFF000000u);
    EXPECT_EQ(format.colour(SyntaxClass::comment), 0xFF008000u);
    EXPECT_EQ(format.colour(SyntaxClass::keyword), 0xFFFF0000u);
    EXPECT_EQ(format.colour(SyntaxClass::quote), 0xFF0000FFu);
    EXPECT_EQ(format.background, 0xFFC0FFEEu);
}

TEST_F(OptionsSettings, DamagedValuesReadAsTheirDefaults) {
    struct Case {
        const char* section;
        const char* key;
        const char* stored;
    };
    for (const Case& c : {Case{"Settings", "nMaxFile", "17"}, Case{"Settings", "nMaxProject", "-1"},
                          Case{kCFilesSection, "Tab size", "0"}, Case{kCFilesSection, "Tab size", "banana"},
                          Case{kCFilesSection, "Keep Tabs", "2"}})
        store.WriteProfileString(c.section, c.key, c.stored);
    store.WriteProfileString(kCFilesSection, "Font Name", "");
    store.WriteProfileString(kCFilesSection, "Font Weight", "99999");
    store.WriteProfileString(kCFilesSection, "Font Size", "-3");
    store.WriteProfileString(kCFilesSection, "Font Italic", "7");

    const EditorPageValues editor = LoadEditorPageValues(store, kCFilesSection);
    EXPECT_EQ(editor.recent_files, 4);
    EXPECT_EQ(editor.recent_projects, 4);
    EXPECT_EQ(editor.tab_size, 4);
    EXPECT_TRUE(editor.keep_tabs);
    const FormatRecord format = LoadFormat(store, kCFilesSection, 0xFFFFFF);
    EXPECT_EQ(format.font_name, "Courier New");
    EXPECT_EQ(format.style, "Regular");
    EXPECT_EQ(format.font_size, 10);
}

TEST_F(OptionsSettings, SavedValuesReadBackUnderTheirFileType) {
    EditorPageValues editor;
    editor.recent_files = 0;
    editor.recent_projects = 16;
    editor.tab_size = 8;
    editor.keep_tabs = false;
    editor.comments = {";", "", "/*", "*/"};
    SaveEditorPageValues(store, kAsmFilesSection, editor);
    FormatRecord format = DefaultFormat(0xFFFFFF);
    format.font_name = "Kit Test Cells";
    format.style = "Bold Italic";
    format.font_size = 14;
    format.colour(SyntaxClass::quote) = 0x800000;
    SaveFormat(store, kAsmFilesSection, format);
    ASSERT_TRUE(store.Flush().ok());

    profile::Store reread{(dir / "profile.ini").string()};
    const EditorPageValues editor_back = LoadEditorPageValues(reread, kAsmFilesSection);
    EXPECT_EQ(editor_back.recent_files, 0);
    EXPECT_EQ(editor_back.recent_projects, 16);
    EXPECT_EQ(editor_back.tab_size, 8);
    EXPECT_FALSE(editor_back.keep_tabs);
    EXPECT_EQ(editor_back.comments, editor.comments);
    EXPECT_EQ(reread.GetProfileInt(kAsmFilesSection, "Font Weight", 0), 700);
    EXPECT_EQ(reread.GetProfileInt(kAsmFilesSection, "Font Italic", 0), 1);
    const FormatRecord format_back = LoadFormat(reread, kAsmFilesSection, 0xFFFFFF);
    EXPECT_EQ(format_back.font_name, "Kit Test Cells");
    EXPECT_EQ(format_back.style, "Bold Italic");
    EXPECT_EQ(format_back.font_size, 14);
    EXPECT_EQ(format_back.colours, format.colours);
    // The other type's section is untouched.
    EXPECT_FALSE(reread.HasValue(kCFilesSection, "Tab size"));
}

TEST(OptionsStyles, TextAndWeightsGoBothWays) {
    struct Case {
        int italic, weight;
        const char* text;
    };
    for (const Case& c : {Case{0, 400, "Regular"}, Case{0, 599, "Regular"}, Case{1, 300, "Italic"},
                          Case{0, 600, "Bold"}, Case{1, 900, "Bold Italic"}})
        EXPECT_EQ(StyleText({c.italic, c.weight}), c.text) << c.weight;
    struct Back {
        const char* text;
        int italic, weight;
    };
    for (const Back& b : {Back{"Regular", 0, 400}, Back{"Italic", 1, 400}, Back{"Bold", 0, 700},
                          Back{"Bold Italic", 1, 700}, Back{"Oblique", 0, 400}}) {
        const FontStyle style = StyleFromText(b.text);
        EXPECT_EQ(style.italic, b.italic) << b.text;
        EXPECT_EQ(style.weight, b.weight) << b.text;
    }
}

TEST(OptionsPalette, ColoursOutsideThePaletteShowAsAutomatic) {
    EXPECT_EQ(PaletteIndex(0x000000), 0);
    EXPECT_EQ(PaletteIndex(0xFF00FF), 15);
    EXPECT_EQ(PaletteIndex(kAutomaticColour), 16);
    EXPECT_EQ(PaletteIndex(0x123456), 16);
    EXPECT_EQ(PaletteIndex(0xFF008000), 16);  // a default colour is automatic too
}

TEST(OptionsFonts, OnlyFixedPitchFacesTheEditorCanShow) {
    struct Case {
        const char* face;
        BYTE charset, pitch;
        bool listed;
    };
    for (const Case& c :
         {Case{"Courier New", ANSI_CHARSET, FIXED_PITCH, true}, Case{"Terminal", OEM_CHARSET, FIXED_PITCH, true},
          Case{"Mono CJK", GB2312_CHARSET, FIXED_PITCH, true}, Case{"Arial", ANSI_CHARSET, VARIABLE_PITCH, false},
          Case{"Default pitch", ANSI_CHARSET, DEFAULT_PITCH, false},
          Case{"@Mono CJK", GB2312_CHARSET, FIXED_PITCH, false}, Case{"Greek Mono", 161, FIXED_PITCH, false}}) {
        LOGFONT font{};
        font.lfCharSet = c.charset;
        font.lfPitchAndFamily = BYTE(c.pitch | FF_MODERN);
        std::strncpy(font.lfFaceName, c.face, LF_FACESIZE - 1);
        EXPECT_EQ(IsEditorFont(font), c.listed) << c.face;
    }
}

}  // namespace
}  // namespace ide
