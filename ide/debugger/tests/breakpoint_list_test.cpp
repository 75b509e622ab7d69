#include "ide/debugger/breakpoint_list.h"

#include <gtest/gtest.h>

#include <cstring>

#include "testing/temp_dir.h"

namespace ide {
namespace {

class IdeBreakPoints : public ::testing::Test {
protected:
    std::string Source(std::string_view name) {
        dir.write(name, "x");
        return (dir / name).string();
    }
    std::string File() const { return (dir / "GAME.EXW").string(); }
    std::vector<std::pair<int, std::string>> Listed(const CVyrBreakPointMgr& list) const {
        std::vector<std::pair<int, std::string>> out;
        for (int i = 0; i < list.GetCount(); ++i) {
            out.emplace_back(list.GetBreakPoint(i)->line, list.GetBreakPoint(i)->source_path);
        }
        return out;
    }

    testing_kit::TempDir dir;
    CVyrBreakPointMgr list;
};

TEST_F(IdeBreakPoints, AddKeepsOneRecordPerLineAndPathWhateverTheCase) {
    const std::string main = Source("main.c");
    EXPECT_EQ(list.Add(10, main), 0);
    EXPECT_EQ(list.Add(12, main), 1);
    std::string upper = main;
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    EXPECT_EQ(list.Add(10, upper), 0);
    EXPECT_EQ(list.GetCount(), 2);
    EXPECT_EQ(list.GetTargetId(12, upper), 0);
    list.SetTargetId(1, 0x60001234);
    EXPECT_EQ(list.GetTargetId(12, main), 0x60001234);
    EXPECT_EQ(list.GetTargetId(13, main), -1);
    EXPECT_EQ(list.GetBreakPoint(2), nullptr);
}

TEST_F(IdeBreakPoints, OversizePathsAndLinesAreRefused) {
    EXPECT_EQ(list.Add(1, std::string(262, 'p')), CVyrBreakPointMgr::kRefused);
    EXPECT_EQ(list.Add(0x10000, "a.c"), CVyrBreakPointMgr::kRefused);
    EXPECT_EQ(list.Add(0xFFFF, std::string(261, 'p')), 0);
    EXPECT_EQ(list.GetCount(), 1);
}

TEST_F(IdeBreakPoints, RemovalTakesAdjacentMatchesToo) {
    const std::string a = Source("a.c"), b = Source("b.c");
    list.Add(1, b);
    list.Add(1, a);
    list.Add(2, a);
    list.Add(3, a);
    list.Add(2, b);
    list.RemoveFile(a);
    EXPECT_EQ(Listed(list), (std::vector<std::pair<int, std::string>>{{1, b}, {2, b}}));
    list.Remove(2, b);
    EXPECT_EQ(Listed(list), (std::vector<std::pair<int, std::string>>{{1, b}}));
    list.RemoveAll();
    EXPECT_EQ(list.GetCount(), 0);
}

TEST_F(IdeBreakPoints, FileRoundTripKeepsOrderAndDropsMissingSources) {
    const std::string a = Source("a.c"), b = Source("b.c"), gone = Source("gone.c");
    list.Add(30, b);
    list.Add(5, gone);
    list.Add(7, a);
    ASSERT_TRUE(list.SaveBreakPoints(File()));
    EXPECT_EQ(testing_kit::read_file(File()).size(), 3 * sizeof(formats::BreakPointRecord));
    std::filesystem::remove(gone);

    CVyrBreakPointMgr loaded;
    loaded.Add(1, a);  // loading appends
    ASSERT_TRUE(loaded.LoadBreakPoints(File()));
    EXPECT_EQ(Listed(loaded), (std::vector<std::pair<int, std::string>>{{1, a}, {30, b}, {7, a}}));
    EXPECT_FALSE(loaded.LoadBreakPoints((dir / "none.EXW").string()));
    EXPECT_EQ(loaded.GetCount(), 3);
}

// The breakpoint file's bytes written out by hand from its layout: 268-byte
// records back to back, each the line (u16, low byte first) at 0, the source
// path at 2 ended and padded with NULs up to 264, the target word (u32, low
// byte first) at 264; no header, no count.
TEST_F(IdeBreakPoints, SavedFileHasTheRecordLayoutByteForByte) {
    list.Add(30, "C:\\GAME\\MAIN.C");
    list.Add(0x1234, std::string(261, 'p'));  // the longest path that fits
    list.SetTargetId(0, 0x60001234);
    list.SetTargetId(1, 0xFFFFFFFF);
    ASSERT_TRUE(list.SaveBreakPoints(File()));

    std::string expected;
    expected += std::string("\x1E\x00", 2);
    expected += "C:\\GAME\\MAIN.C" + std::string(262 - 14, '\0');
    expected += std::string("\x34\x12\x00\x60", 4);
    expected += std::string("\x34\x12", 2);
    expected += std::string(261, 'p') + std::string(1, '\0');
    expected += std::string("\xFF\xFF\xFF\xFF", 4);
    ASSERT_EQ(expected.size(), 2u * 268u);
    EXPECT_EQ(testing_kit::read_file(File()), expected);
}

TEST_F(IdeBreakPoints, RecordsAreReadWholeAndTheirPathsTerminated) {
    const std::string a = Source("a.c");
    formats::BreakPointRecord records[2] = {};
    for (int i = 0; i < 2; ++i) {
        records[i].line = static_cast<std::uint16_t>(4 + i);
        std::memcpy(records[i].source_path, a.data(), a.size());
    }
    std::string bytes(reinterpret_cast<const char*>(records), sizeof records);
    dir.write("GAME.EXW", bytes + std::string(600 - bytes.size(), 'z'));  // 600 bytes: two records
    ASSERT_TRUE(list.LoadBreakPoints(File()));
    EXPECT_EQ(list.GetCount(), 2);

    std::memset(records[0].source_path, 'x', sizeof records[0].source_path);  // no terminator
    dir.write("GAME.EXW", std::string(reinterpret_cast<const char*>(records), sizeof records[0]));
    list.RemoveAll();
    ASSERT_TRUE(list.LoadBreakPoints(File()));
    EXPECT_EQ(list.GetCount(), 0);
}

}  // namespace
}  // namespace ide
