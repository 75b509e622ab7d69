// The editor control in a dialog: it takes a placeholder's place, owns its buffer,
// wants every key, and tells its parent about focus and Escape.
#include <gtest/gtest.h>

#include <vector>

#include "editor/window/sec_edit_ctrl.h"
#include "editor/window/tests/edit_window_fixture.h"

namespace editor::testing {
namespace {

class RecordingParent : public CWnd {
public:
    std::vector<WORD> notifications;
    int escapes = 0;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
        if (LOWORD(wParam) == 100) notifications.push_back(HIWORD(wParam));
        return CWnd::OnCommand(wParam, lParam);
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_KEYDOWN && wParam == VK_ESCAPE) ++escapes;
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

TEST_F(EditWindowTest, TheControlTakesThePlaceholdersPlaceAndItsKeys) {
    RecordingParent dialog;
    ASSERT_TRUE(dialog.CreateEx(0, nullptr, "dialog", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200, nullptr, nullptr));
    HWND placeholder = ::CreateWindowEx(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 10, 20, 200, 100, dialog.m_hWnd,
                                        reinterpret_cast<HMENU>(UINT_PTR(100)), nullptr, nullptr);
    auto control = std::make_unique<SECEditCtrl>();
    ASSERT_TRUE(control->CreateFromDlgItem(100, &dialog));
    EXPECT_FALSE(::IsWindow(placeholder));
    EXPECT_EQ(::GetDlgItem(dialog.m_hWnd, 100), control->m_hWnd);
    CRect rect;
    control->GetWindowRect(&rect);
    dialog.ScreenToClient(&rect);
    EXPECT_EQ(rect, CRect(10, 20, 210, 120));
    EXPECT_EQ(control->SendMessage(WM_GETDLGCODE, 0, 0), DLGC_WANTALLKEYS);

    control->SetFocus();
    pump();
    display.type("ab");
    display.press(VK_TAB);
    display.press(VK_ESCAPE);
    pump();
    SECEdit* buffer = control->GetBuffer();
    EXPECT_EQ(buffer->TextOf(buffer->GetFirstLine()), "ab\t");
    EXPECT_EQ(dialog.escapes, 1);
    dialog.SetFocus();
    pump();
    EXPECT_EQ(dialog.notifications, (std::vector<WORD>{EN_SETFOCUS, EN_KILLFOCUS}));
    control->DestroyWindow();
    dialog.DestroyWindow();
}

}  // namespace
}  // namespace editor::testing
