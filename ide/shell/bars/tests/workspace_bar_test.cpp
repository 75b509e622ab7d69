// The workspace bar: the project tree in the real tree control, opening
// sources by double click and Enter, Delete, folder images that follow
// expansion, the context menu by item kind, and its picture.
#include <string>
#include <vector>

#include "ide/shell/bars/workspace_bar.h"
#include "ide/shell/bars/tests/bars_fixture.h"
#include "ide/workspace/context_menu.h"
#include "ide/workspace/tests/workspace_fixture.h"

namespace {

class BarHost : public ide::testing::ScriptedHost {
public:
    CWorkspaceBar* bar = nullptr;
    void ShowWorkspaceTab(bool shown) override {
        ScriptedHost::ShowWorkspaceTab(shown);
        bar->ShowWorkspaceTab(shown);
    }
};

constexpr const char* kWorkspace = "/*   Vyr workspace file 1.0   */\n#PROJECT=GAME.PRJ\n";
constexpr const char* kProject =
    "/*   Vyr project file 1.0   */\n"
    "#BEGINGENERALSETTING\n#AUTOLINK = TRUE\n#CODEMODE = BIN\n#OUTPUTTO = DEFAULT_OUTPUT\n"
    "#ADDITIONALLIB = gfx.lib\n#ENDGENERALSETTING\n\n"
    "#BEGINBANK\n#BANKNAME = MAIN\n#BANKPARAM =  -CB 0x4000 -DB 0x0 -CL 0x8000 -DL 0x0 -BN 0x0\n"
    "#SOURCE = main.c\n#SOURCE = game.h\n#SOURCE = start.asm\n#SOURCE = defs.inc\n#SOURCE = readme.txt\n"
    "#ENDBANK\n\n"
    "#BEGINBANK\n#BANKNAME = LEVELS\n#BANKPARAM =  -CB 0x5400 -DB 0x4000 -CL 0x6C00 -DL 0x1000 -BN 0x1\n"
    "#SOURCE = levels.asm\n#ENDBANK\n#DISPLAYNAME = GAME";

class WorkspaceBarTest : public BarsTest {
protected:
    void SetUp() override {
        BarsTest::SetUp();
        bar->m_bAutoDelete = TRUE;
        host.bar = bar;
        ASSERT_TRUE(bar->Create(frame, "Workspace Window", 0x50001414, 0xF11, 100));
        bar->MoveWindow(0, 0, 260, 420);
        bar->SetWorkspaceManager(&manager);
        bar->SetOpenCallback([this](const std::string& path) { opened.push_back(path); });
        profile.WriteProfileString("Environment", "Default Libraries", "std.lib");
        dir.write("GAME.WSP", kWorkspace);
        dir.write("GAME.PRJ", kProject);
        ASSERT_TRUE(manager.OpenWorkspace(folder() + "GAME.WSP")) << manager.GetLastErrorText();
        pump();
    }
    void TearDown() override {
        manager.CloseWorkspace();
        BarsTest::TearDown();
    }
    std::string folder() const { return dir.path().string() + "/"; }
    HTREEITEM find(const char* text) { return find_below(tree().GetRootItem(), text); }
    HTREEITEM find_below(HTREEITEM item, const char* text) {
        for (; item; item = tree().GetNextSiblingItem(item)) {
            if (tree().GetItemText(item) == text) return item;
            if (HTREEITEM hit = find_below(tree().GetChildItem(item), text)) return hit;
        }
        return nullptr;
    }
    POINT centre_of(HTREEITEM item) {
        CRect row;
        tree().GetItemRect(tree().RowOf(item), &row, LVIR_LABEL);
        return row.CenterPoint();
    }
    SECTreeCtrl& tree() { return bar->TreeCtrl(); }

    CWorkspaceBar* bar = new CWorkspaceBar;
    testing_kit::TempDir dir;
    profile::Store profile{dir / "kit.profile"};
    BarHost host;
    ide::CVyrWorkspaceManager manager{bar->Tree(), host, profile};
    std::vector<std::string> opened;
};

TEST_F(WorkspaceBarTest, TheOpenedProjectFillsTheFileViewTab) {
    EXPECT_TRUE(host.tab_shown);
    ASSERT_EQ(bar->TabWnd().GetTabCount(), 1);
    EXPECT_STREQ(bar->TabWnd().Control()->Tab3D(0).m_csLabel, "FileView");
    EXPECT_TRUE(tree().IsWindowVisible());
    EXPECT_TRUE(testing_kit::matches_golden("ide/shell/bars/tests/golden/workspace_tree.txt", DumpTree(tree())));

    manager.CloseWorkspace();
    EXPECT_EQ(bar->TabWnd().GetTabCount(), 0);
    EXPECT_FALSE(tree().IsWindowVisible());
    EXPECT_EQ(tree().GetCount(), 0u);
}

TEST_F(WorkspaceBarTest, DoubleClickAndEnterOpenSourcesButNotLibraries) {
    HTREEITEM main_c = find("main.c");
    ASSERT_TRUE(main_c);
    double_click(tree().m_hWnd, centre_of(main_c));
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], folder() + "main.c");

    tree().SelectItem(find("levels.asm"));
    tree().SetFocus();
    display.press(VK_RETURN);
    pump();
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_EQ(opened[1], folder() + "levels.asm");

    HTREEITEM library = find("gfx.lib");
    ASSERT_TRUE(library);
    double_click(tree().m_hWnd, centre_of(library));
    EXPECT_EQ(opened.size(), 2u);
    // The Open command opens whatever is selected, a library too.
    bar->SendMessage(WM_COMMAND, ide::kCommandOpen);
    ASSERT_EQ(opened.size(), 3u);
    EXPECT_NE(opened[2].find("gfx.lib"), std::string::npos);
}

