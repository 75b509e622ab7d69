// The memory bar's views over a fake target: painting with the changed and
// read-only colours, the tab window's scroll bars, keys, typing into target
// memory, Set Memory's check, and no access to the target after a run ends.
#include <cstring>
#include <string>

#include "ide/shell/memwin/mem_bar.h"
#include "ide/shell/memwin/memory_address.h"
#include "ide/shell/memwin/tests/debug_windows_fixture.h"

namespace {

class MemBarTest : public DebugWindowsTest {
protected:
    void SetUp() override {
        DebugWindowsTest::SetUp();
        bar->m_bAutoDelete = TRUE;
        ASSERT_TRUE(bar->Create(frame, "Memory", 0x50001414, 0xF11, 102));
        bar->MoveWindow(0, 0, 600, 240);
        pump();
    }
    CMemWnd& view() { return bar->View(0); }
    // A stopped target: the first refresh takes the compare copy.
    void start_session() {
        bar->SetTargetMemory(views());
        bar->RefreshFromTarget();
        pump();
    }
    void poke(std::uint16_t address, std::uint8_t value) { target->poke(address, {&value, 1}); }
    std::uint8_t peek(std::uint16_t address) { return view().Image()->ReadByte(address).value(); }
    // Client rectangles of byte `index` of grid row `row`: its hex digits and its character.
    CRect hex_cells(int row, int index) {
        const int x = (view().View().hex_x() + 3 * index) * view().CharWidth();
        return {x, row * view().RowHeight(), x + 2 * view().CharWidth(), (row + 1) * view().RowHeight()};
    }
    CPoint cell_point(int cell, int row) {
        return {cell * view().CharWidth() + view().CharWidth() / 2, row * view().RowHeight() + view().RowHeight() / 2};
    }
    void scroll(UINT code, int position = 0) {
        CScrollBar* vertical = bar->TabWnd().GetTabScrollBar(SB_VERT);
        ASSERT_TRUE(vertical);
        bar->TabWnd().SendMessage(WM_VSCROLL, MAKEWPARAM(code, position), LPARAM(vertical->m_hWnd));
        pump();
    }
    int bar_position() { return bar->TabWnd().GetTabScrollBar(SB_VERT)->GetScrollPos(); }
    gdi::Surface picture() {
        pump();
        gdi::Surface shot;
        EXPECT_TRUE(testing_kit::painted_picture(frame->m_hWnd, &shot));
        return shot;
    }

    CVyrMemBar* bar = new CVyrMemBar;
};

TEST_F(MemBarTest, HoldsTwoViewsWithTheTabWindowsScrollBars) {
    ASSERT_EQ(bar->TabWnd().GetTabCount(), 2);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(bar->View(i).GetDlgCtrlID(), 1095 + i);
        EXPECT_EQ(bar->View(i).GetParent(), &bar->TabWnd());
        EXPECT_EQ(bar->TabWnd().GetScrollStyle(i), DWORD(WS_HSCROLL | WS_VSCROLL));
    }
    // The view lays itself out from its client area in cells and rows.
    CRect client;
    view().GetClientRect(&client);
    const ide::MemViewModel& grid = view().View();
    EXPECT_EQ(grid.bytes_per_row(), (client.Width() / view().CharWidth() - 7) / 4);
    EXPECT_EQ(grid.rows(), client.Height() / view().RowHeight());
    int low = -1, high = -1;
    bar->TabWnd().GetTabScrollBar(SB_VERT)->GetScrollRange(&low, &high);
    EXPECT_EQ(low, 0);
    EXPECT_EQ(high, 65536 / grid.bytes_per_row() - grid.rows());
}

TEST_F(MemBarTest, PaintsChangedBytesRedAndBytesItCannotWriteBlue) {
    // Before a session: nothing but the background (and no caret).
    frame->SetFocus();
    CRect client;
    view().GetClientRect(&client);
    EXPECT_EQ(count_pixels(view(), client, ::GetSysColor(COLOR_WINDOWTEXT)), 0);

    start_session();
    poke(0x1001, 0x41);  // as a step would
    bar->RefreshFromTarget();
    ASSERT_TRUE(view().SetAddress(0x1000).ok());
    EXPECT_EQ(count_pixels(view(), hex_cells(0, 0), CMemWnd::kChangedColour), 0);
    EXPECT_GT(count_pixels(view(), hex_cells(0, 1), CMemWnd::kChangedColour), 0);
    EXPECT_GT(count_pixels(view(), hex_cells(0, 0), ::GetSysColor(COLOR_WINDOWTEXT)), 0);
    const int x = view().View().char_x() * view().CharWidth();
    EXPECT_GT(count_pixels(view(), {x, 0, client.right, view().RowHeight()}, CMemWnd::kChangedColour), 0);

    ASSERT_TRUE(view().SetAddress(0xC000).ok());  // ROM
    EXPECT_GT(count_pixels(view(), hex_cells(0, 0), CMemWnd::kReadOnlyColour), 0);
    EXPECT_EQ(count_pixels(view(), client, CMemWnd::kChangedColour), 0);

    // The next run and stop without changes: nothing is red.
    bar->SnapshotTarget();
    bar->RefreshFromTarget();
    ASSERT_TRUE(view().SetAddress(0x1000).ok());
    EXPECT_EQ(count_pixels(view(), client, CMemWnd::kChangedColour), 0);

    // A stop that changed a byte on show repaints it by itself.
    poke(0x1002, 0x42);
    bar->RefreshFromTarget();
    EXPECT_GT(count_pixels(view(), hex_cells(0, 2), CMemWnd::kChangedColour), 0);
}

