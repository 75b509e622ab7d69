// The "New" and "Project Setting" sheets driven as a user would: what each
// page offers, the names and paths it makes, and choices that reach the
// workspace only with OK.
#include "ide/shell/dialogs/new_item_rules.h"
#include "ide/shell/dialogs/project_dialogs.h"
#include "ide/shell/dialogs/tests/dialog_fixture.h"
#include "platform/profile/store.h"

namespace ide::testing {
namespace {

using namespace dlg;

TEST(NewItemRules, NamesAndPaths) {
    EXPECT_EQ(FileTypeOfChoice("(.asm)asm source files"), ".asm");
    EXPECT_EQ(FileTypeOfChoice("(.c)c source files"), ".c");
    EXPECT_EQ(FileTypeOfChoice("no type"), "");
    EXPECT_EQ(FileNameWithoutType("main.x"), "main");
    EXPECT_EQ(FileNameWithoutType("a.b.c"), "a");
    EXPECT_EQ(FileNameWithoutType("main"), "main");
    struct Case {
        const char *location, *name, *project_file, *base;
    } cases[] = {
        {"/work/DEMO", "DEMO", "/work/DEMO/DEMO.PRJ", "/work/"},
        {"/work/DEMO/", "GAME.PRJ", "/work/DEMO/GAME.PRJ", "/work/DEMO/"},
        {"C:\\WORK\\DEMO", "DEMO", "C:\\WORK\\DEMO/DEMO.PRJ", "C:\\WORK\\"},
        {"DEMO", "X", "DEMO/X.PRJ", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ProjectFilePath(c.location, c.name), c.project_file) << c.location;
        EXPECT_EQ(BaseFolderOf(c.location), c.base) << c.location;
    }
    EXPECT_EQ(WithSeparator(""), "");
    EXPECT_EQ(OutputPathForMode("/p/DEBUG/GAME.BIN", true), "/p/DEBUG/GAME.LIB");
    EXPECT_EQ(OutputPathForMode("/p/DEBUG/GAME.LIB", false), "/p/DEBUG/GAME.BIN");
    EXPECT_EQ(OutputPathForMode("/p.d/DEBUG/GAME", true), "/p.d/DEBUG/GAME.LIB");  // a dot in a folder is no type
    EXPECT_TRUE(DisplayNameFits("123456789012345"));
    EXPECT_FALSE(DisplayNameFits("1234567890123456"));
}

class ProjectSheets : public DialogFixture {
protected:
    void SetUp() override {
        DialogFixture::SetUp();
        kit::user::set_dialog_script([&](const kit::user::DialogQuestion& q) -> std::optional<LONG_PTR> {
            if (!q.message_box) return std::nullopt;
            boxes.push_back(q.text);
            return IDOK;
        });
    }
    std::vector<std::string> boxes;
};

TEST_F(ProjectSheets, NewFileGoesIntoABankWithTheChosenType) {
    NewGame();
    display.then([&] {
        EXPECT_EQ(::IsDlgButtonChecked(page(), kAddToBank), UINT(BST_CHECKED));
        EXPECT_FALSE(::IsWindowEnabled(item(kFileLocation)));
        EXPECT_EQ(::SendMessage(item(kFileBankList), LB_GETCURSEL, 0, 0), 0);
        EXPECT_FALSE(ok_enabled());
        ::SendMessage(item(kFileType), CB_SETCURSEL, 2, 0);
        type_into(kFileName, "main.x");
    });
    display.then([&] {
        EXPECT_TRUE(ok_enabled());
        shoot(sheet()->m_hWnd, "new_file");
        display.press(VK_RETURN);
    });
    const auto choice = RunNewSheet(&owner, manager, kFilePageBit, "/work/GAME");
    ASSERT_TRUE(choice);
    EXPECT_EQ(choice->kind, 1);
    EXPECT_EQ(choice->file_path, "/work/GAME/main.asm");
    EXPECT_EQ(choice->file_bank, "MAIN");
}

TEST_F(ProjectSheets, NewFileWithoutBanksCannotGoIntoOne) {
    display.then([&] {
        EXPECT_FALSE(::IsWindowEnabled(item(kAddToBank)));
        EXPECT_EQ(::IsDlgButtonChecked(page(), kAddToBank), UINT(BST_UNCHECKED));
        EXPECT_FALSE(::IsWindowEnabled(item(kFileBankList)));
        EXPECT_TRUE(::IsWindowEnabled(item(kFileLocation)));
        type_into(kFileName, "notes");
    });
    display.then([&] {
        ::SendMessage(item(kFileType), CB_SETCURSEL, 4, 0);
        display.press(VK_RETURN);
    });
    const auto choice = RunNewSheet(&owner, manager, kFilePageBit, "/work");
    ASSERT_TRUE(choice);
    EXPECT_EQ(choice->file_path, "/work/notes.txt");
    EXPECT_EQ(choice->file_bank, "");
}

TEST_F(ProjectSheets, NewProjectTakesItsChoicesOnlyOnOk) {
    profile.WriteProfileString("Settings", "Last Directory", "/work/");
    const bool link_before = manager.GetAutoLink();
    display.then([&] {
        // The bank page first: with the link mode "Auto" its addresses are fixed.
        EXPECT_FALSE(::IsWindowEnabled(item(kDataAddress)));
        display.chord(VK_CONTROL, VK_TAB);
    });
    display.then([&] {
        EXPECT_EQ(text(kProjectLocation), "/work/");
        EXPECT_EQ(::IsDlgButtonChecked(page(), kProjectLinkAuto), UINT(BST_CHECKED));
        display.click(item(kProjectLinkCustom), POINT{4, 4});
        type_into(kProjectName, "DEMO");
        type_into(kDisplayName, "1234567890123456");
    });
    display.then([&] {
        EXPECT_EQ(text(kProjectLocation), "/work/DEMO");
        EXPECT_EQ(boxes, std::vector<std::string>{"Display Name must be less than 16 charactcr !"});
        EXPECT_FALSE(ok_enabled());
        EXPECT_EQ(manager.GetAutoLink(), link_before) << "the link mode waits for OK";
        type_into(kDisplayName, "Demo game");
    });
    display.then([&] {
        EXPECT_TRUE(ok_enabled());
        shoot(sheet()->m_hWnd, "new_project");
        // The bank is not laid out yet: OK turns to its page instead of ending.
        display.press(VK_RETURN);
    });
    display.then([&] {
        EXPECT_EQ(sheet()->GetActiveIndex(), 0);
        EXPECT_TRUE(::IsWindowEnabled(item(kDataAddress))) << "custom link mode";
        type_into(kBankNameEdit, "MAIN");
        type_into(kBankNumber, "1");
        type_into(kDataAddress, "0x4000");
        type_into(kDataSize, "0x1000");
        type_into(kStackSize, "0x400");
    });
    display.then([&] { display.press(VK_RETURN); });
    const auto choice = RunNewSheet(&owner, manager, kBankPageBit | kProjectPageBit, "");
    ASSERT_TRUE(choice);
    EXPECT_EQ(choice->kind, 3);
    EXPECT_EQ(choice->project_path, "/work/DEMO/DEMO.PRJ");
    EXPECT_EQ(choice->bank_name, "MAIN");
    EXPECT_EQ(choice->bank_param, kMainBankParam);
    EXPECT_FALSE(manager.GetAutoLink());
    EXPECT_EQ(manager.GetDisplayName(), "Demo game");
    EXPECT_EQ(profile.GetProfileString("Settings", "Last Directory"), "/work/");
}

TEST_F(ProjectSheets, CancelledNewProjectLeavesTheWorkspaceAlone) {
    manager.SetAutoLink(true);
    display.then([&] {
        display.click(item(kProjectLinkCustom), POINT{4, 4});
        type_into(kProjectName, "DEMO");
        type_into(kDisplayName, "Demo");
    });
    display.then([&] { display.press(VK_ESCAPE); });
    EXPECT_FALSE(RunNewSheet(&owner, manager, kProjectPageBit, ""));
    EXPECT_TRUE(manager.GetAutoLink());
    EXPECT_EQ(manager.GetDisplayName(), "");
    EXPECT_FALSE(profile.HasValue("Settings", "Last Directory"));
}

TEST_F(ProjectSheets, GeneralSettingsChangeTheOutputTypeAndTheLinkModeOnOk) {
    NewGame();
    manager.SetAutoLink(true);
    manager.SetDisplayName("Game");
    auto edit = [&](bool ok) {
        display.then([&] {
            EXPECT_FALSE(::IsWindowVisible(sheet()->GetPage(1)->m_hWnd)) << "only the page on show is visible";
            EXPECT_EQ(text(kDisplayName), "Game");
            EXPECT_EQ(::IsDlgButtonChecked(page(), kModeBin), UINT(BST_CHECKED));
            EXPECT_EQ(::IsDlgButtonChecked(page(), kSettingLinkAuto), UINT(BST_CHECKED));
            display.click(item(kModeLib), POINT{4, 4});
        });
        display.then([&] {
            display.click(item(kSettingLinkCustom), POINT{4, 4});
            type_into(kDisplayName, "Game two");
        });
        display.then([&, ok] {
            EXPECT_EQ(text(kOutputPath), "/p/DEBUG/GAME.LIB");
            if (ok) shoot(sheet()->m_hWnd, "project_general");
            display.press(ok ? VK_RETURN : VK_ESCAPE);
        });
    };
    edit(false);
    EXPECT_FALSE(RunProjectSettingSheet(&owner, manager, "/p/DEBUG/GAME.BIN", 0));
    EXPECT_TRUE(manager.GetAutoLink());
    EXPECT_EQ(manager.GetDisplayName(), "Game");
    edit(true);
    EXPECT_EQ(RunProjectSettingSheet(&owner, manager, "/p/DEBUG/GAME.BIN", 0), "/p/DEBUG/GAME.LIB");
    EXPECT_FALSE(manager.GetAutoLink());
    EXPECT_EQ(manager.GetDisplayName(), "Game two");
}

}  // namespace
}  // namespace ide::testing
