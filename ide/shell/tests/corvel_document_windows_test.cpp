// Corvel's source windows: the editor's context menu asked for from the keyboard.
#include <string>

#include <gtest/gtest.h>

#include "ide/shell/source_view.h"
#include "ide/shell/tests/corvel_fixture.h"
#include "platform/afx/mdi.h"
#include "platform/user/context_menu_key.h"
#include "platform/user/input_api.h"

namespace {

using CorvelDocumentWindowsTest = StartedCorvelTest;

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
