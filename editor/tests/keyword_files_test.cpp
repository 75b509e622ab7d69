// The keywords files shipped beside the programs, and settings read from the
// program's profile store.
#include <gtest/gtest.h>

#include "assembler/keyword_tables.h"
#include "editor/sec_edit.h"
#include "testing/golden.h"
#include "testing/temp_dir.h"

namespace editor {
namespace {

std::vector<std::string> KeywordsOf(SECEdit& edit, std::string_view text) {
    std::vector<std::string> words;
    int from = 0, start = 0, end = 0;
    while (edit.FindNextKeyword(text, &from, &start, &end))
        words.emplace_back(text.substr(static_cast<size_t>(start), static_cast<size_t>(end - start)));
    return words;
}

TEST(EditorKeywordFiles, AsmIniHoldsEveryAssemblerKeyword) {
    MemoryProfile profile;
    profile.WriteProfileString("Editor\\Asm Files", "Keywords", testing_kit::program_path("asm.ini").string());
    profile.WriteProfileString("Editor\\Asm Files", "Extra word chars", "#");
    profile.WriteProfileString("Editor\\Asm Files", "Start chars", "#");
    profile.WriteProfileInt("Editor\\Asm Files", "Chroma", 1);
    SECEdit edit(profile);
    edit.SetSettingsSection("Editor\\Asm Files");
    edit.LoadSettings();
    ASSERT_EQ(edit.colouring_on(), 1);
    auto check_table = [&](std::span<const std::string_view> table, std::string_view prefix) {
        for (std::string_view word : table) {
            if (word.empty() || word == "=") continue;
            std::string text = std::string(prefix) + std::string(word);
            EXPECT_EQ(KeywordsOf(edit, "  " + text + " x"), std::vector<std::string>{text}) << text;
        }
    };
    check_table(dravlin::mnemonics(), "");
    check_table(dravlin::directives(), "");
    check_table(dravlin::data_directives(), "");
    check_table(dravlin::hash_keywords(), "#");
    EXPECT_EQ(KeywordsOf(edit, "lda sta label_x"), (std::vector<std::string>{"lda", "sta"}));
    EXPECT_EQ(edit.GetColourByName("LDA"), RGB(0, 0, 255));
}

TEST(EditorKeywordFiles, CAndDefaultIniLoad) {
    for (const char* file : {"c.ini", "default.ini"}) {
        MemoryProfile profile;
        profile.WriteProfileString("S", "Keywords", testing_kit::program_path(file).string());
        profile.WriteProfileInt("S", "Chroma", 1);
        SECEdit edit(profile);
        edit.SetSettingsSection("S");
        edit.LoadSettings();
        EXPECT_EQ(edit.colouring_on(), 1) << file;
    }
}

TEST(EditorKeywordFiles, SettingsFromTheProfileStore) {
    testing_kit::TempDir dir;
    profile::Store store(dir / "corvel.profile");
    store.WriteProfileInt("Editor\\C Files", "Tab size", 5);
    store.WriteProfileString("Editor\\C Files", "Comment Start 2", "//");
    StoreProfile access(store);
    SECEdit edit(access);
    edit.SetSettingsSection("Editor\\C Files");
    edit.LoadSettings();
    EXPECT_EQ(edit.GetTabSize(), 5);
    EXPECT_EQ(edit.comment_start(2), "//");
}

}  // namespace
}  // namespace editor