TEST_F(MemBarTest, ScrollBarsAndKeysMoveTheGridAndKeepTheBarInStep) {
    start_session();
    for (int i = 0; i < 0x100; ++i) poke(std::uint16_t(0x2000 + i), std::uint8_t(i));
    bar->RefreshFromTarget();
    ASSERT_TRUE(view().SetAddress(0x2000).ok());
    const ide::MemViewModel& grid = view().View();
    const int per_row = grid.bytes_per_row();
    pump();

    scroll(SB_PAGEDOWN);
    EXPECT_EQ(grid.top(), 0x2000 + (grid.rows() - 1) * per_row);
    EXPECT_EQ(bar_position(), grid.top() / per_row);

    // A one-row scroll moves the pixels and draws the new row: the same
    // picture as a whole repaint.
    scroll(SB_LINEDOWN);
    EXPECT_EQ(grid.top(), 0x2000 + grid.rows() * per_row);
    const gdi::Surface scrolled = picture();
    view().Invalidate();
    view().UpdateWindow();
    EXPECT_EQ(picture().pixels(), scrolled.pixels());

    scroll(SB_THUMBPOSITION, 0x10);
    EXPECT_EQ(grid.top(), 0x10 * per_row);
    EXPECT_EQ(bar_position(), 0x10);
    scroll(SB_THUMBTRACK, 0x40);  // the view does not follow a dragged thumb
    EXPECT_EQ(grid.top(), 0x10 * per_row);

    view().SetFocus();
    display.chord(VK_CONTROL, VK_END);
    pump();
    EXPECT_EQ(grid.top(), grid.bottom());
    EXPECT_EQ(grid.caret_row(), grid.rows() - 1);
    EXPECT_EQ(bar_position(), grid.bottom() / per_row);
    scroll(SB_LINEDOWN);
    scroll(SB_PAGEDOWN);
    EXPECT_EQ(grid.top(), grid.bottom());

    display.chord(VK_CONTROL, VK_HOME);
    pump();
    EXPECT_EQ(grid.top(), 0);
    EXPECT_EQ(bar_position(), 0);
}

TEST_F(MemBarTest, EachViewKeepsItsOwnPlaceOnTheSharedScrollBars) {
    ASSERT_TRUE(view().SetAddress(0x1000).ok());
    ASSERT_TRUE(bar->View(1).SetAddress(0x8000).ok());  // hidden: the bars keep view 0's place
    EXPECT_EQ(bar_position(), 0x1000 / view().View().bytes_per_row());
    bar->TabWnd().ActivateTab(1);
    pump();
    EXPECT_EQ(bar_position(), 0x8000 / bar->View(1).View().bytes_per_row());
    scroll(SB_LINEDOWN);  // goes to the active view only
    EXPECT_EQ(bar->View(1).View().top(), 0x8000 + bar->View(1).View().bytes_per_row());
    EXPECT_EQ(view().View().top(), 0x1000);
    bar->TabWnd().ActivateTab(0);
    pump();
    EXPECT_EQ(bar_position(), 0x1000 / view().View().bytes_per_row());
}

TEST_F(MemBarTest, ANarrowViewPansOverSixteenCells) {
    start_session();
    CRect client;
    view().GetClientRect(&client);
    const int wide = client.Width();
    bar->MoveWindow(0, 0, 600 - wide + 10 * view().CharWidth(), 240);  // a view 10 cells wide
    pump();
    const ide::MemViewModel& grid = view().View();
    ASSERT_TRUE(grid.panning());
    EXPECT_EQ(grid.bytes_per_row(), 2);
    CScrollBar* horizontal = bar->TabWnd().GetTabScrollBar(SB_HORZ);
    ASSERT_TRUE(horizontal);
    int low = -1, high = -1;
    horizontal->GetScrollRange(&low, &high);
    EXPECT_EQ(high, 16);

    const gdi::Surface unpanned = picture();
    for (int i = 0; i < 3; ++i)
        bar->TabWnd().SendMessage(WM_HSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), LPARAM(horizontal->m_hWnd));
    pump();
    EXPECT_EQ(grid.pan(), 3);
    EXPECT_EQ(horizontal->GetScrollPos(), 3);
    EXPECT_NE(picture().pixels(), unpanned.pixels());
    // A click lands on the cell it shows: three cells further right.
    display.click(view().m_hWnd, cell_point(grid.hex_x() - 3, 0));
    pump();
    EXPECT_EQ(grid.caret_x(), grid.hex_x());
}

