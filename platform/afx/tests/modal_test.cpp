// Modal dialogs, property sheets and message boxes opened from one another:
// a box belongs to the window the person works in and gives the keyboard back
// to it, and closing the main window while any of them runs ends them as a
// Cancel before the window closes.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/afx/afx.h"
#include "platform/afx/tests/afx_fixture.h"
#include "platform/res/compiler/resource_parser.h"
#include "platform/user/modal_loop.h"

namespace {

using Log = std::vector<std::string>;

constexpr UINT kOuter = 300, kInner = 301, kPage = 302;
constexpr int kBoxButton = 40, kNestButton = 41;

constexpr const char* kTemplates = R"(
dialog 300 "Outer" 0 0 160 60
  font 8 "Kit Test Cells"
  edittext 42 "" 4 4 100 12
  pushbutton 40 "&Box" 4 40 40 14
  pushbutton 41 "&Nested" 50 40 40 14
  defpushbutton 1 "OK" 96 40 28 14
  pushbutton 2 "Cancel" 128 40 28 14
end
dialog 301 "Inner" 0 0 160 60
  font 8 "Kit Test Cells"
  edittext 42 "" 4 4 100 12
  pushbutton 40 "&Box" 4 40 40 14
  defpushbutton 1 "OK" 96 40 28 14
  pushbutton 2 "Cancel" 128 40 28 14
end
dialog 302 "Page" 0 0 160 60
  style child
  font 8 "Kit Test Cells"
  edittext 42 "" 4 4 100 12
  pushbutton 40 "&Box" 4 40 40 14
end
)";

Log& log() {
    static Log lines;
    return lines;
}

std::string caption_of(HWND hwnd) {
    char text[64] = {};
    if (hwnd) GetWindowText(hwnd, text, sizeof text);
    return text;
}

// Alt+B shows a message box, Alt+N opens the inner dialog (no parent given: it belongs to the
// dialog it was opened from).
template <class Base>
class Opener : public Base {
public:
    using Base::Base;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
        if (LOWORD(wParam) == kBoxButton) {
            log().push_back("box " + std::to_string(AfxMessageBox("Null string specified.", MB_OKCANCEL)));
            return TRUE;
        }
        if (LOWORD(wParam) == kNestButton) {
            Opener<CDialog> inner(kInner);
            log().push_back("inner " + std::to_string(inner.DoModal()));
            return TRUE;
        }
        return Base::OnCommand(wParam, lParam);
    }
};

class MainFrame : public CFrameWnd {
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_CLOSE) log().push_back("frame closes");
        return CFrameWnd::WindowProc(message, wParam, lParam);
    }
    void PostNcDestroy() override {}
};

class ModalTest : public AfxTest {
protected:
    void SetUp() override {
        AfxTest::SetUp();
        auto parsed = kit::res::parse_resources(kTemplates, "modal_test");
        ASSERT_TRUE(parsed.ok());
        module_ = std::move(parsed.module);
        kit::res::register_module(&module_);
        log().clear();
        open_frame();
    }
    void open_frame() {
        ASSERT_TRUE(frame.Create(nullptr, "Main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 400, 300)));
        app.m_pMainWnd = &frame;
        ::SetActiveWindow(frame.m_hWnd);
    }
    void TearDown() override {
        app.m_pMainWnd = nullptr;
        if (frame.m_hWnd) frame.DestroyWindow();
        kit::res::unregister_module(&module_);
        AfxTest::TearDown();
    }

    // Runs `open` (which opens the first modal window) with `steps` taken one at a time
    // whenever the loop in charge is idle.
    void run(const std::function<void()>& open, const std::vector<std::function<void()>>& steps) {
        for (const auto& step : steps) display.then(step);
        open();
        EXPECT_EQ(display.steps_left(), 0u);
        // Then what the application's own loop would do with what was left for it.
        MSG msg;
        while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE) && msg.message != WM_QUIT) {
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        }
    }
    // What the person sees: the active window and whether the keyboard is in it.
    static std::string where_the_keyboard_is() {
        HWND active = GetActiveWindow();
        HWND focus = GetFocus();
        bool inside = focus && (focus == active || IsChild(active, focus));
        return caption_of(active) + (IsWindowEnabled(active) ? "" : " (disabled)") + (inside ? "" : " (no focus)");
    }
    std::function<void()> press(int vk) {
        return [this, vk] { display.press(vk); };
    }
    std::function<void()> alt(int vk) {
        return [this, vk] { display.chord(VK_MENU, vk); };
    }
    std::function<void()> expect_keyboard_in(std::string caption) {
        return [caption] { EXPECT_EQ(where_the_keyboard_is(), caption); };
    }
    std::function<void()> close_frame() {
        return [this] { frame.PostMessage(WM_CLOSE); };
    }

