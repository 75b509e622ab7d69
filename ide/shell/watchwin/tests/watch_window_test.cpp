// The watch bar: the empty row typed into, structures expanded on demand,
// re-evaluation at a stop that keeps expansions and marks changed values,
// Delete, values assigned in place, failures kept with their text, Set
// Memory, and its picture.
#include <algorithm>
#include <string>
#include <vector>

#include "ide/shell/watchwin/tests/watch_fixture.h"
#include "ide/shell/watchwin/watch_window.h"

namespace watchwin_test {
namespace {

class WatchWindowTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        bar->m_bAutoDelete = TRUE;
        bar->SetScopeSource(source());
        bar->SetShowMemoryAt([this](std::uint32_t address) { shown_at.push_back(address); });
        ASSERT_TRUE(bar->Create(frame, "Watch", 0x50001414, 0xF11, 103));
        bar->MoveWindow(0, 0, 360, 300);
        pump();
    }
    CWatchTreeView& tree() { return bar->Tree(); }
    std::vector<std::string> roots() {
        std::vector<std::string> out;
        for (HTREEITEM item = tree().GetRootItem(); item; item = tree().GetNextSiblingItem(item))
            out.push_back(tree().GetItemText(item, 0).str() + "=" + tree().GetItemText(item, 1).str());
        return out;
    }
    HTREEITEM root(int index) {
        HTREEITEM item = tree().GetRootItem();
        while (item && index-- > 0) item = tree().GetNextSiblingItem(item);
        return item;
    }
    HTREEITEM child(HTREEITEM parent, int index) {
        HTREEITEM item = tree().GetChildItem(parent);
        while (item && index-- > 0) item = tree().GetNextSiblingItem(item);
        return item;
    }
    // Selects a line and types a name into it, ended by Enter.
    void type_on(HTREEITEM item, const char* text) {
        tree().SetFocus();
        tree().SelectItem(item);
        display.type(text);
        display.press(VK_RETURN);
        pump();
    }

    CWatchWindow* bar = new CWatchWindow;
    std::vector<std::uint32_t> shown_at;
};

TEST_F(WatchWindowTest, TypingIntoTheEmptyRowEvaluatesInPlaceAndAddsANewEmptyRow) {
    ASSERT_EQ(roots(), std::vector<std::string>{"    ="});
    EXPECT_EQ(bar->TabWnd().GetTabCount(), 1);
    type_on(tree().EmptyRow(), "count");
    EXPECT_EQ(roots(), (std::vector<std::string>{"count=5", "    ="}));
    EXPECT_EQ(tree().EmptyRow(), root(1));
    // Editing a name evaluates the new expression in place.
    type_on(root(0), "count*2");
    EXPECT_EQ(roots(), (std::vector<std::string>{"count*2=10", "    ="}));
    // Typing nothing but blanks into the empty row leaves it as it was.
    type_on(tree().EmptyRow(), " ");
    EXPECT_EQ(roots(), (std::vector<std::string>{"count*2=10", "    ="}));
}

TEST_F(WatchWindowTest, AddWatchShowsHexadecimalAndFailuresKeepTheirText) {
    bar->AddWatch("count");
    bar->AddWatch("nothing");
    EXPECT_EQ(roots(), (std::vector<std::string>{"nothing=Unknow Identifier", "count=0x5", "    ="}));
    // Without the module's symbols the expression stays with its error text, and the empty row stays.
    module = "missing";
    tree().EvaluateItem(root(1), false);
    EXPECT_EQ(roots(), (std::vector<std::string>{"nothing=Unknow Identifier", "count=Unknow Identifier", "    ="}));
    tree().RefreshWatches();
    EXPECT_EQ(roots().size(), 3u);
    EXPECT_EQ(roots().back(), "    =");
}

TEST_F(WatchWindowTest, StructuresArraysAndPointersExpandOnDemand) {
    bar->AddWatch("node");
    tree().EvaluateItem(root(0), false);
    HTREEITEM node = root(0);
    EXPECT_EQ(tree().GetItemText(node, 1), "{...}");
    EXPECT_EQ(tree().GetChildItem(node), nullptr);  // nothing built before the user expands
    ASSERT_TRUE(tree().Expand(node, TVE_EXPAND));
    EXPECT_EQ(tree().GetItemText(child(node, 0), 0), "value");
    EXPECT_EQ(tree().GetItemText(child(node, 0), 1), "7");
    HTREEITEM next = child(node, 1);
    EXPECT_EQ(tree().GetItemText(next, 1), "0x40e");
    // The list points at itself: each expansion builds one level only.
    ASSERT_TRUE(tree().Expand(next, TVE_EXPAND));
    ASSERT_TRUE(tree().Expand(child(next, 0), TVE_EXPAND));
    EXPECT_EQ(tree().GetItemText(child(child(next, 0), 0), 1), "7");

    type_on(tree().EmptyRow(), "arr");
    ASSERT_TRUE(tree().Expand(root(1), TVE_EXPAND));
    EXPECT_EQ(tree().GetItemText(child(root(1), 2), 0), "[2]");
    EXPECT_EQ(tree().GetItemText(child(root(1), 2), 1), "3");
}

