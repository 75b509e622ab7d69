// The "Find In Files" dialog over an output bar: the profile's values on
// show, the pane tab following "Output to pane 2", empty fields refused,
// the folder browser, and Find running the search into the chosen pane while
// the histories are saved.
#include "ide/shell/find/find_dialog.h"

#include <filesystem>
#include <optional>

#include "ide/shell/bars/output_bar.h"
#include "ide/shell/bars/tests/bars_fixture.h"
#include "ide/shell/find/find_command.h"
#include "ide/shell/find/find_job.h"
#include "platform/profile/store.h"
#include "platform/res/resources.h"
#include "platform/user/dialog_api.h"
#include "testing/temp_dir.h"

namespace ide {
namespace {

using namespace find_ids;
using Strings = std::vector<std::string>;

class FindDialog : public BarsTest {
protected:
    void SetUp() override {
        BarsTest::SetUp();
        kit::res::register_module(&find_dialog_resources());
        bar->m_bAutoDelete = TRUE;
        ASSERT_TRUE(bar->Create(frame, "Output Window", 0x50001414, 0xF11, 101));
        bar->MoveWindow(0, 240, 640, 200);
        tree.write("src/main.asm", "start:  lda #1\n        LDA counter\n        ldax\n");
        tree.write("src/lib/io.asm", "io:     lda $FF\n");
        Write("Find1", "sta");
        Write("Find2", "jmp");
        Write("Folder1", "/nowhere/old/");
        Write("Type1", "*.asm");
        Write("Type2", "*.c;*.h");
        store.WriteProfileInt(kFindSection, "OutputTo2", 1);
        pump();
    }
    void TearDown() override {
        kit::user::set_dialog_script(nullptr);
        job.reset();
        kit::res::unregister_module(&find_dialog_resources());
        BarsTest::TearDown();
    }
    void Write(const std::string& key, const std::string& value) { store.WriteProfileString(kFindSection, key, value); }
    std::string Folder() const { return (tree / "src").string(); }
    bool Run() { return Run(Folder() + "/"); }
    bool Run(const std::string& project_folder) { return RunFindInFiles(frame, store, project_folder, bar, *job); }

    // The dialog on show and its controls.
    HWND dialog() const { return ::GetActiveWindow(); }
    HWND item(UINT id) const { return ::GetDlgItem(dialog(), int(id)); }
    std::string text(UINT id) const {
        char buffer[512] = "";
        ::GetWindowText(item(id), buffer, sizeof buffer);
        return buffer;
    }
    Strings items(UINT id) const {
        Strings out;
        for (LRESULT i = 0, n = ::SendMessage(item(id), CB_GETCOUNT, 0, 0); i < n; ++i) {
            char buffer[512] = "";
            ::SendMessage(item(id), CB_GETLBTEXT, WPARAM(i), reinterpret_cast<LPARAM>(buffer));
            out.emplace_back(buffer);
        }
        return out;
    }
    void click(UINT id) { display.click(item(id), POINT{3, 3}); }
    void type_into(UINT id, const char* value) {
        ::SetFocus(item(id));
        ::SetWindowText(item(id), "");
        display.type(value);
    }
    Strings pane_lines(OutputPane which) {
        CInfoWnd& pane = bar->Pane(which);
        Strings out;
        for (int i = 0; i < pane.GetLineCount(); ++i) {
            std::string line(pane.GetLine(i));
            if (line.rfind(Folder(), 0) == 0) line.replace(0, Folder().size(), "<src>");
            out.push_back(line);
        }
        return out;
    }
    void shoot_dialog(const std::string& name) {
        EXPECT_TRUE(testing_kit::matches_painted_golden(dialog(), "ide/shell/find/tests/golden/" + name + ".png"));
    }

