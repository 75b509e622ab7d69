// The dialog's profile values: histories loaded and saved, the type list read only.
#include "ide/shell/find/find_settings.h"

#include <gtest/gtest.h>

#include "platform/profile/store.h"
#include "testing/temp_dir.h"

namespace ide {
namespace {

using Strings = std::vector<std::string>;

class FindSettingsStore : public ::testing::Test {
protected:
    void Write(const std::string& key, const std::string& value) { store.WriteProfileString(kFindSection, key, value); }
    std::string Read(const std::string& key) const { return store.GetProfileString(kFindSection, key, "?"); }

    testing_kit::TempDir dir;
    profile::Store store{dir / "corvel.profile"};
};

TEST_F(FindSettingsStore, LoadsHistoriesBehindTheProjectFolder) {
    Write("Find1", "lda");
    Write("Find3", "sta");  // a gap is passed over
    Write("Folder1", "/work/other/");
    Write("Folder2", "/WORK/Proj/");  // the project folder, spelled otherwise
    Write("Folder4", "/tmp/");
    Write("Type1", "*.asm");
    Write("Type2", "*.c;*.h");
    Write("Type4", "*.txt");  // after the first gap: not read
    store.WriteProfileInt(kFindSection, "InSubFolders", 1);
    store.WriteProfileInt(kFindSection, "OutputTo2", 1);

    const FindSettings settings = LoadFindSettings(store, "/work/proj/");
    EXPECT_EQ(settings.strings, (Strings{"lda", "sta"}));
    EXPECT_EQ(settings.folders, (Strings{"/work/proj/", "/work/other/", "/tmp/"}));
    EXPECT_EQ(settings.types, (Strings{"*.asm", "*.c;*.h"}));
    EXPECT_TRUE(settings.subfolders);
    EXPECT_TRUE(settings.output_to_2);
    EXPECT_FALSE(settings.match_case);
    EXPECT_FALSE(settings.whole_word);

    EXPECT_EQ(LoadFindSettings(store, "").folders, (Strings{"/work/other/", "/WORK/Proj/", "/tmp/"}));
}

TEST_F(FindSettingsStore, UpdatedHistoryPutsTheCurrentTextFirst) {
    const Strings list{"a", "b", "c", "d"};
    EXPECT_EQ(UpdatedHistory(list, "c"), (Strings{"c", "a", "b", "d"}));  // already the third item
    EXPECT_EQ(UpdatedHistory(list, "new"), (Strings{"new", "a", "b", "c", "d"}));
    const Strings full{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"};
    EXPECT_EQ(UpdatedHistory(full, "x"), (Strings{"x", "1", "2", "3", "4", "5", "6", "7", "8", "9"}));
}

TEST_F(FindSettingsStore, SaveWritesChecksAndHistoriesButNotTypes) {
    for (int n = 1; n <= 10; ++n) Write("Find" + std::to_string(n), "old" + std::to_string(n));
    Write("Type1", "*.asm");
    FindSettings settings;
    settings.strings = {"lda", "sta"};
    settings.folders = {"/src/"};
    settings.types = {"*.changed"};
    settings.match_case = true;
    settings.whole_word = true;
    SaveFindSettings(store, settings);
    ASSERT_TRUE(store.Flush().ok());

    profile::Store reread{dir / "corvel.profile"};
    EXPECT_EQ(reread.GetProfileString(kFindSection, "Find1", ""), "lda");
    EXPECT_EQ(reread.GetProfileString(kFindSection, "Find2", ""), "sta");
    EXPECT_EQ(reread.GetProfileString(kFindSection, "Find3", "?"), "");  // no older entry outlives the list
    EXPECT_EQ(reread.GetProfileString(kFindSection, "Find10", "?"), "");
    EXPECT_EQ(reread.GetProfileString(kFindSection, "Folder1", ""), "/src/");
    EXPECT_EQ(reread.GetProfileString(kFindSection, "Type1", ""), "*.asm");
    EXPECT_EQ(reread.GetProfileInt(kFindSection, "Match case", 0), 1);
    EXPECT_EQ(reread.GetProfileInt(kFindSection, "MatchWholeWord", 0), 1);
    EXPECT_EQ(reread.GetProfileInt(kFindSection, "InSubFolders", 9), 0);
    EXPECT_EQ(reread.GetProfileInt(kFindSection, "OutputTo2", 9), 0);
    EXPECT_EQ(LoadFindSettings(reread, "").strings, (Strings{"lda", "sta"}));
}

}  // namespace
}  // namespace ide
