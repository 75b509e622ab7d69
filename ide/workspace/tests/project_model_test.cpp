#include <gtest/gtest.h>

#include "ide/workspace/context_menu.h"
#include "ide/workspace/tests/workspace_fixture.h"
#include "platform/os/file.h"

namespace ide::testing {
namespace {

class IdeProjectModel : public WorkspaceFixture {};

TEST_F(IdeProjectModel, NewProjectBuildsTheTreeAndSavesItsFiles) {
    profile.WriteProfileString("Environment", "Default Libraries", "std.lib;;math.lib");
    NewGame();
    EXPECT_EQ(tree.Dump(),
              "GAME [01000000]\n"
              "  Library files [06000000]\n"
              "    std.lib [05000001]\n"
              "    math.lib [05000001]\n"
              "  MAIN [02015400]\n"
              "    C Source files [03000001]\n"
              "    C Header files [03000002]\n"
              "    Asm Source files [03000004]\n"
              "    Asm Header files [03000008]\n"
              "    Other files [03000020]\n");
    EXPECT_TRUE(tree.IsExpanded(manager.ProjectItem()));
    EXPECT_EQ(manager.GetProjectFolder(), Folder());
    EXPECT_EQ(manager.GetWorkspaceName(), "GAME");
    for (const char* file : {"GAME.WSP", "GAME.PRJ", "GAME.VER", "GAME.EXW"})
        EXPECT_TRUE(os::file_exists(PathOf(file))) << file;
    EXPECT_TRUE(std::filesystem::is_directory(dir / "DEBUG"));
}

TEST_F(IdeProjectModel, ATreeThatRefusesAnItemLeavesNoWorkspace) {
    tree.RefuseInsertsAfter(4);  // the project, the library group, the bank and one category
    EXPECT_FALSE(manager.NewProject(PathOf("GAME.WSP"), "MAIN", kMainBankParam));
    EXPECT_EQ(manager.GetLastErrorCode(), kErrorTreeView);
    EXPECT_EQ(manager.GetLastErrorText(), "Error accurred during creating treeview!");
    EXPECT_EQ(tree.GetCount(), 0u);
    EXPECT_FALSE(manager.IsOpen());
    EXPECT_FALSE(host.tab_shown);
    EXPECT_FALSE(os::file_exists(PathOf("GAME.PRJ")));
}

TEST_F(IdeProjectModel, FilesLandInTheCategoryOfTheirExtension) {
    NewGame();
    for (const char* name : {"main.c", "game.h", "start.ASM", "defs.inc", "boot.S", "notes"}) {
        EXPECT_TRUE(manager.AddFile(PathOf(name), "MAIN")) << name;
    }
    EXPECT_EQ(manager.GetFilesOfCategories(kCSources), std::vector<std::string>{"main.c"});
    EXPECT_EQ(manager.GetFilesOfCategories(kCHeaders), std::vector<std::string>{"game.h"});
    EXPECT_EQ(manager.GetFilesOfCategories(kAsmSources), std::vector<std::string>{"start.ASM"});
    EXPECT_EQ(manager.GetFilesOfCategories(kAsmHeaders), std::vector<std::string>{"defs.inc"});
    EXPECT_EQ(manager.GetFilesOfCategories(kOtherFiles), (std::vector<std::string>{"boot.S", "notes"}));
    EXPECT_EQ(manager.GetFilesOfCategories(kSourceCategories), (std::vector<std::string>{"main.c", "start.ASM"}));
}

TEST_F(IdeProjectModel, AddingAFileTwiceOrItsObjectTwinIsHandled) {
    NewGame();
    ASSERT_TRUE(manager.AddFile(PathOf("main.c"), "MAIN"));
    const std::size_t count = tree.GetCount();
    EXPECT_TRUE(manager.AddFile(PathOf("MAIN.C"), "MAIN"));
    EXPECT_EQ(tree.GetCount(), count);
    EXPECT_EQ(manager.FindFileInProject(PathOf("main.asm")), 2);
    EXPECT_FALSE(manager.AddFile(PathOf("main.asm"), "MAIN"));
    EXPECT_EQ(manager.GetLastErrorCode(), kErrorObjectClash);
    EXPECT_EQ(manager.GetLastErrorText(), "Obj file of this file(" + PathOf("main.asm") + ") will duplicate!");
    EXPECT_EQ(manager.FindFileInProject(PathOf("main.h")), 0);
}

TEST_F(IdeProjectModel, TheTargetBankComesFromTheNameTheSelectionOrTheUser) {
    NewGame();
    ASSERT_TRUE(manager.AddBank("LEVELS", " -CB 0x4040 -DB 0x0 -CL 0x8000 -DL 0x8000 -BN 0x2"));
    const TreeItem levels = manager.BankItems()[1];
    tree.SelectItem(manager.CategoryItems(levels)[0]);
    ASSERT_TRUE(manager.AddFile(PathOf("a.c")));
    tree.SelectItem(0);
    host.bank_choice = std::nullopt;
    EXPECT_TRUE(manager.AddFile(PathOf("b.c")));  // cancelled: nothing added
    EXPECT_EQ(host.offered_banks, (std::vector<std::string>{"MAIN", "LEVELS"}));
    std::vector<std::string> names;
    std::vector<std::uint32_t> keys;
    manager.GetBankNames(names, keys);
    EXPECT_EQ(names, host.offered_banks);
    EXPECT_EQ(keys, (std::vector<std::uint32_t>{0x15400, 0x24040}));
    host.bank_choice = "MAIN";
    ASSERT_TRUE(manager.AddFile(PathOf("c.c")));
    BankRecord bank;
    ASSERT_TRUE(manager.FindBankOfSource(PathOf("A.C"), bank));
    EXPECT_EQ(bank.name, "LEVELS");
    ASSERT_TRUE(manager.FindBankOfSource(PathOf("c.c"), bank));
    EXPECT_EQ(bank.name, "MAIN");
    EXPECT_FALSE(manager.IsSourceInProject(PathOf("b.c")));
}

TEST_F(IdeProjectModel, BankRefusals) {
    NewGame();
    struct Case {
        const char* name;
        const char* param;
        std::uint32_t code;
        const char* text;
    };
    const Case cases[] = {
        {"MAIN", " -CB 0x4040 -BN 0x2", kErrorBankNameUsed, "The bank(MAIN) has already exist in the project!"},
        {"OTHER", " -CB 0x5400 -DB 0x0 -CL 0x10 -DL 0x0 -BN 0x1", kErrorBankKeyUsed,
         "The bank number (0x1) with codebase (0x5400) has been used!"},
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(manager.AddBank(c.name, c.param));
        EXPECT_EQ(manager.GetLastErrorCode(), c.code);
        EXPECT_EQ(manager.GetLastErrorText(), c.text);
    }
    manager.GetBankTable();
    EXPECT_FALSE(manager.AddBank("NEW", " -CB 0x4040 -BN 0x5"));
    EXPECT_EQ(manager.GetLastErrorCode(), kErrorBanksLocked);
    EXPECT_FALSE(manager.NewProject(PathOf("X.WSP"), "B", ""));
    EXPECT_EQ(manager.GetLastErrorCode(), kErrorBanksLocked);
    manager.FreeBankTable();
    EXPECT_TRUE(manager.AddBank("NEW", " -CB 0x4040 -BN 0x5"));
}

TEST_F(IdeProjectModel, DeletionRules) {
    NewGame();
    ASSERT_TRUE(manager.AddFile(PathOf("main.c"), "MAIN"));
    const TreeItem main = manager.BankItems()[0];
    const TreeItem c_sources = manager.CategoryItems(main)[0];
    const struct {
        TreeItem item;
        const char* message;
    } refused[] = {
        {manager.ProjectItem(), "You can't delete project!"},
        {c_sources, "You can't delete file group!"},
        {manager.LibraryGroup(), "You can't delete file group!"},
        {main, "Project must have one bank at least!"},
    };
    for (const auto& r : refused) {
        host.messages.clear();
        tree.SelectItem(r.item);
        EXPECT_TRUE(manager.DeleteSelectedItem());
        EXPECT_EQ(host.messages, std::vector<std::string>{r.message});
    }
    const std::size_t count = tree.GetCount();
    tree.SelectItem(tree.GetChildItem(c_sources));
    host.answer = false;
    manager.DeleteSelectedItem();
    EXPECT_EQ(tree.GetCount(), count);
    host.answer = true;
    manager.DeleteSelectedItem();
    EXPECT_EQ(tree.GetChildItem(c_sources), 0u);
    EXPECT_EQ(tree.GetItemImage(c_sources), 0);

    ASSERT_TRUE(manager.AddBank("SECOND", " -CB 0x4040 -BN 0x2"));
    tree.SelectItem(manager.BankItems()[0]);
    manager.DeleteSelectedItem();
    ASSERT_EQ(manager.GetBankRecords().size(), 1u);
    EXPECT_EQ(manager.GetBankRecords()[0].name, "SECOND");
}

TEST_F(IdeProjectModel, CommittedBankTableRekeysTheBankItem) {
    NewGame();
    ASSERT_TRUE(manager.AddBank("SECOND", " -CB 0x4040 -BN 0x2"));
    std::vector<BankRecord>* table = manager.GetBankTable();
    const std::string param = " -CB 0x6000 -DB 0x4040 -CL 0x6000 -DL 0x100 -BN 0x3";
    (*table)[1].param = param;
    (*table)[1].key = 0x36000;
    manager.CommitBankTable();
    manager.FreeBankTable();
    EXPECT_EQ(tree.GetItemData(manager.BankItems()[1]), 0x02036000u);
    EXPECT_EQ(manager.GetBankRecords()[1].param, param);
    EXPECT_EQ(manager.GetBankRecords()[0].key, 0x15400u);
    EXPECT_TRUE(manager.IsRebuildNeeded());
}

TEST_F(IdeProjectModel, LibrariesAndTheirCheck) {
    profile.WriteProfileString("Environment", "Default Libraries", "std.lib");
    profile.WriteProfileString("Environment\\Directories", "Library files", Folder() + "libs");
    dir.write("libs/std.lib", "x");
    NewGame();
    EXPECT_TRUE(host.messages.empty());
    ASSERT_TRUE(manager.AddFile(PathOf("extra/mine.LIB")));
    manager.InsertStandardLibraries({"std.lib", "io.lib"});
    EXPECT_EQ(manager.GetAdditionalLibraries(';'), "std.lib;" + PathOf("extra/mine.LIB") + ";io.lib");
    manager.CheckLibraries();
    EXPECT_EQ(host.messages.back(),
              "Warning! Following libraries not found!\n(" + PathOf("extra/mine.LIB") + ";io.lib;)");

    tree.SelectItem(manager.GetLibraryRecords()[1].item);
    LibraryRecord record;
    EXPECT_EQ(manager.GetSelectedLibrary(record), 0x05000002u);
    record.path = "C:\\LIBS\\MINE.LIB";
    manager.SetSelectedLibraryPath(record);
    EXPECT_EQ(manager.GetLibraryRecords()[1].path, "C:\\LIBS\\MINE.LIB");
}

TEST_F(IdeProjectModel, Big5DisplayNameFindsTheTableInAnyExecutableFolder) {
    NewGame();
    manager.SetDisplayName("Go\xB0\xA1");
    EXPECT_EQ(manager.GetBig5DisplayName(), "");
    ASSERT_FALSE(host.messages.empty());
    EXPECT_NE(host.messages.back().find(" , Display Name can not change to Big5 !"), std::string::npos);

    dir.write("tools/hc.tab", "\xB0\xA1\xB0\xDA\n");
    profile.WriteProfileString("Environment\\Directories", "Executable files", Folder() + "none;" + Folder() + "tools");
    EXPECT_EQ(manager.GetBig5DisplayName(), "Go\xB0\xDA");
}

TEST_F(IdeProjectModel, ContextMenuAndFilePathOfEachKind) {
    NewGame();
    ASSERT_TRUE(manager.AddFile(PathOf("main.c"), "MAIN"));
    const TreeItem bank = manager.BankItems()[0];
    const TreeItem file = tree.GetChildItem(manager.CategoryItems(bank)[0]);
    EXPECT_EQ(manager.GetFilePath(file), PathOf("main.c"));
    EXPECT_EQ(manager.GetFilePath(bank), "");  // no extension: no file

    const std::uint32_t S = kMenuSeparator, settings = kCommandSettings;
    const std::pair<ItemKind, std::vector<std::uint32_t>> menus[] = {
        {ItemKind::source, {S, kCommandOpen, S, kCommandDelete, S, settings}},
        {ItemKind::project, {S, kCommandNewBank, S, settings}},
        {ItemKind::bank, {S, kCommandDelete, S, kCommandNewFile, kCommandInsertFile, S, settings}},
        {ItemKind::category, {S, kCommandNewFile, kCommandInsertFile, S, settings}},
        {ItemKind::library,
         {S, kCommandLibraryProperty, kCommandDelete, S, kCommandInsertStandardLibraries, kCommandInsertFile, S,
          settings}},
        {ItemKind::library_group, {S, kCommandInsertStandardLibraries, kCommandInsertFile, S, settings}},
        {ItemKind::none, {}},
    };
    for (const auto& [kind, commands] : menus) EXPECT_EQ(ContextMenuCommands(kind), commands) << int(kind);
    EXPECT_EQ(ContextMenuCommands(KindOf(tree.GetItemData(file))), menus[0].second);
}

TEST(IdeIdentifier, LengthOfTheLeadingName) {
    EXPECT_EQ(IdentifierLength("count_1+2"), 7u);
    EXPECT_EQ(IdentifierLength("_x"), 0u);
    EXPECT_EQ(IdentifierLength("9a"), 0u);
    EXPECT_EQ(IdentifierLength(""), 0u);
}

}  // namespace
}  // namespace ide::testing
