#include "platform/profile/ini.h"

#include <gtest/gtest.h>

#include "testing/temp_dir.h"

namespace {

using testing_kit::ScopedCwd;
using testing_kit::TempDir;

// A keywords file as the editor's language settings use it, with the
// irregularities such files carry.
constexpr std::string_view keywords_file =
    "; keywords for C\r\n"
    "[Keywords]\r\n"
    "  if = Keyword \r\n"
    "while=Keyword\r\n"
    "IF=Duplicate\r\n"
    "   \r\n"
    "return\r\n"
    "\r\n"
    "[ Colors ]\n"
    "Keyword = 0,0,255\n"
    "Quoted=\"  spaced  \"\n"
    "Single='x'\n"
    "Half=\"open\n"
    "Inline=1 ; not a comment\n"
    "Empty=\n"
    "[broken header\n"
    "AfterBroken=kept in Colors\n"
    "[keywords]\n"
    "late=second section of the same name\n";

TEST(IniFile, LookupsFollowThePrivateProfileRules) {
    const profile::IniFile ini = profile::IniFile::parse(keywords_file);
    const struct {
        const char* section;
        const char* key;
        const char* expected;
    } cases[] = {
        {"Keywords", "if", "Keyword"},  // names and values trimmed
        {"KEYWORDS", "If", "Keyword"},  // names in any case; the first duplicate wins
        {"keywords", "while", "Keyword"},
        {"Keywords", "return", ""},          // a key without `=`
        {"Colors", "keyword", "0,0,255"},    // section name trimmed
        {"Colors", "Quoted", "  spaced  "},  // matching quotes removed, inside kept
        {"Colors", "Single", "x"},
        {"Colors", "Half", "\"open"},               // unmatched quote kept
        {"Colors", "Inline", "1 ; not a comment"},  // `;` only starts a comment line
        {"Colors", "Empty", ""},
        {"Colors", "AfterBroken", "kept in Colors"},
        {"Keywords", "late", "godzilla"},  // only the first section of a name counts
        {"Keywords", "; keywords for C", "godzilla"},
        {"Missing", "if", "godzilla"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ini.get(c.section, c.key, "godzilla"), c.expected) << c.section << "/" << c.key;
    EXPECT_EQ(ini.get("Missing", "x", "default  "), "default");  // trailing blanks of the default trimmed
}

TEST(IniFile, KeyListModeListsTheSectionsKeysInFileOrder) {
    const profile::IniFile ini = profile::IniFile::parse(keywords_file);
    EXPECT_EQ(ini.keys("keywords"), (std::vector<std::string>{"if", "while", "IF", "return"}));
    EXPECT_TRUE(ini.keys("none").empty());
    EXPECT_EQ(ini.sections(), (std::vector<std::string>{"Keywords", "Colors", "keywords"}));
}

TEST(PrivateProfile, ReadsFilesAndTreatsAMissingFileAsEmpty) {
    TempDir dir;
    ScopedCwd cwd(dir.path());
    dir.write("ide/c.ini", std::string(keywords_file));
    EXPECT_EQ(profile::GetPrivateProfileString("Colors", "Keyword", "godzilla", "IDE\\C.INI"), "0,0,255");
    EXPECT_EQ(profile::GetPrivateProfileKeys("Keywords", "ide\\c.ini").size(), 4u);
    EXPECT_EQ(profile::GetPrivateProfileInt("Colors", "Inline", 7, "ide\\c.ini"), 1);
    EXPECT_EQ(profile::GetPrivateProfileInt("Colors", "Empty", 7, "ide\\c.ini"), 0);
    EXPECT_EQ(profile::GetPrivateProfileInt("Colors", "Absent", 7, "ide\\c.ini"), 7);
    EXPECT_EQ(profile::GetPrivateProfileString("Keywords", "if", "godzilla", "none.ini"), "godzilla");
    EXPECT_TRUE(profile::GetPrivateProfileKeys("Keywords", "none.ini").empty());
}

}  // namespace