    testing_kit::TempDir tree;
    profile::Store store{tree / "corvel.profile"};
    COutputBar* bar = new COutputBar;
    std::unique_ptr<FindInFilesJob> job = std::make_unique<FindInFilesJob>();
};

TEST_F(FindDialog, ShowsTheProfileAndMovesThePaneTabWithOutputToPane2) {
    display.then([&] {
        EXPECT_EQ(items(kFindWhat), (Strings{"sta", "jmp"}));
        EXPECT_EQ(text(kFindWhat), "sta");
        EXPECT_EQ(items(kFileTypes), (Strings{"*.asm", "*.c;*.h"}));
        EXPECT_EQ(items(kFolder), (Strings{"/home/ada/hello/", "/nowhere/old/"}));
        EXPECT_EQ(text(kFolder), "/home/ada/hello/");
        EXPECT_EQ(::IsDlgButtonChecked(dialog(), kOutputTo2), BST_CHECKED);
        EXPECT_EQ(bar->ActivePane(), &bar->Pane(OutputPane::find_in_files2));
        shoot_dialog("find_in_files");
        click(kOutputTo2);
    });
    display.then([&] {
        EXPECT_EQ(bar->ActivePane(), &bar->Pane(OutputPane::find_in_files1));
        EXPECT_EQ(::GetFocus(), item(kOutputTo2));  // the dialog keeps the keyboard
        display.press(VK_ESCAPE);
    });
    EXPECT_FALSE(Run("/home/ada/hello/"));  // a fixed project folder: the picture never changes
    EXPECT_EQ(store.GetProfileString(kFindSection, "Find1", ""), "sta");
    EXPECT_EQ(store.GetProfileInt(kFindSection, "OutputTo2", 0), 1);  // Cancel saves nothing
}

TEST_F(FindDialog, AnEmptyFieldIsRefusedAndTheDialogStays) {
    Strings boxes;
    kit::user::set_dialog_script([&](const kit::user::DialogQuestion& q) -> std::optional<LONG_PTR> {
        if (!q.message_box) return std::nullopt;
        boxes.push_back(q.text);
        return IDOK;
    });
    display.then([&] {
        ::SetWindowText(item(kFileTypes), "");
        click(IDOK);
    });
    display.then([&] {
        EXPECT_EQ(boxes, Strings{"Null string specified, Please input string!"});
        EXPECT_TRUE(::IsWindow(item(kFindWhat)));
        display.press(VK_ESCAPE);
    });
    EXPECT_FALSE(Run());
}

TEST_F(FindDialog, FindSearchesIntoTheChosenPaneAndSavesTheHistories) {
    display.then([&] {
        type_into(kFindWhat, "LDA");
        click(kWholeWord);
        click(kSubfolders);
    });
    display.then([&] { display.press(VK_RETURN); });
    EXPECT_TRUE(Run());
    job->Wait();
    EXPECT_EQ(bar->ActivePane(), &bar->Pane(OutputPane::find_in_files2));
    EXPECT_EQ(pane_lines(OutputPane::find_in_files2),
              (Strings{"Searching for 'LDA' ...", "<src>/main.asm(1): start:  lda #1",
                       "<src>/main.asm(2):         LDA counter", "<src>/lib/io.asm(1): io:     lda $FF",
                       "3 occurrence(s) have been found."}));
    EXPECT_EQ(bar->Pane(OutputPane::find_in_files1).GetLineCount(), 0);
    EXPECT_EQ(LoadFindSettings(store, "").strings, (Strings{"LDA", "sta", "jmp"}));
    EXPECT_EQ(LoadFindSettings(store, "").folders, (Strings{Folder() + "/", "/nowhere/old/"}));
    EXPECT_EQ(store.GetProfileInt(kFindSection, "MatchWholeWord", 0), 1);
    EXPECT_EQ(store.GetProfileInt(kFindSection, "InSubFolders", 0), 1);
}

TEST_F(FindDialog, TheKeyboardAloneSetsTheOptionsAndFinds) {
    tree.write("src/store.asm", "        sta counter\n        STA counter\n        stax\n");
    auto focus_in = [&](UINT id) { return ::GetFocus() == item(id) || ::IsChild(item(id), ::GetFocus()); };
    display.then([&] {
        EXPECT_TRUE(focus_in(kFindWhat));
        display.press(VK_TAB);
    });
    display.then([&] {
        EXPECT_TRUE(focus_in(kFileTypes));
        for (const char key : {'W', 'C', 'S', 'O'}) display.chord(VK_MENU, key);
        display.chord(VK_MENU, 'I');
    });
    display.then([&] {
        EXPECT_TRUE(focus_in(kFolder));
        EXPECT_EQ(::IsDlgButtonChecked(dialog(), kWholeWord), BST_CHECKED);
        EXPECT_EQ(::IsDlgButtonChecked(dialog(), kMatchCase), BST_CHECKED);
        EXPECT_EQ(::IsDlgButtonChecked(dialog(), kSubfolders), BST_CHECKED);
        EXPECT_EQ(::IsDlgButtonChecked(dialog(), kOutputTo2), BST_UNCHECKED);
        EXPECT_EQ(bar->ActivePane(), &bar->Pane(OutputPane::find_in_files1));
        display.press(VK_RETURN);
    });
    EXPECT_TRUE(Run());
    job->Wait();
    EXPECT_EQ(pane_lines(OutputPane::find_in_files1),
              (Strings{"Searching for 'sta' ...", "<src>/store.asm(1):         sta counter",
                       "1 occurrence(s) have been found."}));
}

TEST_F(FindDialog, AFolderTypedRelativeIsInTheProject) {
    display.then([&] {
        type_into(kFolder, "lib");
        ::SetWindowText(item(kFindWhat), "io:");
        display.press(VK_RETURN);
    });
    EXPECT_TRUE(Run());
    job->Wait();
    EXPECT_EQ(pane_lines(OutputPane::find_in_files2),
              (Strings{"Searching for 'io:' ...", "<src>/lib/io.asm(1): io:     lda $FF",
                       "1 occurrence(s) have been found."}));
    EXPECT_EQ(LoadFindSettings(store, "").folders, (Strings{"lib", Folder() + "/", "/nowhere/old/"}));
}

TEST_F(FindDialog, BrowseSelectsAListedFolderOrShowsANewOne) {
    std::filesystem::path answer = tree / "src";
    kit::user::set_dialog_script([&](const kit::user::DialogQuestion& q) -> std::optional<LONG_PTR> {
        if (q.template_id != CFolderDialog::kTemplateId) return std::nullopt;
        ::SetDlgItemText(q.dialog, CFolderDialog::kPathEdit, answer.c_str());
        return IDOK;
    });
    HWND shown = nullptr;
    display.then([&] {
        shown = dialog();
        ::SendMessage(item(kFolder), CB_SETCURSEL, 1, 0);
        click(kBrowse);
    });
    display.then([&] {
        EXPECT_EQ(::GetActiveWindow(), shown);
        EXPECT_EQ(::SendMessage(item(kFolder), CB_GETCURSEL, 0, 0), 0);  // listed: selected
        answer = tree / "src/lib";
        click(kBrowse);
    });
    display.then([&] {
        EXPECT_EQ(text(kFolder), Folder() + "/lib/");
        EXPECT_EQ(items(kFolder).size(), 2u);
        display.press(VK_ESCAPE);
    });
    EXPECT_FALSE(Run());
}

// Each history drops down from the button at the combo box's right end (the
// box has no scroll bar of its own in its place), and a string chosen there
// is the one searched.
TEST_F(FindDialog, AHistoryDropsDownFromItsButtonAndGivesTheString) {
    display.then([&] {
        RECT box;
        ::GetClientRect(item(kFindWhat), &box);
        EXPECT_EQ(::GetWindowLong(item(kFindWhat), GWL_STYLE) & WS_VSCROLL, 0);
        display.click(item(kFindWhat), POINT{box.right - 4, box.bottom / 2});
    });
    display.then([&] {
        EXPECT_TRUE(::SendMessage(item(kFindWhat), CB_GETDROPPEDSTATE, 0, 0));
        display.press(VK_DOWN);
        display.press(VK_RETURN);
    });
    display.then([&] {
        EXPECT_EQ(text(kFindWhat), "jmp");
        display.press(VK_RETURN);
    });
    EXPECT_TRUE(Run());
    job->Wait();
    EXPECT_EQ(pane_lines(OutputPane::find_in_files2).front(), "Searching for 'jmp' ...");
}

TEST_F(FindDialog, ANewSearchReplacesTheOneRunning) {
    for (int i = 0; i < 300; ++i) tree.write("big/f" + std::to_string(i) + ".asm", "lda\nlda\n");
    CInfoWnd& pane = bar->Pane(OutputPane::find_in_files1);
    job->Start({{"lda", false, false}, "*.asm", (tree / "big").string(), false}, pane);
    job->Start({{"LDA", true, false}, "*.asm", Folder(), true}, pane);
    job->Wait();
    EXPECT_FALSE(job->Running());
    EXPECT_EQ(pane_lines(OutputPane::find_in_files1),
              (Strings{"Searching for 'LDA' ...", "<src>/main.asm(2):         LDA counter",
                       "1 occurrence(s) have been found."}));
}

}  // namespace
}  // namespace ide
