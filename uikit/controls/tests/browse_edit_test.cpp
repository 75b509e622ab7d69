// Browse edits with a scripted folder chooser: the button's place, its
// following the edit, the first folder the chooser gets and what comes back.
#include <filesystem>
#include <string>
#include <vector>

#include "testing/temp_dir.h"
#include "uikit/controls/browse_edit.h"
#include "uikit/controls/tests/controls_fixture.h"

namespace {

constexpr UINT kEditId = 1200;

class BrowseEditTest : public ControlsTest {
protected:
    void SetUp() override {
        ControlsTest::SetUp();
        std::filesystem::create_directories(dir / "src" / "lib");
        dir.write("notes.txt", "x");
        field = make_field(kEditId, CRect(20, 30, 220, 50));
        ASSERT_NE(field, nullptr);
    }
    void TearDown() override {
        kit::user::set_dialog_script(nullptr);
        if (edit.m_hWnd) edit.DestroyWindow();
        ControlsTest::TearDown();
    }
    // A dialog's edit, not yet wrapped by any object.
    HWND make_field(UINT id, const CRect& rect) {
        return ::CreateWindowEx(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, rect.left, rect.top,
                                rect.Width(), rect.Height(), parent.m_hWnd, HMENU(UINT_PTR(id)), nullptr, nullptr);
    }
    CRect rect_in_parent(const CWnd& wnd) const {
        CRect rect;
        wnd.GetWindowRect(&rect);
        parent.ScreenToClient(&rect);
        return rect;
    }
    // The chooser shows `shown` and answers `typed` with `answer`.
    void answer_chooser(std::string* shown, std::string* caption, std::string typed, LONG_PTR answer) {
        kit::user::set_dialog_script([=](const kit::user::DialogQuestion& q) -> std::optional<LONG_PTR> {
            if (q.message_box) return IDOK;
            char text[1024] = {};
            GetDlgItemText(q.dialog, CFolderDialog::kPathEdit, text, sizeof text);
            *shown = text;
            GetWindowText(q.dialog, text, sizeof text);
            *caption = text;
            if (!typed.empty()) SetDlgItemText(q.dialog, CFolderDialog::kPathEdit, typed.c_str());
            return answer;
        });
    }
    void press_button() {
        SECBrowseButton* button = edit.GetButton();
        ASSERT_NE(button, nullptr);
        parent.SendMessage(WM_COMMAND, MAKEWPARAM(button->GetId(), BN_CLICKED), LPARAM(button->m_hWnd));
    }

