// Editor views as the panes of a splitter: panes beside each other keep one top
// line, panes above each other one left column, whichever way a pane scrolls, and
// every pane edits and shows the one buffer.
#include <gtest/gtest.h>

#include "editor/window/tests/edit_window_fixture.h"

namespace editor::testing {
namespace {

// A document holding the buffer its views show, as the IDE's does.
class BufferDocument : public CDocument {
public:
    BufferDocument() { m_bAutoDelete = FALSE; }
    SECEdit* buffer = nullptr;
};

class BufferView : public SECEditView {
    DECLARE_DYNCREATE(BufferView)
public:
    void OnInitialUpdate() override {
        if (auto* doc = dynamic_cast<BufferDocument*>(GetDocument())) Attach(doc->buffer);
        SECEditView::OnInitialUpdate();
    }
};
IMPLEMENT_DYNCREATE(BufferView, SECEditView)

class SplitFrame : public CFrameWnd {
public:
    CSplitterWnd splitter;
    BOOL OnCreateClient(CREATESTRUCT*, CCreateContext* context) override {
        return splitter.Create(this, 2, 2, CSize(30, 30), context);
    }
};

class SplitViewTest : public EditWindowTest {
protected:
    void SetUp() override {
        EditWindowTest::SetUp();
        std::string text;
        for (int i = 1; i <= 100; ++i) text += "line " + std::to_string(i) + " of the text that runs wide\r\n";
        edit->LoadText(text.c_str());
        document.buffer = edit.get();
        CCreateContext context;
        context.m_pNewViewClass = RUNTIME_CLASS(BufferView);
        context.m_pCurrentDoc = &document;
        frame = new SplitFrame;
        ASSERT_TRUE(frame->Create(nullptr, "split", WS_POPUP | WS_VISIBLE, CRect(0, 0, 400, 300), nullptr, nullptr, 0,
                                  &context));
        frame->InitialUpdateFrame(&document, TRUE);
        pump();
    }
    void TearDown() override {
        if (::IsWindow(frame->m_hWnd)) frame->DestroyWindow();
        EditWindowTest::TearDown();
    }
    BufferView* pane(int row, int col) { return dynamic_cast<BufferView*>(frame->splitter.GetPane(row, col)); }
    void Activate(int row, int col) {
        frame->splitter.SetActivePane(row, col);
        pump();
    }

    BufferDocument document;
    SplitFrame* frame = nullptr;
};

TEST_F(SplitViewTest, PanesBesideEachOtherKeepOneTopLineAndPanesAboveEachOtherOneLeftColumn) {
    BufferView* first = pane(0, 0);
    ASSERT_NE(first, nullptr);
    // The keys scroll the first pane; the pane split off beside it starts there.
    for (int i = 0; i < 3; ++i) display.press(VK_NEXT);
    pump();
    const int top = first->top_line();
    ASSERT_GT(top, 1);
    ASSERT_TRUE(frame->splitter.SplitColumn(180));
    ASSERT_NE(pane(0, 1), nullptr);
    EXPECT_EQ(pane(0, 1)->top_line(), top);
    EXPECT_EQ(pane(0, 1)->caret().line, 1);  // each pane keeps its own caret

    // The wheel over the first pane, the caret keys, then a pane split off below.
    Activate(0, 0);
    first->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(-WHEEL_DELTA)), 0);
    pump();
    EXPECT_EQ(pane(0, 1)->top_line(), first->top_line());
    EXPECT_NE(first->top_line(), top);
    display.chord(VK_CONTROL, VK_HOME);
    display.press(VK_END);
    pump();
    ASSERT_GT(first->left_column(), 0);
    ASSERT_TRUE(frame->splitter.SplitRow(120));
    EXPECT_EQ(pane(1, 0)->left_column(), first->left_column());
    EXPECT_EQ(pane(1, 0)->top_line(), 1);
    // The lower right pane lines up with the lower left one, not with the first.
    EXPECT_EQ(pane(1, 1)->top_line(), pane(1, 0)->top_line());

    // Scrolling the lower row moves it alone.
    Activate(1, 0);
    display.chord(VK_CONTROL, VK_END);
    pump();
    EXPECT_EQ(pane(1, 1)->top_line(), pane(1, 0)->top_line());
    EXPECT_GT(pane(1, 0)->top_line(), 50);
    EXPECT_EQ(first->top_line(), 1);
    EXPECT_EQ(pane(0, 1)->top_line(), 1);
    // Each column keeps one left column.
    EXPECT_EQ(first->left_column(), pane(1, 0)->left_column());
    EXPECT_EQ(pane(0, 1)->left_column(), pane(1, 1)->left_column());
}

TEST_F(SplitViewTest, ARowsSharedBarScrollsBothItsPanes) {
    ASSERT_TRUE(frame->splitter.SplitColumn(180));
    CScrollBar* bar = frame->splitter.GetPaneScrollBar(pane(0, 0), SB_VERT);
    ASSERT_NE(bar, nullptr);
    CRect rect;
    bar->GetClientRect(&rect);
    display.click(bar->m_hWnd, POINT{rect.CenterPoint().x, rect.bottom - 20});  // a page down
    pump();
    EXPECT_GT(pane(0, 0)->top_line(), 1);
    EXPECT_EQ(pane(0, 1)->top_line(), pane(0, 0)->top_line());
    EXPECT_EQ(bar->GetScrollPos(), pane(0, 0)->top_line() - 1);
}

TEST_F(SplitViewTest, FourPanesEditOneBufferSnapshot) {
    ASSERT_TRUE(frame->splitter.SplitRow(130));
    ASSERT_TRUE(frame->splitter.SplitColumn(200));
    Activate(1, 1);
    ASSERT_NE(pane(1, 1), nullptr);
    ASSERT_EQ(::GetFocus(), pane(1, 1)->m_hWnd);
    display.chord(VK_CONTROL, VK_HOME);
    for (char c : std::string("new ")) ::SendMessage(::GetFocus(), WM_CHAR, WPARAM(c), 0);
    pump();
    EXPECT_EQ(std::string(edit->TextOf(edit->GetLineByNumber(1))), "new line 1 of the text that runs wide");
    EXPECT_TRUE(
        testing_kit::matches_painted_golden(frame->m_hWnd, "editor/window/tests/golden/editor_split_four_panes.png"));
}

}  // namespace
}  // namespace editor::testing
