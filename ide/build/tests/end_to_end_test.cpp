// A real build of an assembly project: the kit's Dravlin and Mossrel, the
// stand-in packer and the stand-in C tools, found through the profile's
// "Executable files" folder as a user's installation finds them.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "ide/build/tests/build_fixture.h"
#include "ide/build/up_to_date.h"
#include "platform/os/file.h"
#include "testing/golden.h"

namespace ide::testing {
namespace {

const char kReset[] =
    "boot SECTION BASEADDRESS:4000H LENGTH:1000H BANKNUMBER:1\n"
    "code SEGMENT\n"
    "reset PROC\n"
    "        JSR work\n"
    "        RTS\n"
    "reset ENDP\n"
    "farcall PROC\n"
    "        RTS\n"
    "farcall ENDP\n"
    "code ENDSG\n"
    "boot ENDSC\n"
    "EXTERN work:PROC\n";

const char kMain[] =
    "PUBLIC work\n"
    "main SECTION BASEADDRESS:5000H LENGTH:1000H BANKNUMBER:1\n"
    "code SEGMENT\n"
    "work PROC\n"
    "        LDA #1\n"
    "        RTS\n"
    "work ENDP\n"
    "code ENDSG\n"
    "main ENDSC\n";

// The C source the stand-in compiler turns into assembly: its "//asm " lines.
const char kGameC[] =
    "/* the work routine */\n"
    "//asm PUBLIC work\n"
    "//asm game SECTION BASEADDRESS:5000H LENGTH:1000H BANKNUMBER:1\n"
    "//asm code SEGMENT\n"
    "//asm work PROC\n"
    "//asm         LDA #2\n"
    "//asm         RTS\n"
    "//asm work ENDP\n"
    "//asm code ENDSG\n"
    "//asm game ENDSC\n"
    "int unused;\n";

class IdeRealBuild : public BuildFixture {
protected:
    void SetUp() override {
        BuildFixture::SetUp();
        const std::string bin = testing_kit::program_path("Dravlin").parent_path().string();
        profile.WriteProfileString(kDirectoriesSection, "Executable files", bin);
        builds.SetEndPause(std::chrono::milliseconds(0));
    }

    // A one-bank project file as a user might write it, with these sources.
    void WriteProjectFile(std::string_view sources) {
        dir.write("GAME.PRJ", os::to_crlf("/*   Vyr project file 1.0   */\n"
                                          "#BEGINGENERALSETTING\n#ADDITIONALLIB = \n#ENDGENERALSETTING\n"
                                          "\n#BEGINBANK\n#BANKNAME = MAIN\n#BANKPARAM = " +
                                          std::string(kMainBankParam) + "\n" + std::string(sources) +
                                          "#ENDBANK\n#DISPLAYNAME = GAME"));
    }

    // The Build pane's text, for failure messages.
    std::string Pane() {
        std::string pane;
        for (const std::string& line : sink.Lines()) pane += line + "\n";
        return pane;
    }

    bool CountsLine(const std::vector<std::string>& lines, std::string_view text) {
        return std::find(lines.begin(), lines.end(), text) != lines.end();
    }