    testing_kit::TempDir dir;
    HWND field = nullptr;  // the dialog's edit before the browse edit takes it over
    SECBrowseDirEdit edit;
};

TEST_F(BrowseEditTest, ButtonTakesTheRightEndOfTheEditAndFollowsIt) {
    // A control already using 32767 makes the button take the next free id.
    CStatic taken;
    ASSERT_TRUE(taken.Create("", WS_CHILD, CRect(0, 0, 1, 1), &parent, 32767));
    ASSERT_TRUE(edit.Initialize(kEditId, &parent));
    SECBrowseButton* button = edit.GetButton();
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(rect_in_parent(edit), CRect(20, 30, 194, 50));
    EXPECT_EQ(rect_in_parent(*button), CRect(195, 30, 220, 50));
    EXPECT_EQ(button->GetId(), 32766u);
    EXPECT_EQ(::GetWindow(edit.m_hWnd, GW_HWNDNEXT), button->m_hWnd);
    EXPECT_EQ(button->GetWindowText(), CString("..."));
    EXPECT_TRUE(button->IsWindowEnabled());

    edit.EnableWindow(FALSE);
    EXPECT_FALSE(button->IsWindowEnabled());
    edit.EnableWindow(TRUE);
    EXPECT_TRUE(button->IsWindowEnabled());
    edit.ShowWindow(SW_HIDE);
    EXPECT_FALSE(button->IsWindowVisible());
    edit.ShowWindow(SW_SHOW);
    EXPECT_TRUE(button->IsWindowVisible());

    // The button goes with the edit's window.
    const HWND button_hwnd = button->m_hWnd;
    edit.DestroyWindow();
    EXPECT_FALSE(::IsWindow(button_hwnd));
    EXPECT_EQ(edit.GetButton(), nullptr);
}

TEST_F(BrowseEditTest, ButtonOfADisabledEditStartsDisabledAndAMissingControlGivesNone) {
    ::EnableWindow(field, FALSE);
    ASSERT_TRUE(edit.Initialize(kEditId, &parent));
    EXPECT_FALSE(edit.GetButton()->IsWindowEnabled());

    SECBrowseDirEdit missing;
    EXPECT_FALSE(missing.Initialize(4321, &parent));
    EXPECT_EQ(missing.GetButton(), nullptr);
}

TEST_F(BrowseEditTest, StartFolderIsTheTextNormalisedWhenItNamesAFolder) {
    const std::string root = dir.path().string();
    struct Case {
        std::string text;
        std::string start;
    };
    const Case cases[] = {
        {"", ""},
        {root + "/src", root + "/src"},
        {root + "/src/", root + "/src"},  // one trailing separator goes
        {root + "\\src\\lib\\", root + "/src/lib"},
        {root + "/missing", ""},
        {root + "/notes.txt", ""},  // a file is not a folder
        {"/", "/"},                 // the root stays a folder
        {"\\", "/"},
        {"C:", "/"},  // a bare drive is the root
        {"C:\\", "/"},
    };
    for (const Case& c : cases) {
        EXPECT_STREQ(BrowseStartFolder(c.text.c_str()), c.start.c_str()) << c.text;
    }
}

TEST_F(BrowseEditTest, ButtonOpensTheChooserAtTheTextAndWritesTheChoice) {
    ASSERT_TRUE(edit.Initialize(kEditId, &parent));
    const std::string root = dir.path().string();
    std::string shown, caption;

    edit.SetWindowText((root + "/src/").c_str());
    answer_chooser(&shown, &caption, root + "/src/lib", IDOK);
    press_button();
    EXPECT_EQ(shown, root + "/src");
    EXPECT_EQ(caption, "Select Directory");
    EXPECT_STREQ(edit.GetWindowText(), (root + "/src/lib/").c_str());

    // Cancelling keeps the text; the root is a folder like any other.
    answer_chooser(&shown, &caption, "/", IDCANCEL);
    press_button();
    EXPECT_STREQ(edit.GetWindowText(), (root + "/src/lib/").c_str());
    answer_chooser(&shown, &caption, "/", IDOK);
    press_button();
    EXPECT_STREQ(edit.GetWindowText(), "/");
    answer_chooser(&shown, &caption, "", IDOK);
    press_button();
    EXPECT_EQ(shown, "/");
    EXPECT_STREQ(edit.GetWindowText(), "/");

    // A text that names no folder starts the chooser at the current folder.
    testing_kit::ScopedCwd cwd(dir.path() / "src");
    edit.SetWindowText((root + "/gone").c_str());
    answer_chooser(&shown, &caption, "", IDCANCEL);
    press_button();
    EXPECT_EQ(shown, root + "/src");
}

TEST_F(BrowseEditTest, ChooserModesBothGiveTheFolderWithATrailingSeparator) {
    const std::string root = dir.path().string();
    std::string shown, caption;
    for (UINT mode : {0u, 1u}) {
        answer_chooser(&shown, &caption, root + "/src", IDOK);
        SECDirSelectDlg dialog(mode, "Pick", root.c_str(), &parent);
        ASSERT_EQ(dialog.DoModal(), IDOK);
        CString path;
        dialog.GetPath(path);
        EXPECT_STREQ(path, (root + "/src/").c_str());
        EXPECT_EQ(shown, root);
        EXPECT_EQ(caption, "Pick");
    }
    EXPECT_EQ(SECDirSelectDlg("Pick", &parent, "").GetMode(), SECDirSelectDlg::kFileDialogMode);
}

TEST_F(BrowseEditTest, Picture) {
    ASSERT_TRUE(edit.Initialize(kEditId, &parent));
    edit.SetWindowText("/usr/local/include");
    ::EnableWindow(make_field(kEditId + 1, CRect(20, 60, 220, 80)), FALSE);
    SECBrowseDirEdit disabled;
    ASSERT_TRUE(disabled.Initialize(kEditId + 1, &parent));
    disabled.SetWindowText("/opt/kit/lib");
    parent.MoveWindow(0, 0, 240, 100);
    shoot(edit.m_hWnd, "browse_edits");
    disabled.DestroyWindow();
}

}  // namespace