TEST_F(WatchWindowTest, AStopKeepsExpansionsAndMarksChangedValues) {
    type_on(tree().EmptyRow(), "pos");
    type_on(tree().EmptyRow(), "count");
    type_on(tree().EmptyRow(), "arr");
    ASSERT_TRUE(tree().Expand(root(0), TVE_EXPAND));
    poke16(0x0404, 21);  // pos.y
    poke16(0x0400, 6);   // count
    tree().RefreshWatches();
    HTREEITEM pos = root(0);
    ASSERT_TRUE(tree().GetItemState(pos, TVIS_EXPANDED) & TVIS_EXPANDED);
    EXPECT_EQ(tree().GetItemText(child(pos, 1), 1), "21");
    EXPECT_FALSE(tree().IsChanged(pos));
    EXPECT_FALSE(tree().IsChanged(child(pos, 0)));
    EXPECT_TRUE(tree().IsChanged(child(pos, 1)));
    EXPECT_TRUE(tree().IsChanged(root(1)));
    EXPECT_FALSE(tree().IsChanged(root(2)));
    EXPECT_FALSE(tree().GetItemState(root(2), TVIS_EXPANDED) & TVIS_EXPANDED);
    shoot(frame->m_hWnd, "watch_window");

    // The next stop without a change clears the marks.
    tree().RefreshWatches();
    EXPECT_FALSE(tree().IsChanged(root(1)));
    EXPECT_FALSE(tree().IsChanged(child(root(0), 1)));
}

TEST_F(WatchWindowTest, EditingAValueAssignsItToTheTarget) {
    type_on(tree().EmptyRow(), "count");
    type_on(tree().EmptyRow(), "count+1");
    // A double click on the value column edits the value.
    CRect cell;
    ASSERT_TRUE(tree().GetSubItemRect(tree().RowOf(root(0)), 1, &cell, LVIR_LABEL));
    display.click(tree().m_hWnd, cell.CenterPoint());
    display.click(tree().m_hWnd, cell.CenterPoint());
    pump();
    ASSERT_NE(tree().GetEditControl(), nullptr);
    display.type("42");
    display.press(VK_RETURN);
    pump();
    EXPECT_EQ(peek16(0x0400), 42);
    EXPECT_EQ(roots(), (std::vector<std::string>{"count=42", "count+1=43", "    ="}));
    // A value the evaluator refuses leaves memory alone and shows why.
    ASSERT_NE(tree().EditLabelColumn(root(0), 1), nullptr);
    display.type("nothing");
    display.press(VK_RETURN);
    pump();
    EXPECT_EQ(peek16(0x0400), 42);
    EXPECT_EQ(tree().GetItemText(root(0), 1), "Unknow Identifier");
    // The empty row and child lines have no value to edit.
    EXPECT_EQ(tree().EditLabelColumn(tree().EmptyRow(), 1), nullptr);
}

TEST_F(WatchWindowTest, AStopDuringAnEditEndsTheEditUnapplied) {
    type_on(tree().EmptyRow(), "count");
    type_on(tree().EmptyRow(), "pos");
    ASSERT_NE(tree().EditLabelColumn(root(1), 0), nullptr);
    display.type("arr");
    pump();
    poke16(0x0400, 8);
    tree().RefreshWatches();
    EXPECT_EQ(tree().GetEditControl(), nullptr);
    display.press(VK_RETURN);
    pump();
    EXPECT_EQ(roots(), (std::vector<std::string>{"count=8", "pos={...}", "    ="}));
}

TEST_F(WatchWindowTest, DeleteRemovesExpressionsOnly) {
    type_on(tree().EmptyRow(), "pos");
    type_on(tree().EmptyRow(), "count");
    ASSERT_TRUE(tree().Expand(root(0), TVE_EXPAND));
    const UINT with_children = tree().GetCount();
    tree().SetFocus();
    tree().SelectItem(tree().EmptyRow());
    display.press(VK_DELETE);
    tree().SelectItem(child(root(0), 0));
    display.press(VK_DELETE);
    pump();
    EXPECT_EQ(tree().GetCount(), with_children);
    tree().SelectItem(root(0));
    display.press(VK_DELETE);
    pump();
    EXPECT_EQ(roots(), (std::vector<std::string>{"count=5", "    ="}));
    EXPECT_EQ(tree().GetCount(), 2u);
}