TEST_F(MemBarTest, TypedDigitsAndCharactersGoIntoTargetMemoryAtOnce) {
    start_session();
    ASSERT_TRUE(view().SetAddress(0x1000).ok());
    const ide::MemViewModel& grid = view().View();
    pump();

    display.click(view().m_hWnd, cell_point(grid.hex_x(), 0));
    pump();
    EXPECT_EQ(CWnd::GetFocus(), &view());
    display.type("4A");
    pump();
    EXPECT_EQ(target->eram[0x2000 + 0x1000], 0x4A);  // page 0's RAM, where the simulator reads it
    EXPECT_EQ(grid.caret_x(), grid.hex_x() + 2);     // the blank behind the byte
    EXPECT_GT(count_pixels(view(), hex_cells(0, 0), CMemWnd::kChangedColour), 0);

    // Tab leads from the byte to its character; the view keeps the key.
    display.click(view().m_hWnd, cell_point(grid.hex_x() + 3, 0));
    display.press(VK_TAB);
    pump();
    EXPECT_EQ(CWnd::GetFocus(), &view());
    EXPECT_EQ(grid.caret_x(), grid.char_x() + 1);
    display.type("z");
    pump();
    EXPECT_EQ(peek(0x1001), 'z');
    EXPECT_EQ(grid.caret_x(), grid.char_x() + 2);

    // The value a byte already has: the caret moves, nothing is marked.
    display.click(view().m_hWnd, cell_point(grid.hex_x() + 6, 0));
    display.type("00");
    pump();
    EXPECT_FALSE(view().Image()->IsChanged(0x1002));
    EXPECT_EQ(grid.caret_x(), grid.hex_x() + 8);

    // ROM keeps its value and the caret stays.
    ASSERT_TRUE(view().SetAddress(0xC000).ok());
    display.click(view().m_hWnd, cell_point(grid.hex_x(), 0));
    display.type("5");
    pump();
    EXPECT_EQ(target->rom[0], 0);
    EXPECT_EQ(grid.caret_x(), grid.hex_x());
}

TEST_F(MemBarTest, TypingOnBytesWithoutASessionChangesNothing) {
    view().SetFocus();
    const ide::MemViewModel& grid = view().View();
    display.click(view().m_hWnd, cell_point(grid.hex_x(), 1));
    display.type("7");
    pump();
    EXPECT_EQ(grid.caret_x(), grid.hex_x());
    EXPECT_EQ(grid.caret_row(), 1);
}

TEST_F(MemBarTest, SetMemoryRefusesAddressesOutsideTheTarget) {
    ASSERT_TRUE(view().SetAddress(0x1F00).ok());
    for (std::uint32_t outside : {0x10000u, 0xFFFFFFFFu}) {
        const os::Status status = view().SetAddress(outside);
        ASSERT_FALSE(status.ok());
        EXPECT_EQ(status.error().text, ide::kNotValidAddress);
        EXPECT_EQ(view().View().top(), 0x1F00);
    }
    EXPECT_EQ(bar_position(), 0x1F00 / view().View().bytes_per_row());
}

TEST_F(MemBarTest, NothingReadsTheTargetAfterTheRunEnds) {
    start_session();
    view().SetFocus();
    bar->DropTargetMemory();  // as the debug manager calls it before unmapping
    target.reset();           // the memory is gone: any read would be caught
    RedrawWindow(frame->m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    display.type("12ab");
    display.press(VK_DOWN);
    bar->View(1).SetFocus();  // a focus refresh
    pump();
    EXPECT_FALSE(view().RefreshFromTarget());
    EXPECT_FALSE(view().SnapshotTarget());
    EXPECT_EQ(view().Image(), nullptr);

    // A new run gives new memory.
    target = std::make_unique<ide::testing::TargetFixture>();
    start_session();
    EXPECT_TRUE(view().RefreshFromTarget());
}

TEST_F(MemBarTest, StoppedPicture) {
    // RAM up to 0x3FFF, then the program's flash (not writable, blue).
    const char text[] = "Hello from the device! Counter:";
    target->poke(0x3F80, {reinterpret_cast<const std::uint8_t*>(text), sizeof text});
    for (int i = 0; i < 0x50; ++i) poke(std::uint16_t(0x3FB0 + i), std::uint8_t(0x20 + i * 7));
    start_session();
    poke(0x3F9F, 0x05);  // a step changed a few bytes
    poke(0x3FC4, 0x99);
    poke(0x3FC5, 0x9A);
    bar->RefreshFromTarget();
    ASSERT_TRUE(view().SetAddress(0x3F80).ok());
    shoot("memory_bar");
}

}  // namespace
