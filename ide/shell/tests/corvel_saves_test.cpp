// What Corvel writes of its own accord: the profile once at each save point
// (start-up done, OK or Apply in the options, closing a workspace, closing
// the frame), a damaged profile told about once and kept, and a damaged
// project file told about once and left as it was. Every save that fails, on
// a full disk among others, is told once with the file and the reason, and
// leaves the old file as it was; Go and Execute save without asking.
#include <sys/inotify.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ide/shell/debug/debug_session.h"
#include "ide/shell/frame_app.h"
#include "ide/shell/main_frame.h"
#include "ide/shell/resource_ids.h"
#include "ide/shell/source_view.h"
#include "ide/shell/tests/corvel_fixture.h"
#include "platform/afx/doc_template.h"
#include "platform/afx/file_dialog.h"
#include "platform/afx/property_sheet.h"
#include "platform/profile/store.h"
#include "platform/user/dialog_api.h"
#include "platform/user/status_bar.h"
#include "testing/file_size_limit.h"

namespace {

namespace fs = std::filesystem;

void WriteFile(const fs::path& path, std::string_view bytes) { std::ofstream(path, std::ios::binary) << bytes; }

// Counts the saves of one file: each is a temporary file renamed over it.
class RenameCounter {
public:
    explicit RenameCounter(const fs::path& file) : name_(file.filename().string()) {
        fs::create_directories(file.parent_path());
        fd_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        // The temporary files' creations come between the renames, so that
        // no two renames in a row are merged into one event.
        if (fd_ >= 0) ::inotify_add_watch(fd_, file.parent_path().c_str(), IN_MOVED_TO | IN_CREATE);
    }
    ~RenameCounter() {
        if (fd_ >= 0) ::close(fd_);
    }
    RenameCounter(const RenameCounter&) = delete;
    RenameCounter& operator=(const RenameCounter&) = delete;

    bool watching() const { return fd_ >= 0; }
    // The renames since the last call.
    int Take() {
        int count = 0;
        alignas(inotify_event) char buffer[16 * 1024];
        for (ssize_t size; (size = ::read(fd_, buffer, sizeof buffer)) > 0;) {
            for (const char* at = buffer; at < buffer + size;) {
                const auto* event = reinterpret_cast<const inotify_event*>(at);
                if ((event->mask & IN_MOVED_TO) && event->len > 0 && name_ == event->name) ++count;
                at += sizeof(inotify_event) + event->len;
            }
        }
        return count;
    }

private:
    std::string name_;
    int fd_ = -1;
};

// The profile's folder and file made read-only for the test's length: even
// root does not replace a file without a write bit.
class ReadOnlyProfile {
public:
    explicit ReadOnlyProfile(const fs::path& file) : file_(file) {
        fs::permissions(file_, fs::perms::owner_read);
        fs::permissions(file_.parent_path(), fs::perms::owner_read | fs::perms::owner_exec);
    }
    ~ReadOnlyProfile() {
        fs::permissions(file_.parent_path(), fs::perms::owner_all);
        fs::permissions(file_, fs::perms::owner_read | fs::perms::owner_write);
    }
    ReadOnlyProfile(const ReadOnlyProfile&) = delete;
    ReadOnlyProfile& operator=(const ReadOnlyProfile&) = delete;

private:
    fs::path file_;
};

class CorvelSavesTest : public StartedCorvelTest {
protected:
    void SetUp() override {
        CorvelSampleTest::SetUp();  // the profile's folder is the test's own from here on
        profile_file = profile::store_path("Marlowquin", "Corvel");
        FailOnStall();
        kit::user::set_dialog_script([this](const kit::user::DialogQuestion& q) -> std::optional<LONG_PTR> {
            if (!q.message_box) return std::nullopt;
            boxes.push_back(q.text);
            return IDOK;
        });
    }
    void TearDown() override {
        if (app) Close();
        kit::user::set_dialog_script(nullptr);
        StartedCorvelTest::TearDown();
    }
    std::string StatusText() { return app->main_frame()->status_bar().GetPaneText(0).str(); }
    // Tools > Options by keyboard: `steps` run in the sheet.
    void InOptions(const std::vector<std::function<void()>>& steps) {
        for (const auto& step : steps) display.then(step);
        display.chord(VK_MENU, 'T');
        display.press('O');
        HandleQueued(*app);
        EXPECT_EQ(display.steps_left(), 0u);
    }
    int Reports(std::string_view start = "Not all of the workspace could be read:") const {
        int count = 0;
        for (const std::string& box : boxes) count += box.starts_with(start) ? 1 : 0;
        return count;
    }

