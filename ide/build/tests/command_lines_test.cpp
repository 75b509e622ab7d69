#include <gtest/gtest.h>

#include "ide/build/tests/build_fixture.h"
#include "platform/os/file.h"
#include "testing/golden.h"

namespace ide::testing {
namespace {

class IdeCommandLines : public BuildFixture {
protected:
    void SetUp() override {
        BuildFixture::SetUp();
        for (const char* tool : {"ovp.exe", "ucx.exe", "Dravlin", "Mossrel.exe", "Vostrel", "packer"}) WriteTool(tool);
        dir.write("tools/hc.tab", "\xB0\xA1\xB0\xDA\n");
        dir.write("libs/std.lib", "lib");
        dir.write("app/reset.obj", "obj");
        profile.WriteProfileString(kDirectoriesSection, "Include files", "C:\\INC;C:\\INC2\\;/usr/inc/");
        profile.WriteProfileString(kDirectoriesSection, "Library files", "C:\\NONE;" + Folder() + "libs");
        profile.WriteProfileString("Environment", "Default Libraries", "std.lib");
    }

    // GAME: bank MAIN with main.c and start.asm, bank LEVELS with level.c; a
    // standard and an inserted library.
    void TwoBankProject() {
        NewGame();
        ASSERT_TRUE(manager.AddBank("LEVELS", " -CB 0x4040 -DB 0x0 -CL 0x8000 -DL 0x8000 -BN 0x2"));
        ASSERT_TRUE(manager.AddFile(PathOf("main.c"), "MAIN"));
        ASSERT_TRUE(manager.AddFile(PathOf("start.asm"), "MAIN"));
        ASSERT_TRUE(manager.AddFile(PathOf("level.c"), "LEVELS"));
        ASSERT_TRUE(manager.AddFile("C:\\LIBS\\EXTRA.LIB"));
        manager.SetDisplayName("Game\xB0\xA1");
    }

    std::string BuildJobs(bool rebuild) { return Made(MakeBuildJobs(Context(), rebuild)); }
    std::string CompileJobs(const std::string& path) { return Made(MakeCompileJobs(Context(), PathOf(path))); }
    std::string Made(const os::Result<std::vector<BuildJob>>& jobs) {
        EXPECT_TRUE(jobs.ok()) << jobs.error().text;
        return jobs ? Dump(*jobs) : std::string();
    }

