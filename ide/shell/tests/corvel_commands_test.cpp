// Corvel's application commands driven through its real windows, headless:
// the dialogs are answered by keys and clicks, message boxes by the script.
// A workspace made from nothing (two banks, a new file in each) builds with
// the kit's own assembler and linker; Rebuild All, Compile and Stop Build; a
// command that cannot run says why; closes ask before modified documents go.
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "editor/edit_line.h"
#include "ide/build/tool_programs.h"
#include "ide/shell/editor_settings.h"
#include "ide/shell/dialogs/dialog_ids.h"
#include "ide/shell/dialogs/tests/sheet_driver.h"
#include "ide/shell/frame_app.h"
#include "ide/shell/main_frame.h"
#include "ide/shell/resource_ids.h"
#include "ide/shell/source_doc.h"
#include "ide/shell/source_view.h"
#include "ide/shell/tests/corvel_fixture.h"
#include "platform/afx/file_dialog.h"
#include "platform/afx/mdi.h"
#include "platform/profile/store.h"
#include "platform/user/dialog_api.h"
#include "testing/golden.h"
#include "testing/temp_dir.h"

namespace {

using namespace ide::dlg;

// The start-up object calls main.
const char kMainSource[] =
    "PUBLIC main\n"
    "prog SECTION BASEADDRESS:5400H LENGTH:1000H BANKNUMBER:1\n"
    "code SEGMENT\n"
    "main PROC\n"
    "        LDA #1\n"
    "        RTS\n"
    "main ENDP\n"
    "code ENDSG\n"
    "prog ENDSC\n";

const char kLevelSource[] =
    "level SECTION BASEADDRESS:5400H LENGTH:1000H BANKNUMBER:2\n"
    "code SEGMENT\n"
    "tune PROC\n"
    "        LDA #2\n"
    "        RTS\n"
    "tune ENDP\n"
    "code ENDSG\n"
    "level ENDSC\n";

// The file's text with its line ends as "\n" (the editor writes "\r\n").
std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    std::string lines = text.str();
    std::erase(lines, '\r');
    return lines;
}