    fs::path profile_file;
    std::vector<std::string> boxes;
};

// A scripted session: each save point writes the profile at most once, and
// nothing between them writes it at all.
TEST_F(CorvelSavesTest, TheProfileIsWrittenOnlyAtTheSavePoints) {
    RenameCounter saves(profile_file);
    ASSERT_TRUE(saves.watching());

    Start();
    EXPECT_EQ(saves.Take(), 1) << "start-up done";

    ASSERT_EQ(app->GoToSourceLine((work / "hello.asm").string(), 3, 1), 1);
    app->main_frame()->ShowControlBar(&app->main_frame()->output_bar(), FALSE, FALSE);
    HandleQueued(*app);
    EXPECT_EQ(saves.Take(), 0) << "working between save points";

    // General page: a tab size typed, Apply, another typed, OK.
    InOptions({[&] {
                   display.chord(VK_MENU, 'T');
                   display.type("6");
               },
               [&] {
                   ::SendMessage(::GetActiveWindow(), WM_COMMAND, ID_APPLY_NOW, 0);
                   display.chord(VK_MENU, 'T');
                   display.type("7");
               },
               [&] { display.press(VK_RETURN); }});
    EXPECT_EQ(saves.Take(), 2) << "Apply, then OK";
    InOptions({[&] { display.press(VK_RETURN); }});
    EXPECT_EQ(saves.Take(), 0) << "OK with nothing changed";

    app->main_frame()->SendMessage(WM_COMMAND, shell::ID_FILE_CLOSE_WORKSPACE);
    HandleQueued(*app);
    EXPECT_LE(saves.Take(), 1) << "closing the workspace";

    Close();
    EXPECT_EQ(saves.Take(), 1) << "closing the frame";
    const profile::Store profile = profile::Store::for_program("Marlowquin", "Corvel");
    EXPECT_TRUE(profile.load_error().empty()) << profile.load_error();
    EXPECT_EQ(profile.GetProfileInt("Editor\\C Files", "Tab size", 0), 7);
    EXPECT_EQ(profile.GetProfileInt("FrameState", "MainWindow", 0), -1);
}

// A profile that cannot be saved: each save point with something to save
// tells it once, in one message naming the file and the reason, and the file
// stays as it was.
TEST_F(CorvelSavesTest, AProfileThatCannotBeSavedIsToldOnceAtEachSavePointAndLeftWhole) {
    Start();
    Close();
    const std::string saved = testing_kit::read_file(profile_file);
    const ReadOnlyProfile read_only(profile_file);
    const std::string not_saved =
        "The settings cannot be saved: create '" + profile_file.string() + "': Permission denied";

    Start();
    EXPECT_EQ(StatusText(), not_saved) << "start-up done";
    EXPECT_TRUE(boxes.empty());

    InOptions({[&] {
                   display.chord(VK_MENU, 'T');
                   display.type("6");
               },
               [&] { display.press(VK_RETURN); }});
    EXPECT_EQ(boxes, std::vector<std::string>{not_saved}) << "OK in the options";

    app->main_frame()->SendMessage(WM_COMMAND, shell::ID_FILE_CLOSE_WORKSPACE);
    HandleQueued(*app);
    EXPECT_EQ(Reports(not_saved), 2) << "closing the workspace";

    Close();
    EXPECT_EQ(Reports(not_saved), 3) << "closing the frame";
    EXPECT_EQ(boxes.size(), 3u);
    EXPECT_EQ(testing_kit::read_file(profile_file), saved);
    for (const auto& entry : fs::directory_iterator(profile_file.parent_path()))
        EXPECT_TRUE(entry.path() == profile_file || entry.path().extension() == ".lock") << "left behind: " << entry;
}

// A saved layout the frame refuses is named with its reason in the status
// bar, and the bars take their default places instead of any of its own.
TEST_F(CorvelSavesTest, ARefusedLayoutIsToldWithItsReasonAndTheDefaultOneIsUsed) {
    Start();
    app->main_frame()->ShowControlBar(&app->main_frame()->output_bar(), FALSE, FALSE);
    Close();
    {
        profile::Store store(profile_file);
        const int bars = store.GetProfileInt("FrameState\\ToolBar-Summary", "Bars", 0);
        ASSERT_GT(bars, 0);
        for (int i = 0; i < bars; ++i)
            store.WriteProfileString("FrameState\\ToolBar-Bar" + std::to_string(i), "ClassName", "NoSuchBar");
        ASSERT_TRUE(store.Flush().ok());
    }

    Start();
    const std::string status = StatusText();
    EXPECT_TRUE(status.starts_with("The saved window layout \"FrameState\\ToolBar\" is damaged (")) << status;
    EXPECT_TRUE(status.ends_with(": no such class); the default layout is used.")) << status;
    EXPECT_TRUE(app->main_frame()->output_bar().IsVisible());
    EXPECT_TRUE(app->main_frame()->workspace_bar().IsVisible());
    EXPECT_TRUE(boxes.empty());
}

// A damaged profile is set aside under a name of its own, and said so in the
// status bar once the start is done; a later damaged one gets the next name.
TEST_F(CorvelSavesTest, ADamagedProfileIsToldAboutAndKeptUnderANameOfItsOwn) {
    fs::create_directories(profile_file.parent_path());
    for (const char* damaged : {"[Settings]\nno value here\n", "[Settings\n"}) {
        SCOPED_TRACE(damaged);
        WriteFile(profile_file, damaged);
        Start();
        const std::string status = StatusText();
        EXPECT_TRUE(status.starts_with(profile_file.string() + ".damaged")) << status;
        EXPECT_NE(status.find(" keeps the damaged settings, read in part: line "), std::string::npos) << status;
        EXPECT_TRUE(boxes.empty());
        Close();
        EXPECT_TRUE(profile::Store(profile_file).load_error().empty());
    }
    EXPECT_EQ(testing_kit::read_file(profile_file.string() + ".damaged"), "[Settings]\nno value here\n");
    EXPECT_EQ(testing_kit::read_file(profile_file.string() + ".damaged.2"), "[Settings\n");

    Start();
    EXPECT_EQ(StatusText().find("read in part"), std::string::npos) << "a sound profile is not mentioned";
}

// At 1024 pixels wide the status bar shows the damaged profile's kept copy
// by its whole name, before anything else the message says.
TEST_F(CorvelSavesTest, TheKeptCopyOfADamagedProfileIsNamedWholeInTheStatusBar) {
    fs::create_directories(profile_file.parent_path());
    WriteFile(profile_file, "[Settings]\nno value here\n");
    app = std::make_unique<shell::CVyrFrameApp>(std::vector<std::string>{(work / "HELLO.WSP").string()});
    app->SetStartSize(1024, 768);
    ASSERT_TRUE(app->InitInstance());
    HandleQueued(*app);
    CRect window;
    frame().GetWindowRect(&window);
    ASSERT_EQ(window.Width(), 1024);

    const HWND status = frame().status_bar().m_hWnd;
    const std::string text = StatusText();
    const std::string kept = profile_file.string() + ".damaged";
    const std::size_t kept_at = text.find(kept);
    ASSERT_NE(kept_at, std::string::npos) << text;
    RECT pane{};
    ::SendMessage(status, SB_GETRECT, 0, reinterpret_cast<LPARAM>(&pane));
    const HDC dc = ::GetDC(status);
    const HGDIOBJ old_font = ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessage(status, WM_GETFONT, 0, 0)));
    SIZE named{}, ellipsis{};
    ::GetTextExtentPoint32(dc, text.c_str(), int(kept_at + kept.size()), &named);
    ::GetTextExtentPoint32(dc, "...", 3, &ellipsis);
    ::SelectObject(dc, old_font);
    ::ReleaseDC(status, dc);
    // The pane cuts a longer text with "..." inside a few pixels of padding.
    constexpr int kPadding = 8;
    EXPECT_LE(named.cx + ellipsis.cx + kPadding, pane.right - pane.left) << text;
}

