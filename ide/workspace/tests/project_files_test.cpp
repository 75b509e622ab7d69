#include <gtest/gtest.h>

#include "ide/workspace/tests/workspace_fixture.h"
#include "platform/os/file.h"
#include "testing/file_size_limit.h"
#include "testing/golden.h"

namespace ide::testing {
namespace {

class IdeProjectFiles : public WorkspaceFixture {
protected:
    // The file with the test's folder written as <D>, for goldens.
    std::string Normalised(std::string_view name) const {
        std::string text = Read(name);
        for (std::size_t at; (at = text.find(Folder())) != std::string::npos;) text.replace(at, Folder().size(), "<D>");
        return text;
    }

    // GAME: three banks, sources of every category, default and inserted libraries.
    void BuildGame() {
        profile.WriteProfileString("Environment", "Default Libraries", "std.lib;math.lib");
        NewGame();
        ASSERT_TRUE(manager.AddBank("LEVELS", " -CB 0x4040 -DB 0x0 -CL 0x8000 -DL 0x8000 -BN 0x2"));
        ASSERT_TRUE(manager.AddBank("MUSIC", " -CB 21504 -DB 16384 -CL 27648 -DL 4096 -BN 3"));
        const std::pair<const char*, const char*> files[] = {
            {"main.c", "MAIN"},       {"game.h", "MAIN"},     {"start.asm", "MAIN"},
            {"defs.inc", "MAIN"},     {"readme.txt", "MAIN"}, {"level1.c", "LEVELS"},
            {"level2.asm", "LEVELS"}, {"tune.asm", "MUSIC"},  {"C:\\LIBS\\EXTRA.LIB", nullptr},
        };
        for (const auto& [name, bank] : files) {
            const std::string path = name[1] == ':' ? std::string(name) : PathOf(name);
            ASSERT_TRUE(manager.AddFile(path, bank ? bank : "")) << name;
            if (name[1] != ':') dir.write(name, "; source\n");
        }
        manager.SetDisplayName("Game\xB0\xA1");
        host.documents = {PathOf("main.c"), PathOf("start.asm")};
        ASSERT_TRUE(manager.SaveWorkspace()) << manager.GetLastErrorText();
    }

    void WriteProject(std::string_view text) { dir.write("GAME.PRJ", os::to_crlf(text)); }

