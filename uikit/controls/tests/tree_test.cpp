// The tree: handles and navigation, sorted insertion, expanding with vetoes
// and collapse-reset, deletion order, item fields, the IDE's style words,
// keys and mouse, a random walk that checks the rows after every step, and
// pictures of a workspace-shaped tree and a two-column watch tree.
#include <cstring>
#include <random>

#include "uikit/controls/list_ctrl.h"
#include "uikit/controls/tests/controls_fixture.h"
#include "uikit/controls/tree_base.h"

namespace {

class TreeTest : public ControlsTest {
protected:
    void SetUp() override {
        ControlsTest::SetUp();
        ASSERT_TRUE(tree.CreateEx(WS_CHILD | WS_VISIBLE | 0x37, 0x2800000, CRect(0, 0, 240, 300), &parent, 2001));
    }
    // Rows must be exactly the shown items in pre-order.
    void expect_rows_are_shown_items(const char* where) {
        std::vector<HTREEITEM> shown;
        std::function<void(HTREEITEM, bool)> walk = [&](HTREEITEM parent_item, bool visible) {
            for (HTREEITEM c = tree.GetChildItem(parent_item); c; c = tree.GetNextSiblingItem(c)) {
                if (visible) shown.push_back(c);
                walk(c, visible && (tree.GetItemState(c, TVIS_EXPANDED) & TVIS_EXPANDED));
            }
        };
        walk(nullptr, true);
        ASSERT_EQ(tree.GetItemCount(), int(shown.size())) << where;
        for (std::size_t i = 0; i < shown.size(); ++i)
            ASSERT_EQ(tree.ItemOfRow(int(i)), shown[i]) << where << " row " << i;
    }
    SECTreeCtrl tree;
};

TEST_F(TreeTest, AnEmptyTreeHasNoItemsAndStaleHandlesFindNothing) {
    EXPECT_EQ(tree.GetRootItem(), nullptr);
    EXPECT_EQ(tree.GetChildItem(nullptr), nullptr);
    EXPECT_EQ(tree.GetCount(), 0u);
    HTREEITEM item = tree.InsertItem("a");
    ASSERT_NE(item, nullptr);
    tree.SetItemData(item, 42);
    ASSERT_TRUE(tree.DeleteItem(item));
    // A deleted item's handle is never followed.
    EXPECT_EQ(tree.GetItemData(item), 0);
    EXPECT_EQ(tree.GetItemText(item), CString(""));
    EXPECT_EQ(tree.GetNextSiblingItem(item), nullptr);
    EXPECT_FALSE(tree.DeleteItem(item));
    EXPECT_FALSE(tree.SetItemText(item, 0, "x"));
    EXPECT_EQ(tree.GetItemData(reinterpret_cast<HTREEITEM>(std::uintptr_t(0x12345678))), 0);
    // No item is ever given a special value.
    for (int i = 0; i < 3; ++i) {
        HTREEITEM h = tree.InsertItem("x");
        EXPECT_TRUE(h != TVI_ROOT && h != TVI_FIRST && h != TVI_LAST && h != TVI_SORT);
    }
}

TEST_F(TreeTest, NavigationCodes) {
    HTREEITEM project = tree.InsertItem("Project");
    HTREEITEM bank = tree.InsertItem("Bank 1", TV_NO_IMAGE, TV_NO_IMAGE, project);
    HTREEITEM c_files = tree.InsertItem("C files", TV_NO_IMAGE, TV_NO_IMAGE, bank);
    HTREEITEM main_c = tree.InsertItem("main.c", TV_NO_IMAGE, TV_NO_IMAGE, c_files);
    HTREEITEM libs = tree.InsertItem("Library files", TV_NO_IMAGE, TV_NO_IMAGE, project);
    HTREEITEM other = tree.InsertItem("Other");
    HTREEITEM first = tree.InsertItem("First", TV_NO_IMAGE, TV_NO_IMAGE, TVI_ROOT, TVI_FIRST);
    EXPECT_EQ(tree.InsertItem("bad", TV_NO_IMAGE, TV_NO_IMAGE, project, other), nullptr);  // not a child
    EXPECT_EQ(tree.GetCount(), 7u);
    EXPECT_EQ(tree.GetRootItem(), first);
    EXPECT_EQ(tree.GetNextSiblingItem(first), project);
    EXPECT_EQ(tree.GetPrevSiblingItem(project), first);
    EXPECT_EQ(tree.GetParentItem(bank), project);
    EXPECT_EQ(tree.GetParentItem(project), nullptr);
    EXPECT_EQ(tree.GetChildItem(project), bank);
    EXPECT_EQ(tree.GetNextItem(bank, TVGN_NEXT), libs);
    EXPECT_EQ(tree.GetNextItem(nullptr, TVGN_NEXT), nullptr);
    // Collapsed: only top-level rows.
    EXPECT_EQ(tree.GetItemCount(), 3);
    EXPECT_EQ(tree.GetNextVisibleItem(project), other);
    EXPECT_EQ(tree.GetNextVisibleItem(main_c), other);  // no row: the next shown in pre-order
    EXPECT_EQ(tree.GetPrevVisibleItem(main_c), project);
    EXPECT_EQ(tree.GetPrevVisibleItem(first), nullptr);
    EXPECT_EQ(tree.GetPrevVisibleItem(TVI_ROOT), nullptr);
    EXPECT_EQ(tree.GetSelectedItem(), project);  // the first row inserted took the caret and keeps it
    // Expanding an item without a row only records it.
    EXPECT_TRUE(tree.Expand(c_files, TVE_EXPAND));
    EXPECT_EQ(tree.GetItemCount(), 3);
    EXPECT_TRUE(tree.Expand(project, TVE_EXPAND));
    EXPECT_TRUE(tree.Expand(bank, TVE_EXPAND));
    expect_rows_are_shown_items("expanded");
    EXPECT_EQ(tree.RowOf(main_c), 4);
    EXPECT_TRUE(tree.SelectItem(main_c));
    EXPECT_EQ(tree.GetSelectedItem(), main_c);
    EXPECT_EQ(tree.GetFirstSelectedItem(), main_c);
    EXPECT_EQ(tree.GetNextSelectedItem(main_c), nullptr);
}

TEST_F(TreeTest, SortedInsertionIgnoresCaseAndPutsEqualTextsAfter) {
    HTREEITEM b = tree.InsertItem("beta", TV_NO_IMAGE, TV_NO_IMAGE, TVI_ROOT, TVI_SORT);
    HTREEITEM a = tree.InsertItem("Alpha", TV_NO_IMAGE, TV_NO_IMAGE, TVI_ROOT, TVI_SORT);
    HTREEITEM c = tree.InsertItem("gamma", TV_NO_IMAGE, TV_NO_IMAGE, TVI_ROOT, TVI_SORT);
    HTREEITEM b2 = tree.InsertItem("BETA", TV_NO_IMAGE, TV_NO_IMAGE, TVI_ROOT, TVI_SORT);
    HTREEITEM a2 = tree.InsertItem("alpha", TV_NO_IMAGE, TV_NO_IMAGE, TVI_ROOT, TVI_SORT);
    std::vector<HTREEITEM> order;
    for (HTREEITEM i = tree.GetRootItem(); i; i = tree.GetNextSiblingItem(i)) order.push_back(i);
    EXPECT_EQ(order, (std::vector<HTREEITEM>{a, a2, b, b2, c}));
    expect_rows_are_shown_items("sorted");
}

// Sorted insertion walks the children from the first and stops at the first one that sorts
// after the new item, whatever order the children are in: they may have come unsorted or
// have been renamed since.
TEST_F(TreeTest, SortedInsertionAmongUnsortedChildrenGoesBeforeTheFirstThatSortsAfter) {
    struct Case {
        const char* what;
        std::vector<const char*> children;  // appended in this order
        HTREEITEM how;
        const char* inserted;
        std::vector<const char*> want;
    };
    const Case cases[] = {
        {"ascending", {"delta0", "Alpha2"}, TVI_SORT, "beta0", {"beta0", "delta0", "Alpha2"}},
        {"ascending, stops at the first after",
         {"alpha", "zeta", "gamma"},
         TVI_SORT,
         "omega",
         {"alpha", "omega", "zeta", "gamma"}},
        {"descending", {"a0", "z0"}, TVI_SORT_DESCENDING, "m0", {"m0", "a0", "z0"}},
        {"no children", {}, TVI_SORT, "x", {"x"}},
    };
    const auto texts = [&] {
        std::vector<std::string> out;
        for (HTREEITEM i = tree.GetRootItem(); i; i = tree.GetNextSiblingItem(i))
            out.push_back(tree.GetItemText(i).str());
        return out;
    };
    for (const Case& c : cases) {
        tree.DeleteAllItems();
        for (const char* child : c.children) tree.InsertItem(child);
        ASSERT_NE(tree.InsertItem(c.inserted, TV_NO_IMAGE, TV_NO_IMAGE, TVI_ROOT, c.how), nullptr) << c.what;
        EXPECT_EQ(texts(), std::vector<std::string>(c.want.begin(), c.want.end())) << c.what;
        expect_rows_are_shown_items(c.what);
    }

    // Sorted children renamed by a label edit are no longer in order.
    tree.DeleteAllItems();
    tree.ModifyTreeStyle(0, TVS_EDITLABELS);
    parent.answers[TVN_ENDLABELEDIT] = 1;
    for (const char* child : {"alpha", "beta", "gamma"})
        tree.InsertItem(child, TV_NO_IMAGE, TV_NO_IMAGE, TVI_ROOT, TVI_SORT);
    ASSERT_NE(tree.EditLabel(tree.GetNextSiblingItem(tree.GetRootItem())), nullptr);
    display.type("zeta");
    display.press(VK_RETURN);
    pump();
    ASSERT_EQ(texts(), (std::vector<std::string>{"alpha", "zeta", "gamma"}));
    tree.InsertItem("omega", TV_NO_IMAGE, TV_NO_IMAGE, TVI_ROOT, TVI_SORT);
    EXPECT_EQ(texts(), (std::vector<std::string>{"alpha", "omega", "zeta", "gamma"}));
    expect_rows_are_shown_items("after a label edit");
}

// Comparing asks the owner for a callback text, and the owner may delete the very child being
// compared: the walk then starts again over the children that are left.
TEST_F(TreeTest, SortedInsertionWalksAgainWhenTheOwnerDeletesAChildWhileAsked) {
    HTREEITEM asked = tree.InsertItem(LPSTR_TEXTCALLBACK);
    tree.InsertItem("c");
    parent.on_notify = [&](NMHDR* header) {
        if (header->code != TVN_GETDISPINFO) return;
        auto* info = reinterpret_cast<TV_DISPINFO*>(header);
        if (info->item.pszText && info->item.cchTextMax > 1) std::strcpy(info->item.pszText, "a");
        if (info->item.hItem == asked) tree.DeleteItem(asked);
    };
    ASSERT_NE(tree.InsertItem("b", TV_NO_IMAGE, TV_NO_IMAGE, TVI_ROOT, TVI_SORT), nullptr);
    parent.on_notify = nullptr;
    std::vector<std::string> texts;
    for (HTREEITEM i = tree.GetRootItem(); i; i = tree.GetNextSiblingItem(i))
        texts.push_back(tree.GetItemText(i).str());
    EXPECT_EQ(texts, (std::vector<std::string>{"b", "c"}));
    expect_rows_are_shown_items("after the owner deleted a child");
}

TEST_F(TreeTest, ExpandVetoesClaimedChildrenCollapseResetAndTheCaretUnderACollapse) {
    HTREEITEM folder = tree.InsertItem("folder");
    HTREEITEM child = tree.InsertItem("child", TV_NO_IMAGE, TV_NO_IMAGE, folder);
    tree.InsertItem("grandchild", TV_NO_IMAGE, TV_NO_IMAGE, child);
    parent.answers[TVN_ITEMEXPANDING] = 1;
    EXPECT_FALSE(tree.Expand(folder, TVE_EXPAND));
    EXPECT_EQ(tree.GetItemCount(), 1);
    parent.answers.clear();
    parent.records.clear();
    EXPECT_TRUE(tree.Expand(folder, TVE_EXPAND));
    EXPECT_EQ(parent.codes(), (std::vector<UINT>{TVN_ITEMEXPANDING, TVN_ITEMEXPANDED}));
    EXPECT_EQ(parent.records.back().state, TVIS_EXPANDED);
    // Selecting tells the owner before and after, with the old and new items.
    parent.records.clear();
    ASSERT_TRUE(tree.SelectItem(child));
    ASSERT_EQ(parent.codes(), (std::vector<UINT>{TVN_SELCHANGING, TVN_SELCHANGED}));
    for (const NotifySink::Record& r : parent.records) {
        EXPECT_EQ(r.old_item, folder) << r.code;
        EXPECT_EQ(r.new_item, child) << r.code;
        EXPECT_EQ(r.action, 0u) << r.code;  // neither keyboard nor mouse
    }
    // The caret on a child: collapsing moves it to the item, telling the owner.
    parent.records.clear();
    EXPECT_TRUE(tree.Expand(folder, TVE_COLLAPSE));
    EXPECT_EQ(tree.GetSelectedItem(), folder);
    ASSERT_EQ(parent.codes(),
              (std::vector<UINT>{TVN_ITEMEXPANDING, TVN_SELCHANGING, TVN_SELCHANGED, TVN_ITEMEXPANDED}));
    for (int i : {1, 2}) {
        EXPECT_EQ(parent.records[i].old_item, child) << i;
        EXPECT_EQ(parent.records[i].new_item, folder) << i;
    }
    // Collapse-reset deletes the children.
    EXPECT_TRUE(tree.Expand(folder, TVE_EXPAND));
    EXPECT_TRUE(tree.Expand(folder, TVE_COLLAPSE | TVE_COLLAPSERESET));
    EXPECT_EQ(tree.GetChildItem(folder), nullptr);
    EXPECT_EQ(tree.GetCount(), 1u);
    EXPECT_EQ(tree.GetItemData(child), 0);
    // A child count without children: the owner is asked, nothing expands.
    TV_ITEM item{};
    item.mask = TVIF_CHILDREN | TVIF_HANDLE;
    item.hItem = folder;
    item.cChildren = 1;
    tree.SetItem(&item);
    parent.records.clear();
    EXPECT_FALSE(tree.Expand(folder, TVE_EXPAND));
    EXPECT_EQ(parent.codes(), std::vector<UINT>{TVN_ITEMEXPANDING});
    expect_rows_are_shown_items("after reset");
}

// Expanding everything asks each item once: a refused item keeps its children out of
// sight, and an owner that fills items as they are asked (here or in a branch already
// passed) gets rows for what it added.
TEST_F(TreeTest, ExpandAllHonoursRefusalsAndItemsFilledWhileAsked) {
    HTREEITEM first = tree.InsertItem("first");
    HTREEITEM refused = tree.InsertItem("refused", TV_NO_IMAGE, TV_NO_IMAGE, first);
    tree.InsertItem("kept out", TV_NO_IMAGE, TV_NO_IMAGE, refused);
    HTREEITEM lazy = tree.InsertItem("lazy");
    tree.InsertItem("placeholder", TV_NO_IMAGE, TV_NO_IMAGE, lazy);
    parent.on_notify = [&](NMHDR* header) {
        if (header->code != TVN_ITEMEXPANDING) return;
        const HTREEITEM asked = reinterpret_cast<NM_TREEVIEW*>(header)->itemNew.hItem;
        if (asked == refused)
            parent.answers[TVN_ITEMEXPANDING] = 1;
        else
            parent.answers.erase(TVN_ITEMEXPANDING);
        if (asked == lazy) {
            tree.InsertItem("filled", TV_NO_IMAGE, TV_NO_IMAGE, lazy);
            tree.InsertItem("late", TV_NO_IMAGE, TV_NO_IMAGE, first);  // a branch already walked
        }
    };
    ASSERT_TRUE(tree.ExpandAll(TVI_ROOT, FALSE));
    parent.on_notify = nullptr;
    parent.answers.clear();
    EXPECT_EQ(tree.GetItemState(refused, TVIS_EXPANDED) & TVIS_EXPANDED, 0u);
    expect_rows_are_shown_items("expanded all");
    std::vector<CString> rows;
    for (int i = 0; i < tree.GetItemCount(); ++i) rows.push_back(tree.GetItemText(tree.ItemOfRow(i)));
    EXPECT_EQ(rows, (std::vector<CString>{"first", "refused", "late", "lazy", "placeholder", "filled"}));
}

TEST_F(TreeTest, ExpandingUnderACollapsedParentOnlyMarksTheItem) {
    HTREEITEM project = tree.InsertItem("project");
    HTREEITEM bank = tree.InsertItem("bank", TV_NO_IMAGE, TV_NO_IMAGE, project);
    HTREEITEM file = tree.InsertItem("file.c", TV_NO_IMAGE, TV_NO_IMAGE, bank);
    tree.InsertItem("other.c", TV_NO_IMAGE, TV_NO_IMAGE, bank);
    HTREEITEM second = tree.InsertItem("second");
    ASSERT_EQ(tree.GetItemCount(), 2);

    // The bank has no row: it is marked, the rows stay as they were.
    EXPECT_TRUE(tree.Expand(bank, TVE_EXPAND));
    EXPECT_EQ(tree.GetItemState(bank, TVIS_EXPANDED), UINT(TVIS_EXPANDED));
    EXPECT_EQ(tree.GetItemCount(), 2);
    EXPECT_EQ(tree.ItemOfRow(1), second);
    expect_rows_are_shown_items("bank expanded under a collapsed project");

    // Showing the project shows the bank's files too, in their places.
    EXPECT_TRUE(tree.Expand(project, TVE_EXPAND));
    EXPECT_EQ(tree.GetItemCount(), 5);
    EXPECT_EQ(tree.ItemOfRow(2), file);
    EXPECT_EQ(tree.ItemOfRow(4), second);
    expect_rows_are_shown_items("project expanded");

    // Collapsing and toggling the hidden bank again change only its mark.
    EXPECT_TRUE(tree.Expand(project, TVE_COLLAPSE));
    EXPECT_TRUE(tree.Expand(bank, TVE_TOGGLE));
    EXPECT_EQ(tree.GetItemState(bank, TVIS_EXPANDED), 0u);
    EXPECT_EQ(tree.GetItemCount(), 2);
    EXPECT_TRUE(tree.Expand(project, TVE_EXPAND));
    EXPECT_EQ(tree.GetItemCount(), 3);
    expect_rows_are_shown_items("bank collapsed while hidden");
    // A hidden item's own children are not asked for their rows either.
    EXPECT_TRUE(tree.Expand(project, TVE_COLLAPSE));
    EXPECT_TRUE(tree.EnsureVisible(file));
    expect_rows_are_shown_items("a hidden file made visible");
    EXPECT_GE(tree.RowOf(file), 0);
}

TEST_F(TreeTest, SubItemTextsFollowTheirItemsAndGoWithThem) {
    tree.InsertColumn(1, "Value", LVCFMT_LEFT, 80);
    tree.InsertColumn(2, "Type", LVCFMT_LEFT, 80);
    tree.EnableSubItemText(TRUE);
    HTREEITEM player = tree.InsertItem("player");
    HTREEITEM x = tree.InsertItem("x", TV_NO_IMAGE, TV_NO_IMAGE, player);
    EXPECT_TRUE(tree.SetItemText(player, 2, "struct"));
    EXPECT_TRUE(tree.SetItemText(x, 1, "12"));
    EXPECT_TRUE(tree.SetItemText(x, 1, "13"));  // overwrites
    EXPECT_FALSE(tree.SetItemText(x, 3, "no such column"));
    EXPECT_FALSE(tree.SetItemText(x, 1, LPSTR_TEXTCALLBACK));  // a stored column has no owner to ask
    EXPECT_EQ(tree.GetItemText(x, 1), CString("13"));
    EXPECT_EQ(tree.GetItemText(x, 2), CString());
    EXPECT_EQ(tree.GetItemText(player, 1), CString());
    EXPECT_EQ(tree.GetItemText(player, 2), CString("struct"));
    // Kept while the item has no row and when it gains one.
    ASSERT_LT(tree.RowOf(x), 0);
    tree.Expand(player, TVE_EXPAND);
    ASSERT_EQ(tree.RowOf(x), 1);
    EXPECT_EQ(tree.GetItemText(x, 1), CString("13"));
    EXPECT_TRUE(tree.SetItemText(x, 1, "14"));
    EXPECT_EQ(tree.GetItemText(x, 1), CString("14"));

    // The texts go with their items, however they are deleted: a new item,
    // which may take a deleted one's memory, starts without texts.
    EXPECT_TRUE(tree.Expand(player, TVE_COLLAPSE | TVE_COLLAPSERESET));
    for (int i = 0; i < 4; ++i) {
        HTREEITEM fresh = tree.InsertItem("fresh", TV_NO_IMAGE, TV_NO_IMAGE, player);
        EXPECT_EQ(tree.GetItemText(fresh, 1), CString());
    }
    EXPECT_TRUE(tree.DeleteItem(player));
    HTREEITEM again = tree.InsertItem("again");
    EXPECT_EQ(tree.GetItemText(again, 2), CString());
    EXPECT_TRUE(tree.SetItemText(again, 2, "int"));
    EXPECT_TRUE(tree.DeleteAllItems());
    EXPECT_EQ(tree.GetItemText(tree.InsertItem("last"), 2), CString());
    // Without the storage, the texts are the rows' own.
    tree.EnableSubItemText(FALSE);
    HTREEITEM plain = tree.InsertItem("plain");
    EXPECT_TRUE(tree.SetItemText(plain, 1, "row text"));
    EXPECT_EQ(tree.GetItemText(plain, 1), CString("row text"));
}

TEST_F(TreeTest, DeletionTellsTheOwnerLeavesFirst) {
    HTREEITEM top = tree.InsertItem("top");
    HTREEITEM a = tree.InsertItem("a", TV_NO_IMAGE, TV_NO_IMAGE, top);
    HTREEITEM a1 = tree.InsertItem("a1", TV_NO_IMAGE, TV_NO_IMAGE, a);
    HTREEITEM b = tree.InsertItem("b", TV_NO_IMAGE, TV_NO_IMAGE, top);
    tree.ExpandAll(top);
    parent.records.clear();
    ASSERT_TRUE(tree.DeleteItem(top));
    std::vector<HTREEITEM> deleted;
    for (const auto& r : parent.records)
        if (r.code == TVN_DELETEITEM) deleted.push_back(r.old_item);
    EXPECT_EQ(deleted, (std::vector<HTREEITEM>{a1, a, b, top}));
    EXPECT_EQ(tree.GetItemCount(), 0);
    EXPECT_EQ(tree.GetCount(), 0u);
}

// An owner may change the tree from inside the notices that deleting, collapsing with reset
// and expanding send; the operation then finishes on what is left, or stops.
TEST_F(TreeTest, ChangingTheTreeFromInsideItsNoticesIsSafe) {
    HTREEITEM top = nullptr, child = nullptr, leaf = nullptr, other = nullptr;
    const auto build = [&] {
        tree.DeleteAllItems();
        top = tree.InsertItem("top");
        child = tree.InsertItem("child", TV_NO_IMAGE, TV_NO_IMAGE, top);
        leaf = tree.InsertItem("leaf", TV_NO_IMAGE, TV_NO_IMAGE, child);
        tree.InsertItem("leaf 2", TV_NO_IMAGE, TV_NO_IMAGE, child);
        other = tree.InsertItem("other");
        tree.InsertItem("other's child", TV_NO_IMAGE, TV_NO_IMAGE, other);
        tree.ExpandAll(TVI_ROOT, FALSE);
    };
    struct Case {
        const char* what;
        std::function<void()> prepare;
        UINT code;  // the notice the owner acts in (the first one only)
        std::function<void()> in_notice;
        std::function<void()> act;
        std::vector<CString> want_rows;
    };
    const auto nothing = [] {};
    const Case cases[] = {
        {"clearing while a child is deleted",
         nothing,
         TVN_DELETEITEM,
         [&] { tree.DeleteAllItems(); },
         [&] { EXPECT_TRUE(tree.DeleteItem(child)); },
         {}},
        {"clearing while the tree is cleared",
         nothing,
         TVN_DELETEITEM,
         [&] { tree.DeleteAllItems(); },
         [&] { EXPECT_TRUE(tree.DeleteAllItems()); },
         {}},
        {"deleting the parent while a child is deleted",
         nothing,
         TVN_DELETEITEM,
         [&] { tree.DeleteItem(top); },
         [&] { EXPECT_TRUE(tree.DeleteItem(child)); },
         {"other", "other's child"}},
        {"deleting the item again from its own notice",
         nothing,
         TVN_DELETEITEM,
         [&] { EXPECT_FALSE(tree.DeleteItem(leaf)); },
         [&] { EXPECT_TRUE(tree.DeleteItem(leaf)); },
         {"top", "child", "leaf 2", "other", "other's child"}},
        {"clearing and refilling while a child is deleted",
         nothing,
         TVN_DELETEITEM,
         [&] {
             tree.DeleteAllItems();
             tree.InsertItem("fresh");
         },
         [&] { EXPECT_TRUE(tree.DeleteItem(child)); },
         {"fresh"}},
        {"clearing during a collapse with reset",
         nothing,
         TVN_DELETEITEM,
         [&] { tree.DeleteAllItems(); },
         [&] { EXPECT_FALSE(tree.Expand(child, TVE_COLLAPSE | TVE_COLLAPSERESET)); },
         {}},
        {"deleting the item that is being expanded",
         [&] { tree.Expand(child, TVE_COLLAPSE); },
         TVN_ITEMEXPANDING,
         [&] { tree.DeleteItem(child); },
         [&] { EXPECT_FALSE(tree.Expand(child, TVE_EXPAND)); },
         {"top", "other", "other's child"}},
        {"deleting an item still to be asked while expanding everything",
         [&] {
             tree.Expand(top, TVE_COLLAPSE);
             tree.Expand(other, TVE_COLLAPSE);
         },
         TVN_ITEMEXPANDING,
         [&] { tree.DeleteItem(other); },
         [&] { EXPECT_TRUE(tree.ExpandAll(TVI_ROOT, FALSE)); },
         {"top", "child", "leaf", "leaf 2"}},
        {"deleting the old caret item while the caret moves",
         [&] { tree.SelectItem(leaf); },
         TVN_SELCHANGING,
         [&] { tree.DeleteItem(leaf); },
         [&] {
             EXPECT_TRUE(tree.SelectItem(other));
             EXPECT_EQ(tree.GetSelectedItem(), other);
         },
         {"top", "child", "leaf 2", "other", "other's child"}},
        {"clearing while expanding everything",
         [&] { tree.Expand(top, TVE_COLLAPSE); },
         TVN_ITEMEXPANDING,
         [&] { tree.DeleteAllItems(); },
         [&] { EXPECT_FALSE(tree.ExpandAll(TVI_ROOT, FALSE)); },
         {}},
    };
    for (const Case& c : cases) {
        build();
        c.prepare();
        bool acted = false;
        parent.on_notify = [&](NMHDR* header) {
            if (header->code != c.code || acted) return;
            acted = true;
            c.in_notice();
        };
        c.act();
        parent.on_notify = nullptr;
        EXPECT_TRUE(acted) << c.what;
        expect_rows_are_shown_items(c.what);
        std::vector<CString> rows;
        for (int i = 0; i < tree.GetItemCount(); ++i) rows.push_back(tree.GetItemText(tree.ItemOfRow(i)));
        EXPECT_EQ(rows, c.want_rows) << c.what;
        UINT count = 0;
        std::function<void(HTREEITEM)> walk = [&](HTREEITEM at) {
            for (HTREEITEM i = tree.GetChildItem(at); i; i = tree.GetNextSiblingItem(i), ++count) walk(i);
        };
        walk(nullptr);
        EXPECT_EQ(tree.GetCount(), count) << c.what;
    }
}

// A label edit ends with the owner's answer: an accepted edit the owner agrees to
// (non-zero) takes the typed text, anything else keeps the old one.
TEST_F(TreeTest, AnAcceptedLabelEditTakesTheTextTheOwnerAgreesTo) {
    tree.ModifyTreeStyle(0, TVS_EDITLABELS);
    HTREEITEM item = tree.InsertItem("alpha");
    tree.InsertItem("other");
    struct Case {
        UINT key;
        LRESULT answer;
        const char* want_text;
        bool notice_has_text;
    };
    const Case cases[] = {
        {VK_RETURN, 1, "beta", true},
        {VK_RETURN, 0, "alpha", true},
        {VK_ESCAPE, 1, "alpha", false},
    };
    for (const Case& c : cases) {
        tree.SetItemText(item, 0, "alpha");
        parent.answers[TVN_ENDLABELEDIT] = c.answer;
        parent.records.clear();
        ASSERT_NE(tree.EditLabel(item), nullptr);
        display.type("beta");
        display.press(c.key);
        pump();
        EXPECT_EQ(tree.GetEditControl(), nullptr);
        ASSERT_EQ(parent.count(TVN_ENDLABELEDIT), 1);
        EXPECT_EQ(parent.records.back().has_text, c.notice_has_text);
        EXPECT_EQ(parent.records.back().text, c.notice_has_text ? "beta" : "");
        EXPECT_EQ(tree.GetItemText(item), CString(c.want_text)) << c.key << " " << c.answer;
    }
    // Whatever the list sets on the first column is the item's.
    ASSERT_TRUE(tree.SetItemFields(tree.RowOf(item), 0, LVIF_TEXT | LVIF_IMAGE | LVIF_STATE, "gamma", 4, LVIS_CUT,
                                   LVIS_CUT, 0));
    TV_ITEM read{};
    read.mask = TVIF_IMAGE | TVIF_STATE;
    read.hItem = item;
    read.stateMask = TVIS_CUT;
    ASSERT_TRUE(tree.GetItem(&read));
    EXPECT_EQ(tree.GetItemText(item), CString("gamma"));
    EXPECT_EQ(read.iImage, 4);
    EXPECT_EQ(read.state, UINT(TVIS_CUT));
    EXPECT_EQ(tree.SECListBaseC::GetItemState(tree.RowOf(item), LVIS_CUT), UINT(LVIS_CUT));
}

// The owner may delete the edited item, or add a sibling before it, from the end-label-edit
// notice: no other item takes the typed text or, on a cancel, the old one.
TEST_F(TreeTest, AnEndLabelEditNoticeThatDeletesTheItemRenamesNoSibling) {
    tree.ModifyTreeStyle(0, TVS_EDITLABELS);
    parent.answers[TVN_ENDLABELEDIT] = 1;
    struct Case {
        const char* what;
        UINT key;
        bool delete_it;  // else a sibling goes first
        std::vector<const char*> want;
    };
    const Case cases[] = {
        {"accepted, deleted", VK_RETURN, true, {"alpha", "gamma"}},
        {"cancelled, deleted", VK_ESCAPE, true, {"alpha", "gamma"}},
        {"accepted, a sibling first", VK_RETURN, false, {"first", "alpha", "typed", "gamma"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        tree.DeleteAllItems();
        tree.InsertItem("alpha");
        HTREEITEM edited = tree.InsertItem("beta");
        tree.InsertItem("gamma");
        ASSERT_NE(tree.EditLabel(edited), nullptr);
        display.type("typed");
        parent.on_notify = [&](NMHDR* header) {
            if (header->code != TVN_ENDLABELEDIT) return;
            if (c.delete_it)
                tree.DeleteItem(edited);
            else
                tree.InsertItem("first", TV_NO_IMAGE, TV_NO_IMAGE, TVI_ROOT, TVI_FIRST);
        };
        display.press(c.key);
        pump();
        parent.on_notify = nullptr;
        std::vector<std::string> texts;
        for (HTREEITEM i = tree.GetRootItem(); i; i = tree.GetNextSiblingItem(i))
            texts.push_back(tree.GetItemText(i).str());
        EXPECT_EQ(texts, std::vector<std::string>(c.want.begin(), c.want.end()));
        expect_rows_are_shown_items(c.what);
    }
}

TEST_F(TreeTest, StateAndImageChangesKeepTheProjectWord) {
    HTREEITEM source = tree.InsertItem("main.c", 3, 3);
    tree.SetItemData(source, 0x04000002);  // kind 4 (source file), index 2
    tree.SetItemState(source, TVIS_BOLD, TVIS_BOLD);
    tree.SetItemImage(source, 5, 6);
    EXPECT_EQ(tree.GetItemData(source), 0x04000002);
    EXPECT_EQ(tree.GetItemState(source, TVIS_BOLD), TVIS_BOLD);
    tree.SetItemState(source, 0, TVIS_CUT);
    EXPECT_EQ(tree.GetItemState(source, TVIS_BOLD), TVIS_BOLD);
    TV_ITEM item{};
    item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    item.hItem = source;
    ASSERT_TRUE(tree.GetItem(&item));
    EXPECT_EQ(item.iImage, 5);
    EXPECT_EQ(item.iSelectedImage, 6);
}

TEST_F(TreeTest, TheIdesStyleWordsGiveASingleSelectionTreeWithLinesButtonsAndTips) {
    EXPECT_EQ(tree.GetTreeStyle(), 0x37u);
    EXPECT_TRUE(tree.HasListCtrlStyleEx(LVXS_FULLROWSELECT));
    EXPECT_TRUE(tree.IsLabelTipsEnabled());
    EXPECT_FALSE(tree.IsMultiSelect());
    EXPECT_FALSE(tree.IsHeaderVisible());
    EXPECT_EQ(tree.GetTreeStyleEx(), TVXS_LABELTIPS);
    EXPECT_EQ(DWORD(tree.GetStyle()) & 0x3F, 0u);
    EXPECT_EQ(tree.GetIndent(), 20);
    tree.SetIndent(15);
    EXPECT_EQ(tree.GetIndent(), 16);
}

TEST_F(TreeTest, KeysExpandCollapseAndWalkAndADoubleClickToggles) {
    HTREEITEM project = tree.InsertItem("Project");
    HTREEITEM bank = tree.InsertItem("Bank", TV_NO_IMAGE, TV_NO_IMAGE, project);
    tree.InsertItem("main.c", TV_NO_IMAGE, TV_NO_IMAGE, bank);
    tree.SetFocus();
    pump();
    ASSERT_EQ(tree.GetSelectedItem(), project);
    display.press(VK_RIGHT);
    pump();
    EXPECT_EQ(tree.GetItemState(project, TVIS_EXPANDED), TVIS_EXPANDED);
    display.press(VK_RIGHT);
    pump();
    EXPECT_EQ(tree.GetSelectedItem(), bank);
    display.press(VK_LEFT);
    pump();
    EXPECT_EQ(tree.GetSelectedItem(), project);
    display.press(VK_LEFT);
    pump();
    EXPECT_EQ(tree.GetItemState(project, TVIS_EXPANDED), 0u);
    display.press(VK_MULTIPLY);
    pump();
    expect_rows_are_shown_items("after expand all");
    EXPECT_EQ(tree.GetItemCount(), 3);
    EXPECT_GE(parent.count(TVN_KEYDOWN), 5);
    // A double click on the label toggles.
    CRect label;
    ASSERT_TRUE(tree.GetItemRect(tree.RowOf(bank), &label, LVIR_LABEL));
    display.click(tree.m_hWnd, label.CenterPoint());
    display.click(tree.m_hWnd, label.CenterPoint());
    pump();
    EXPECT_EQ(tree.GetItemState(bank, TVIS_EXPANDED), 0u);
    EXPECT_EQ(tree.GetItemCount(), 2);
    // A click on the button toggles at once.
    UINT flags = 0;
    CPoint button(label.left - 6 - 20 + 8 - 0, label.CenterPoint().y);
    for (int x = 0; x < label.left; ++x) {
        if (tree.HitTest(CPoint(x, label.CenterPoint().y), &flags) == bank && (flags & TVHT_ONITEMBUTTON)) {
            button.x = x;
            break;
        }
    }
    ASSERT_TRUE(flags & TVHT_ONITEMBUTTON);
    display.advance(600);
    display.click(tree.m_hWnd, button);
    pump();
    EXPECT_EQ(tree.GetItemState(bank, TVIS_EXPANDED), TVIS_EXPANDED);
}

TEST_F(TreeTest, RandomInsertsDeletesExpandsAndCollapsesKeepTheRowsInStep) {
    std::mt19937 random(19);
    std::vector<HTREEITEM> items;
    for (int step = 0; step < 600; ++step) {
        const int what = int(random() % 10);
        HTREEITEM pick = items.empty() ? nullptr : items[random() % items.size()];
        if (what < 5 || items.empty()) {
            HTREEITEM after = (random() % 3 == 0) ? TVI_FIRST : (random() % 2 ? TVI_SORT : TVI_LAST);
            HTREEITEM made = tree.InsertItem(AfxFormat("n%d", int(random() % 50)), TV_NO_IMAGE, TV_NO_IMAGE,
                                             random() % 4 == 0 ? TVI_ROOT : (pick ? pick : TVI_ROOT), after);
            ASSERT_NE(made, nullptr);
            items.push_back(made);
        } else if (what == 5) {
            tree.DeleteItem(pick);
            items.erase(
                std::remove_if(items.begin(), items.end(), [&](HTREEITEM h) { return !tree.RowOf(h) && false; }),
                items.end());
            std::vector<HTREEITEM> alive;
            for (HTREEITEM h : items)
                if (tree.GetItemText(h) != CString("") || tree.GetParentItem(h) || tree.GetRootItem() == h ||
                    tree.GetPrevSiblingItem(h))
                    alive.push_back(h);
            items = alive;
        } else if (what == 6) {
            tree.Expand(pick, TVE_EXPAND);
        } else if (what == 7) {
            tree.Expand(pick, TVE_COLLAPSE);
        } else if (what == 8) {
            tree.Expand(pick, random() % 2 ? TVE_TOGGLE : (TVE_COLLAPSE | TVE_COLLAPSERESET));
            std::vector<HTREEITEM> alive;
            for (HTREEITEM h : items)
                if (tree.GetItemText(h) != CString("")) alive.push_back(h);
            items = alive;
        } else {
            tree.ExpandAll(random() % 3 ? pick : TVI_ROOT, FALSE);
        }
        expect_rows_are_shown_items(AfxFormat("step %d", step));
        if (HasFatalFailure()) return;
        ASSERT_LT(tree.GetFocusItem(), std::max(tree.GetItemCount(), 1));
    }
}

// Both controls take a dialog control's place: its id, rectangle, styles (plus
// their own) and tab order; the control itself is gone.
TEST_F(ControlsTest, SubclassDlgItemTakesTheDialogControlsPlace) {
    const char* cls = AfxRegisterWndClass(0);
    SECListCtrl list;
    SECTreeCtrl tree;
    struct Case {
        SECListBaseC* control;
        std::function<bool()> has_own_styles;
    } cases[] = {
        {&list, [&] { return (::GetWindowLong(list.m_hWnd, GWL_STYLE) & WS_BORDER) != 0; }},
        {&tree, [&] { return (tree.GetTreeStyleEx() & TVXS_LABELTIPS) && (tree.GetTreeStyle() & TVS_HASLINES); }}};
    for (const Case& c : cases) {
        CWnd before, control, after;
        ASSERT_TRUE(before.CreateEx(0, cls, "", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, parent.m_hWnd, HMENU(10)));
        ASSERT_TRUE(control.CreateEx(WS_EX_CLIENTEDGE, cls, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | TVS_HASLINES, 20,
                                     30, 200, 150, parent.m_hWnd, HMENU(11)));
        ASSERT_TRUE(after.CreateEx(0, cls, "", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, parent.m_hWnd, HMENU(12)));
        const HWND old = control.m_hWnd;
        EXPECT_FALSE(c.control->SubclassDlgItem(99, &parent));
        EXPECT_FALSE(c.control->SubclassDlgItem(11, nullptr));
        ASSERT_TRUE(c.control->SubclassDlgItem(11, &parent));
        EXPECT_FALSE(::IsWindow(old));
        EXPECT_EQ(::GetDlgItem(parent.m_hWnd, 11), c.control->m_hWnd);
        EXPECT_EQ(::GetWindow(c.control->m_hWnd, GW_HWNDPREV), before.m_hWnd);
        EXPECT_EQ(::GetWindow(c.control->m_hWnd, GW_HWNDNEXT), after.m_hWnd);
        CRect rect;
        c.control->GetWindowRect(&rect);
        parent.ScreenToClient(&rect);
        EXPECT_EQ(rect, CRect(20, 30, 220, 180));
        EXPECT_TRUE(::GetWindowLong(c.control->m_hWnd, GWL_STYLE) & WS_TABSTOP);
        EXPECT_TRUE(::GetWindowLong(c.control->m_hWnd, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
        EXPECT_TRUE(c.has_own_styles());
        c.control->DestroyWindow();
        before.DestroyWindow();
        after.DestroyWindow();
    }
}

// With wrapping labels, a mark splits a label: the text after it wraps under the mark,
// not back at the label's left edge; a label without one wraps as a whole.
TEST_F(TreeTest, AMarkedLabelWrapsUnderTheMark) {
    tree.MoveWindow(0, 0, 210, 200);
    tree.EnableLabelWrap(TRUE);
    HTREEITEM bank = tree.InsertItem("Bank 2: \\{HI}overlaps the kernel's area and moves up by one page");
    tree.InsertItem("Note: \\{HI}short", TV_NO_IMAGE, TV_NO_IMAGE, bank);
    tree.InsertItem("A plain label long enough to wrap back to its left edge", TV_NO_IMAGE, TV_NO_IMAGE, bank);
    tree.InsertItem("\\{HI}A mark at the start wraps like a plain label");
    tree.Expand(bank, TVE_EXPAND);
    tree.SetFocus();
    pump();
    shoot(tree.m_hWnd, "tree_marked_labels");
}

TEST_F(TreeTest, WorkspaceAndWatchTreePictures) {
    HTREEITEM project = tree.InsertItem("Game project");
    for (int b = 1; b <= 2; ++b) {
        HTREEITEM bank = tree.InsertItem(AfxFormat("Bank %d", b), TV_NO_IMAGE, TV_NO_IMAGE, project);
        HTREEITEM c_files = tree.InsertItem("C files", TV_NO_IMAGE, TV_NO_IMAGE, bank);
        tree.InsertItem(AfxFormat("main%d.c", b), TV_NO_IMAGE, TV_NO_IMAGE, c_files);
        tree.InsertItem(AfxFormat("draw%d.c", b), TV_NO_IMAGE, TV_NO_IMAGE, c_files);
        tree.InsertItem("Asm files", TV_NO_IMAGE, TV_NO_IMAGE, bank);
    }
    HTREEITEM libs = tree.InsertItem("Library files", TV_NO_IMAGE, TV_NO_IMAGE, project);
    tree.InsertItem("gfx.lib", TV_NO_IMAGE, TV_NO_IMAGE, libs);
    tree.SetItemState(project, TVIS_BOLD, TVIS_BOLD);
    tree.SetFocus();
    pump();
    shoot(tree.m_hWnd, "workspace_tree_collapsed");
    tree.Expand(project, TVE_EXPAND);
    tree.Expand(tree.GetChildItem(project), TVE_EXPAND);
    pump();
    shoot(tree.m_hWnd, "workspace_tree_two_levels");
    tree.ExpandAll(TVI_ROOT);
    tree.SelectItem(tree.GetChildItem(tree.GetChildItem(tree.GetChildItem(project))));
    pump();
    shoot(tree.m_hWnd, "workspace_tree_expanded");

    tree.DestroyWindow();
    SECTreeCtrl watch;
    ASSERT_TRUE(watch.CreateEx(WS_CHILD | WS_VISIBLE | 0x37, 0x2800000, CRect(0, 0, 300, 160), &parent, 2002));
    watch.ShowHeader(TRUE);
    watch.SetColumnHeading(0, "Name");
    watch.SetColumnWidth(0, 140);
    watch.InsertColumn(1, "Value", LVCFMT_LEFT, 160);
    watch.EnableSubItemText(TRUE);
    HTREEITEM player = watch.InsertItem("player");
    watch.SetItemText(player, 1, "{...}");
    HTREEITEM x = watch.InsertItem("x", TV_NO_IMAGE, TV_NO_IMAGE, player);
    watch.SetItemText(x, 1, "12 (0x0C)");
    HTREEITEM y = watch.InsertItem("y", TV_NO_IMAGE, TV_NO_IMAGE, player);
    watch.SetItemText(y, 1, "-1 (0xFF)");
    HTREEITEM score = watch.InsertItem("score");
    watch.SetItemText(score, 1, "3000000000");
    watch.InsertItem("    ");
    watch.Expand(player, TVE_EXPAND);
    EXPECT_EQ(watch.GetItemText(y, 1), CString("-1 (0xFF)"));
    watch.SetFocus();
    pump();
    shoot(watch.m_hWnd, "watch_tree");
}

}  // namespace
