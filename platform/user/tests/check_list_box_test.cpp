// The check list box: checks set by messages and by the user (a click on the
// box, the space bar), the check styles, items that cannot be toggled, and
// checks that stay with their items when the list changes.
#include <string>
#include <vector>

#include "platform/user/tests/user_fixture.h"

namespace user_test {
namespace {

int changes = 0;

LRESULT count_changes(HWND, UINT m, WPARAM w, LPARAM, bool* handled) {
    if (m == WM_COMMAND && HIWORD(w) == CLBN_CHKCHANGE) {
        ++changes;
        *handled = true;
    }
    return 0;
}

class CheckListBoxTest : public TestFontTest {
protected:
    void SetUp() override {
        TestFontTest::SetUp();
        changes = 0;
        set_proc_hook(count_changes);
        top = make_top();
    }
    HWND make_list(DWORD style = 0) {
        HWND list = CreateWindowEx(0, CHECKLISTBOX_CLASS, "", WS_CHILD | WS_VISIBLE | style, 10, 10, 150, 100, top,
                                   reinterpret_cast<HMENU>(std::uintptr_t(3)), nullptr, nullptr);
        for (const char* item : {"Alpha", "Beta", "Gamma"}) {
            SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
        }
        return list;
    }
    static std::vector<LRESULT> checks(HWND list) {
        std::vector<LRESULT> out;
        for (int i = 0; i < int(SendMessage(list, LB_GETCOUNT, 0, 0)); ++i) {
            out.push_back(SendMessage(list, CLB_GETCHECK, WPARAM(i), 0));
        }
        return out;
    }
    // A point on the check box of an item, or on its text.
    POINT on_box(HWND list, int index) {
        int height = int(SendMessage(list, LB_GETITEMHEIGHT, 0, 0));
        return POINT{5, index * height + height / 2};
    }
    POINT on_text(HWND list, int index) { return POINT{100, on_box(list, index).y}; }
    HWND top = nullptr;
};

TEST_F(CheckListBoxTest, ChecksByMessage) {
    HWND list = make_list();
    struct Case {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        LRESULT result;
    };
    const Case cases[] = {
        {CLB_SETCHECK, 1, LPARAM(BST_CHECKED), 0},
        {CLB_SETCHECK, 2, LPARAM(BST_INDETERMINATE), 0},
        {CLB_SETCHECK, 3, LPARAM(BST_CHECKED), LB_ERR},
        {CLB_SETCHECK, 0, 7, LB_ERR},
        {CLB_GETCHECK, 1, 0, LRESULT(BST_CHECKED)},
        {CLB_GETCHECK, 9, 0, LB_ERR},
        {CLB_SETCHECKSTYLE, BS_PUSHBUTTON, 0, FALSE},
        {CLB_GETCHECKSTYLE, 0, 0, BS_AUTOCHECKBOX},
        {CLB_SETCHECKSTYLE, BS_AUTO3STATE, 0, TRUE},
        {CLB_GETCHECKSTYLE, 0, 0, BS_AUTO3STATE},
        {CLB_ENABLE, 0, FALSE, 0},
        {CLB_ISENABLED, 0, 0, FALSE},
        {CLB_ISENABLED, 1, 0, TRUE},
        {CLB_ENABLE, 5, TRUE, LB_ERR},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SendMessage(list, c.message, c.wParam, c.lParam), c.result) << c.message << " " << c.wParam;
    }
    EXPECT_EQ(changes, 0) << "only the user's changes are reported";

    // Checks stay with their items as the list changes.
    SendMessage(list, LB_INSERTSTRING, 0, reinterpret_cast<LPARAM>("First"));
    EXPECT_EQ(checks(list), (std::vector<LRESULT>{0, 0, 1, 2}));
    SendMessage(list, LB_DELETESTRING, 2, 0);
    EXPECT_EQ(checks(list), (std::vector<LRESULT>{0, 0, 2}));
}

TEST_F(CheckListBoxTest, TheUserTogglesChecks) {
    struct Case {
        const char* name;
        DWORD list_style;
        WPARAM check_style;
        std::vector<LRESULT> after;
        int changes;
    };
    // Each case: click the box of item 0, click the text of item 1, then space on the selection (item 1),
    // then click the box of item 2, which cannot be toggled.
    const Case cases[] = {
        {"automatic", 0, BS_AUTOCHECKBOX, {1, 1, 0}, 2},
        {"automatic, three states", 0, BS_AUTO3STATE, {1, 1, 0}, 2},
        {"manual", 0, BS_CHECKBOX, {0, 0, 0}, 2},
    };
    for (const Case& c : cases) {
        HWND list = make_list(c.list_style);
        SendMessage(list, CLB_SETCHECKSTYLE, c.check_style, 0);
        SendMessage(list, CLB_ENABLE, 2, FALSE);
        changes = 0;
        display.click(list, on_box(list, 0));
        display.click(list, on_text(list, 1));
        pump();
        EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), 1) << c.name;
        inject_key_press(VK_SPACE);
        display.click(list, on_box(list, 2));
        pump();
        EXPECT_EQ(checks(list), c.after) << c.name;
        EXPECT_EQ(changes, c.changes) << c.name;
        DestroyWindow(list);
    }

    // Three states go round: checked, indeterminate, clear.
    HWND list = make_list();
    SendMessage(list, CLB_SETCHECKSTYLE, BS_AUTO3STATE, 0);
    std::vector<LRESULT> seen;
    for (int i = 0; i < 3; ++i) {
        display.click(list, on_box(list, 0));
        display.advance(1000);  // apart, so no double click
        pump();
        seen.push_back(SendMessage(list, CLB_GETCHECK, 0, 0));
    }
    EXPECT_EQ(seen, (std::vector<LRESULT>{1, 2, 0}));
}

TEST_F(CheckListBoxTest, SpaceTogglesEverySelectedItem) {
    HWND list = make_list(LBS_MULTIPLESEL);
    SendMessage(list, LB_SETSEL, TRUE, 0);
    SendMessage(list, LB_SETSEL, TRUE, 2);
    SetFocus(list);
    inject_key_press(VK_SPACE);
    pump();
    EXPECT_EQ(checks(list), (std::vector<LRESULT>{1, 0, 1}));
    EXPECT_EQ(SendMessage(list, LB_GETSELCOUNT, 0, 0), 2) << "the selection stays";
}

TEST_F(CheckListBoxTest, Picture) {
    HWND list = make_list();
    SendMessage(list, CLB_SETCHECKSTYLE, BS_AUTO3STATE, 0);
    SendMessage(list, CLB_SETCHECK, 0, LPARAM(BST_CHECKED));
    SendMessage(list, CLB_SETCHECK, 1, LPARAM(BST_INDETERMINATE));
    SendMessage(list, CLB_ENABLE, 2, FALSE);
    pump();
    EXPECT_TRUE(matches_snapshot("check_list_box", top));
}

}  // namespace
}  // namespace user_test
