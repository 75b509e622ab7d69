// Corvel itself on the headless display: it starts on a workspace and a source,
// ends on its own once it has taken its picture, and the profile it leaves makes
// the next start come back as it was.
#include <cstdlib>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "ide/shell/window_placement.h"
#include "platform/profile/store.h"
#include "platform/user/styles.h"
#include "testing/golden.h"
#include "testing/hostile_files.h"
#include "testing/temp_dir.h"

namespace {

class CorvelProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        const std::filesystem::path sample = testing_kit::source_path("samples/hello");
        for (const char* name : {"HELLO.WSP", "HELLO.PRJ", "hello.asm"})
            std::filesystem::copy_file(sample / name, work.path() / name);
        setenv("KIT_DISPLAY", "headless", 1);
        setenv("KIT_PROFILE_DIR", profile_dir.path().c_str(), 1);
    }

    testing_kit::BoundedRun Start(std::vector<std::string> files, std::vector<std::string> options = {}) {
        std::vector<std::string> argv{"Corvel", "--nosplash",   "--clock",
                                      "12:00",  "--screenshot", (work / "shot.png").string()};
        argv.insert(argv.end(), options.begin(), options.end());
        for (const std::string& file : files) argv.push_back((work / file).string());
        return testing_kit::run_bounded(argv, work.path(), std::chrono::seconds(60));
    }

    profile::Store Profile() const { return profile::Store::for_program("Marlowquin", "Corvel"); }

    std::string Screenshot() const {
        std::ifstream file(work / "shot.png", std::ios::binary);
        std::ostringstream bytes;
        bytes << file.rdbuf();
        return bytes.str();
    }

    testing_kit::TempDir work;
    testing_kit::TempDir profile_dir;
};

TEST_F(CorvelProgramTest, StartsOnTheSampleWorkspaceAndLeavesItsStateInTheProfile) {
    const testing_kit::BoundedRun run = Start({"HELLO.WSP", "hello.asm"});
    ASSERT_TRUE(run.finished && run.exited) << run.err;
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_TRUE(testing_kit::matches_golden("ide/shell/tests/golden/sample_workspace.png", Screenshot()));

    const profile::Store profile = Profile();
    EXPECT_EQ(profile.GetProfileInt("FrameState", "MainWindow", 0), -1);
    EXPECT_EQ(profile.GetProfileInt(shell::kPlacementSection, "showCmd", 0), SW_SHOWMAXIMIZED);
    EXPECT_EQ(profile.GetProfileString("Recent Project List", "Project1"), (work / "HELLO.WSP").string());
    EXPECT_EQ(profile.GetProfileString("Editor\\Asm Files", "Keywords"), "asm.ini");
}

// A window left minimised in a given place comes back restored there, and stays so.
TEST_F(CorvelProgramTest, ASecondStartRestoresThePlacement) {
    {
        profile::Store profile = Profile();
        const char* s = shell::kPlacementSection;
        profile.WriteProfileInt(s, "showCmd", SW_SHOWMINIMIZED);
        profile.WriteProfileInt(s, "NormalPosLeft", 50);
        profile.WriteProfileInt(s, "NormalPosTop", 60);
        profile.WriteProfileInt(s, "NormalPosRight", 650);
        profile.WriteProfileInt(s, "NormalPosBottom", 460);
        profile.WriteProfileString("Editor\\C Files", "Tab size", "-7");
        ASSERT_TRUE(profile.Flush().ok());
    }
    for (int start = 0; start < 2; ++start) {
        const testing_kit::BoundedRun run = Start({"hello.asm"});
        ASSERT_TRUE(run.finished && run.exited) << run.err;
        EXPECT_EQ(run.code, 0) << run.err;
        const profile::Store profile = Profile();
        EXPECT_EQ(profile.GetProfileInt(shell::kPlacementSection, "showCmd", 0), SW_RESTORE) << start;
        EXPECT_EQ(profile.GetProfileInt(shell::kPlacementSection, "NormalPosLeft", 0), 50) << start;
        EXPECT_EQ(profile.GetProfileInt(shell::kPlacementSection, "NormalPosBottom", 0), 460) << start;
        EXPECT_EQ(profile.GetProfileInt("Editor\\C Files", "Tab size", 0), 4) << start;
        EXPECT_EQ(profile.GetProfileInt("FrameState", "MainWindow", 0), -1) << start;
    }
    EXPECT_TRUE(testing_kit::matches_golden("ide/shell/tests/golden/restored_source.png", Screenshot()));
}

// Build > Rebuild All by keyboard: the picture waits for the build's end banner.
TEST_F(CorvelProgramTest, RebuildAllFromTheMenuFillsTheBuildPane) {
    const std::string bin = testing_kit::program_path("Dravlin").parent_path().string();
    profile::Store profile = Profile();
    profile.WriteProfileString("Environment\\Directories", "Executable files", bin);
    ASSERT_TRUE(profile.Flush().ok());
    const testing_kit::BoundedRun run =
        Start({"HELLO.WSP", "hello.asm"}, {"--window", "1000x640", "--keys", "alt+b r"});
    ASSERT_TRUE(run.finished && run.exited) << run.err;
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_TRUE(std::filesystem::exists(work / "DEBUG" / "HELLO.BIN"));
    EXPECT_TRUE(testing_kit::matches_golden("ide/shell/tests/golden/build_pane.png", Screenshot()));
}

TEST_F(CorvelProgramTest, ABadCommandLineIsRefused) {
    for (const std::vector<std::string>& argv : std::vector<std::vector<std::string>>{
             {"Corvel", "--nonsense"}, {"Corvel", "--window", "12"}, {"Corvel", "--keys", "super+q"}}) {
        const testing_kit::BoundedRun run = testing_kit::run_bounded(argv, work.path());
        EXPECT_EQ(run.code, 2) << argv[1];
        EXPECT_NE(run.err.find("usage: Corvel"), std::string::npos) << argv[1];
    }
}

}  // namespace
