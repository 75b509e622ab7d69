// The find and replace dialog tells its owner each request through the
// registered message, and ends itself on Cancel.
#include <string>
#include <vector>

#include "platform/afx/afx.h"
#include "platform/afx/tests/afx_fixture.h"

namespace {

const UINT kFindMessage = RegisterWindowMessage(FINDMSGSTRING);

struct Request {
    std::string find, replace;
    bool next, replace_one, replace_all, down, match_case, whole_word, terminating;
};

class Owner : public CWnd {
public:
    std::vector<Request> requests;
    afx_msg LRESULT OnFind(WPARAM, LPARAM lParam) {
        CFindReplaceDialog* d = CFindReplaceDialog::GetNotifier(lParam);
        requests.push_back({d->GetFindString().str(), d->GetReplaceString().str(), bool(d->FindNext()),
                            bool(d->ReplaceCurrent()), bool(d->ReplaceAll()), bool(d->SearchDown()),
                            bool(d->MatchCase()), bool(d->MatchWholeWord()), bool(d->IsTerminating())});
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(Owner, CWnd)
ON_REGISTERED_MESSAGE(kFindMessage, OnFind)
END_MESSAGE_MAP()

class FindReplaceTest : public AfxTest {
protected:
    void SetUp() override {
        AfxTest::SetUp();
        ASSERT_TRUE(
            owner.CreateEx(0, nullptr, "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200, nullptr, nullptr));
    }
    Owner owner;
};

TEST_F(FindReplaceTest, FindRequestsCarryTheTextAndOptions) {
    auto* dialog = new CFindReplaceDialog;
    ASSERT_TRUE(dialog->Create(TRUE, "start", nullptr, FR_DOWN, &owner));
    HWND hwnd = dialog->m_hWnd;
    char text[64] = {};
    GetDlgItemText(hwnd, CFindReplaceDialog::kFindEdit, text, sizeof text);
    EXPECT_STREQ(text, "start");

    SetDlgItemText(hwnd, CFindReplaceDialog::kFindEdit, "needle");
    CheckDlgButton(hwnd, CFindReplaceDialog::kMatchCase, BST_CHECKED);
    CheckRadioButton(hwnd, CFindReplaceDialog::kUp, CFindReplaceDialog::kDown, CFindReplaceDialog::kUp);
    SendMessage(hwnd, WM_COMMAND, IDOK, 0);
    ASSERT_EQ(owner.requests.size(), 1u);
    const Request& find = owner.requests[0];
    EXPECT_EQ(find.find, "needle");
    EXPECT_TRUE(find.next);
    EXPECT_TRUE(find.match_case);
    EXPECT_FALSE(find.whole_word);
    EXPECT_FALSE(find.down);
    EXPECT_FALSE(find.terminating);

    SendMessage(hwnd, WM_COMMAND, IDCANCEL, 0);
    ASSERT_EQ(owner.requests.size(), 2u);
    EXPECT_TRUE(owner.requests[1].terminating);
    EXPECT_FALSE(IsWindow(hwnd));  // gone, and the object with it
}

TEST_F(FindReplaceTest, ReplaceRequestsKeepTheDirection) {
    auto* dialog = new CFindReplaceDialog;
    ASSERT_TRUE(dialog->Create(FALSE, "old", "new", FR_DOWN | FR_WHOLEWORD, &owner));
    HWND hwnd = dialog->m_hWnd;
    SendMessage(hwnd, WM_COMMAND, CFindReplaceDialog::kReplace, 0);
    SetDlgItemText(hwnd, CFindReplaceDialog::kReplaceEdit, "newer");
    SendMessage(hwnd, WM_COMMAND, CFindReplaceDialog::kReplaceAll, 0);
    ASSERT_EQ(owner.requests.size(), 2u);
    EXPECT_TRUE(owner.requests[0].replace_one);
    EXPECT_EQ(owner.requests[0].replace, "new");
    EXPECT_TRUE(owner.requests[0].whole_word);
    EXPECT_TRUE(owner.requests[0].down);
    EXPECT_TRUE(owner.requests[1].replace_all);
    EXPECT_EQ(owner.requests[1].replace, "newer");
    dialog->DestroyWindow();
}

// The dialog is modeless: its keys come through the application's loop, which offers them to it.
TEST_F(FindReplaceTest, TabEnterAndEscapeWorkThroughTheApplicationsLoop) {
    CWinApp app("find_replace_test");
    auto pump = [&app] {
        MSG msg;
        while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (!app.PreTranslateMessage(&msg)) {
                TranslateMessage(&msg);
                DispatchMessage(&msg);
            }
        }
    };
    auto* dialog = new CFindReplaceDialog;
    ASSERT_TRUE(dialog->Create(TRUE, "needle", nullptr, FR_DOWN, &owner));
    HWND hwnd = dialog->m_hWnd;
    HWND find_edit = GetDlgItem(hwnd, CFindReplaceDialog::kFindEdit);
    dialog->ShowWindow(SW_SHOW);
    SetActiveWindow(hwnd);
    SetFocus(find_edit);
    pump();

    display.press(VK_TAB);
    pump();
    EXPECT_EQ(GetFocus(), GetDlgItem(hwnd, CFindReplaceDialog::kWholeWord));
    char text[64] = {};
    GetWindowText(find_edit, text, sizeof text);
    EXPECT_STREQ(text, "needle");  // no Tab typed into it

    display.press(VK_RETURN);
    pump();
    ASSERT_EQ(owner.requests.size(), 1u);
    EXPECT_TRUE(owner.requests[0].next);

    display.press(VK_ESCAPE);
    pump();
    ASSERT_EQ(owner.requests.size(), 2u);
    EXPECT_TRUE(owner.requests[1].terminating);
    EXPECT_FALSE(IsWindow(hwnd));
}

}  // namespace