// Of the moving keys only the arrows move through the watches; the others do nothing.
TEST_F(WatchWindowTest, OnlyTheArrowKeysMoveTheSelection) {
    type_on(tree().EmptyRow(), "pos");
    type_on(tree().EmptyRow(), "count");
    tree().SetFocus();
    tree().SelectItem(root(1));
    for (const UINT key : {VK_END, VK_NEXT, VK_HOME, VK_PRIOR}) {
        display.press(key);
        pump();
        EXPECT_EQ(tree().GetSelectedItem(), root(1)) << "key " << key;
    }
    display.press(VK_DOWN);
    pump();
    EXPECT_EQ(tree().GetSelectedItem(), root(2));
    display.press(VK_UP);
    pump();
    EXPECT_EQ(tree().GetSelectedItem(), root(1));
}

// Squeezed beside the other debug windows, the watch keeps the names in sight:
// the value column gives up width before the name column does, and takes it
// back when the window widens.
TEST_F(WatchWindowTest, ANarrowWatchKeepsItsNamesInSight) {
    const int value_width = tree().GetColumnWidth(1);
    for (const int width : {360, 200, 110, 60}) {
        bar->MoveWindow(0, 0, width, 300);
        pump();
        CRect inside;
        tree().GetClientRect(&inside);
        EXPECT_GE(tree().GetColumnWidth(0), inside.Width() * 40 / 100 - 1) << width;
        EXPECT_LE(tree().GetColumnWidth(1), value_width) << width;
        EXPECT_LE(tree().GetColumnWidth(0) + tree().GetColumnWidth(1), std::max<int>(inside.Width(), value_width))
            << width;
    }
    // Wide again, the value column has its width back.
    bar->MoveWindow(0, 0, 360, 300);
    pump();
    EXPECT_EQ(tree().GetColumnWidth(1), value_width);
}

TEST_F(WatchWindowTest, SetMemoryShowsTheAddressAValueNames) {
    struct Case {
        const char* text;
        std::optional<std::uint32_t> address;
    };
    const Case cases[] = {
        {"0x1f00", 0x1F00},    {"0x40e", 0x40E},        {"0x12345678", 0x12345678},   {"0x1g", 0xFFFFFFFF},
        {"4096", 4096},        {"{...}", std::nullopt}, {"0", std::nullopt},          {"-1", std::nullopt},
        {"0x0", std::nullopt}, {"0x", std::nullopt},    {"0x00000000", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(WatchValueAddress(c.text), c.address) << c.text;

    std::vector<std::string> boxes;
    kit::user::set_dialog_script([&](const kit::user::DialogQuestion& q) -> std::optional<LONG_PTR> {
        boxes.push_back(q.text);
        return IDOK;
    });
    type_on(tree().EmptyRow(), "p");
    type_on(tree().EmptyRow(), "pos");
    tree().SelectItem(root(0));
    bar->SendMessage(WM_COMMAND, CWatchWindow::kSetMemoryCommand);
    EXPECT_EQ(shown_at, std::vector<std::uint32_t>{0x400});
    tree().SelectItem(root(1));
    bar->SendMessage(WM_COMMAND, CWatchWindow::kSetMemoryCommand);
    EXPECT_EQ(boxes, std::vector<std::string>{"Not a valid Address!"});
    EXPECT_EQ(shown_at.size(), 1u);

    CMenu menu;
    menu.CreatePopupMenu();
    bar->OnExtendContextMenu(&menu);
    ASSERT_EQ(menu.GetMenuItemCount(), 2);
    EXPECT_EQ(menu.GetMenuItemID(1), CWatchWindow::kSetMemoryCommand);
}

TEST(StopScopeTest, TheModuleIsTheStopSourcesBaseName) {
    const std::pair<const char*, const char*> cases[] = {
        {"/work/game/prog.c", "prog"}, {"C:\\GAME\\MAIN.C", "MAIN"}, {"prog", "prog"},
        {"a.b/prog", "prog"},          {"dir/x.tar.c", "x.tar"},     {"", ""},
    };
    for (const auto& [path, module] : cases) EXPECT_EQ(ModuleBaseName(path), module) << path;
}

TEST_F(WatchWindowTest, AfterTheRunLinesNoLongerReachTheTarget) {
    type_on(tree().EmptyRow(), "pos");
    bar->DropTargetMemory();
    EXPECT_FALSE(tree().Expand(root(0), TVE_EXPAND));
    EXPECT_EQ(tree().GetChildItem(root(0)), nullptr);
    EXPECT_EQ(roots(), (std::vector<std::string>{"pos={...}", "    ="}));
}

}  // namespace
}  // namespace watchwin_test
