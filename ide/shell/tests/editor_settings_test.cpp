#include "ide/shell/editor_settings.h"

#include <gtest/gtest.h>

#include "testing/temp_dir.h"

namespace {

constexpr shell::SystemColours kColours{0x00FFFFFF, 0x00000000};

class EditorSettingsTest : public ::testing::Test {
protected:
    testing_kit::TempDir dir;
    profile::Store store{dir / "corvel.profile"};
    void Start() { shell::LoadEditorSettings(store, kColours); }
};

TEST_F(EditorSettingsTest, AnEmptyProfileGetsEveryDefault) {
    Start();
    EXPECT_EQ(store.GetProfileString("Editor\\C Files", "Font Name"), "Courier New");
    EXPECT_EQ(store.GetProfileInt("Editor\\C Files", "Font Size", 0), 10);
    EXPECT_EQ(store.GetProfileString("Editor\\C Files", "Comment Start 2"), "/*");
    EXPECT_EQ(store.GetProfileString("Editor\\Asm Files", "Comment Start 1"), ";");
    EXPECT_EQ(store.GetProfileString("Editor\\Asm Files", "Keywords"), "asm.ini");
    EXPECT_EQ(static_cast<COLORREF>(store.GetProfileInt("Editor\\C Files", "Background", 0)), 0xFFFFFFFFu);
    EXPECT_EQ(static_cast<COLORREF>(store.GetProfileInt("Editor\\C Files", "Comment", 0)), 0xFF008000u);
    EXPECT_EQ(store.GetProfileInt("Editor\\Default Files", "Tab size", 0), 4);
    EXPECT_EQ(store.GetProfileInt("Editor\\Default Files", "Background", 1), 0x00FFFFFF);
    EXPECT_FALSE(store.HasValue("Editor\\Default Files", "Font Name"));
}

// The user's choices, view settings included, survive any number of starts.
TEST_F(EditorSettingsTest, UserSettingsSurviveRestarts) {
    store.WriteProfileString("Editor\\C Files", "Font Name", "Mono");
    store.WriteProfileInt("Editor\\C Files", "Tab size", 8);
    store.WriteProfileInt("Editor\\Asm Files", "Show tabs", 1);
    store.WriteProfileString("Editor\\Asm Files", "Keywords", "mine.ini");
    store.WriteProfileInt("Editor\\Default Files", "Case", 0);
    store.WriteProfileString("Editor\\C Files", "Stale", "x");
    Start();
    Start();
    EXPECT_EQ(store.GetProfileString("Editor\\C Files", "Font Name"), "Mono");
    EXPECT_EQ(store.GetProfileInt("Editor\\C Files", "Tab size", 0), 8);
    EXPECT_EQ(store.GetProfileInt("Editor\\Asm Files", "Show tabs", 0), 1);
    EXPECT_EQ(store.GetProfileString("Editor\\Asm Files", "Keywords"), "mine.ini");
    EXPECT_EQ(store.GetProfileInt("Editor\\Default Files", "Case", 1), 0);
    EXPECT_FALSE(store.HasValue("Editor\\C Files", "Stale"));
    ASSERT_TRUE(store.Flush().ok());
    profile::Store reread(store.file());
    EXPECT_EQ(reread.GetProfileInt("Editor\\C Files", "Tab size", 0), 8);
}

TEST_F(EditorSettingsTest, DamagedValuesTakeTheirDefaults) {
    struct Case {
        const char* key;
        const char* stored;
        int expected;
    };
    const Case cases[] = {
        {"Tab size", "0", 4},         {"Tab size", "banana", 4}, {"Tab size", "100000", 4}, {"Font Size", "-3", 10},
        {"Font Weight", "9999", 400}, {"Show tabs", "7", 0},     {"Chroma", "-1", 1},       {"Case", "2", 1}};
    for (const Case& c : cases) {
        store.WriteProfileString("Editor\\C Files", c.key, c.stored);
        Start();
        EXPECT_EQ(store.GetProfileInt("Editor\\C Files", c.key, -99), c.expected) << c.key << " = " << c.stored;
    }
    store.WriteProfileString("Editor\\C Files", "Font Name", "");
    Start();
    EXPECT_EQ(store.GetProfileString("Editor\\C Files", "Font Name"), "Courier New");
}

TEST_F(EditorSettingsTest, ABackgroundFollowingTheSystemTakesTheCurrentWindowColour) {
    store.WriteProfileInt("Editor\\C Files", "Background", static_cast<int>(0xFF123456));
    store.WriteProfileInt("Editor\\Asm Files", "Background", 0x00123456);
    Start();
    EXPECT_EQ(static_cast<COLORREF>(store.GetProfileInt("Editor\\C Files", "Background", 0)), 0xFFFFFFFFu);
    EXPECT_EQ(store.GetProfileInt("Editor\\Asm Files", "Background", 0), 0x00123456);
}

}  // namespace

namespace {

TEST(SettingsSectionTest, TheExtensionChoosesTheSection) {
    EXPECT_STREQ(shell::SettingsSectionFor("/p/main.c"), "Editor\\C Files");
    EXPECT_STREQ(shell::SettingsSectionFor("/p/MAIN.H"), "Editor\\C Files");
    EXPECT_STREQ(shell::SettingsSectionFor("/p/start.s"), "Editor\\Asm Files");
    EXPECT_STREQ(shell::SettingsSectionFor("/p/start.Asm"), "Editor\\Asm Files");
    EXPECT_STREQ(shell::SettingsSectionFor("/p/defs.inc"), "Editor\\Asm Files");
    EXPECT_STREQ(shell::SettingsSectionFor("/p/notes.txt"), "Editor\\Default Files");
    EXPECT_STREQ(shell::SettingsSectionFor("/p.c/README"), "Editor\\Default Files");
}

}  // namespace
