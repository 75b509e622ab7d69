// Corvel's source windows in the MDI area: their places when one of them is
// minimized, and the editor's context menu asked for from the keyboard.
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "ide/shell/source_view.h"
#include "ide/shell/tests/corvel_fixture.h"
#include "platform/afx/mdi.h"
#include "platform/user/context_menu_key.h"
#include "platform/user/input_api.h"

namespace {

class CorvelDocumentWindowsTest : public StartedCorvelTest {
protected:
    // Opens the sample's source and a second one beside it; the second is active.
    void OpenTwoSources() {
        std::ofstream(work / "second.asm") << "; a second source\n\tNOP\n";
        ASSERT_TRUE(app->OpenDocumentFile((work / "hello.asm").c_str()));
        ASSERT_TRUE(app->OpenDocumentFile((work / "second.asm").c_str()));
        HandleQueued(*app);
        second = frame().MDIGetActive();
        ASSERT_NE(second, nullptr);
        ASSERT_EQ(second->GetWindowText(), "second.asm");
    }
    // A child's place in the MDI area's client coordinates.
    CRect PlaceInArea(CWnd& child) {
        CRect place;
        child.GetWindowRect(&place);
        ::MapWindowPoints(nullptr, frame().m_hWndMDIClient, reinterpret_cast<POINT*>(&place), 2);
        return place;
    }
    CRect Area() {
        CRect area;
        ::GetClientRect(frame().m_hWndMDIClient, &area);
        return area;
    }

    CMDIChildWnd* second = nullptr;
};

// Both sources open maximized, then the main window is made smaller; minimizing one brings
// the other back restored, and whole inside the MDI area with its caption boxes.
TEST_F(CorvelDocumentWindowsTest, TheSourceLeftWhenAnotherIsMinimizedFitsTheArea) {
    Start();
    OpenTwoSources();
    CRect main;
    frame().GetWindowRect(&main);
    frame().MoveWindow(main.left, main.top, main.Width() * 2 / 3, main.Height() * 2 / 3);
    HandleQueued(*app);
    second->SendMessage(WM_SYSCOMMAND, SC_MINIMIZE);
    HandleQueued(*app);
    CMDIChildWnd* first = frame().MDIGetActive();
    ASSERT_NE(first, nullptr);
    ASSERT_NE(first, second);
    const CRect area = Area(), place = PlaceInArea(*first);
    EXPECT_GE(place.left, area.left);
    EXPECT_GE(place.top, area.top);
    EXPECT_LE(place.right, area.right);
    EXPECT_LE(place.bottom, area.bottom);
    EXPECT_TRUE(second->IsIconic());
}

// Shift+F10 and the context-menu key open the editor's menu just below its caret, which the
// menu leaves where it was.
TEST_F(CorvelDocumentWindowsTest, TheKeyboardOpensTheEditorsMenuBelowItsCaret) {
    Start();
    ASSERT_EQ(app->GoToSourceLine((work / "hello.asm").string(), 6, 1), 1);
    HandleQueued(*app);
    auto* view = dynamic_cast<shell::CVyrFrameView*>(frame().MDIGetActive()->GetActiveView());
    ASSERT_NE(view, nullptr);
    view->SetFocus();
    display.press(VK_END);  // off the left edge, past the gutter
    HandleQueued(*app);
    const editor::CaretPlace caret = view->caret();
    POINT below{};
    ::GetCaretPos(&below);
    below.y += view->cells().line_height;
    view->ClientToScreen(&below);
    for (const bool context_key : {false, true}) {
        CRect menu;
        display.then([&] {
            menu = ShownPopupMenu();
            display.press(VK_ESCAPE);
        });
        if (context_key)
            display.press(VK_APPS);
        else
            display.chord(VK_SHIFT, VK_F10);
        HandleQueued(*app);
        EXPECT_EQ(menu.TopLeft(), CPoint(below)) << (context_key ? "context-menu key" : "Shift+F10");
        EXPECT_EQ(view->caret(), caret);
    }
}

}  // namespace
