// The library dialogs driven as a user would: the standard libraries chosen
// in the list join the project only on OK, and a library's path changes only
// on OK and only for a library inserted by path.
#include "ide/shell/dialogs/project_dialogs.h"
#include "ide/shell/dialogs/tests/dialog_fixture.h"

namespace ide::testing {
namespace {

using namespace dlg;

class LibraryDialogs : public DialogFixture {
protected:
    // GAME with the default library std.lib; the profile then offers three.
    void GameWithStdLib() {
        profile.WriteProfileString("Environment", "Default Libraries", "std.lib");
        NewGame();
        profile.WriteProfileString("Environment", "Default Libraries", "std.lib;math.lib;gfx.lib");
    }
    std::string Libraries() const { return manager.GetAdditionalLibraries(';'); }
    HWND control(int id) const { return ::GetDlgItem(::GetActiveWindow(), id); }
    std::string control_text(int id) const {
        char buffer[300] = "";
        ::GetDlgItemText(::GetActiveWindow(), id, buffer, sizeof buffer);
        return buffer;
    }
    void SelectLibrary(std::size_t index) { tree.SelectItem(manager.GetLibraryRecords().at(index).item); }
};

TEST_F(LibraryDialogs, StandardLibrariesChosenByKeysJoinTheProjectOnlyOnOk) {
    GameWithStdLib();
    // Cancel after choosing leaves the project as it was.
    display.then([&] {
        display.press(VK_DOWN);
        display.press(VK_SPACE);
        display.press(VK_ESCAPE);
    });
    EXPECT_FALSE(RunStandardLibraryDialog(&owner, manager));
    EXPECT_EQ(Libraries(), "std.lib");

    // std.lib (already in the project) and gfx.lib chosen; math.lib left out.
    display.then([&] {
        HWND list = control(kStandardLibraryList);
        EXPECT_EQ(::SendMessage(list, LB_GETCOUNT, 0, 0), 3);
        EXPECT_EQ(::SendMessage(list, LB_GETSELCOUNT, 0, 0), 0) << "nothing is chosen at first";
        EXPECT_EQ(::GetFocus(), list);
        shoot(::GetActiveWindow(), "standard_libraries_open");  // the focus shows on the first library
        display.press(VK_SPACE);
        display.press(VK_DOWN);
        display.press(VK_DOWN);
        display.press(VK_SPACE);
    });
    display.then([&] {
        shoot(::GetActiveWindow(), "standard_libraries");
        display.press(VK_RETURN);
    });
    EXPECT_TRUE(RunStandardLibraryDialog(&owner, manager));
    EXPECT_EQ(Libraries(), "std.lib;gfx.lib") << "a library already in the project is not added twice";
}

TEST_F(LibraryDialogs, StandardLibraryChosenByMouse) {
    GameWithStdLib();
    display.then([&] {
        HWND list = control(kStandardLibraryList);
        const int row = int(::SendMessage(list, LB_GETITEMHEIGHT, 0, 0));
        display.click(list, POINT{8, row + row / 2});  // math.lib
    });
    display.then([&] { display.click(control(IDOK), POINT{4, 4}); });
    EXPECT_TRUE(RunStandardLibraryDialog(&owner, manager));
    EXPECT_EQ(Libraries(), "std.lib;math.lib");
}

TEST_F(LibraryDialogs, EmptyProfileOffersNothingAndAddsNothing) {
    NewGame();
    display.then([&] {
        EXPECT_EQ(::SendMessage(control(kStandardLibraryList), LB_GETCOUNT, 0, 0), 0);
        display.press(VK_RETURN);
    });
    EXPECT_TRUE(RunStandardLibraryDialog(&owner, manager));
    EXPECT_EQ(Libraries(), "");
}

TEST_F(LibraryDialogs, InsertedLibraryPathChangesOnlyOnOk) {
    GameWithStdLib();
    ASSERT_TRUE(manager.AddFile(PathOf("sound.lib")));
    SelectLibrary(1);
    const std::string old_path = PathOf("sound.lib");
    const std::string new_path = "/opt/kit/lib/sound.lib";  // fixed: it shows in the picture

    display.then([&] {
        EXPECT_EQ(control_text(kLibraryType), "Type: Customed Library");
        EXPECT_EQ(control_text(kLibraryPath), old_path);
        EXPECT_EQ(::GetFocus(), control(kLibraryPath));  // with its text selected: typing replaces it
        display.type(new_path.c_str());
    });
    display.then([&] { display.press(VK_ESCAPE); });
    EXPECT_FALSE(RunLibraryPropertyDialog(&owner, manager));
    EXPECT_EQ(Libraries(), "std.lib;" + old_path);

    // Emptying the path disables OK: Return is refused until a path is typed.
    display.then([&] {
        ::SetFocus(control(kLibraryPath));
        ::SendMessage(control(kLibraryPath), EM_SETSEL, 0, -1);
        display.press(VK_DELETE);
    });
    display.then([&] {
        EXPECT_FALSE(::IsWindowEnabled(control(IDOK)));
        display.press(VK_RETURN);
    });
    display.then([&] {
        ASSERT_TRUE(control(kLibraryPath)) << "the dialog stays open";
        display.type(new_path.c_str());
    });
    display.then([&] {
        EXPECT_TRUE(::IsWindowEnabled(control(IDOK)));
        shoot(::GetActiveWindow(), "library_property");
        display.press(VK_RETURN);
    });
    EXPECT_TRUE(RunLibraryPropertyDialog(&owner, manager));
    EXPECT_EQ(Libraries(), "std.lib;" + new_path);
}

TEST_F(LibraryDialogs, DefaultLibraryShowsItsTypeAndCannotBeEdited) {
    GameWithStdLib();
    SelectLibrary(0);
    display.then([&] {
        EXPECT_EQ(control_text(kLibraryType), "Type: Standard Library");
        EXPECT_FALSE(::IsWindowEnabled(control(kLibraryPath)));
        EXPECT_EQ(::GetFocus(), control(IDOK)) << "the keyboard is on OK, not on the disabled path";
        display.press(VK_RETURN);
    });
    EXPECT_TRUE(RunLibraryPropertyDialog(&owner, manager));
    EXPECT_EQ(Libraries(), "std.lib");
}

TEST_F(LibraryDialogs, PropertyNeedsASelectedLibrary) {
    GameWithStdLib();
    tree.SelectItem(manager.BankItems()[0]);
    EXPECT_FALSE(RunLibraryPropertyDialog(&owner, manager)) << "no dialog for a bank";
}

}  // namespace
}  // namespace ide::testing