    // Opens GAME.PRJ (no workspace file beside it) and reports the result code.
    std::uint32_t OpenProjectCode() {
        if (manager.OpenWorkspace(PathOf("GAME.PRJ"))) return 0;
        return manager.GetLastErrorCode();
    }
};

TEST_F(IdeProjectFiles, SavedWorkspaceMatchesTheGoldensAndRoundTripsByteForByte) {
    BuildGame();
    EXPECT_TRUE(testing_kit::matches_golden("ide/workspace/tests/golden/GAME.PRJ", Read("GAME.PRJ")));
    EXPECT_TRUE(testing_kit::matches_golden("ide/workspace/tests/golden/GAME.WSP", Normalised("GAME.WSP")));
    const std::string project = Read("GAME.PRJ");
    const std::string workspace = Read("GAME.WSP");
    const std::string tree_before = tree.Dump();

    ASSERT_TRUE(manager.CloseWorkspace());
    EXPECT_EQ(tree.GetCount(), 0u);
    EXPECT_FALSE(manager.IsOpen());
    ASSERT_TRUE(manager.OpenWorkspace(PathOf("GAME.WSP"))) << manager.GetLastErrorText();
    EXPECT_EQ(tree.Dump(), tree_before);
    EXPECT_EQ(host.opened, host.documents);
    EXPECT_EQ(manager.GetDisplayName(), "Game\xB0\xA1");
    ASSERT_TRUE(manager.SaveWorkspace());
    EXPECT_EQ(Read("GAME.PRJ"), project);
    EXPECT_EQ(Read("GAME.WSP"), workspace);
}

TEST_F(IdeProjectFiles, FurtherProjectsOfTheWorkspaceFileAreKept) {
    BuildGame();
    ASSERT_TRUE(manager.CloseWorkspace());
    dir.write("GAME.WSP", os::to_crlf("/*   VYR WORKSPACE FILE 1.0   */\n#PROJECT = GAME.PRJ\n#PROJECT=TOOLS.PRJ\n"));
    dir.write("TOOLS.PRJ", "untouched");
    host.documents.clear();
    ASSERT_TRUE(manager.OpenWorkspace(PathOf("GAME.WSP"))) << manager.GetLastErrorText();
    EXPECT_EQ(manager.GetProjectFileList(), (std::vector<std::string>{PathOf("GAME.PRJ"), PathOf("TOOLS.PRJ")}));
    EXPECT_EQ(tree.GetNextSiblingItem(manager.ProjectItem()), 0u);
    host.documents = {PathOf("main.c")};  // a change: the workspace file is written
    ASSERT_TRUE(manager.SaveWorkspace());
    EXPECT_EQ(Read("GAME.WSP"), os::to_crlf("/*   Vyr workspace file 1.0   */\n#PROJECT=GAME.PRJ\n#PROJECT=TOOLS.PRJ\n"
                                            "#OPENEDFILE=" +
                                            PathOf("main.c") + "\n"));
    EXPECT_EQ(Read("TOOLS.PRJ"), "untouched");
}

TEST_F(IdeProjectFiles, MalformedFilesAreRefusedWithTheirCodes) {
    const std::string general = "#BEGINGENERALSETTING\n#ENDGENERALSETTING\n";
    const std::string header = "/*   Vyr project file 1.0   */\n";
    const auto bank = [](std::string_view name, std::string_view param) {
        return "#BEGINBANK\n#BANKNAME = " + std::string(name) + "\n#BANKPARAM = " + std::string(param) + "\n";
    };
    struct Case {
        const char* what;
        std::string project;
        std::uint32_t code;
    };
    const Case cases[] = {
        {"no header", "#BEGINBANK\n", kErrorBadProjectFile},
        {"empty file", "", kErrorBadProjectFile},
        {"source before the bank name", header + "#BEGINBANK\n#SOURCE = a.c\n#ENDBANK\n", kErrorBadProjectFile},
        {"general block twice", header + "#BEGINGENERALSETTING\n#BEGINGENERALSETTING\n", kErrorBadProjectFile},
        {"setting outside the general block", header + "#AUTOLINK = TRUE\n", kErrorBadProjectFile},
        {"end of a bank never begun", header + general + "#ENDBANK\n", kErrorBadProjectFile},
        {"bank inside a bank", header + "#BEGINBANK\n#BEGINBANK\n", kErrorBadProjectFile},
        {"bank number 27", header + bank("B", "-CB 0x4040 -DB 0 -CL 0 -DL 0 -BN 0x1B") + "#ENDBANK\n",
         kErrorBadProjectFile},
        {"bad second parameter line",
         header + bank("B", "-CB 0x4040 -BN 1") + "#BANKPARAM = -CB 0x4040 -BN 0x1B\n#ENDBANK\n", kErrorBadProjectFile},
        {"field above 16 bits", header + bank("B", "-CB 0x14040 -DB 0 -CL 0 -DL 0 -BN 1") + "#ENDBANK\n",
         kErrorBadProjectFile},
        {"decimal field above 16 bits", header + bank("B", "-CB 99999999999 -DB 0 -CL 0 -DL 0 -BN 1") + "#ENDBANK\n",
         kErrorBadProjectFile},
        {"bank name of 32 characters", header + bank(std::string(32, 'N'), "-CB 0x4040 -BN 1"), kErrorBadProjectFile},
        {"parameter string of 96 characters", header + bank("B", "-CB 0x4040 -BN 1" + std::string(80, ' ') + "x"),
         kErrorBadProjectFile},
        {"source path of 260 characters",
         header + bank("B", "-CB 0x4040 -BN 1") + "#SOURCE = " + std::string(258, 's') + ".c\n", kErrorBadProjectFile},
        {"library path of 260 characters",
         header + "#BEGINGENERALSETTING\n#ADDITIONALLIB = C:\\" + std::string(258, 'l') + "\n", kErrorBadProjectFile},
    };
    for (const Case& c : cases) {
        WriteProject(c.project);
        EXPECT_EQ(OpenProjectCode(), c.code) << c.what;
        EXPECT_EQ(tree.GetCount(), 0u) << c.what;
        EXPECT_FALSE(manager.IsOpen()) << c.what;
    }
    EXPECT_EQ(manager.GetLastErrorText(), "Unknown project file (" + PathOf("GAME.PRJ") + ") or file has demaged!");
}

TEST_F(IdeProjectFiles, MalformedWorkspaceFiles) {
    struct Case {
        const char* what;
        const char* workspace;  // null: no file
        std::uint32_t code;
    };
    const Case cases[] = {
        {"no workspace file", nullptr, kErrorOpenFile},
        {"header with a trailing blank", "/*   Vyr workspace file 1.0   */ \n#PROJECT=GAME.PRJ\n", kErrorNoProjectFile},
        {"no project line", "/*   Vyr workspace file 1.0   */\n#OPENEDFILE=x.c\n", kErrorNoProjectFile},
        {"project file missing", "/*   Vyr workspace file 1.0   */\n#PROJECT=NONE.PRJ\n", kErrorOpenFile},
    };
    for (const Case& c : cases) {
        std::filesystem::remove(dir / "GAME.WSP");
        if (c.workspace) dir.write("GAME.WSP", os::to_crlf(c.workspace));
        EXPECT_FALSE(manager.OpenWorkspace(PathOf("GAME.WSP"))) << c.what;
        EXPECT_EQ(manager.GetLastErrorCode(), c.code) << c.what;
        EXPECT_FALSE(manager.IsOpen()) << c.what;
    }
}

// The reader takes what it can of a damaged file; it is written in full
// once the workspace changes.
TEST_F(IdeProjectFiles, ReadingIsLenientWhereNoDataIsLost) {
    WriteProject(
        "/*   VYR PROJECT FILE 1.0   */\n"
        "#BEGINGENERALSETTING\n#AUTOLINK = true\n#CODEMODE = what\n#OUTPUTTO = OUT.BIN\n#ADDITIONALLIB = \n"
        "#ENDGENERALSETTING\n"
        "junk line\n"
        "\n#BEGINBANK\n#BANKNAME = BARE\n#SOURCE = a.asm\n#ENDBANK\n"
        "\n#BEGINBANK\n#BANKNAME = DUP\n#BANKPARAM = -CB 0x4040 -DB 0x0 -CL 0x8000 -DL 0x8000 -BN 0x1\n"
        "#SOURCE = b.c\n#SOURCE = b.c\n#UNKNOWN = 1\n#ENDBANK\n"
        "\n#BEGINBANK\n#BANKNAME = DUP\n#BANKPARAM =  -CB 0x4040 -DB 0x0 -CL 0x8000 -DL 0x8000 -BN 0x1\n#ENDBANK\n"
        "#DISPLAYNAME = Name with = sign");
    ASSERT_EQ(OpenProjectCode(), 0u) << manager.GetLastErrorText();
    EXPECT_TRUE(manager.GetAutoLink());
    EXPECT_EQ(manager.GetCodeMode(), -1);
    EXPECT_EQ(manager.GetOutputName(), "OUT.BIN");
    EXPECT_EQ(manager.GetDisplayName(), "Name with = sign");
    ASSERT_EQ(manager.GetBankRecords().size(), 3u);
    EXPECT_EQ(manager.GetBankRecords()[0].param, "");
    EXPECT_EQ(manager.GetBankRecords()[1].param, manager.GetBankRecords()[2].param);
    EXPECT_NE(manager.LibraryGroup(), 0u);

    manager.SetOutputName("CHANGED.BIN");
    ASSERT_TRUE(manager.SaveWorkspace());
    const std::string saved = Read("GAME.PRJ");
    EXPECT_EQ(
        saved,
        os::to_crlf(
            "/*   Vyr project file 1.0   */\n"
            "#BEGINGENERALSETTING\n#AUTOLINK = TRUE\n#CODEMODE = LIB\n#OUTPUTTO = CHANGED.BIN\n#ADDITIONALLIB = \n"
            "#ENDGENERALSETTING\n"
            "\n#BEGINBANK\n#BANKNAME = BARE\n#BANKPARAM = \n#SOURCE = a.asm\n#ENDBANK\n"
            "\n#BEGINBANK\n#BANKNAME = DUP\n#BANKPARAM =  -CB 0x4040 -DB 0x0 -CL 0x8000 -DL 0x8000 -BN 0x1\n"
            "#SOURCE = b.c\n#SOURCE = b.c\n#ENDBANK\n"
            "\n#BEGINBANK\n#BANKNAME = DUP\n#BANKPARAM =  -CB 0x4040 -DB 0x0 -CL 0x8000 -DL 0x8000 -BN 0x1\n"
            "#ENDBANK\n"
            "#DISPLAYNAME = Name with = sign"));
    ASSERT_TRUE(manager.CloseWorkspace());
    ASSERT_EQ(OpenProjectCode(), 0u);
    ASSERT_TRUE(manager.SaveWorkspace());
    EXPECT_EQ(Read("GAME.PRJ"), saved);
}

TEST_F(IdeProjectFiles, TheLibraryGroupIsFirstAndTheOnlyBankStaysHoweverTheFileNamesLibraries) {
    const std::string header = "/*   Vyr project file 1.0   */\n";
    const std::string general = "#BEGINGENERALSETTING\n#CODEMODE = BIN\n#ENDGENERALSETTING\n";
    const std::string libraries = "#BEGINGENERALSETTING\n#ADDITIONALLIB = a.lib\n#ENDGENERALSETTING\n";
    const std::string bank = "\n#BEGINBANK\n#BANKNAME = MAIN\n#BANKPARAM = -CB 0x5400 -BN 0x1\n#ENDBANK\n";
    const struct {
        const char* what;
        std::string project;
    } cases[] = {
        {"no library line", header + general + bank},
        {"a library line", header + libraries + bank},
        {"the library line after the banks", header + bank + libraries},
    };
    for (const auto& c : cases) {
        WriteProject(c.project + "#DISPLAYNAME = G");
        ASSERT_EQ(OpenProjectCode(), 0u) << c.what << ": " << manager.GetLastErrorText();
        ASSERT_NE(manager.LibraryGroup(), 0u) << c.what;
        EXPECT_EQ(tree.GetChildItem(manager.ProjectItem()), manager.LibraryGroup()) << c.what;
        host.messages.clear();
        tree.SelectItem(manager.BankItems()[0]);
        EXPECT_TRUE(manager.DeleteSelectedItem());
        EXPECT_EQ(host.messages, std::vector<std::string>{"Project must have one bank at least!"}) << c.what;
        EXPECT_EQ(manager.BankItems().size(), 1u) << c.what;
        EXPECT_EQ(manager.GetBankRecords().size(), 1u) << c.what;
        ASSERT_TRUE(manager.CloseWorkspace());
    }
}

TEST_F(IdeProjectFiles, TheLastParameterLineOfABankStands) {
    WriteProject(
        "/*   Vyr project file 1.0   */\n#BEGINGENERALSETTING\n#ADDITIONALLIB = \n#ENDGENERALSETTING\n"
        "\n#BEGINBANK\n#BANKNAME = MAIN\n#BANKPARAM = -CB 0x4040 -DB 0x0 -CL 0x8000 -DL 0x8000 -BN 0x2\n"
        "#SOURCE = a.c\n#BANKPARAM = " +
        std::string(kMainBankParam) + "\n#ENDBANK\n#DISPLAYNAME = G");
    ASSERT_EQ(OpenProjectCode(), 0u) << manager.GetLastErrorText();
    ASSERT_EQ(manager.GetBankRecords().size(), 1u);
    EXPECT_EQ(manager.GetBankRecords()[0].param, kMainBankParam);
    EXPECT_EQ(manager.GetBankRecords()[0].key, 0x00015400u);
    EXPECT_EQ(tree.GetItemData(manager.BankItems()[0]), 0x02015400u);

    manager.SetOutputName("CHANGED");
    ASSERT_TRUE(manager.SaveWorkspace());
    const std::string saved = Read("GAME.PRJ");
    EXPECT_EQ(saved, os::to_crlf("/*   Vyr project file 1.0   */\n#BEGINGENERALSETTING\n#AUTOLINK = FALSE\n"
                                 "#CODEMODE = BIN\n#OUTPUTTO = CHANGED\n#ADDITIONALLIB = \n"
                                 "#ENDGENERALSETTING\n\n#BEGINBANK\n#BANKNAME = MAIN\n#BANKPARAM = " +
                                 std::string(kMainBankParam) + "\n#SOURCE = a.c\n#ENDBANK\n#DISPLAYNAME = G"));
    ASSERT_TRUE(manager.CloseWorkspace());
    ASSERT_EQ(OpenProjectCode(), 0u);
    ASSERT_TRUE(manager.SaveWorkspace());
    EXPECT_EQ(Read("GAME.PRJ"), saved);
}

TEST_F(IdeProjectFiles, FailedSavesNameTheFilesTheSaveUsedAndKeepTheOldFiles) {
    NewGame();
    const std::string workspace = Read("GAME.WSP");

    const std::string project = Read("GAME.PRJ");
    const std::string not_created = "Create temporal file(" + PathOf("GAME.PRJ") + ") failure!\n";

    // A full disk: the project file is named with the reason.
    manager.SetOutputName("OTHER");
    {
        const testing_kit::FileSizeLimit full_disk;
        EXPECT_FALSE(manager.SaveWorkspace());
    }
    EXPECT_EQ(manager.GetLastErrorCode(), kErrorTemporaryFile);
    EXPECT_EQ(manager.GetLastErrorText(), not_created + "File too large");
    EXPECT_EQ(Read("GAME.PRJ"), project);

    // A read-only project file is not replaced.
    std::filesystem::permissions(dir / "GAME.PRJ", std::filesystem::perms::owner_read);
    EXPECT_FALSE(manager.SaveWorkspace());
    EXPECT_EQ(manager.GetLastErrorCode(), kErrorTemporaryFile);
    EXPECT_EQ(manager.GetLastErrorText(), not_created + "Permission denied");
    EXPECT_EQ(Read("GAME.PRJ"), project);

    // A folder in the project file's place is refused before anything is written.
    std::filesystem::remove(dir / "GAME.PRJ");
    std::filesystem::create_directory(dir / "GAME.PRJ");
    EXPECT_FALSE(manager.SaveWorkspace());
    EXPECT_EQ(manager.GetLastErrorCode(), kErrorTemporaryFile);
    EXPECT_EQ(manager.GetLastErrorText(), not_created + "Is a directory");
    EXPECT_TRUE(std::filesystem::is_directory(dir / "GAME.PRJ"));
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
        EXPECT_EQ(entry.path().filename().string().find("GAME.PRJ."), std::string::npos) << "left behind: " << entry;
    }
    EXPECT_EQ(Read("GAME.WSP"), workspace);
}

TEST_F(IdeProjectFiles, CodeModeTextsAndLibraryKinds) {
    WriteProject(
        "/*   Vyr project file 1.0   */\n#BEGINGENERALSETTING\n#CODEMODE = bin\n"
        "#ADDITIONALLIB = a.lib;C:\\L\\b.lib;/opt/c.lib\n#ENDGENERALSETTING\n"
        "#BEGINBANK\n#BANKNAME = M\n#BANKPARAM = -CB 0x4040 -BN 0x0\n#ENDBANK\n#DISPLAYNAME = D\n");
    ASSERT_EQ(OpenProjectCode(), 0u) << manager.GetLastErrorText();
    EXPECT_EQ(manager.GetCodeMode(), 0);
    EXPECT_EQ(manager.GetDisplayName(), "D");
    const auto& libraries = manager.GetLibraryRecords();
    ASSERT_EQ(libraries.size(), 3u);
    EXPECT_EQ(tree.GetItemData(libraries[0].item), 0x05000001u);
    EXPECT_EQ(tree.GetItemData(libraries[1].item), 0x05000002u);
    EXPECT_EQ(tree.GetItemText(libraries[1].item), "b.lib");
    EXPECT_EQ(libraries[2].path, "/opt/c.lib");
}

TEST_F(IdeProjectFiles, OpeningQuestions) {
    BuildGame();
    host.questions.clear();
    EXPECT_TRUE(manager.OpenWorkspace(PathOf("game.wsp")));  // already open
    EXPECT_TRUE(host.questions.empty());

    host.answer = false;  // Cancel: the open workspace stays
    EXPECT_TRUE(manager.OpenWorkspace(PathOf("OTHER.WSP")));
    EXPECT_EQ(host.questions, std::vector<std::string>{"Previous workspace will close!"});
    EXPECT_EQ(manager.GetWorkspaceName(), "GAME");

    host.answer = true;
    ASSERT_TRUE(manager.CloseWorkspace());
    dir.write(
        "GAME.WSP",
        os::to_crlf("/*   Vyr workspace file 1.0   */\n#PROJECT=GAME.PRJ\n#OPENEDFILE=" + PathOf("gone.c") + "\n"));
    host.questions.clear();
    host.answer = false;  // No: the project file alone, without the workspace's documents
    ASSERT_TRUE(manager.OpenWorkspace(PathOf("GAME.PRJ"))) << manager.GetLastErrorText();
    EXPECT_EQ(host.questions,
              std::vector<std::string>{"Find an exist workspace file!\n Would you like to load it?(Yes/No)"});
    ASSERT_TRUE(manager.CloseWorkspace());

    dir.write(
        "GAME.WSP",
        os::to_crlf("/*   Vyr workspace file 1.0   */\n#PROJECT=GAME.PRJ\n#OPENEDFILE=" + PathOf("gone.c") + "\n"));
    host.answer = true;  // Yes: a document that is gone leaves the workspace open with 20481
    EXPECT_FALSE(manager.OpenWorkspace(PathOf("GAME.PRJ")));
    EXPECT_EQ(manager.GetLastErrorCode(), kErrorDocuments);
    EXPECT_TRUE(manager.IsOpen());
}

TEST_F(IdeProjectFiles, BreakpointsLiveInTheWorkspacesBreakpointFile) {
    BuildGame();
    manager.GetBreakPoints().Add(3, PathOf("main.c"));
    manager.GetBreakPoints().Add(9, PathOf("start.asm"));
    host.documents = {PathOf("main.c")};
    ASSERT_TRUE(manager.CloseWorkspace());
    EXPECT_EQ(manager.GetBreakPoints().GetCount(), 0);
    std::filesystem::remove(dir / "start.asm");
    ASSERT_TRUE(manager.OpenWorkspace(PathOf("GAME.WSP"))) << manager.GetLastErrorText();
    ASSERT_EQ(manager.GetBreakPoints().GetCount(), 1);
    EXPECT_EQ(manager.GetBreakPoints().GetBreakPoint(0)->line, 3);
}

TEST_F(IdeProjectFiles, VersionFile) {
    profile.WriteProfileInt("Settings", "Default Language", 0x1FF);
    profile.WriteProfileInt("Settings", "Default Version", 7);
    const CVyrWorkspaceManager fresh(tree, host, profile);
    EXPECT_EQ(fresh.GetVersionBlock().language, 0xFF);
    EXPECT_EQ(fresh.GetVersionBlock().version, 7);

    NewGame();
    ASSERT_TRUE(manager.CloseWorkspace());  // takes the profile's defaults again
    std::filesystem::remove(dir / "GAME.VER");
    ASSERT_TRUE(manager.OpenWorkspace(PathOf("GAME.WSP")));
    ASSERT_TRUE(manager.SaveWorkspace());  // written even when nothing changed
    const std::string expected("\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0L\0\0\xA5\xAA\x55\xFF\x07\0\0\0\0\0\0\0\0\0\0", 34);
    EXPECT_EQ(Read("GAME.VER"), expected);

    manager.GetVersionBlock().stack_address = 0x5400;
    ASSERT_TRUE(manager.WriteVersionFile());
    EXPECT_EQ(Read("GAME.VER").substr(32), std::string("\x00\x54", 2));
    manager.GetVersionBlock().stack_address = 0;
    ASSERT_TRUE(manager.ReadVersionFile());
    EXPECT_EQ(manager.GetVersionBlock().stack_address, 0x5400);

    dir.write("GAME.VER", "short");
    EXPECT_FALSE(manager.ReadVersionFile());
    EXPECT_EQ(manager.GetVersionBlock().stack_address, 0x5400);
}

}  // namespace
}  // namespace ide::testing
