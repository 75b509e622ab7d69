// The register bar's panes over a fake target's register block: the marks of
// changed values, editing by keyboard and mouse while stopped, and no access
// to the block after a run ends.
#include <cstring>

#include "ide/shell/memwin/register_bar.h"
#include "ide/shell/memwin/tests/debug_windows_fixture.h"

namespace {

constexpr int kA = 4, kFlags = 2, kP = 7;
constexpr std::uint8_t kZ = 0x02;

class RegisterBarTest : public DebugWindowsTest {
protected:
    void SetUp() override {
        DebugWindowsTest::SetUp();
        bar->m_bAutoDelete = TRUE;
        ASSERT_TRUE(bar->Create(frame, "Registers", 0x50001414, 0xF11, 103));
        bar->MoveWindow(0, 0, 300, 200);
        pump();
    }
    CRegisterWnd& pane() { return bar->Pane(0); }
    std::uint16_t pc() { return std::uint16_t(block[0] | block[1] << 8); }
    // The target stopped after a run that started from the block as it is now.
    void stop_after(void (*step)(std::uint8_t*)) {
        bar->SetRegisterBlock(block);
        step(block);
        bar->ShowStopped();
        pump();
    }
    CRect cells(int line, int column, int count) {
        const int w = pane().CharWidth(), h = pane().LineHeight();
        return {column * w, line * h, (column + count) * w, (line + 1) * h};
    }
    void click_cell(int line, int column) {
        display.click(pane().m_hWnd, {column * pane().CharWidth() + 1, line * pane().LineHeight() + 1});
        pump();
    }
    CRect client() {
        CRect rect;
        pane().GetClientRect(&rect);
        return rect;
    }

    CVyrRegWndBar* bar = new CVyrRegWndBar;
    std::uint8_t* block = register_block();
};

TEST_F(RegisterBarTest, HoldsTwoPanesAndAddsClearToItsMenu) {
    ASSERT_EQ(bar->TabWnd().GetTabCount(), 2);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(bar->Pane(i).GetDlgCtrlID(), 3095 + i);
        EXPECT_EQ(bar->Pane(i).GetParent(), &bar->TabWnd());
    }
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    bar->BuildContextMenu(menu);
    const int items = menu.GetMenuItemCount();
    ASSERT_GE(items, 2);
    EXPECT_EQ(menu.GetMenuItemID(items - 1), CVyrRegWndBar::kClearCommand);
    EXPECT_EQ(menu.GetMenuItemID(items - 2), 0u);
    CString text;
    menu.GetMenuString(items - 1, text, MF_BYPOSITION);
    EXPECT_EQ(std::string(text), "Clear");
}

TEST_F(RegisterBarTest, BeforeASessionShowsTheTemplatesAndIgnoresKeys) {
    EXPECT_GT(count_pixels(pane(), client(), RGB(0, 0, 0)), 0);
    EXPECT_EQ(count_pixels(pane(), client(), RGB(255, 0, 0)), 0);
    click_cell(0, 8);
    display.type("12");
    display.press(VK_RIGHT);
    pump();
    EXPECT_EQ(pane().Model().field(), 0);
    EXPECT_TRUE(pane().Model().Values().empty());
}

TEST_F(RegisterBarTest, MarksOnlyTheValuesThatChangedSinceTheTargetRan) {
    stop_after([](std::uint8_t* b) { b[kA] = 0x12; });
    const int red_a = count_pixels(pane(), cells(1, 2, 2), RGB(255, 0, 0));
    EXPECT_GT(red_a, 0);
    EXPECT_EQ(count_pixels(pane(), client(), RGB(255, 0, 0)), red_a);

    // A flag: only its digit; "P=" is compared with its own byte.
    stop_after([](std::uint8_t* b) {
        b[kFlags] ^= kZ;
        b[kP] ^= 0x80;
    });
    const int red_z = count_pixels(pane(), cells(3, 8, 1), RGB(255, 0, 0));
    const int red_p = count_pixels(pane(), cells(1, 20, 2), RGB(255, 0, 0));
    EXPECT_GT(red_z, 0);
    EXPECT_GT(red_p, 0);
    EXPECT_EQ(count_pixels(pane(), client(), RGB(255, 0, 0)), red_z + red_p);
}

TEST_F(RegisterBarTest, EditsWhileStoppedGoIntoTheBlockAndEscapeRestores) {
    stop_after([](std::uint8_t* b) { b[0] = 0x34, b[1] = 0x80; });
    click_cell(0, 8);
    EXPECT_EQ(CWnd::GetFocus(), &pane());
    display.type("12");
    pump();
    EXPECT_EQ(pc(), 0x1234);
    EXPECT_EQ(pane().Model().field(), 2);
    display.press(VK_ESCAPE);
    pump();
    EXPECT_EQ(pc(), 0x8034);

    click_cell(3, 8);  // Z
    display.type("7");
    pump();
    EXPECT_EQ(block[kFlags] & kZ, kZ);
    EXPECT_EQ(pane().Model().field(), 19);
    pane().SendMessage(WM_COMMAND, CRegisterWnd::kUndoCommand);
    EXPECT_EQ(block[kFlags] & kZ, 0);

    click_cell(1, 21);  // "P=" takes nothing
    const std::uint8_t p = block[kP];
    display.type("3");
    pump();
    EXPECT_EQ(block[kP], p);

    for (int i = 0; i < 3; ++i) display.press(VK_LEFT);  // onto Y's high digit
    display.type("f");
    pump();
    EXPECT_EQ(block[6] >> 4, 0xF);

    // Running: values shown, no editing.
    bar->TakeSnapshot();
    click_cell(1, 2);
    display.type("9");
    pump();
    EXPECT_EQ(block[kA] >> 4, 0);
}

TEST_F(RegisterBarTest, NothingReadsTheBlockAfterTheRunEnds) {
    stop_after([](std::uint8_t* b) { b[kA] = 0x55; });
    click_cell(1, 2);
    bar->DropTargetMemory();
    target.reset();  // unmapped: any access would be caught
    RedrawWindow(frame->m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    display.type("12 ");
    display.press(VK_ESCAPE);
    pane().SendMessage(WM_COMMAND, CRegisterWnd::kUndoCommand);
    pump();
    EXPECT_TRUE(pane().Model().Values().empty());
    EXPECT_EQ(count_pixels(pane(), client(), RGB(255, 0, 0)), 0);
}

TEST_F(RegisterBarTest, StoppedPicture) {
    block[0] = 0x10, block[1] = 0x40;
    block[3] = 0xFD;
    stop_after([](std::uint8_t* b) {
        b[0] = 0x13;
        b[kA] = 0x2A;
        b[5] = 0x07;
        b[kFlags] = kZ | 0x01;
        b[kP] = kZ | 0x01;
        b[8] = 0x00, b[9] = 0x12, b[10] = 0x2A, b[12] = 0x03;  // operand 1200:2A
    });
    shoot("register_bar");
}

}  // namespace