void WriteFile(const std::filesystem::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

class CorvelCommandsTest : public CorvelSampleTest, protected ide::testing::SheetDriver {
protected:
    CorvelCommandsTest() : SheetDriver(CorvelSampleTest::display) {}
    using CorvelSampleTest::display;

    void SetUp() override {
        CorvelSampleTest::SetUp();
        display.on_stall([](const std::string& why) {
            ADD_FAILURE() << why;
            PostQuitMessage(99);
        });
        profile::Store store = profile::Store::for_program("Marlowquin", "Corvel");
        const std::string bin = testing_kit::program_path("Dravlin").parent_path().string();
        // As beside an installed Corvel: the kit's tools, start-up object and library.
        store.WriteProfileString(ide::kDirectoriesSection, "Executable files", bin);
        store.WriteProfileString(ide::kDirectoriesSection, "Library files", bin);
        store.WriteProfileString("Settings", "Last Directory", work.path().string() + "/");
        ASSERT_TRUE(store.Flush().ok());
        kit::user::set_dialog_script([this](const kit::user::DialogQuestion& q) -> std::optional<LONG_PTR> {
            if (q.message_box) {
                boxes.push_back(q.text);
                return box_answer;
            }
            if (q.template_id == CFileDialog::kTemplateId) {
                SetDlgItemText(q.dialog, 0x480, file_answer.c_str());
                SendMessage(q.dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            }
            if (q.template_id == kSelectBankDialog) {  // the project's first bank
                SendDlgItemMessage(q.dialog, kBankList, LB_SETCURSEL, 0, 0);
                SendMessage(q.dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            }
            return std::nullopt;
        });
    }

    void TearDown() override {
        if (app.m_pMainWnd) {
            box_answer = IDNO;  // modified documents are not saved on the way out
            app.m_pMainWnd->SendMessage(WM_CLOSE);
            HandleQueued();
            app.ExitInstance();
        }
        kit::user::set_dialog_script(nullptr);
        CorvelSampleTest::TearDown();
    }

    void Start() {
        ASSERT_TRUE(app.InitInstance());
        app.build_manager()->SetEndPause(std::chrono::milliseconds(0));
        HandleQueued();
    }

    void HandleQueued() { ::HandleQueued(app); }

    void Command(UINT id) {
        app.m_pMainWnd->SendMessage(WM_COMMAND, id);
        HandleQueued();
    }

    void Key(int vk, int modifier = 0) {
        if (modifier)
            display.chord(modifier, vk);
        else
            display.press(vk);
        HandleQueued();
    }

    void WaitForBuild() {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (app.build_manager()->IsBuilding() && std::chrono::steady_clock::now() < deadline) {
            HandleQueued();
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        ASSERT_FALSE(app.build_manager()->IsBuilding()) << PaneText();
        app.build_manager()->WaitForBuild();
        HandleQueued();
    }

    std::string PaneText() { return ::PaneText(app.main_frame()->output_bar().Pane(OutputPane::build)); }

    std::string StatusText() { return app.main_frame()->status_bar().GetPaneText(0).str(); }

    // A bank laid out as number `number`: data at 0x4000 (0x1000 bytes), a
    // 0x400-byte stack, code from 0x5400.
    void lay_out_bank(const char* name, const char* number) {
        type_into(kBankNameEdit, name);
        type_into(kBankNumber, number);
        type_into(kDataAddress, "0x4000");
        type_into(kDataSize, "0x1000");
        type_into(kStackSize, "0x400");
    }

    // "New" on the keyboard: a project DEMO in the work folder (or at
    // `location`), custom link mode, its first bank MAIN.
    void NewWorkspace(const std::string& location = "") {
        display.then([&] {
            display.chord(VK_CONTROL, VK_TAB);  // to the project page
        });
        display.then([&, location] {
            display.click(item(kProjectLinkCustom), POINT{4, 4});
            type_into(kProjectName, "DEMO");
            if (!location.empty()) type_into(kProjectLocation, location.c_str());
            type_into(kDisplayName, "Demo");
        });
        display.then([&] { display.press(VK_RETURN); });  // OK turns to the bank page first
        display.then([&] { lay_out_bank("MAIN", "1"); });
        display.then([&] {
            EXPECT_TRUE(ok_enabled());
            display.press(VK_RETURN);
        });
        Key('N', VK_CONTROL);
    }

    // New File on the file page: `name` (an assembler source) into bank `bank`.
    void NewFile(int bank, const char* name) {
        display.then([&, bank, name] {
            ::SendMessage(item(kFileBankList), LB_SETCURSEL, WPARAM(bank), 0);
            ::SendMessage(page(), WM_COMMAND, MAKEWPARAM(kFileBankList, LBN_SELCHANGE), LPARAM(item(kFileBankList)));
            ::SendMessage(item(kFileType), CB_SETCURSEL, 2, 0);
            type_into(kFileName, name);
        });
        display.then([&] { display.press(VK_RETURN); });
        Command(shell::ID_PROJECT_NEW_FILE);
    }

    void StartSlowBuild();
    shell::CVyrFrameDoc* ActiveDocument() {
        CMDIChildWnd* child = app.main_frame()->MDIGetActive();
        return child ? dynamic_cast<shell::CVyrFrameDoc*>(child->GetActiveDocument()) : nullptr;
    }

    shell::CVyrFrameApp app;
    std::vector<std::string> boxes;
    LONG_PTR box_answer = IDYES;
    std::string file_answer;
};

TEST_F(CorvelCommandsTest, ANewWorkspaceWithTwoBanksAndAFileInEachBuildsRebuildsAndCompiles) {
    Start();
    NewWorkspace();
    ide::CVyrWorkspaceManager& workspace = *app.workspace();
    ASSERT_TRUE(workspace.IsOpen()) << (boxes.empty() ? "" : boxes.back());
    const std::filesystem::path demo = work / "DEMO";
    EXPECT_EQ(workspace.GetProjectFolder(), demo.string() + "/");
    EXPECT_EQ(workspace.GetDisplayName(), "Demo");
    EXPECT_FALSE(workspace.GetAutoLink());

    display.then([&] { lay_out_bank("LEVELS", "2"); });
    display.then([&] { display.press(VK_RETURN); });
    Command(shell::ID_PROJECT_NEW_BANK);
    ASSERT_EQ(workspace.GetBankRecords().size(), 2u);

    // A new file is created empty and written; its text comes by the clipboard.
    NewFile(0, "main");
    ASSERT_TRUE(std::filesystem::exists(demo / "main.asm"));
    ASSERT_NE(ActiveDocument(), nullptr);
    // It opens as the file it made, with the assembler's colours, and the main caption names it.
    EXPECT_EQ(ActiveDocument()->GetTitle().str(), "main.asm");
    EXPECT_EQ(app.main_frame()->GetWindowText().str(), "Corvel - main.asm");
    EXPECT_EQ(ActiveDocument()->buffer().GetSettingsSection(), shell::SettingsSectionFor("main.asm"));
    display.set_clipboard_text(kMainSource);
    app.main_frame()->MDIGetActive()->GetActiveView()->SetFocus();
    Key('V', VK_CONTROL);
    EXPECT_TRUE(ActiveDocument()->IsModified());

    // A file that is there already is asked about and opened, never overwritten.
    WriteFile(demo / "level.asm", kLevelSource);
    boxes.clear();
    NewFile(1, "level");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].find("already exists"), std::string::npos) << boxes[0];
    EXPECT_EQ(ReadFile(demo / "level.asm"), kLevelSource);
    EXPECT_TRUE(workspace.IsSourceInProject((demo / "level.asm").string()));

    // F7 saves the modified source and builds both banks with the kit's tools.
    Key(VK_F7);
    WaitForBuild();
    EXPECT_EQ(ReadFile(demo / "main.asm"), kMainSource);
    EXPECT_EQ(PaneText(),
              "--------------------Start : DEMO - 6502 Build--------------------\n"
              "Compile ...\n"
              "main.asm\n"
              "level.asm\n"
              "Linking ...\n"
              "DEMO.bin - 0 error(s), 0 warning(s)\n"
              "Packing ...\n"
              "--------------------End : DEMO - 6502 Build--------------------\n");
    EXPECT_TRUE(std::filesystem::exists(demo / "DEBUG" / "DEMO.BIN")) << PaneText();

    Command(shell::ID_BUILD_REBUILD_ALL);
    WaitForBuild();
    const std::string rebuilt = PaneText();
    EXPECT_NE(rebuilt.find("main.asm\n"), std::string::npos) << rebuilt;
    EXPECT_NE(rebuilt.find("level.asm\n"), std::string::npos) << rebuilt;
    EXPECT_NE(rebuilt.find("Linking ...\n"), std::string::npos) << rebuilt;

    // Compile takes the active document, and its menu text names it.
    ASSERT_TRUE(app.OpenDocumentFile((demo / "main.asm").c_str()));
    HandleQueued();
    Key(VK_F7, VK_CONTROL);
    WaitForBuild();
    EXPECT_EQ(PaneText(),
              "--------------------Start : DEMO - 6502 Compile--------------------\n"
              "Compile ...\n"
              "main.asm\n"
              "--------------------End : DEMO - 6502 Compile--------------------\n");
}

TEST_F(CorvelCommandsTest, NewClosesTheOpenWorkspaceWithItsOwnSettings) {
    Start();
    ASSERT_TRUE(app.OpenStartupFile((work / "HELLO.WSP").string()));
    NewWorkspace();
    EXPECT_EQ(boxes, std::vector<std::string>{"Previous workspace will close!"});
    EXPECT_EQ(app.workspace()->GetWorkspaceName(), "DEMO");
    EXPECT_EQ(app.workspace()->GetDisplayName(), "Demo");
    // The new project's choices did not leak into the one that closed.
    const std::string hello = ReadFile(work / "HELLO.PRJ");
    EXPECT_NE(hello.find("#DISPLAYNAME = HELLO"), std::string::npos) << hello;
    EXPECT_NE(hello.find("#AUTOLINK = TRUE"), std::string::npos) << hello;
}

TEST_F(CorvelCommandsTest, ProjectSettingsKeepTheDefaultOutputUnlessTheUserNamesAnother) {
    Start();
    ASSERT_TRUE(app.OpenStartupFile((work / "HELLO.WSP").string()));
    std::string shown;
    display.then([&] {
        char text[512] = "";
        ::GetDlgItemText(page(), kOutputPath, text, sizeof text);
        shown = text;
        display.press(VK_RETURN);
    });
    Key(VK_F7, VK_MENU);
    EXPECT_EQ(shown, app.workspace()->GetProjectFolder() + "DEBUG\\HELLO.BIN");
    EXPECT_EQ(app.workspace()->GetOutputName(), "DEFAULT_OUTPUT");

    const std::string mine = (work / "out" / "GAME.BIN").string();
    display.then([&] { type_into(kOutputPath, mine.c_str()); });
    display.then([&] { display.press(VK_RETURN); });
    Key(VK_F7, VK_MENU);
    EXPECT_EQ(app.workspace()->GetOutputName(), mine);
}

TEST_F(CorvelCommandsTest, AClosedWorkspaceReopensFromTheRecentList) {
    Start();
    ASSERT_TRUE(app.OpenStartupFile((work / "HELLO.WSP").string()));
    Command(shell::ID_FILE_CLOSE_WORKSPACE);
    ASSERT_FALSE(app.workspace()->IsOpen());
    Command(shell::ID_RECENT_PROJECT_FIRST);
    EXPECT_TRUE(app.workspace()->IsOpen());
    EXPECT_EQ(app.workspace()->GetWorkspaceName(), "HELLO");
}

// Close Workspace is a save point: what the workspace's session put in the
// settings (the folder a new workspace was made in) is in the profile file
// once the workspace closes, and not before.
TEST_F(CorvelCommandsTest, CloseWorkspaceSavesTheSettingsItsSessionChanged) {
    Start();
    const std::filesystem::path games = work / "games";
    NewWorkspace((games / "DEMO").string());
    ASSERT_TRUE(app.workspace()->IsOpen());
    const auto saved_folder = [] {
        return profile::Store::for_program("Marlowquin", "Corvel").GetProfileString("Settings", "Last Directory", "");
    };
    const std::string folder = app.GetProfileStore().GetProfileString("Settings", "Last Directory", "");
    ASSERT_EQ(folder, games.string() + "/");
    EXPECT_NE(saved_folder(), folder) << "saved before the close";
    Command(shell::ID_FILE_CLOSE_WORKSPACE);
    EXPECT_EQ(saved_folder(), folder);
}

// A workspace made with New is listed first under the recent workspaces at
// the next start, as one opened by name is; the tools' keys are there too.
TEST_F(CorvelCommandsTest, ANewWorkspaceIsRememberedAtExitAndTheToolNamesAreWrittenAtStart) {
    Start();
    profile::Store store = profile::Store::for_program("Marlowquin", "Corvel");
    for (const char* key : {"6502 linker", "Asm Compile", "C Compile", "C PreCompile"})
        EXPECT_NE(store.GetProfileString(ide::kExecutionSection, key, ""), "") << key;
    NewWorkspace();
    ASSERT_TRUE(app.workspace()->IsOpen());
    app.m_pMainWnd->SendMessage(WM_CLOSE);
    HandleQueued();
    app.ExitInstance();
    profile::Store after = profile::Store::for_program("Marlowquin", "Corvel");
    EXPECT_EQ(after.GetProfileString("Recent Project List", "Project1", ""), (work / "DEMO" / "DEMO.WSP").string());
}

// A good build takes the mark a build error left in the source; the user's breakpoints stay.
TEST_F(CorvelCommandsTest, ABuildTakesTheLastBuildsMarksButKeepsBreakpoints) {
    Start();
    ASSERT_TRUE(app.OpenStartupFile((work / "HELLO.WSP").string()));
    const std::string source = (work / "hello.asm").string();
    ASSERT_EQ(app.GoToSourceLine(source, 16, 1), 1);
    Key(VK_F9);
    ASSERT_EQ(app.GoToSourceLine(source, 4, 1), 1);  // as a click on an error line does
    shell::CVyrFrameDoc& doc = *ActiveDocument();
    Key(VK_F7);
    WaitForBuild();
    std::vector<int> navigation, breakpoints;
    int number = 1;
    for (editor::EditLine* line = doc.buffer().GetFirstLine(); line; line = line->next, ++number) {
        if (line->flags & editor::kLineNavigationMark) navigation.push_back(number);
        if (line->flags & editor::kLineBreakpoint) breakpoints.push_back(number);
    }
    EXPECT_TRUE(navigation.empty());
    EXPECT_EQ(breakpoints, std::vector<int>{16});
}

TEST_F(CorvelCommandsTest, ACommandThatCannotRunSaysWhyInTheStatusBar) {
    Start();
    Key(VK_F7);
    EXPECT_EQ(StatusText(), "No workspace is open.");
    EXPECT_EQ(PaneText(), "");
    Key(VK_CANCEL, VK_CONTROL);
    EXPECT_EQ(StatusText(), "No workspace is open.");
    // A debug command whose handler is not there yet is disabled, and says so.
    EXPECT_EQ(app.CommandRefusal(shell::ID_DEBUG_STEP_OUT), "This command is not available.");
}

// A stand-in assembler that never ends by itself: it notes that it started,
// then sleeps until it is ended.
void WriteSlowAssembler(const std::filesystem::path& folder) {
    std::filesystem::create_directories(folder);
    const std::filesystem::path tool = folder / "Dravlin";
    WriteFile(tool, "#!/bin/sh\n: > assembler.started\nexec sleep 30\n");
    std::filesystem::permissions(tool, std::filesystem::perms::owner_all);
}

// The sample workspace, whose build starts the slow assembler; returns once it runs.
void CorvelCommandsTest::StartSlowBuild() {
    WriteSlowAssembler(work / "slow");
    {
        profile::Store store = profile::Store::for_program("Marlowquin", "Corvel");
        const std::string bin = testing_kit::program_path("Dravlin").parent_path().string();
        store.WriteProfileString(ide::kDirectoriesSection, "Executable files", (work / "slow").string() + ";" + bin);
        ASSERT_TRUE(store.Flush().ok());
    }
    Start();
    ASSERT_TRUE(app.OpenStartupFile((work / "HELLO.WSP").string()));
    HandleQueued();
    Key(VK_F7);
    for (int i = 0; i < 2000 && !std::filesystem::exists(work / "assembler.started"); ++i) {
        HandleQueued();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    ASSERT_TRUE(app.build_manager()->IsBuilding()) << PaneText();
}

const char kStoppedBuild[] =
    "--------------------Start : HELLO - 6502 Build--------------------\n"
    "Compile ...\n"
    "hello.asm\n"
    "--------------------End : HELLO - 6502 Build--------------------\n";

TEST_F(CorvelCommandsTest, StopBuildEndsALongToolAndSaysSoAfterTheEndBanner) {
    ASSERT_NO_FATAL_FAILURE(StartSlowBuild());
    EXPECT_NE(app.CommandRefusal(shell::ID_BUILD_BUILD), "");
    const auto asked = std::chrono::steady_clock::now();
    Key(VK_CANCEL, VK_CONTROL);
    EXPECT_LT(std::chrono::steady_clock::now() - asked, std::chrono::seconds(20)) << "the tool was not ended";
    EXPECT_FALSE(app.build_manager()->IsBuilding());
    EXPECT_EQ(PaneText(), std::string(kStoppedBuild) + "Terminated by user!\n");
}

TEST_F(CorvelCommandsTest, CloseWorkspaceDuringABuildAwaitsItsEndFirst) {
    ASSERT_NO_FATAL_FAILURE(StartSlowBuild());
    Command(shell::ID_FILE_CLOSE_WORKSPACE);
    EXPECT_FALSE(app.build_manager()->IsBuilding());
    EXPECT_FALSE(app.workspace()->IsOpen());
    EXPECT_EQ(PaneText(), kStoppedBuild);
}

TEST_F(CorvelCommandsTest, CloseAllWindowsAsksBeforeAModifiedDocumentGoes) {
    WriteFile(work / "notes.txt", "first\n");
    Start();
    ASSERT_TRUE(app.OpenDocumentFile((work / "notes.txt").c_str()));
    HandleQueued();
    app.main_frame()->MDIGetActive()->GetActiveView()->SetFocus();
    display.type("x");
    HandleQueued();
    ASSERT_TRUE(ActiveDocument()->IsModified());

    box_answer = IDCANCEL;
    Command(shell::ID_FILE_CLOSE_ALL_WINDOWS);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(ActiveDocument(), nullptr) << "Cancel keeps the documents";

    box_answer = IDYES;
    Command(shell::ID_FILE_CLOSE_ALL_WINDOWS);
    EXPECT_EQ(ActiveDocument(), nullptr);
    EXPECT_EQ(ReadFile(work / "notes.txt"), "xfirst\n");
}

TEST_F(CorvelCommandsTest, InsertAFileCopiesIntoTheProjectButNeverOntoItselfAndTakesSeveralFiles) {
    std::filesystem::create_directories(work / "elsewhere");
    WriteFile(work / "elsewhere" / "tune.asm", "; a tune\n");
    WriteFile(work / "stays.asm", "; already in the project folder\n");
    Start();
    ASSERT_TRUE(app.OpenStartupFile((work / "HELLO.WSP").string()));
    ide::CVyrWorkspaceManager& workspace = *app.workspace();

    file_answer = (work / "elsewhere" / "tune.asm").string();
    Command(shell::ID_PROJECT_INSERT_FILE);
    EXPECT_EQ(ReadFile(work / "tune.asm"), "; a tune\n");
    EXPECT_TRUE(workspace.IsSourceInProject((work / "tune.asm").string()));

    // The project's own copy: added as it is, not copied onto itself.
    file_answer = (work / "stays.asm").string();
    boxes.clear();
    Command(shell::ID_PROJECT_INSERT_FILE);
    EXPECT_EQ(ReadFile(work / "stays.asm"), "; already in the project folder\n");
    EXPECT_TRUE(workspace.IsSourceInProject((work / "stays.asm").string()));
    for (const std::string& box : boxes) EXPECT_EQ(box.find("replace"), std::string::npos) << box;

    // Another file of a name the project folder has: No keeps the old one.
    WriteFile(work / "elsewhere" / "stays.asm", "; another\n");
    file_answer = (work / "elsewhere" / "stays.asm").string();
    box_answer = IDNO;
    Command(shell::ID_PROJECT_INSERT_FILE);
    EXPECT_EQ(ReadFile(work / "stays.asm"), "; already in the project folder\n");
    // Several files at once, each in quotes: the note about copying is said once, and a library
    // is added where it lies.
    WriteFile(work / "elsewhere" / "one.asm", "; one\n");
    WriteFile(work / "elsewhere" / "two.asm", "; two\n");
    WriteFile(work / "elsewhere" / "sound.lib", "");
    file_answer = "\"" + (work / "elsewhere" / "one.asm").string() + "\" \"" +
                  (work / "elsewhere" / "sound.lib").string() + "\" \"" + (work / "elsewhere" / "two.asm").string() +
                  "\"";
    boxes.clear();
    Command(shell::ID_PROJECT_INSERT_FILE);
    EXPECT_EQ(boxes.size(), 1u);
    EXPECT_EQ(ReadFile(work / "one.asm"), "; one\n");
    EXPECT_EQ(ReadFile(work / "two.asm"), "; two\n");
    EXPECT_TRUE(workspace.IsSourceInProject((work / "one.asm").string()));
    EXPECT_TRUE(workspace.IsSourceInProject((work / "two.asm").string()));
    EXPECT_FALSE(std::filesystem::exists(work / "sound.lib"));
    EXPECT_NE(workspace.GetAdditionalLibraries(';').find("sound.lib"), std::string::npos);
}

TEST_F(CorvelCommandsTest, OpenTakesSeveralFilesAndOpensEachInTurn) {
    WriteFile(work / "first.asm", "; first\n");
    WriteFile(work / "second.asm", "; second\n");
    Start();
    file_answer = "\"" + (work / "first.asm").string() + "\" \"" + (work / "second.asm").string() + "\"";
    Command(ID_FILE_OPEN);
    ASSERT_NE(ActiveDocument(), nullptr);
    // The last one opened is in front, the first behind it.
    EXPECT_EQ(std::filesystem::path(ActiveDocument()->GetPathName().str()).filename(), "second.asm");
    app.main_frame()->MDINext();
    EXPECT_EQ(std::filesystem::path(ActiveDocument()->GetPathName().str()).filename(), "first.asm");
}

TEST_F(CorvelCommandsTest, StandardLibrariesAreInsertedOnOkAndAPropertyNeedsASelectedLibrary) {
    Start();
    ASSERT_TRUE(app.OpenStartupFile((work / "HELLO.WSP").string()));
    ide::CVyrWorkspaceManager& workspace = *app.workspace();
    const std::string before = workspace.GetAdditionalLibraries(';');
    workspace.GetProfile().WriteProfileString("Environment", "Default Libraries", "extra.lib");

    display.then([&] {
        display.press(VK_SPACE);
        display.press(VK_ESCAPE);
    });
    Command(shell::ID_PROJECT_INSERT_STANDARD_LIBRARIES);
    EXPECT_EQ(workspace.GetAdditionalLibraries(';'), before);

    display.then([&] {
        display.press(VK_SPACE);
        display.press(VK_RETURN);
    });
    Command(shell::ID_PROJECT_INSERT_STANDARD_LIBRARIES);
    EXPECT_EQ(workspace.GetAdditionalLibraries(';'), before.empty() ? "extra.lib" : before + ";extra.lib");

    // The property command follows the tree's selection.
    ide::ProjectTree& tree = app.main_frame()->workspace_bar().Tree();
    tree.SelectItem(workspace.BankItems().at(0));
    EXPECT_EQ(app.CommandRefusal(shell::ID_PROJECT_LIBRARY_PROPERTY), "No library is selected in the workspace.");
    tree.SelectItem(workspace.GetLibraryRecords().back().item);
    EXPECT_EQ(app.CommandRefusal(shell::ID_PROJECT_LIBRARY_PROPERTY), "");
    display.then([&] { display.press(VK_RETURN); });
    Command(shell::ID_PROJECT_LIBRARY_PROPERTY);
    EXPECT_EQ(workspace.GetAdditionalLibraries(';'), before.empty() ? "extra.lib" : before + ";extra.lib");

    Command(shell::ID_FILE_CLOSE_WORKSPACE);
    EXPECT_EQ(app.CommandRefusal(shell::ID_PROJECT_INSERT_STANDARD_LIBRARIES), "No workspace is open.");
}

}  // namespace