    CVyrBuildManager builds{profile, sink, AppFolder()};
};

TEST_F(IdeRealBuild, AssemblyProjectBuildsToAProgramAndASecondBuildOnlyPacks) {
    NewGame();
    dir.write("reset.asm", kReset);
    dir.write("main.asm", kMain);
    ASSERT_TRUE(manager.AddFile(PathOf("reset.asm"), "MAIN"));
    ASSERT_TRUE(manager.AddFile(PathOf("main.asm"), "MAIN"));
    manager.SetDisplayName("GAME");
    builds.SetWorkspace(&manager);

    ASSERT_TRUE(builds.Build(false)) << builds.GetLastErrorText();
    builds.WaitForBuild();
    std::vector<std::string> lines = sink.Lines();
    std::string pane;
    for (const std::string& line : lines) pane += line + "\n";
    ASSERT_TRUE(os::file_exists(PathOf("DEBUG/reset.OBJ"))) << "Dravlin wrote no object:\n" << pane;

    EXPECT_TRUE(CountsLine(lines, "GAME.bin - 0 error(s), 0 warning(s)")) << pane;
    EXPECT_EQ(lines.back(), "--------------------End : GAME - 6502 Build--------------------");
    EXPECT_TRUE(os::file_exists(PathOf("DEBUG/GAME.LKE"))) << pane;
    EXPECT_TRUE(os::file_exists(PathOf("DEBUG/GAME.BIN"))) << pane;
    EXPECT_TRUE(ProgramImageIsCurrent(manager));

    sink.Clear();
    ASSERT_TRUE(builds.Build(false));
    builds.WaitForBuild();
    lines = sink.Lines();
    EXPECT_FALSE(CountsLine(lines, "main.asm"));
    EXPECT_FALSE(CountsLine(lines, "Linking ..."));
    EXPECT_TRUE(CountsLine(lines, "Packing ..."));
}

TEST_F(IdeRealBuild, CSourceGoesThroughTheStandInPreprocessorAndCompiler) {
    NewGame();
    dir.write("reset.asm", kReset);
    dir.write("game.c", kGameC);
    ASSERT_TRUE(manager.AddFile(PathOf("reset.asm"), "MAIN"));
    ASSERT_TRUE(manager.AddFile(PathOf("game.c"), "MAIN"));
    manager.SetDisplayName("GAME");
    builds.SetWorkspace(&manager);

    ASSERT_TRUE(builds.Build(true)) << builds.GetLastErrorText();
    builds.WaitForBuild();
    const std::vector<std::string> lines = sink.Lines();
    std::string pane;
    for (const std::string& line : lines) pane += line + "\n";
    EXPECT_TRUE(CountsLine(lines, "GAME.bin - 0 error(s), 0 warning(s)")) << pane;
    EXPECT_TRUE(os::file_exists(PathOf("DEBUG/game.OVP")));
    EXPECT_TRUE(os::file_exists(PathOf("DEBUG/game.OBJ"))) << pane;
    EXPECT_TRUE(os::file_exists(PathOf("DEBUG/GAME.BIN"))) << pane;
}

TEST_F(IdeRealBuild, CompileReadsTheSourcesTheProjectStoresWithAFolder) {
    WriteProjectFile("#SOURCE = sub\\game.c\n#SOURCE = sub\\main.asm\n");
    dir.write("sub/game.c", kGameC);
    dir.write("sub/main.asm", kMain);
    // Namesakes in the project folder that must not be read.
    dir.write("game.c", "#error the namesake in the project folder was read\n");
    dir.write("main.asm", "this is no assembly\n");
    ASSERT_TRUE(manager.OpenWorkspace(PathOf("GAME.PRJ"))) << manager.GetLastErrorText();
    builds.SetWorkspace(&manager);  // never saved: the compile makes its output folder

    for (const char* source : {"sub/game.c", "sub\\main.asm"}) {
        sink.Clear();
        ASSERT_TRUE(builds.Compile(PathOf(source))) << builds.GetLastErrorText();
        builds.WaitForBuild();
        EXPECT_EQ(sink.Lines().size(), 4u) << Pane();  // banners, "Compile ..." and the name: no message
        EXPECT_EQ(sink.Lines().back(), "--------------------End : GAME - 6502 Compile--------------------") << Pane();
    }
    EXPECT_TRUE(os::file_exists(PathOf("DEBUG/game.OVP")));
    EXPECT_TRUE(os::file_exists(PathOf("DEBUG/game.OBJ")));
    EXPECT_TRUE(os::file_exists(PathOf("DEBUG/main.OBJ")));
}

// A project written by hand (never saved by the IDE, so no output folder) with
// a C source in a subfolder builds: the build makes DEBUG\ and DEBUG\sub\.
TEST_F(IdeRealBuild, AProjectWithoutItsOutputFolderAndACSourceInAFolderBuilds) {
    WriteProjectFile("#SOURCE = reset.asm\n#SOURCE = sub\\game.c\n");
    dir.write("reset.asm", kReset);
    dir.write("sub/game.c", kGameC);
    ASSERT_TRUE(manager.OpenWorkspace(PathOf("GAME.PRJ"))) << manager.GetLastErrorText();
    ASSERT_FALSE(os::file_exists(PathOf("DEBUG")));
    builds.SetWorkspace(&manager);

    ASSERT_TRUE(builds.Build(false)) << builds.GetLastErrorText();
    builds.WaitForBuild();
    EXPECT_TRUE(CountsLine(sink.Lines(), "GAME.bin - 0 error(s), 0 warning(s)")) << Pane();
    EXPECT_TRUE(os::file_exists(PathOf("DEBUG/sub/game.OVP"))) << Pane();
    EXPECT_TRUE(os::file_exists(PathOf("DEBUG/GAME.BIN"))) << Pane();
}

TEST_F(IdeRealBuild, AnOutputFolderThatCannotBeMadeRefusesTheBuild) {
    NewGame();
    dir.write("reset.asm", kReset);
    ASSERT_TRUE(manager.AddFile(PathOf("reset.asm"), "MAIN"));
    builds.SetWorkspace(&manager);
    std::filesystem::remove_all(PathOf("DEBUG"));
    dir.write("DEBUG", "a file where the output folder belongs");
    EXPECT_FALSE(builds.Build(false));
    EXPECT_NE(builds.GetLastErrorText().find("Can't create directory:("), std::string::npos)
        << builds.GetLastErrorText();
    EXPECT_TRUE(sink.Lines().empty());
}

}  // namespace
}  // namespace ide::testing
