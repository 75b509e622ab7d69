// The recent-file list in the application's profile: the entries it writes
// are the ones it reads back, so the list survives a restart whole.
#include <cstdlib>

#include <gtest/gtest.h>

#include "platform/afx/afx.h"
#include "testing/temp_dir.h"

namespace {

constexpr const char* kSection = "Recent File List";

class RecentFileListTest : public ::testing::Test {
protected:
    void SetUp() override { setenv("KIT_PROFILE_DIR", profile_dir.path().c_str(), 1); }
    void TearDown() override { unsetenv("KIT_PROFILE_DIR"); }
    CRecentFileList make_list() const { return CRecentFileList(ID_FILE_MRU_FILE1, kSection, "File%d", 4); }
    std::string entry(const char* name) { return app.GetProfileString(kSection, name).str(); }

    testing_kit::TempDir profile_dir;
    CWinApp app{"recent files test"};
};

TEST_F(RecentFileListTest, WritesFileOneToFileNNewestFirstAndReadsThemBack) {
    CRecentFileList written = make_list();
    for (const char* path : {"/p/a.asm", "/p/b.asm", "/p/c.asm"}) written.Add(path);
    written.WriteList();
    EXPECT_EQ(entry("File0"), "");
    EXPECT_EQ(entry("File1"), "/p/c.asm");
    EXPECT_EQ(entry("File2"), "/p/b.asm");
    EXPECT_EQ(entry("File3"), "/p/a.asm");
    EXPECT_EQ(entry("File4"), "");

    CRecentFileList read = make_list();
    read.ReadList();
    ASSERT_EQ(read.GetCount(), 3);
    for (int i = 0; i < 3; ++i) EXPECT_STREQ(read[i], written[i]) << i;
}

TEST_F(RecentFileListTest, ReadsEntriesAnEarlierSessionLeftAndDropsTheOnesItNoLongerHolds) {
    app.WriteProfileString(kSection, "File1", "/p/newest.asm");
    app.WriteProfileString(kSection, "File2", "/p/older.asm");
    app.WriteProfileString(kSection, "File4", "/p/oldest.asm");
    CRecentFileList list = make_list();
    list.ReadList();
    ASSERT_EQ(list.GetCount(), 3);
    EXPECT_STREQ(list[0], "/p/newest.asm");
    EXPECT_STREQ(list[2], "/p/oldest.asm");

    list.Remove(1);
    list.WriteList();
    EXPECT_EQ(entry("File1"), "/p/newest.asm");
    EXPECT_EQ(entry("File2"), "/p/oldest.asm");
    EXPECT_EQ(entry("File3"), "");
    EXPECT_EQ(entry("File4"), "");
}

}  // namespace
