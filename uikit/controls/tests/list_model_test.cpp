// The list's model: insertion and deletion fix-ups of focus, selection and
// drop highlight, item fields under their masks, callbacks, navigation codes
// and columns.
#include <functional>

#include "uikit/controls/list_ctrl.h"
#include "uikit/controls/tests/controls_fixture.h"

namespace {

class ListModelTest : public ControlsTest {
protected:
    void SetUp() override {
        ControlsTest::SetUp();
        ASSERT_TRUE(
            list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_NOLABELWRAP, CRect(0, 0, 300, 200), &parent, 100));
        list.InsertColumn(0, "Name", LVCFMT_LEFT, 120);
        list.InsertColumn(1, "Value", LVCFMT_LEFT, 80);
    }
    void fill(int count) {
        for (int i = 0; i < count; ++i) list.InsertItemText(i, AfxFormat("item %d", i));
    }
    std::vector<int> selected() {
        std::vector<int> out;
        for (int i = list.GetNextItem(-1, LVNI_SELECTED); i >= 0; i = list.GetNextItem(i, LVNI_SELECTED))
            out.push_back(i);
        return out;
    }
    SECListCtrl list;
};

TEST_F(ListModelTest, FirstInsertFocusesAndSelectsAndLaterInsertsMoveTheFocus) {
    EXPECT_EQ(list.InsertItemText(0, "a"), 0);
    EXPECT_EQ(list.GetFocusItem(), 0);
    EXPECT_EQ(selected(), std::vector<int>{0});
    EXPECT_EQ(list.InsertItemText(0, "b"), 0);  // before the focus: the focus moves up by one
    EXPECT_EQ(list.GetFocusItem(), 1);
    EXPECT_EQ(selected(), std::vector<int>{1});
    // Indices outside the list are clamped, never leaving holes.
    EXPECT_EQ(list.InsertItemText(-5, "first"), 0);
    EXPECT_EQ(list.InsertItemText(99, "last"), 3);
    EXPECT_EQ(list.GetItemText(0, 0), CString("first"));
    EXPECT_EQ(list.GetItemText(3, 0), CString("last"));
    EXPECT_EQ(list.GetFocusItem(), 2);
}

