// Quick Watch: evaluation on demand and only for a new expression, the radix
// switched without evaluating again, an empty expression, Add Watch into the
// watch tree, and its picture.
#include <string>

#include "ide/shell/watchwin/quick_watch_dlg.h"
#include "ide/shell/watchwin/tests/watch_fixture.h"
#include "ide/shell/watchwin/watch_window.h"

namespace watchwin_test {
namespace {

class QuickWatchTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        watches->m_bAutoDelete = TRUE;
        watches->SetScopeSource(source());
        ASSERT_TRUE(watches->Create(frame, "Watch", 0x50001414, 0xF11, 103));
    }
    HWND dialog() const { return ::GetActiveWindow(); }
    void click_button(int id) {
        ::SendMessage(dialog(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), LPARAM(::GetDlgItem(dialog(), id)));
    }
    void set_expression(const char* text) { ::SetDlgItemText(dialog(), CQWatchDlg::kExpressionCombo, text); }
    void set_hex(bool on) {
        ::CheckDlgButton(dialog(), CQWatchDlg::kHexCheck, on ? BST_CHECKED : BST_UNCHECKED);
        click_button(CQWatchDlg::kHexCheck);
    }
    std::string line(CResultTree& tree, HTREEITEM item) {
        return tree.GetItemText(item, 0).str() + "=" + tree.GetItemText(item, 1).str();
    }

    CWatchWindow* watches = new CWatchWindow;
    int shown = 0;
    CQWatchDlg quick{source(), &watches->Tree(), [this] { ++shown; }, nullptr};
};

TEST_F(QuickWatchTest, EvaluatesANewExpressionOnceAndSwitchesRadixWithoutEvaluating) {
    quick.SetExpression("pos", "prog");
    display.then([&] {
        CResultTree& tree = quick.Tree();
        HTREEITEM root = tree.GetRootItem();
        ASSERT_NE(root, nullptr);
        EXPECT_EQ(line(tree, root), "pos={...}");
        EXPECT_EQ(quick.evaluations(), 1);
        click_button(CQWatchDlg::kRecalculateButton);
        EXPECT_EQ(quick.evaluations(), 1);
        ASSERT_TRUE(tree.Expand(root, TVE_EXPAND));
        poke16(0x0402, 255);  // not read again until the radix changes
        set_hex(true);
        root = tree.GetRootItem();
        ASSERT_TRUE(tree.GetItemState(root, TVIS_EXPANDED) & TVIS_EXPANDED);
        EXPECT_EQ(line(tree, tree.GetChildItem(root)), "x=0xff");
        EXPECT_EQ(quick.evaluations(), 1);
        shoot(dialog(), "quick_watch");
        set_hex(false);
        EXPECT_EQ(line(quick.Tree(), quick.Tree().GetChildItem(quick.Tree().GetRootItem())), "x=255");
        // The list keeps what was evaluated, newest first.
        set_expression("count");
        click_button(CQWatchDlg::kRecalculateButton);
        EXPECT_EQ(quick.evaluations(), 2);
        EXPECT_EQ(::SendDlgItemMessage(dialog(), CQWatchDlg::kExpressionCombo, CB_GETCOUNT, 0, 0), 2);
        // An empty expression clears the tree and evaluates nothing.
        set_expression("");
        click_button(CQWatchDlg::kRecalculateButton);
        EXPECT_EQ(quick.Tree().GetRootItem(), nullptr);
        EXPECT_EQ(quick.evaluations(), 2);
        display.press(VK_ESCAPE);
    });
    EXPECT_EQ(quick.DoModal(), IDCANCEL);
    EXPECT_EQ(shown, 0);
}

TEST_F(QuickWatchTest, TheKeyboardAloneEvaluatesAndAddsTheWatch) {
    quick.SetExpression("", "prog");
    display.then([&] {
        EXPECT_EQ(quick.Tree().GetRootItem(), nullptr);
        ::SetFocus(::GetDlgItem(dialog(), CQWatchDlg::kExpressionCombo));
        display.type("count");
        display.press(VK_RETURN);
    });
    display.then([&] {
        EXPECT_EQ(quick.evaluations(), 1);
        EXPECT_EQ(line(quick.Tree(), quick.Tree().GetRootItem()), "count=5");
        display.chord(VK_MENU, 'W');
    });
    EXPECT_EQ(quick.DoModal(), IDOK);
    EXPECT_EQ(watches->Tree().GetItemText(watches->Tree().GetRootItem(), 1), "5");
    // The dialog ended on Alt+W's press: its releases still wait in the queue,
    // and the keyboard counts Alt down until they are taken, as the main loop would.
    MSG left;
    while (::PeekMessage(&left, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessage(&left);
}

TEST_F(QuickWatchTest, AddWatchCopiesTheResultIntoTheWatchTree) {
    quick.SetExpression("nothing", "prog");
    display.then([&] { click_button(CQWatchDlg::kAddWatchButton); });
    EXPECT_EQ(quick.DoModal(), IDOK);
    EXPECT_EQ(shown, 1);
    CWatchTreeView& tree = watches->Tree();
    HTREEITEM first = tree.GetRootItem();
    EXPECT_EQ(tree.GetItemText(first, 0), "nothing");
    EXPECT_EQ(tree.GetItemText(first, 1), "Unknow Identifier");
    EXPECT_EQ(tree.GetNextSiblingItem(first), tree.EmptyRow());
    // At the next stop the copied expression is evaluated like any other.
    tree.RefreshWatches();
    EXPECT_EQ(tree.GetItemText(tree.GetRootItem(), 1), "Unknow Identifier");
}

TEST_F(QuickWatchTest, TheExpressionTakesAtMost200Characters) {
    quick.SetExpression("", "prog");
    const std::string typed(231, 'a');
    display.then([&] {
        ::SetFocus(::GetDlgItem(dialog(), CQWatchDlg::kExpressionCombo));
        display.type(typed.c_str());
    });
    display.then([&] {
        EXPECT_EQ(::GetWindowTextLength(::GetDlgItem(dialog(), CQWatchDlg::kExpressionCombo)), 200);
        display.press(VK_ESCAPE);
    });
    EXPECT_EQ(quick.DoModal(), IDCANCEL);
}

}  // namespace
}  // namespace watchwin_test
