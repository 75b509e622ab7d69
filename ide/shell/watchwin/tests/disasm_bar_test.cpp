// The disassembly bar: the disassembler's lines in its pane with the stop
// and the PC marked and breakpoint lines framed, its context menu item, and
// the two dialogs (address range, temporary breakpoint address).
#include <array>
#include <set>
#include <string>

#include "ide/debugger/disassembler.h"
#include "ide/shell/watchwin/disasm_bar.h"
#include "ide/shell/watchwin/disasm_dialogs.h"
#include "ide/shell/watchwin/tests/watch_fixture.h"

namespace watchwin_test {
namespace {

class DisasmBarTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        bar->m_bAutoDelete = TRUE;
        ASSERT_TRUE(bar->Create(frame, "Disassembly", 0x50001414, 0xF11, 104));
        bar->MoveWindow(0, 0, 420, 300);
        // A small loop at 0x4000: LDX #$03 / DEX / BNE $4002 / LDA ($12),Y / JMP $4000, then data.
        const std::uint8_t code[] = {0xA2, 0x03, 0xCA, 0xD0, 0xFD, 0xB1, 0x12, 0x4C, 0x00, 0x40, 0x02, 0xEA};
        target.poke(0x4000, code);
        pump();
    }
    CDisasmPane& pane() { return bar->Pane(); }

    CVyrDisasmBar* bar = new CVyrDisasmBar;
};

TEST_F(DisasmBarTest, ThePaneShowsTheStopThePcAndBreakpoints) {
    ASSERT_EQ(bar->TabWnd().GetTabCount(), 1);
    EXPECT_EQ(pane().GetDlgCtrlID(), int(CVyrDisasmBar::kPaneId));
    // The stop's line is 0x4000-0x4004, the PC at 0x4002; the pane starts a page before.
    ASSERT_EQ(ide::DisassembleRange(memory, bar->Output(), 0x4000, 0x4005, 0x4002), 0);
    ASSERT_GE(pane().GetLineCount(), 263);
    EXPECT_EQ(pane().GetLine(258).substr(0, 21), "4003: D0 FD   \tBNE  $");
    EXPECT_EQ(pane().GetMarkLines(), (std::array<int, 3>{256, 257, 258}));  // the middle, the PC, is red
    EXPECT_EQ(pane().GetTopLine(), 257);
    pane().SetBreakAddresses({0x4005, 0x4007, 0x4006});
    EXPECT_FALSE(pane().HasBreakAt(258));
    EXPECT_TRUE(pane().HasBreakAt(259));
    EXPECT_TRUE(pane().HasBreakAt(260));
    EXPECT_FALSE(pane().HasBreakAt(-1));
    EXPECT_FALSE(pane().HasBreakAt(pane().GetLineCount()));
    pane().SendMessage(WM_VSCROLL, SB_LINEUP);  // the stop's first line in view too
    shoot(frame->m_hWnd, "disassembly_window");
}

TEST_F(DisasmBarTest, LineAddresses) {
    EXPECT_EQ(DisasmLineAddress("4003: D0 FD   \tBNE"), 0x4003);
    EXPECT_EQ(DisasmLineAddress("FFFF: 00"), 0xFFFF);
    EXPECT_EQ(DisasmLineAddress("40G3: D0"), -1);
    EXPECT_EQ(DisasmLineAddress("4003"), -1);
    EXPECT_EQ(DisasmLineAddress(""), -1);
}

TEST_F(DisasmBarTest, TheContextMenuEndsWithTheTemporaryBreakpointItem) {
    CMenu menu;
    menu.CreatePopupMenu();
    bar->OnExtendContextMenu(&menu);
    ASSERT_EQ(menu.GetMenuItemCount(), 2);
    EXPECT_EQ(menu.GetMenuState(0, MF_BYPOSITION) & MF_SEPARATOR, UINT(MF_SEPARATOR));
    EXPECT_EQ(menu.GetMenuItemID(1), CVyrDisasmBar::kTempBreakCommand);
    CString text;
    menu.GetMenuString(1, text, MF_BYPOSITION);
    EXPECT_EQ(text, "Add a temporary Breakpoint in Disassembly Window!");
}

class DisasmDialogTest : public WindowTest {
protected:
    // Types into a field of the dialog on show.
    void type_into(int id, const char* text) {
        HWND field = ::GetDlgItem(::GetActiveWindow(), id);
        ::SetFocus(field);
        ::SendMessage(field, EM_SETSEL, 0, -1);
        display.type(text);
        pump();
    }
    std::string text_of(int id) {
        char buffer[64] = "";
        ::GetDlgItemText(::GetActiveWindow(), id, buffer, sizeof buffer);
        return buffer;
    }
};

TEST_F(DisasmDialogTest, TheBreakpointAddressTakesEightCharactersAndStaysInRange) {
    struct Case {
        const char* typed;
        const char* kept;
        std::uint32_t address;
    };
    const Case cases[] = {
        {"0x1A2B", "0x1A2B", 0x1A2B},
        {"0x123456789", "0x123456", 0x1234},  // a ninth character is refused; 0x12345 would pass 0xFFFF
        {"65535", "65535", 65535},
        {"65536", "65536", 6553},
        {"0x", "0x", 0},
    };
    for (const Case& c : cases) {
        CVyrDisasmAddBPDlg dialog(frame);
        std::string shown;
        display.then([&] {
            type_into(CVyrDisasmAddBPDlg::kAddressEdit, c.typed);
            shown = text_of(CVyrDisasmAddBPDlg::kAddressEdit);
            display.press(VK_RETURN);
        });
        ASSERT_EQ(dialog.DoModal(), IDOK) << c.typed;
        EXPECT_EQ(shown, c.kept) << c.typed;
        EXPECT_EQ(dialog.GetAddress(), c.address) << c.typed;
    }
}

TEST_F(DisasmDialogTest, TheRangeDialogGivesBothTexts) {
    CVyrDisasmInputDlg dialog(frame);
    EXPECT_EQ(dialog.m_start, "");
    display.then([&] {
        type_into(CVyrDisasmInputDlg::kStartEdit, "0x4000");
        type_into(CVyrDisasmInputDlg::kEndEdit, "0x40FF");
        display.press(VK_RETURN);
    });
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.m_start, "0x4000");
    EXPECT_EQ(dialog.m_end, "0x40FF");
    // Escape leaves the dialog without taking the texts.
    CVyrDisasmInputDlg cancelled(frame);
    display.then([&] {
        type_into(CVyrDisasmInputDlg::kStartEdit, "1");
        display.press(VK_ESCAPE);
    });
    EXPECT_EQ(cancelled.DoModal(), IDCANCEL);
    EXPECT_EQ(cancelled.m_start, "");
}

}  // namespace
}  // namespace watchwin_test