TEST_F(ListModelTest, DeletionMovesTheFocusOutOfTheRunAndDropsAHighlightInTheRun) {
    struct Case {
        const char* what;
        int focus;
        std::vector<int> selection;
        int drop;
        int index, count;
        int want_focus;
        std::vector<int> want_selection;
        int want_drop;
    };
    const Case cases[] = {
        {"focus before the run", 1, {1}, -1, 3, 2, 1, {1}, -1},
        {"focus at the run's first index that still exists", 3, {3}, -1, 3, 2, 3, {3}, -1},
        {"focus inside the run: the row before it", 4, {4}, -1, 3, 2, 2, {2}, -1},
        {"focus deeper inside a longer run", 5, {5}, -1, 3, 4, 2, {2}, -1},
        {"focus inside a run from row 0: the row that took its place", 1, {1}, -1, 0, 3, 0, {0}, -1},
        {"focus after the run", 7, {7, 8}, -1, 3, 2, 5, {5, 6}, -1},
        {"the last rows: focus to the row before", 9, {9}, -1, 8, 2, 7, {7}, -1},
        {"a run reaching past the end is cut", 9, {9}, -1, 8, 50, 7, {7}, -1},
        {"selection inside removed, after lowered", 0, {2, 3, 4, 6}, -1, 3, 2, 0, {2, 4}, -1},
        {"drop highlight inside the run is cleared", 0, {0}, 4, 3, 2, 0, {0}, -1},
        {"drop highlight after the run moves down", 0, {0}, 8, 3, 2, 0, {0}, 6},
        {"every row deleted", 5, {5}, 5, 0, 10, -1, {}, -1},
    };
    for (const Case& c : cases) {
        list.DeleteAllItems();
        fill(10);
        list.DeselectAllItems();
        list.SetFocusItem(c.focus);
        for (int i : c.selection) list.SetItemState(i, LVIS_SELECTED, LVIS_SELECTED);
        list.SetDropHiliteItem(c.drop);
        EXPECT_TRUE(list.DeleteItems(c.index, c.count)) << c.what;
        EXPECT_EQ(list.GetFocusItem(), c.want_focus) << c.what;
        EXPECT_EQ(selected(), c.want_selection) << c.what;
        EXPECT_EQ(list.GetDropHiliteItem(), c.want_drop) << c.what;
        EXPECT_LT(list.GetFocusItem(), list.GetItemCount()) << c.what;
    }
    // Deleting every selected row selects the focus row.
    list.DeleteAllItems();
    fill(5);
    list.SetItemState(2, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    list.SetItemState(0, 0, LVIS_SELECTED);
    list.DeleteItems(2, 1);
    EXPECT_EQ(selected(), std::vector<int>{2});
    EXPECT_FALSE(list.DeleteItems(7, 1));
}

// An owner may call back into the list from its deletion notice; the deletion then
// finishes on what is left of the rows it was deleting.
TEST_F(ListModelTest, DeletingFromInsideTheDeletionNoticeIsSafe) {
    struct Case {
        const char* what;
        std::function<void()> in_notice;
        std::vector<CString> want_rows;
    };
    const Case cases[] = {
        {"the owner empties the list", [&] { list.DeleteAllItems(); }, {}},
        {"the owner deletes the rows itself", [&] { list.DeleteItems(3, 2); }, {"item 0", "item 1", "item 2"}},
        {"the owner deletes a row before the run", [&] { list.DeleteItem(0); }, {"item 1", "item 2"}},
        {"the owner inserts rows before and inside the run",
         [&] {
             list.InsertItemText(0, "new 0");
             list.InsertItemText(5, "new 4");
         },
         {"new 0", "item 0", "item 1", "item 2", "new 4"}},
        {"the owner empties the list and fills it again",
         [&] {
             list.DeleteAllItems();
             list.InsertItemText(0, "fresh");
         },
         {"fresh"}},
    };
    for (const Case& c : cases) {
        list.DeleteAllItems();
        fill(5);
        list.SetFocusItem(4);
        int notices = 0;
        parent.on_notify = [&](NMHDR* header) {
            if (header->code == LVN_DELETEITEM && notices++ == 0) c.in_notice();
        };
        EXPECT_TRUE(list.DeleteItems(3, 2)) << c.what;
        parent.on_notify = nullptr;
        std::vector<CString> rows;
        for (int i = 0; i < list.GetItemCount(); ++i) rows.push_back(list.GetItemText(i, 0));
        EXPECT_EQ(rows, c.want_rows) << c.what;
        EXPECT_LT(list.GetFocusItem(), list.GetItemCount()) << c.what;
        EXPECT_EQ(list.GetFocusItem() >= 0, list.GetItemCount() > 0) << c.what;
    }
}

TEST_F(ListModelTest, StateAndImageChangesKeepTheDataWord) {
    fill(2);
    ASSERT_TRUE(list.SetItemData(1, 0x04000007));
    list.SetItemState(1, LVIS_CUT, LVIS_CUT);
    EXPECT_EQ(list.GetItemData(1), 0x04000007);
    EXPECT_EQ(list.GetItemState(1, LVIS_CUT), LVIS_CUT);
    // Bits outside the mask stay as they were: (old & ~mask) | (new & mask).
    list.SetItemState(1, 0, LVIS_SELECTED);
    EXPECT_EQ(list.GetItemState(1, LVIS_CUT), LVIS_CUT);
    list.SetItemFields(1, 0, LVIF_IMAGE, nullptr, 3, 0, 0, 0);
    EXPECT_EQ(list.GetItemData(1), 0x04000007);
    EXPECT_EQ(list.GetItemText(1, 0), CString("item 1"));
}

TEST_F(ListModelTest, CallbackTextsAskTheOwnerAndStoreOnlyWithSetItem) {
    fill(1);
    list.SetItemText(0, 0, LPSTR_TEXTCALLBACK);
    parent.on_notify = [](NMHDR* header) {
        if (header->code != LVN_GETDISPINFO) return;
        auto* info = reinterpret_cast<LV_DISPINFO*>(header);
        // An owner that fills the whole buffer without a terminator.
        if (info->item.mask & LVIF_TEXT) memset(info->item.pszText, 'x', size_t(info->item.cchTextMax));
    };
    char small[6];
    EXPECT_EQ(list.GetItemText(0, 0, small, sizeof small), 5);
    EXPECT_STREQ(small, "xxxxx");
    parent.on_notify = nullptr;
    // Without LVIF_DI_SETITEM the callback stays; with it the text is stored.
    list.SetItemText(0, 0, "typed");
    LV_ITEM lvi{};
    lvi.mask = LVIF_TEXT;
    lvi.iItem = 0;
    ASSERT_TRUE(list.GetItem(&lvi, FALSE, FALSE));
    EXPECT_EQ(lvi.pszText, LPSTR_TEXTCALLBACK);
    lvi.mask = LVIF_TEXT | LVIF_DI_SETITEM;
    lvi.pszText = const_cast<char*>("kept");
    list.SetItem(&lvi);
    EXPECT_EQ(list.GetItemText(0, 0), CString("kept"));
}

TEST_F(ListModelTest, TextsCopiedOutAreTerminatedAndNeverSplitADoubleByteCharacter) {
    list.InsertItemText(0,
                        "ab\xB0\xA1"
                        "cd");  // a, b, one GBK character, c, d
    char out[4];
    EXPECT_EQ(list.GetItemText(0, 0, out, 4), 2);  // the character would need bytes 2 and 3 plus the terminator
    EXPECT_STREQ(out, "ab");
    char five[5];
    EXPECT_EQ(list.GetItemText(0, 0, five, 5), 4);
    EXPECT_STREQ(five, "ab\xB0\xA1");
}

TEST_F(ListModelTest, GetNextItemCodes) {
    fill(6);
    list.DeselectAllItems();
    list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    list.SetItemState(4, LVIS_SELECTED, LVIS_SELECTED);
    list.SetFocusItem(3);
    list.SetItemState(5, LVIS_CUT, LVIS_CUT);
    struct Case {
        int start;
        UINT flags;
        int want;
    };
    const Case cases[] = {
        {-1, LVNI_SELECTED, 1},
        {1, LVNI_SELECTED, 4},
        {4, LVNI_SELECTED, -1},
        {5, LVNI_SELECTED | LVNI_ABOVE, 4},
        {1, LVNI_SELECTED | LVNI_ABOVE, -1},
        {-1, LVNI_FOCUSED, 3},
        {-1, LVNI_CUT, 5},
        {5, LVNI_ALL, -1},
        {2, LVNI_ALL, 3},
        {2, LVNI_ABOVE, 1},
        {0, LVNI_ABOVE, -1},
        {0, 0x1000, -1},
        {0, LVNI_BELOW, 1},
        {-1, LVNI_ALL, 0},
    };
    for (const Case& c : cases) EXPECT_EQ(list.GetNextItem(c.start, c.flags), c.want) << c.start << " " << c.flags;
}

TEST_F(ListModelTest, ColumnsKeepSubItemsInStepAndGiveTheirWidthToTheMainColumn) {
    fill(2);
    list.SetItemText(1, 1, "one");
    EXPECT_EQ(list.GetColumnCount(), 2);
    EXPECT_EQ(list.InsertColumn(2, "Third", LVCFMT_RIGHT, 40), 2);
    EXPECT_EQ(list.GetColumnSubItem(2), 2);
    list.SetItemText(1, 2, "two");
    ASSERT_TRUE(list.DeleteColumn(1));
    EXPECT_EQ(list.GetColumnWidth(0), 200);  // 120 + the deleted 80
    EXPECT_EQ(list.GetColumnSubItem(1), 1);
    EXPECT_EQ(list.GetItemText(1, 1), CString("two"));
    EXPECT_EQ(list.GetColumnFormat(9), 0);
    EXPECT_EQ(list.GetColumnHeading(9), CString(""));
    list.ModifyListCtrlStyle(0, LVXS_KEEPDELETEDWIDTH);
    list.DeleteColumn(1);
    EXPECT_EQ(list.GetColumnWidth(0), 200);

    SECListCtrl icons;
    ASSERT_TRUE(icons.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 100), &parent, 101));
    EXPECT_EQ(icons.GetColumnCount(), 1);
    EXPECT_EQ(icons.GetColumnHeading(0), CString(""));
    EXPECT_EQ(icons.GetColumnWidth(0), 100);  // a lone column fills the window
    EXPECT_FALSE(icons.IsHeaderVisible());
}

}  // namespace
