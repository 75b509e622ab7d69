#include "platform/profile/store.h"

#include <sys/resource.h>
#include <csignal>
#include <cstdlib>

#include <gtest/gtest.h>

#include "platform/os/file.h"
#include "testing/temp_dir.h"

namespace {

using testing_kit::read_file;
using testing_kit::TempDir;

TEST(Store, RoundTripWithMixedCaseNames) {
    TempDir dir;
    const auto file = dir / "Marlowquin/Corvel.profile";
    {
        profile::Store store(file);
        EXPECT_TRUE(store.load_error().empty());
        store.WriteProfileInt("Editor\\C Files", "Keep Tabs", 1);
        store.WriteProfileString("Settings", "Name", "a=b [c] 100%\nsecond line");
        const std::uint8_t placement[] = {0x2C, 0, 0xFF, 0x80};
        store.WriteProfileBinary("FrameState\\Window", "Placement", placement);
        store.WriteProfileInt("Settings", "Negative", -1);
        ASSERT_TRUE(store.Flush().ok());
    }
    profile::Store store(file);
    EXPECT_TRUE(store.load_error().empty());
    EXPECT_EQ(store.GetProfileInt("EDITOR\\c files", "keep tabs", 0), 1);
    EXPECT_EQ(store.GetProfileString("settings", "NAME"), "a=b [c] 100%\nsecond line");
    EXPECT_EQ(store.GetProfileBinary("framestate\\window", "placement"),
              (std::vector<std::uint8_t>{0x2C, 0, 0xFF, 0x80}));
    EXPECT_EQ(store.GetProfileInt("Settings", "Negative", 0), -1);

    // A write in another case replaces the value and keeps the first spelling.
    store.WriteProfileInt("EDITOR\\C FILES", "KEEP TABS", 0);
    EXPECT_EQ(store.ValueNames("editor\\c files"), (std::vector<std::string>{"Keep Tabs"}));
    ASSERT_TRUE(store.Flush().ok());
    EXPECT_NE(read_file(file).find("[Editor\\C Files]\nKeep Tabs=int:0\n"), std::string::npos);
}

TEST(Store, DefaultsAndConversionsBetweenKinds) {
    TempDir dir;
    profile::Store store(dir / "p.profile");
    EXPECT_EQ(store.GetProfileInt("S", "absent", 42), 42);
    EXPECT_EQ(store.GetProfileString("S", "absent", "dflt"), "dflt");
    EXPECT_FALSE(store.GetProfileBinary("S", "absent"));

    store.WriteProfileString("S", "text", " 17 apples");
    store.WriteProfileInt("S", "number", 5);
    const std::uint8_t bytes[] = {1};
    store.WriteProfileBinary("S", "bytes", bytes);
    EXPECT_EQ(store.GetProfileInt("S", "text", 0), 17);
    EXPECT_EQ(store.GetProfileString("S", "number"), "5");
    EXPECT_EQ(store.GetProfileInt("S", "bytes", 9), 9);
    EXPECT_EQ(store.GetProfileString("S", "bytes", "d"), "d");
    EXPECT_FALSE(store.GetProfileBinary("S", "text"));
}

TEST(Store, NestedSectionsAndDeletion) {
    TempDir dir;
    profile::Store store(dir / "p.profile");
    store.WriteProfileInt("FrameState", "MainWindow", 12);
    store.WriteProfileInt("FrameState\\ToolBar-Bar0", "BarID", 1);
    store.WriteProfileInt("framestate\\ToolBar-Bar1", "BarID", 2);
    store.WriteProfileInt("FrameStateOther", "x", 3);
    store.WriteProfileInt("\\Editor\\\\Asm Files\\", "Tabs", 4);

    EXPECT_EQ(store.SubsectionNames(""), (std::vector<std::string>{"Editor", "FrameState", "FrameStateOther"}));
    // The new section took the existing spelling of its parent.
    EXPECT_EQ(store.SubsectionNames("FRAMESTATE"), (std::vector<std::string>{"ToolBar-Bar0", "ToolBar-Bar1"}));
    EXPECT_EQ(store.GetProfileInt("Editor\\Asm Files", "tabs", 0), 4);

    store.DeleteSection("FRAMESTATE");
    EXPECT_FALSE(store.HasValue("FrameState", "MainWindow"));
    EXPECT_FALSE(store.HasValue("FrameState\\ToolBar-Bar1", "BarID"));
    EXPECT_EQ(store.GetProfileInt("FrameStateOther", "x", 0), 3);  // a sibling sharing the prefix stays

    store.DeleteValue("FrameStateOther", "X");
    EXPECT_FALSE(store.HasValue("FrameStateOther", "x"));
    ASSERT_TRUE(store.Flush().ok());
    profile::Store reloaded(store.file());
    EXPECT_EQ(reloaded.SubsectionNames(""), (std::vector<std::string>{"Editor"}));
}

// Writes stay in memory until a flush; a flush with nothing new leaves the
// file alone.
TEST(Store, WritesReachTheFileOnlyWhenFlushed) {
    TempDir dir;
    const auto file = dir / "p.profile";
    profile::Store store(file);
    store.WriteProfileInt("S", "a", 1);
    store.WriteProfileInt("S", "b", 2);
    EXPECT_FALSE(std::filesystem::exists(file));
    ASSERT_TRUE(store.Flush().ok());
    EXPECT_EQ(profile::Store(file).GetProfileInt("S", "b", 0), 2);

    const auto identity = os::file_identity(file.string());
    ASSERT_TRUE(store.Flush().ok());
    EXPECT_EQ(os::file_identity(file.string()), identity);

    // A folder that cannot be made fails the flush; the values wait for the next one.
    profile::Store blocked(dir.write("plain", "x") / "p.profile");
    blocked.WriteProfileInt("S", "a", 1);
    EXPECT_FALSE(blocked.Flush().ok());
    EXPECT_EQ(blocked.GetProfileInt("S", "a", 0), 1);
}

TEST(Store, TwoWritersOfOneFileKeepEachOthersValues) {
    TempDir dir;
    const auto file = dir / "p.profile";
    profile::Store first(file);
    profile::Store second(file);  // loaded before the first one wrote anything
    first.WriteProfileInt("Settings", "A", 1);
    first.WriteProfileInt("Old", "X", 1);
    ASSERT_TRUE(first.Flush().ok());
    second.WriteProfileInt("Settings", "B", 2);
    ASSERT_TRUE(second.Flush().ok());
    EXPECT_EQ(second.GetProfileInt("Settings", "A", 0), 1);  // a flush also brings in what others saved
    second.DeleteSection("old");
    ASSERT_TRUE(second.Flush().ok());
    first.WriteProfileInt("SETTINGS", "a", 3);
    ASSERT_TRUE(first.Flush().ok());

    profile::Store reloaded(file);
    EXPECT_EQ(reloaded.GetProfileInt("Settings", "A", 0), 3);
    EXPECT_EQ(reloaded.GetProfileInt("Settings", "B", 0), 2);
    EXPECT_FALSE(reloaded.HasValue("Old", "X"));
}

// Each damaged file is kept beside the store under a name of its own, and
// the first flush replaces it even with nothing new to write.
TEST(Store, DamagedLinesAreSkippedReportedAndKept) {
    TempDir dir;
    const std::string damaged = "[S]\nGood=int:1\nBad=int:x\nno equals sign\n[T\nLost=int:2\n[U]\nAlso=str:%4\n";
    const auto file = dir.write("p.profile", damaged);
    const std::string kept = file.string() + ".damaged";
    {
        profile::Store store(file);
        EXPECT_EQ(store.load_error(), file.string() + ": line 3: bad value line; the file is kept as " + kept);
        EXPECT_EQ(store.GetProfileInt("S", "Good", 0), 1);
        EXPECT_FALSE(store.HasValue("S", "Bad"));
        EXPECT_FALSE(store.HasValue("T", "Lost"));
        ASSERT_TRUE(store.Flush().ok());
    }
    EXPECT_EQ(read_file(kept), damaged);
    EXPECT_EQ(read_file(file), "[S]\nGood=int:1\n");
    EXPECT_TRUE(profile::Store(file).load_error().empty());

    for (const char* later : {"[S]\nsecond\n", "[S]\nthird\n"}) {
        dir.write("p.profile", later);
        EXPECT_NE(profile::Store(file).load_error(), "");
    }
    EXPECT_EQ(read_file(kept), damaged);
    EXPECT_EQ(read_file(kept + ".2"), "[S]\nsecond\n");
    EXPECT_EQ(read_file(kept + ".3"), "[S]\nthird\n");
}

// Runs in a death-test child: the file size limit kills it with SIGXFSZ
// while it writes the new contents, as a crash part way through would.
void rewrite_with_file_size_limit(const std::filesystem::path& file) {
    profile::Store store(file);
    store.WriteProfileString("Settings", "Version", "new");
    store.WriteProfileString("Settings", "Big", std::string(64 * 1024, 'x'));
    const rlimit limit{4096, 4096};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    (void)store.Flush();
    std::exit(0);
}

TEST(Store, CrashMidWriteLeavesTheOldFileIntact) {
    TempDir dir;
    const auto file = dir / "p.profile";
    {
        profile::Store store(file);
        store.WriteProfileString("Settings", "Version", "old");
        ASSERT_TRUE(store.Flush().ok());
    }
    const std::string before = read_file(file);

    EXPECT_EXIT(rewrite_with_file_size_limit(file), testing::KilledBySignal(SIGXFSZ), "");

    EXPECT_EQ(read_file(file), before);
    profile::Store store(file);
    EXPECT_TRUE(store.load_error().empty());
    EXPECT_EQ(store.GetProfileString("Settings", "Version"), "old");
}

TEST(Store, LocationAndRegistryStyleReads) {
    TempDir dir;
    ::setenv("KIT_PROFILE_DIR", dir.path().c_str(), 1);
    EXPECT_EQ(profile::store_path("Harnlow", "Vyrsim"), dir / "Harnlow/Vyrsim.profile");
    {
        auto store = profile::Store::for_program("Harnlow", "Vyrsim");
        store.WriteProfileString("", "CFFileName", "qv4700.cfs");
        ASSERT_TRUE(store.Flush().ok());
    }
    EXPECT_EQ(profile::read_user_value("SOFTWARE\\Harnlow\\Vyrsim\\", "cffilename"), "qv4700.cfs");
    EXPECT_FALSE(profile::read_user_value("SOFTWARE\\Harnlow\\Vyrsim\\", "Other"));
    EXPECT_FALSE(profile::read_user_value("SOFTWARE\\Nobody\\Nothing", "CFFileName"));
    EXPECT_FALSE(profile::read_user_value("Harnlow", "CFFileName"));
    // Names that would lead out of the folder find nothing, even where a file is.
    std::filesystem::create_directory(dir / "profiles");
    ::setenv("KIT_PROFILE_DIR", (dir / "profiles").c_str(), 1);
    EXPECT_FALSE(profile::read_user_value("Software\\..\\Harnlow/Vyrsim", "CFFileName"));

    ::unsetenv("KIT_PROFILE_DIR");
    ::setenv("XDG_CONFIG_HOME", "/cfg", 1);
    EXPECT_EQ(profile::profile_directory(), "/cfg/qvkit");
    ::unsetenv("XDG_CONFIG_HOME");
    ::setenv("HOME", "/home/someone", 1);
    EXPECT_EQ(profile::profile_directory(), "/home/someone/.config/qvkit");
}

}  // namespace
