// The "Directories" page: the four lists from the profile, edits kept across
// switching lists, empty rows dropped, and the profile written only on OK.
#include "ide/shell/dialogs/directory_page.h"
#include "ide/shell/dialogs/tests/dialog_fixture.h"
#include "platform/profile/store.h"

namespace ide::testing {
namespace {

using namespace dlg;

class DirectoryPage : public DialogFixture {
protected:
    void SetUp() override {
        DialogFixture::SetUp();
        profile.WriteProfileString(kDirectoriesSection, "Include files", "/inc;/usr/inc");
        profile.WriteProfileString(kDirectoriesSection, "Library files", "/lib");
    }
    CVyrDirPage& dir_page() { return *static_cast<CVyrDirPage*>(sheet()->GetActivePage()); }
    std::vector<std::string> rows() {
        CListBox* list = dir_page().editor().GetListBoxCtrl();
        std::vector<std::string> out;
        for (int i = 0; i < list->GetCount(); ++i) {
            CString text;
            list->GetText(i, text);
            out.emplace_back(text.str());
        }
        return out;
    }
    void edit_row(int row, const char* text) {
        CVyrListBoxDirEditor& editor = dir_page().editor();
        editor.GetListBoxCtrl()->SetCurSel(row);
        editor.EditItem(0);
        ASSERT_NE(editor.GetEdit(), nullptr);
        editor.GetEdit()->SetWindowText(text);
        display.press(VK_RETURN);
        deliver_input();
    }
    void choose(int index) {
        ::SendMessage(item(kDirectoryChooser), CB_SETCURSEL, WPARAM(index), 0);
        ::SendMessage(page(), WM_COMMAND, MAKEWPARAM(kDirectoryChooser, CBN_SELCHANGE),
                      reinterpret_cast<LPARAM>(item(kDirectoryChooser)));
    }
    // Edits the include list, looks at the library list and back.
    void EditAndSwitch() {
        display.then([&] {
            EXPECT_EQ(::SendMessage(item(kDirectoryChooser), CB_GETCURSEL, 0, 0), 1);
            EXPECT_EQ(rows(), (std::vector<std::string>{"/inc", "/usr/inc", ""}));
            EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(sheet()->m_hWnd, ID_APPLY_NOW)));
            edit_row(0, "/include");
            edit_row(1, "");  // a row left empty goes
            edit_row(1, "/opt/inc");
        });
        display.then([&] {
            EXPECT_EQ(rows(), (std::vector<std::string>{"/include", "/opt/inc", ""}));
            EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(sheet()->m_hWnd, ID_APPLY_NOW)));
            choose(2);
            EXPECT_EQ(rows(), (std::vector<std::string>{"/lib", ""}));
            choose(1);
            EXPECT_EQ(rows(), (std::vector<std::string>{"/include", "/opt/inc", ""}));
        });
    }
};

TEST_F(DirectoryPage, CancelWritesNothing) {
    EditAndSwitch();
    display.then([&] { display.press(VK_ESCAPE); });
    EXPECT_FALSE(RunDirectoriesDialog(&owner, profile));
    EXPECT_EQ(profile.GetProfileString(kDirectoriesSection, "Include files"), "/inc;/usr/inc");
}

TEST_F(DirectoryPage, OkWritesEveryListWithoutEmptyEntries) {
    EditAndSwitch();
    display.then([&] {
        shoot(sheet()->m_hWnd, "directories");
        display.click(::GetDlgItem(sheet()->m_hWnd, IDOK), POINT{4, 4});
    });
    EXPECT_TRUE(RunDirectoriesDialog(&owner, profile));
    EXPECT_EQ(profile.GetProfileString(kDirectoriesSection, "Include files"), "/include;/opt/inc");
    EXPECT_EQ(profile.GetProfileString(kDirectoriesSection, "Library files"), "/lib");
    EXPECT_EQ(profile.GetProfileString(kDirectoriesSection, "Executable files", "unset"), "");
    EXPECT_EQ(profile.GetProfileString(kDirectoriesSection, "Source files", "unset"), "");
}

}  // namespace
}  // namespace ide::testing
