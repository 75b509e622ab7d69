// The exception dialog raised by the emulation thread and answered on the
// window thread, "Suspend and Watch", and the settings dialog.
#include <cstring>

#include "simulator/window/exception_dialog.h"
#include "simulator/window/settings_dialog.h"
#include "simulator/window/tests/talvask_fixture.h"

namespace simwin_test {
namespace {

// 32 KB at $8000: at $E000 an invalid opcode and a jump back to it; the
// interrupt vectors point at an RTI.
std::string invalid_opcode_rom() {
    std::string rom(0x8000, '\xEA');
    auto put = [&](std::uint16_t address, std::initializer_list<std::uint8_t> bytes) {
        std::size_t at = address - 0x8000u;
        for (std::uint8_t b : bytes) rom[at++] = char(b);
    };
    put(0xE000, {0x02, 0x4C, 0x00, 0xE0});
    put(0xE010, {0x40});
    put(0xFFFA, {0x10, 0xE0, 0x00, 0xE0, 0x10, 0xE0});
    return rom;
}

using TalvaskDialogs = TalvaskFixture;

TEST_F(TalvaskDialogs, AnInvalidOpcodeOpensTheExceptionDialogWhoseAnswerDecides) {
    struct Case {
        int button;
        bool runs_on;
    };
    for (Case c : {Case{simwin::kStopButton, false}, Case{simwin::kIgnoreAllButton, true}}) {
        SCOPED_TRACE(c.button);
        window.reset();
        folder.write("invalid.bin", invalid_opcode_rom());
        std::vector<std::string> conditions, registers;
        answer_dialog = [&](const kit::user::DialogQuestion& q) -> std::optional<LONG_PTR> {
            if (q.template_id != unsigned(simwin::kExceptionDialog)) return std::nullopt;
            char text[256] = {};
            GetDlgItemText(q.dialog, simwin::kConditionEdit, text, sizeof text);
            conditions.push_back(text);
            GetDlgItemText(q.dialog, simwin::kRegistersEdit, text, sizeof text);
            registers.push_back(text);
            SendMessage(q.dialog, WM_COMMAND, c.button, 0);
            return std::nullopt;
        };
        ASSERT_TRUE(start({"-o:invalid.bin", "-up", "-a:" + (folder / "ram.mem").string()}));
        // The emulation thread's question arrives while the loop waits.
        let_idle_wait();
        if (c.runs_on) {
            display.then([&] {
                ASSERT_TRUE(pump_until([&] { return !conditions.empty(); }));
                // Ignored from now on, the loop of invalid opcodes runs on.
                ASSERT_TRUE(hold_after(2'000'000));
                window->kernel().Resume();
                exit_simulator();
            });
        }
        EXPECT_EQ(run(), 0);
        ASSERT_EQ(conditions.size(), 1u);
        EXPECT_EQ(conditions[0], "Invalid OP code !");
        EXPECT_EQ(registers[0].rfind(" PC=E000", 0), 0u) << registers[0];
        EXPECT_FALSE(window->kernel().IsRunning());
    }
}

std::vector<std::string> list_lines(HWND list) {
    std::vector<std::string> lines;
    for (LRESULT i = 0; i < SendMessage(list, LB_GETCOUNT, 0, 0); ++i) {
        char text[128] = {};
        SendMessage(list, LB_GETTEXT, WPARAM(i), LPARAM(text));
        lines.push_back(text);
    }
    return lines;
}

TEST_F(TalvaskDialogs, TheListingsFollowTheKeysTheTabsAndTheTypedAddress) {
    folder.write("invalid.bin", invalid_opcode_rom());
    bool looked = false;
    answer_dialog = [&](const kit::user::DialogQuestion& q) -> std::optional<LONG_PTR> {
        if (q.template_id != unsigned(simwin::kExceptionDialog)) return std::nullopt;
        looked = true;
        HWND code = simwin::exception_dialog_page(q.dialog, simwin::kCodePage);
        HWND data = simwin::exception_dialog_page(q.dialog, simwin::kDataPage);
        auto shown = [](HWND page) { return (GetWindowLong(page, GWL_STYLE) & WS_VISIBLE) != 0; };
        EXPECT_TRUE(shown(code));
        EXPECT_FALSE(shown(data));
        HWND code_list = GetDlgItem(code, simwin::kCodeList);
        std::vector<std::string> lines = list_lines(code_list);
        if (lines.size() < 2) {
            ADD_FAILURE() << "the code listing is empty";
            return LONG_PTR(simcpu::ExceptionAnswer::Stop);
        }
        EXPECT_NE(lines[0].find("E000"), std::string::npos) << lines[0];
        EXPECT_EQ(SendMessage(code_list, LB_GETCURSEL, 0, 0), 0);
        for (const std::string& line : lines) EXPECT_LE(line.size(), 40u);
        // Down past the last line brings the next one in; up past the first the one before.
        SendMessage(code_list, LB_SETCURSEL, WPARAM(lines.size() - 1), 0);
        SendMessage(code_list, WM_KEYDOWN, VK_DOWN, 0);
        EXPECT_EQ(list_lines(code_list)[0], lines[1]);
        SendMessage(code_list, LB_SETCURSEL, 0, 0);
        SendMessage(code_list, WM_KEYDOWN, VK_UP, 0);
        EXPECT_EQ(list_lines(code_list)[0], lines[0]);
        // The data page, shown by its tab: the access rounded down to 8 bytes.
        SendDlgItemMessage(q.dialog, simwin::kListingTabs, TCM_SETCURSEL, 1, 0);
        NMHDR change{GetDlgItem(q.dialog, simwin::kListingTabs), UINT_PTR(simwin::kListingTabs), TCN_SELCHANGE};
        SendMessage(q.dialog, WM_NOTIFY, simwin::kListingTabs, LPARAM(&change));
        EXPECT_TRUE(shown(data));
        EXPECT_FALSE(shown(code));
        HWND data_list = GetDlgItem(data, simwin::kDataList);
        EXPECT_EQ(list_lines(data_list)[0].substr(0, 4), "e000");
        // Enter in the address edit moves the listing and leaves the dialog open.
        SetFocus(GetDlgItem(data, simwin::kDataAddressEdit));
        SetDlgItemText(data, simwin::kDataAddressEdit, "0x0305");
        SendMessage(q.dialog, WM_COMMAND, IDOK, 0);
        EXPECT_EQ(list_lines(data_list)[0].substr(0, 4), "0300");
        SendMessage(data_list, LB_SETCURSEL, SendMessage(data_list, LB_GETCOUNT, 0, 0) - 1, 0);
        SendMessage(data_list, WM_KEYDOWN, VK_DOWN, 0);
        EXPECT_EQ(list_lines(data_list)[0].substr(0, 4), "0308");
        // Near the top of memory the listing stops short of $FFFF.
        SetDlgItemText(data, simwin::kDataAddressEdit, "fff9");
        SendMessage(q.dialog, WM_COMMAND, IDOK, 0);
        EXPECT_EQ(list_lines(data_list)[0].substr(0, 4), "ffc8");
        EXPECT_EQ(list_lines(data_list).back().substr(0, 4), "fff8");
        return LONG_PTR(simcpu::ExceptionAnswer::Stop);
    };
    ASSERT_TRUE(start({"-o:invalid.bin", "-up", "-a:" + (folder / "ram.mem").string()}));
    let_idle_wait();
    EXPECT_EQ(run(), 0);
    EXPECT_TRUE(looked);
}

TEST_F(TalvaskDialogs, SuspendAndWatchHoldsTheDeviceAndItsStopEndsTheSimulator) {
    std::vector<std::string> data_lines;
    answer_dialog = [&](const kit::user::DialogQuestion& q) -> std::optional<LONG_PTR> {
        if (q.template_id != unsigned(simwin::kExceptionDialog)) return std::nullopt;
        char text[256] = {};
        GetDlgItemText(q.dialog, simwin::kConditionEdit, text, sizeof text);
        data_lines.push_back(text);
        EXPECT_TRUE(window->kernel().IsSuspended());
        return LONG_PTR(simcpu::ExceptionAnswer::Stop);
    };
    // "Suspend and Watch" is offered in debug mode only.
    ASSERT_TRUE(start(demo_arguments()));
    EXPECT_EQ(GetMenuState(window->menu(), window->menu_ids().suspend_and_watch(), MF_BYCOMMAND) & MF_GRAYED,
              MF_GRAYED);
    display.then([&] { exit_simulator(); });
    EXPECT_EQ(run(), 0);
    window.reset();
    std::filesystem::remove(folder / "ram.mem");
    std::vector<std::string> arguments = demo_arguments();
    arguments.push_back("-d");
    ASSERT_TRUE(start(arguments));
    EXPECT_EQ(GetMenuState(window->menu(), window->menu_ids().suspend_and_watch(), MF_BYCOMMAND) & MF_GRAYED, 0u);
    display.then([&] {
        ASSERT_TRUE(hold_after(1'000'000));
        window->kernel().Resume();
        PostMessage(window->hwnd(), WM_COMMAND, window->menu_ids().suspend_and_watch(), 0);
    });
    EXPECT_EQ(run(), 0);
    ASSERT_EQ(data_lines.size(), 1u);
    EXPECT_EQ(data_lines[0], "Simulator execution suspend by user !");
}

TEST_F(TalvaskDialogs, TheSettingsDialogSetsThePeriodsInStepsOf3600Cycles) {
    struct Case {
        bool reset;
        int lcd_position;  // 0: as the dialog shows it
        std::uint32_t nmi, lcd;
        int nmi_range_low;
    };
    // A plain run starts at 1,800,000 and 900,000 cycles; Reset gives 500 and 250 steps.
    for (Case c : {Case{false, 5, 1800000, 18000, 50}, Case{true, 0, 500 * 3600, 250 * 3600, 10}}) {
        SCOPED_TRACE(c.reset);
        window.reset();
        std::filesystem::remove(folder / "ram.mem");
        int range_low = -1;
        answer_dialog = [&](const kit::user::DialogQuestion& q) -> std::optional<LONG_PTR> {
            if (q.template_id != unsigned(simwin::kSettingsDialog)) return std::nullopt;
            if (c.reset) SendMessage(q.dialog, WM_COMMAND, simwin::kResetButton, 0);
            if (c.lcd_position) SendDlgItemMessage(q.dialog, simwin::kLcdSlider, TBM_SETPOS, TRUE, c.lcd_position);
            range_low = int(SendDlgItemMessage(q.dialog, simwin::kNmiSlider, TBM_GETRANGEMIN, 0, 0));
            SendMessage(q.dialog, WM_COMMAND, IDOK, 0);
            return std::nullopt;
        };
        ASSERT_TRUE(start(demo_arguments()));
        display.then([&] { PostMessage(window->hwnd(), WM_COMMAND, window->menu_ids().setting(), 0); });
        display.then([&] {
            ASSERT_TRUE(hold_after(0));
            EXPECT_EQ(window->kernel().core().nmiPeriod, c.nmi);
            EXPECT_EQ(window->kernel().core().lcdPeriod, c.lcd);
            window->kernel().Resume();
            exit_simulator();
        });
        EXPECT_EQ(run(), 0);
        EXPECT_EQ(range_low, c.nmi_range_low);
    }
}

TEST(ExceptionDialogText, DataLinesShowBytesAndCharactersAndUnreadableMemory) {
    // Formatting alone, over a kernel set up on a small flat machine.
    struct NoWindow : simcpu::KernelWindow {
        void PostToOwnWindow(std::uint32_t) override {}
        bool HasIdeWindow() override { return false; }
        void PostStoppedToIde(std::uint32_t) override {}
        simcpu::ExceptionAnswer ShowException(std::uint16_t, int) override { return simcpu::ExceptionAnswer::Stop; }
        void PaintLcd(unsigned) override {}
    } host;
    simcpu::EmuKernel kernel(host);
    std::vector<std::uint8_t> ram(simcpu::RamImageSize(0x4000, 0), 0), rom(0x8000, 0);
    simcpu::KernelConfig config;
    config.internalRamSize = 0x4000;
    config.externalRamSize = 0;
    config.romSize = std::uint32_t(rom.size());
    config.ramImage = ram.data();
    config.romImage = rom.data();
    ASSERT_EQ(kernel.Setup(config, simcpu::InitOption::kColdStart), "");
    std::uint8_t* at = simcpu::MapPlain(kernel.core(), 0x0200);
    ASSERT_NE(at, nullptr);
    const char bytes[] = {'H', 'i', ' ', 0x7F, 0x00, 'A', 'B', 'C'};
    std::memcpy(at, bytes, 8);
    EXPECT_EQ(simwin::data_line(kernel, 0x0200), "0200  48 69 20 7f 00 41 42 43   Hi.\x7f.ABC");
    // Past the internal RAM, without external RAM, nothing can be read.
    EXPECT_EQ(simwin::data_line(kernel, 0x4000), "4000  ?? ?? ?? ?? ?? ?? ?? ??");
}

}  // namespace
}  // namespace simwin_test