// A project file with a value the reader had to guess is told about in one
// message box and is, without a change by the user, the same file after exit.
TEST_F(CorvelSavesTest, ADamagedProjectFileIsToldAboutOnceAndLeftAsItWas) {
    std::string project = testing_kit::read_file(work / "HELLO.PRJ");
    project.replace(project.find("= BIN"), 5, "= BXN");
    WriteFile(work / "HELLO.PRJ", project);
    const std::string workspace = testing_kit::read_file(work / "HELLO.WSP");

    Start();
    EXPECT_EQ(Reports(), 1);
    ASSERT_EQ(app->GoToSourceLine((work / "hello.asm").string(), 3, 1), 1);
    Close();
    EXPECT_EQ(Reports(), 1);
    EXPECT_EQ(testing_kit::read_file(work / "HELLO.PRJ"), project);
    EXPECT_FALSE(fs::exists(work / "HELLO.PRJ.orig"));
    // The open source is a change of the workspace file, which loaded whole.
    EXPECT_NE(testing_kit::read_file(work / "HELLO.WSP").find("#OPENEDFILE="), std::string::npos);
    EXPECT_NE(testing_kit::read_file(work / "HELLO.WSP"), workspace);
}

// Saves of an edited source and of the workspace, with every message box
// answered as a user keeping the work would: Yes to saving, and no run or
// build of a program whose sources were not saved.
class CorvelFailedSavesTest : public CorvelSavesTest {
protected:
    void SetUp() override {
        CorvelSavesTest::SetUp();
        kit::user::set_dialog_script([this](const kit::user::DialogQuestion& q) -> std::optional<LONG_PTR> {
            if (q.template_id == CFileDialog::kTemplateId) {
                SetDlgItemText(q.dialog, 0x480, save_as.c_str());
                SendMessage(q.dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            }
            if (!q.message_box) return std::nullopt;
            boxes.push_back(q.text);
            if (q.text.starts_with("Save changes to ")) return leaving_unsaved ? IDNO : IDYES;
            constexpr UINT kButtons = 0x0F;
            return (q.type & kButtons) == MB_OK ? IDOK : IDCANCEL;
        });
    }
    void TearDown() override {
        leaving_unsaved = true;
        CorvelSavesTest::TearDown();
    }
    // hello.asm opened and changed by a key; its bytes on disk before.
    void EditSource() {
        source_bytes = testing_kit::read_file(source);
        EXPECT_EQ(app->GoToSourceLine(source.string(), 1, 1), 1);
        display.type("x");
        HandleQueued(*app);
        EXPECT_TRUE(SourceStillEdited());
    }
    // hello.asm is open under its own name with the change not saved.
    bool SourceStillEdited() {
        for (POSITION at = app->source_template()->GetFirstDocPosition(); at;) {
            CDocument* doc = app->source_template()->GetNextDoc(at);
            if (doc->GetPathName().str() == source.string()) return doc->IsModified();
        }
        return false;
    }
    static std::string NotSaved(const fs::path& file) {
        return "Failed to save document " + file.string() + ".\nFile too large";
    }
    // Nothing but the folder's own files (and the profile's) is left in it.
    void ExpectNoTemporaryFiles() const {
        for (const auto& entry : fs::directory_iterator(work.path()))
            EXPECT_EQ(entry.path().filename().string().find(".tmp"), std::string::npos) << "left behind: " << entry;
    }

    const fs::path source = work / "hello.asm";
    std::string source_bytes;
    std::string save_as;
    bool leaving_unsaved = false;
};

// Every way a source is saved, on a full disk: one message naming the file
// and the reason, the old file as it was, the text still in the editor and
// nothing more done (no question, build, run or close after it).
TEST_F(CorvelFailedSavesTest, EverySaveOfASourceOnAFullDiskIsToldOnceAndLeavesTheOldFile) {
    const struct {
        const char* what;
        std::function<void(shell::CMainFrame&, kit::display::Headless&)> save;
        std::vector<std::string> questions;  // asked before the failure
        std::string file = "hello.asm";
    } cases[] = {
        {"Ctrl+S", [](shell::CMainFrame&, kit::display::Headless& keys) { keys.chord(VK_CONTROL, 'S'); }, {}},
        {"Save As",
         [](shell::CMainFrame& frame, kit::display::Headless&) { frame.SendMessage(WM_COMMAND, ID_FILE_SAVE_AS); },
         {},
         "renamed.asm"},
        {"Save All",
         [](shell::CMainFrame& frame, kit::display::Headless&) {
             frame.SendMessage(WM_COMMAND, shell::ID_FILE_SAVE_ALL);
         },
         {}},
        {"Yes to the question on closing it",
         [](shell::CMainFrame& frame, kit::display::Headless&) { frame.SendMessage(WM_COMMAND, ID_FILE_CLOSE); },
         {"Save changes to hello.asm?"}},
        {"Build (F7)", [](shell::CMainFrame&, kit::display::Headless& keys) { keys.press(VK_F7); }, {}},
        {"Go (F5)", [](shell::CMainFrame&, kit::display::Headless& keys) { keys.press(VK_F5); }, {}},
        {"Execute (Ctrl+F5)",
         [](shell::CMainFrame&, kit::display::Headless& keys) { keys.chord(VK_CONTROL, VK_F5); },
         {}},
        {"Close Workspace",
         [](shell::CMainFrame& frame, kit::display::Headless&) {
             frame.SendMessage(WM_COMMAND, shell::ID_FILE_CLOSE_WORKSPACE);
         },
         {}},
        {"closing Corvel", [](shell::CMainFrame& frame, kit::display::Headless&) { frame.SendMessage(WM_CLOSE); }, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Start();
        EditSource();
        save_as = (work / "renamed.asm").string();
        boxes.clear();
        {
            const testing_kit::FileSizeLimit full_disk;
            c.save(frame(), display);
            HandleQueued(*app);
        }
        std::vector<std::string> expected = c.questions;
        for (std::string& question : expected) question.replace(question.find("hello.asm"), 9, source.string());
        expected.push_back(NotSaved(work / c.file));
        EXPECT_EQ(boxes, expected);
        EXPECT_EQ(testing_kit::read_file(source), source_bytes);
        EXPECT_FALSE(fs::exists(work / "renamed.asm"));
        ExpectNoTemporaryFiles();
        ASSERT_NE(app->m_pMainWnd, nullptr) << "Corvel closed";
        EXPECT_TRUE(SourceStillEdited());
        EXPECT_TRUE(app->workspace()->IsOpen());
        EXPECT_EQ(app->debug_session()->state(), shell::DebugState::Idle);
        leaving_unsaved = true;
        Close();
        leaving_unsaved = false;
    }
}

// Save Workspace and the end of a session on a full disk: the project file,
// the workspace file and the profile are each told once with their names and
// the reason, and each stays as it was.
TEST_F(CorvelFailedSavesTest, TheWorkspaceAndTheProfileOnAFullDiskAreToldOnceAndLeftAsTheyWere) {
    const std::string project = testing_kit::read_file(work / "HELLO.PRJ");
    const std::string workspace = testing_kit::read_file(work / "HELLO.WSP");
    const std::string not_created =
        "Create temporal file(" + work.path().string() + "/HELLO.%s) failure!\nFile too large";
    const auto named = [&](const char* extension) {
        std::string text = not_created;
        return text.replace(text.find("%s"), 2, extension);
    };

    Start();
    const std::string profile = testing_kit::read_file(profile_file);
    app->workspace()->SetOutputName("OTHER");  // a change the project file must take
    boxes.clear();
    {
        const testing_kit::FileSizeLimit full_disk;
        frame().SendMessage(WM_COMMAND, shell::ID_FILE_SAVE_WORKSPACE);
        HandleQueued(*app);
        EXPECT_EQ(boxes, std::vector<std::string>{named("PRJ")}) << "Save Workspace";

        boxes.clear();
        Close();
    }
    EXPECT_EQ(boxes, (std::vector<std::string>{named("PRJ"), "The settings cannot be saved: write '" +
                                                                 profile_file.string() + "': File too large"}))
        << "closing Corvel";
    EXPECT_EQ(testing_kit::read_file(work / "HELLO.PRJ"), project);
    EXPECT_EQ(testing_kit::read_file(work / "HELLO.WSP"), workspace);
    EXPECT_TRUE(testing_kit::read_file(profile_file) == profile) << "the profile changed";
    ExpectNoTemporaryFiles();
    for (const auto& entry : fs::directory_iterator(profile_file.parent_path()))
        EXPECT_TRUE(entry.path() == profile_file || entry.path().extension() == ".lock") << "left behind: " << entry;
}

// Go and Execute save every modified source as Build does, without asking,
// before they look at the program.
TEST_F(CorvelFailedSavesTest, GoAndExecuteSaveWithoutAsking) {
    for (const bool execute : {false, true}) {
        SCOPED_TRACE(execute ? "Execute" : "Go");
        Start();
        EditSource();
        boxes.clear();
        if (execute)
            display.chord(VK_CONTROL, VK_F5);
        else
            display.press(VK_F5);
        HandleQueued(*app);
        ASSERT_EQ(boxes.size(), 1u) << ::testing::PrintToString(boxes);
        EXPECT_TRUE(boxes[0].starts_with("Some depended file have been modified")) << boxes[0];
        EXPECT_EQ(testing_kit::read_file(source), "x" + source_bytes);
        Close();
    }
}

}  // namespace