    os::Error Refusal(bool compile = false) {
        const auto made = compile ? MakeCompileJobs(Context(), PathOf("main.c")) : MakeBuildJobs(Context(), true);
        EXPECT_FALSE(made.ok());
        return made ? os::Error{} : made.error();
    }
};

TEST_F(IdeCommandLines, JobListsOfATwoBankProjectMatchTheGoldens) {
    TwoBankProject();
    EXPECT_TRUE(testing_kit::matches_golden("ide/build/tests/golden/rebuild_all.txt", BuildJobs(true)));

    // An object newer than its sources is left alone by Build.
    dir.write("DEBUG/start.OBJ", std::string(72, '\0'));
    EXPECT_TRUE(testing_kit::matches_golden("ide/build/tests/golden/build.txt", BuildJobs(false)));

    const std::string compile = CompileJobs("level.c") + CompileJobs("elsewhere/START.ASM");
    EXPECT_TRUE(testing_kit::matches_golden("ide/build/tests/golden/compile.txt", compile));
}

// The golden compile_stored_folder.txt was written by hand from the Compile
// templates, for a project GAME (one bank MAIN) holding "sub\x.c" and
// "asm\y.asm", with {D} = <D>, {A} = <A>, {INC} = the include part above,
// {BANK} = MAIN's parameter string and {MB} empty (one bank):
//   preprocessor  {P} {D}DEBUG\{FP.OVP} -W {INC}
//   compiler       {D}DEBUG\{FP.OVP} {D}DEBUG\{FP.ASM} {BANK}{MB} -errout=output.msg_
//   assembler      {D}DEBUG\{FP.ASM} {D}DEBUG\ -W2 {INC}
//   asm source     {D}{FP.ASM} {D}DEBUG\ -C  -W2{INC}
// and then mended where the templates cannot work as written:
// - every path is quoted and each row begins with a blank, laid out as the
//   Build rows are (the preprocessor path no longer runs into the tool's
//   closing quote; "-W" after the include part; no blank after
//   "-errout=output.msg"), so paths with blanks stay one argument;
// - "-C" goes to the assembly of the compiler's output, not to an assembler
//   source, as in Build, so Compile and Build make the same object;
// - the source is read where the project keeps it: {P} becomes {D} + the
//   stored path with ".C", and an assembler source {D} + its stored path with
//   ".ASM" (the intermediate files stay {D}DEBUG\{FP.*});
// - an include folder ending in '/' gets no backslash added.
TEST_F(IdeCommandLines, CompileReadsASourceStoredWithAFolderWhereTheProjectKeepsIt) {
    dir.write("GAME.PRJ", os::to_crlf("/*   Vyr project file 1.0   */\n"
                                      "#BEGINGENERALSETTING\n#ADDITIONALLIB = \n#ENDGENERALSETTING\n"
                                      "\n#BEGINBANK\n#BANKNAME = MAIN\n#BANKPARAM = " +
                                      std::string(kMainBankParam) +
                                      "\n#SOURCE = sub\\x.c\n#SOURCE = asm\\y.asm\n#ENDBANK\n#DISPLAYNAME = G"));
    ASSERT_TRUE(manager.OpenWorkspace(PathOf("GAME.PRJ"))) << manager.GetLastErrorText();
    // The editor names the file with this system's separators.
    const std::string compile = CompileJobs("sub/x.c") + CompileJobs("asm\\y.asm");
    EXPECT_TRUE(testing_kit::matches_golden("ide/build/tests/golden/compile_stored_folder.txt", compile));

    // A C source the project does not hold has no bank to compile for.
    const auto refused = MakeCompileJobs(Context(), PathOf("x.c"));
    ASSERT_FALSE(refused.ok());
    EXPECT_EQ(refused.error().code, kErrorNoBankData);
}

TEST_F(IdeCommandLines, LibraryProjectArchivesAndDoesNotPack) {
    TwoBankProject();
    manager.SetCodeMode(1);
    manager.SetAutoLink(true);
    const std::string jobs = BuildJobs(true);
    EXPECT_TRUE(testing_kit::matches_golden("ide/build/tests/golden/library.txt", jobs));
    EXPECT_EQ(jobs.find("/LIBS"), std::string::npos);
    EXPECT_EQ(jobs.find("packer"), std::string::npos);
}

TEST_F(IdeCommandLines, EveryProgramMustBeFoundEvenForAnAssemblerOnlyProject) {
    NewGame();
    ASSERT_TRUE(manager.AddFile(PathOf("start.asm"), "MAIN"));
    const std::pair<const char*, const char*> tools[] = {
        {"ovp.exe", "C PreProcessor executed file!"},     {"ucx.exe", "C Compiler executed file!"},
        {"Dravlin", "Asm Compiler executed file!"},       {"Mossrel.exe", "Linker or Vostreler executed file!"},
        {"packer", "Linker or Vostreler executed file!"},
    };
    for (const auto& [tool, what] : tools) {
        std::filesystem::rename(dir / "tools" / tool, dir / "tools" / "moved");
        const os::Error error = Refusal();
        EXPECT_EQ(error.code, kErrorToolMissing) << tool;
        EXPECT_EQ(error.text, std::string("Can't not find file(") + what + ")!");
        std::filesystem::rename(dir / "tools" / "moved", dir / "tools" / tool);
    }
    std::filesystem::remove(dir / "tools" / "ucx.exe");
    EXPECT_EQ(Refusal(true).text, "Can't not find file(C Compiler executed file not found!)!");
    // The IDE's own folder is searched last.
    WriteTool("../app/ucx");
    EXPECT_TRUE(MakeBuildJobs(Context(), true).ok());
}

TEST_F(IdeCommandLines, ToolNamesAreWrittenBackWithTheirDefaults) {
    profile.WriteProfileString(kExecutionSection, "C Compile", "mycc");
    InitToolNames(profile);
    EXPECT_EQ(profile.GetProfileString(kExecutionSection, "C Compile"), "mycc");
    EXPECT_EQ(profile.GetProfileString(kExecutionSection, "C PreCompile"), "ovp.exe");
    EXPECT_EQ(profile.GetProfileString(kExecutionSection, "Asm Compile"), "Dravlin.exe");
    EXPECT_EQ(profile.GetProfileString(kExecutionSection, "6502 linker"), "Mossrel.exe");
    EXPECT_FALSE(profile.HasValue(kExecutionSection, "6502 packer"));
    WriteTool("mycc");
    EXPECT_EQ(FindExecutablePath(profile, ToolName(profile, kCompilerTool), AppFolder()), ToolsFolder() + "\\mycc");
    EXPECT_EQ(FindExecutablePath(profile, "", AppFolder()), "");
}

TEST_F(IdeCommandLines, StartupObjectRules) {
    NewGame();
    ASSERT_TRUE(manager.AddFile(PathOf("RESET.asm"), "MAIN"));
    EXPECT_EQ(BuildJobs(true).find("reset.obj\""), std::string::npos);  // the project's own start-up object

    ASSERT_TRUE(manager.AddFile(PathOf("main.c"), "MAIN"));
    tree.SelectItem(tree.GetChildItem(manager.CategoryItems(manager.BankItems()[0])[2]));
    host.answer = true;
    manager.DeleteSelectedItem();
    EXPECT_NE(BuildJobs(true).find(" \"<A>reset.obj\" /LIBS"), std::string::npos);
    std::filesystem::remove(dir / "app" / "reset.obj");
    const os::Error error = Refusal();
    EXPECT_EQ(error.code, kErrorNoStartupObject);
    EXPECT_EQ(error.text, "Default obj file not found!");
}

TEST_F(IdeCommandLines, CompileNeedsTheBankOfACSource) {
    NewGame();
    const os::Error error = Refusal(true);
    EXPECT_EQ(error.code, kErrorNoBankData);
    EXPECT_EQ(error.text, "Internal error! Can't get data from workspace!");
}

TEST_F(IdeCommandLines, PathsAndLibrariesAsTheToolsReadThem) {
    NewGame();
    EXPECT_EQ(QuotedFolder("C:\\INC"), "\"C:\\INC\\\\\"");
    EXPECT_EQ(QuotedFolder("C:\\INC\\"), "\"C:\\INC\\\\\"");
    EXPECT_EQ(QuotedFolder("C:\\INC\\\\"), "\"C:\\INC\\\\\"");
    EXPECT_EQ(QuotedFolder("/usr/inc/"), "\"/usr/inc/\"");
    for (const char* folder : {"C:\\A B\\", "/a b/"}) {
        const auto split = os::split_command_line("-I " + QuotedFolder(folder) + " next");
        ASSERT_EQ(split.size(), 3u);
        EXPECT_EQ(split[1].back(), std::string(folder).back());
        EXPECT_EQ(split[2], "next");
    }

    // A display name may hold quotes, or end in a BIG5 trail byte that is a backslash.
    for (const std::string text : {"Game \"1\"", "\xB3\x5C", "a\\\\b\\", ""}) {
        const auto split = os::split_command_line("/NAME " + QuotedArgument(text) + " /OUT");
        ASSERT_EQ(split.size(), 3u) << text;
        EXPECT_EQ(split[1], text);
    }

    manager.InsertStandardLibraries({"missing.lib"});
    ASSERT_TRUE(manager.AddFile("C:\\L\\mine.lib"));
    EXPECT_EQ(MakeLibraryList(Context(), ' '),
              "\"" + Folder() + "libs\\std.lib\"  \"missing.lib\"  \"C:\\L\\mine.lib\" ");

    manager.SetOutputName("OUT\\GAME.BIN");
    const std::string jobs = BuildJobs(true);
    EXPECT_NE(jobs.find("| \"<D>DEBUG\\GAME.LKE\" \"<D>OUT\\GAME.BIN\"\n"), std::string::npos) << jobs;
}

}  // namespace
}  // namespace ide::testing