TEST_F(WorkspaceBarTest, DeleteGoesToTheWorkspaceManager) {
    host.messages.clear();
    tree().SelectItem(tree().GetRootItem());
    tree().SetFocus();
    display.press(VK_DELETE);
    pump();
    EXPECT_EQ(host.messages, std::vector<std::string>{"You can't delete project!"});

    host.answer = true;
    tree().SelectItem(find("readme.txt"));
    bar->SendMessage(WM_COMMAND, ide::kCommandDelete);
    EXPECT_EQ(find("readme.txt"), nullptr);
}

TEST_F(WorkspaceBarTest, FoldersShowOpenWhileExpanded) {
    HTREEITEM bank = find("LEVELS");
    ASSERT_TRUE(bank);
    const auto images = [&] {
        TV_ITEM info{};
        info.hItem = bank;
        info.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
        tree().GetItem(&info, FALSE);
        return std::pair(info.iImage, info.iSelectedImage);
    };
    tree().Expand(bank, TVE_COLLAPSE);
    EXPECT_EQ(images(), std::pair(0, 0));
    tree().Expand(bank, TVE_EXPAND);
    EXPECT_EQ(images(), std::pair(1, 1));
    tree().Expand(bank, TVE_COLLAPSE);
    EXPECT_EQ(images(), std::pair(0, 0));
}

TEST_F(WorkspaceBarTest, TheContextMenuFollowsTheSelectedKindAndProjectCommandsReachTheFrame) {
    const auto menu_texts = [&](HTREEITEM item) {
        tree().SelectItem(item);
        CMenu menu;
        menu.CreatePopupMenu();
        bar->OnExtendContextMenu(&menu);
        std::vector<std::string> texts;
        for (int i = 0; i < int(menu.GetMenuItemCount()); ++i) {
            CString text;
            menu.GetMenuString(i, text, MF_BYPOSITION);
            texts.emplace_back(menu.GetMenuItemID(i) == 0 ? "-" : std::string(text));
        }
        return texts;
    };
    using Texts = std::vector<std::string>;
    EXPECT_EQ(menu_texts(find("main.c")), (Texts{"-", "Open", "-", "Delete", "-", "Setting\tAlt+F7"}));
    EXPECT_EQ(menu_texts(find("MAIN")),
              (Texts{"-", "Delete", "-", "New File", "Insert a file", "-", "Setting\tAlt+F7"}));
    EXPECT_EQ(menu_texts(find("gfx.lib")), (Texts{"-", "Property", "Delete", "-", "Insert Standard Libraries",
                                                  "Insert a file", "-", "Setting\tAlt+F7"}));
    EXPECT_EQ(menu_texts(tree().GetRootItem()), (Texts{"-", "New Bank", "-", "Setting\tAlt+F7"}));

    bar->SendMessage(WM_COMMAND, ide::kCommandNewBank);
    EXPECT_EQ(frame->commands, std::vector<UINT>{ide::kCommandNewBank});
}

TEST_F(WorkspaceBarTest, PictureOfTheProjectTree) {
    tree().SelectItem(find("start.asm"));
    shoot("workspace_bar");
}

}  // namespace

namespace {

// The application makes the workspace manager before its main frame: the tree
// takes items before its window exists and shows them once it does.
TEST_F(BarsTest, TheTreeTakesItemsBeforeItsWindowExists) {
    auto* bar = new CWorkspaceBar;
    bar->m_bAutoDelete = TRUE;
    ide::ProjectTree& tree = bar->Tree();
    const ide::TreeItem project = tree.InsertItem("GAME", 0, 0, ide::kTreeRoot, ide::kTreeLast);
    ASSERT_NE(project, 0u);
    tree.SetItemData(project, 0x01000000);
    const ide::TreeItem bank = tree.InsertItem("MAIN", 0, 0, project, ide::kTreeLast);
    tree.ExpandAll(project);
    EXPECT_EQ(tree.GetParentItem(bank), project);
    EXPECT_EQ(tree.GetItemData(project), 0x01000000u);
    EXPECT_EQ(tree.GetItemText(0), "");
    EXPECT_EQ(tree.GetChildItem(0), 0u);
    ASSERT_TRUE(bar->Create(frame, "Workspace Window", 0x50001414, 0xF11, 100));
    bar->ShowWorkspaceTab(true);
    // Expanded before the bar could hear of it: the folder images change with the next expansion.
    EXPECT_EQ(DumpTree(bar->TreeCtrl()), "+GAME [01000000] 0/0\n  MAIN [00000000] 0/0\n");
}

}  // namespace
