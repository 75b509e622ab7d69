// The bank pages driven as a user would: derived fields and the string follow
// the typed layout, OK only for a layout that fits, corrections when a field
// is left, and nothing reaches the project before OK.
#include "ide/shell/dialogs/project_dialogs.h"
#include "ide/shell/dialogs/tests/dialog_fixture.h"

namespace ide::testing {
namespace {

using namespace dlg;

class BankPages : public DialogFixture {
protected:
    // MAIN (bank 1, code at 0x5400), LEVELS (auto-link addresses, bank 2), MUSIC (bank 3, code at 0x6000).
    void ThreeBanks() {
        NewGame();
        ASSERT_TRUE(manager.AddBank("LEVELS", " -CB 0x4040 -DB 0x0 -CL 0x8000 -DL 0x8000 -BN 0x2"));
        ASSERT_TRUE(manager.AddBank("MUSIC", " -CB 0x6000 -DB 0x4040 -CL 0x6000 -DL 0x1000 -BN 0x3"));
    }
    std::vector<std::uint32_t> Keys() const {
        std::vector<std::string> names;
        std::vector<std::uint32_t> keys;
        manager.GetBankNames(names, keys);
        return keys;
    }
    // The bank page is the second of "Project Setting".
    void ToBankPage() {
        display.then([&] { display.chord(VK_CONTROL, VK_TAB); });
    }
    void Choose(int index) {
        ::SendMessage(item(kBankNameCombo), CB_SETCURSEL, WPARAM(index), 0);
        ::SendMessage(page(), WM_COMMAND, MAKEWPARAM(kBankNameCombo, CBN_SELCHANGE),
                      reinterpret_cast<LPARAM>(item(kBankNameCombo)));
    }
};

TEST_F(BankPages, NewBankFollowsTheTypedLayoutAndAllowsOkOnlyWhenItFits) {
    HWND sheet_window = nullptr;
    display.then([&] {
        sheet_window = sheet()->m_hWnd;
        char caption[32] = "";
        ::GetWindowText(sheet_window, caption, sizeof caption);
        EXPECT_STREQ(caption, "New");
        EXPECT_FALSE(::GetDlgItem(sheet_window, ID_APPLY_NOW)) << "nothing is applied before OK";
        EXPECT_EQ(::IsDlgButtonChecked(page(), kHexDisplay), UINT(BST_CHECKED));
        EXPECT_FALSE(ok_enabled());
        type_into(kBankNameEdit, "MAIN");
        type_into(kBankNumber, "3");
        type_into(kDataAddress, "0x4000");
        type_into(kDataSize, "0x1000");
        type_into(kStackSize, "0x400");
    });
    display.then([&] {
        EXPECT_EQ(text(kStackAddress), "0x5000");
        EXPECT_EQ(text(kCodeAddress), "0x5400");
        EXPECT_EQ(text(kCodeSize), "0x6C00");
        EXPECT_EQ(text(kNewBankParam), " -CB 0x5400 -DB 0x4000 -CL 0x6C00 -DL 0x1000 -BN 0x3");
        EXPECT_TRUE(ok_enabled());
        shoot(sheet_window, "new_bank_hex");
        display.click(item(kHexDisplay), POINT{4, 4});
    });
    display.then([&] {
        EXPECT_EQ(text(kCodeSize), "27648");
        EXPECT_EQ(text(kNewBankParam), " -CB 21504 -DB 16384 -CL 27648 -DL 4096 -BN 3");
        // Bank 27 is refused, and Return does not get past the disabled OK.
        type_into(kBankNumber, "27");
        display.press(VK_RETURN);
    });
    display.then([&] {
        EXPECT_TRUE(::IsWindow(sheet_window));
        EXPECT_FALSE(ok_enabled());
        EXPECT_EQ(text(kNewBankParam), "");
        type_into(kBankNumber, "26");
        // Code that would run past 0xC000, and a stack that would wrap the address space.
        type_into(kStackSize, "0x7001");
    });
    display.then([&] {
        EXPECT_FALSE(ok_enabled());
        EXPECT_EQ(text(kCodeAddress), "");
        type_into(kStackSize, "0xFFFF");
    });
    display.then([&] {
        EXPECT_FALSE(ok_enabled());
        type_into(kStackSize, "0x400");
    });
    display.then([&] {
        EXPECT_TRUE(ok_enabled());
        display.press(VK_RETURN);
    });
    const auto choice = RunNewSheet(&owner, manager, kBankPageBit, "");
    ASSERT_TRUE(choice);
    EXPECT_EQ(choice->kind, 2);
    EXPECT_EQ(choice->bank_name, "MAIN");
    EXPECT_EQ(choice->bank_param, " -CB 21504 -DB 16384 -CL 27648 -DL 4096 -BN 26");
    EXPECT_EQ(manager.GetVersionBlock().stack_address, 0x5000);
}

TEST_F(BankPages, NewBankWithAutoLinkHasFixedAddressesAndCancelChangesNothing) {
    manager.SetAutoLink(true);
    display.then([&] {
        for (int id : {kDataAddress, kDataSize, kStackSize}) {
            EXPECT_EQ(text(id), "0") << id;
            EXPECT_FALSE(::IsWindowEnabled(item(id))) << id;
        }
        type_into(kBankNameEdit, "LEVELS");
        type_into(kBankNumber, "5");
    });
    display.then([&] {
        EXPECT_EQ(text(kNewBankParam), " -CB 0x4040 -DB 0x0 -CL 0x8000 -DL 0x8000 -BN 0x5");
        EXPECT_TRUE(ok_enabled());
        display.press(VK_ESCAPE);
    });
    EXPECT_FALSE(RunNewSheet(&owner, manager, kBankPageBit, ""));
    EXPECT_EQ(manager.GetVersionBlock().stack_address, 0);
}

TEST_F(BankPages, SettingsCorrectTheDataAddressWhenTheFieldIsLeftNotWhileTyping) {
    NewGame();
    ToBankPage();
    display.then([&] {
        EXPECT_EQ(text(kBankNumber), "1");
        EXPECT_EQ(text(kDataAddress), "0x4000");
        EXPECT_EQ(text(kStackSize), "0x400");
        EXPECT_EQ(text(kSettingBankParam), kMainBankParam);
        type_into(kDataAddress, "0x4100");
    });
    display.then([&] {
        // Typing went through "0", "0x4" and "0x41" untouched.
        EXPECT_EQ(text(kDataAddress), "0x4100");
        type_into(kDataAddress, "0x100");
    });
    display.then([&] {
        EXPECT_EQ(text(kDataAddress), "0x100");
        display.press(VK_TAB);
    });
    display.then([&] {
        EXPECT_EQ(text(kDataAddress), "0x4040");
        EXPECT_EQ(text(kSettingBankParam), " -CB 0x5440 -DB 0x4040 -CL 0x6BC0 -DL 0x1000 -BN 0x1");
        shoot(sheet()->m_hWnd, "bank_settings");
        display.press(VK_RETURN);
    });
    EXPECT_TRUE(RunProjectSettingSheet(&owner, manager, "GAME.BIN", 0));
    EXPECT_EQ(Keys(), std::vector<std::uint32_t>{0x15440});
    EXPECT_EQ(manager.GetVersionBlock().stack_address, 0x5040);
    EXPECT_FALSE(manager.BanksLocked());
}

TEST_F(BankPages, SettingsRefuseAKeyAnotherBankHas) {
    ThreeBanks();
    const auto before = Keys();
    std::vector<std::string> boxes;
    kit::user::set_dialog_script([&](const kit::user::DialogQuestion& q) -> std::optional<LONG_PTR> {
        if (!q.message_box) return std::nullopt;
        boxes.push_back(q.text);
        return IDOK;
    });
    ToBankPage();
    display.then([&] {
        // MAIN given LEVELS's number and code base: OK goes gray and the bank cannot be left.
        type_into(kBankNumber, "2");
        type_into(kDataAddress, "0x4040");
        type_into(kDataSize, "0");
        type_into(kStackSize, "0");
    });
    display.then([&] {
        EXPECT_FALSE(ok_enabled());
        Choose(2);
    });
    display.then([&] {
        EXPECT_EQ(boxes, std::vector<std::string>{"The bank number (0x2) with codebase (0x4040) has been used!"});
        EXPECT_EQ(::SendMessage(item(kBankNameCombo), CB_GETCURSEL, 0, 0), 0);
        EXPECT_EQ(text(kBankNumber), "1");
        EXPECT_EQ(text(kDataAddress), "0x4000");
        EXPECT_TRUE(ok_enabled());
        // A change to MAIN kept when moving to MUSIC, then dropped by Cancel.
        type_into(kDataSize, "0x2000");
    });
    display.then([&] { Choose(2); });
    display.then([&] {
        EXPECT_EQ(text(kBankNumber), "3");
        EXPECT_EQ(text(kStackSize), "0xFC0");
        display.press(VK_ESCAPE);
    });
    EXPECT_FALSE(RunProjectSettingSheet(&owner, manager, "GAME.BIN", 0));
    EXPECT_EQ(Keys(), before);
    EXPECT_FALSE(manager.BanksLocked());
    EXPECT_EQ(manager.GetVersionBlock().stack_address, 0);
}

TEST_F(BankPages, SettingsOkCommitsEveryEditedBank) {
    ThreeBanks();
    ToBankPage();
    display.then([&] { type_into(kDataSize, "0x2000"); });
    display.then([&] { Choose(2); });
    display.then([&] { display.press(VK_RETURN); });
    EXPECT_TRUE(RunProjectSettingSheet(&owner, manager, "GAME.BIN", 0));
    EXPECT_EQ(Keys(), (std::vector<std::uint32_t>{0x16400, 0x24040, 0x36000}));
    EXPECT_EQ(manager.GetVersionBlock().stack_address, 0x5040);
}

TEST_F(BankPages, SelectionOffersTheBanksFirstSelected) {
    const std::vector<std::string> names = {"MAIN", "LEVELS", "MUSIC"};
    display.then([&] { display.press(VK_DOWN); });
    display.then([&] {
        shoot(::GetActiveWindow(), "select_bank");
        display.press(VK_RETURN);
    });
    EXPECT_EQ(RunSelectBankDialog(&owner, names), "LEVELS");
    display.then([&] { display.press(VK_RETURN); });
    EXPECT_EQ(RunSelectBankDialog(&owner, names), "MAIN");
    display.then([&] { display.press(VK_RETURN); });
    EXPECT_EQ(RunSelectBankDialog(&owner, {}), "");
    display.then([&] { display.press(VK_ESCAPE); });
    EXPECT_EQ(RunSelectBankDialog(&owner, names), std::nullopt);
}

}  // namespace
}  // namespace ide::testing