    CWinApp app{"modal_test"};
    MainFrame frame;
    kit::res::Module module_;
};

void open_box() { log().push_back("box " + std::to_string(AfxMessageBox("Build it first?", MB_YESNOCANCEL))); }

void open_outer() { log().push_back("outer " + std::to_string(Opener<CDialog>(kOuter).DoModal())); }

void open_sheet() {
    Opener<CPropertyPage> page(kPage);
    CPropertySheet sheet("Sheet");
    sheet.AddPage(&page);
    log().push_back("sheet " + std::to_string(sheet.DoModal()));
}

// Each path opens a box, answers it, and then the keyboard must be back where the box came from
// and Escape must reach that window.
TEST_F(ModalTest, AMessageBoxGivesTheKeyboardBackToTheWindowItWasShownFrom) {
    struct Case {
        const char* what;
        std::function<void()> open;
        std::vector<std::function<void()>> steps;
        Log expected;
    };
    const Case cases[] = {
        {"from a dialog",
         open_outer,
         {alt('B'), press(VK_RETURN), expect_keyboard_in("Outer"), press(VK_ESCAPE)},
         {"box 1", "outer 2"}},
        {"from a property page",
         open_sheet,
         {alt('B'), press(VK_RETURN), expect_keyboard_in("Sheet"), press(VK_ESCAPE)},
         {"box 1", "sheet 2"}},
        {"from a dialog opened by a dialog",
         open_outer,
         {alt('N'), alt('B'), press(VK_RETURN), expect_keyboard_in("Inner"), press(VK_ESCAPE),
          expect_keyboard_in("Outer"), press(VK_ESCAPE)},
         {"box 1", "inner 2", "outer 2"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        log().clear();
        run(c.open, c.steps);
        EXPECT_EQ(log(), c.expected);
        EXPECT_EQ(where_the_keyboard_is(), "Main");
    }
}

// The close is carried out only once the handler that opened the loops has returned, so nothing
// the handler still uses is freed under it.
TEST_F(ModalTest, ClosingTheMainWindowEndsEachKindOfModalLoopAsCancelFirst) {
    auto capture_loop = [this] {
        auto end =
            kit::user::run_capture_loop(frame.m_hWnd, [](const MSG&) { return kit::user::LoopStep::keep_going; });
        log().push_back(end == kit::user::LoopStep::cancelled ? "drag cancelled" : "drag ended");
    };
    auto popup_menu = [this] {
        HMENU menu = CreatePopupMenu();
        AppendMenu(menu, MF_STRING, 7, "&Seven");
        log().push_back("menu " +
                        std::to_string(TrackPopupMenu(menu, TPM_RETURNCMD, 10, 10, 0, frame.m_hWnd, nullptr)));
        DestroyMenu(menu);
    };
    struct Case {
        const char* what;
        std::function<void()> open;
        std::vector<std::function<void()>> steps;
        Log expected;
    };
    const Case cases[] = {
        {"a message box from a command", open_box, {close_frame()}, {"box 2", "frame closes"}},
        {"a dialog", open_outer, {close_frame()}, {"outer 2", "frame closes"}},
        {"a property sheet", open_sheet, {close_frame()}, {"sheet 2", "frame closes"}},
        {"a message box from a dialog", open_outer, {alt('B'), close_frame()}, {"box 2", "outer 2", "frame closes"}},
        {"a dialog opened by a dialog", open_outer, {alt('N'), close_frame()}, {"inner 2", "outer 2", "frame closes"}},
        {"a capture loop", capture_loop, {close_frame()}, {"drag cancelled", "frame closes"}},
        {"a popup menu", popup_menu, {close_frame()}, {"menu 0", "frame closes"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (!frame.m_hWnd) open_frame();
        log().clear();
        run(c.open, c.steps);
        EXPECT_EQ(log(), c.expected);
        EXPECT_EQ(frame.m_hWnd, nullptr);
    }
}

// A close for the dialog itself is its own Cancel, and one for a window the loops do not run
// over is not held back.
TEST_F(ModalTest, ACloseForTheDialogItselfOrAnotherWindowIsNotHeldBack) {
    MainFrame other;
    ASSERT_TRUE(other.Create(nullptr, "Other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 100, 100)));
    HWND other_hwnd = other.m_hWnd;
    run(open_outer, {[other_hwnd] { PostMessage(other_hwnd, WM_CLOSE, 0, 0); }, expect_keyboard_in("Outer"),
                     [] { PostMessage(GetActiveWindow(), WM_CLOSE, 0, 0); }});
    EXPECT_EQ(log(), (Log{"frame closes", "outer 2"}));
    EXPECT_FALSE(IsWindow(other_hwnd));
    EXPECT_TRUE(frame.m_hWnd != nullptr);
}

}  // namespace
