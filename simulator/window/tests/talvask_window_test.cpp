// The simulator as a person sees it: the running device's picture, keys that
// reach the ROM, the popup menu, rotation, and an exit that never hangs.
#include <cstring>
#include <tuple>

#include "platform/gdi/png_writer.h"
#include "platform/res/resources.h"
#include "simulator/window/key_mapping.h"
#include "simulator/window/message_boxes.h"
#include "simulator/window/tests/talvask_fixture.h"

const kit::res::Module& talvask_resources();

namespace simwin_test {
namespace {

// Enough cycles for the demo ROM to draw and the LCD to be refreshed a few times.
constexpr std::uint64_t kBooted = 4'000'000;

std::string png_of(kit::display::Headless& display, HWND hwnd, const std::filesystem::path& file) {
    std::string error;
    EXPECT_TRUE(display.save_png(hwnd, file, &error)) << error;
    return testing_kit::read_file(file);
}

struct MenuItem {
    UINT id;
    std::string text;
    UINT state;
    bool operator==(const MenuItem&) const = default;
};

void PrintTo(const MenuItem& item, std::ostream* out) { *out << item.id << " \"" << item.text << "\" " << item.state; }

std::vector<MenuItem> items_of(HMENU menu) {
    std::vector<MenuItem> items;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char text[128] = {};
        GetMenuString(menu, UINT(i), text, sizeof text, MF_BYPOSITION);
        UINT state = GetMenuState(menu, UINT(i), MF_BYPOSITION) & (MF_GRAYED | MF_CHECKED | MF_SEPARATOR);
        items.push_back({GetMenuItemID(menu, i), text, state});
    }
    return items;
}

using TalvaskWindow = TalvaskFixture;

TEST_F(TalvaskWindow, TheRunningDemoDeviceLooksAsReviewed) {
    ASSERT_TRUE(start(demo_arguments()));
    HWND hwnd = window->hwnd();
    RECT rect{};
    GetWindowRect(hwnd, &rect);
    EXPECT_EQ(rect.right - rect.left, 440);
    EXPECT_EQ(rect.bottom - rect.top, 600);
    // Centred on the screen.
    EXPECT_EQ(rect.left, (GetSystemMetrics(SM_CXSCREEN) - 440) / 2);
    display.then([&] {
        ASSERT_TRUE(hold_after(kBooted));
        InvalidateRect(hwnd, nullptr, FALSE);
        UpdateWindow(hwnd);
        EXPECT_TRUE(testing_kit::matches_golden("simulator/window/tests/golden/demo_device.png",
                                                png_of(display, hwnd, folder / "shot.png")));
        exit_simulator();
    });
    EXPECT_EQ(run(), 0);
    EXPECT_TRUE(boxes.empty());
    EXPECT_TRUE(std::filesystem::exists(folder / "ram.mem"));
}

TEST_F(TalvaskWindow, AKeyPressedOnThePcReachesTheRomAndIsReleasedWithTheFocus) {
    ASSERT_TRUE(start(demo_arguments()));
    auto loaded = sim::load_skin(folder / "qv4700.cfs");
    ASSERT_TRUE(std::holds_alternative<sim::Skin>(loaded));
    const sim::Skin& skin = std::get<sim::Skin>(loaded);
    std::size_t key = 0;
    while (key < skin.keys.size() && (skin.keys[key].pc_keys[0] == 0 || skin.keys[key].is_power_key())) ++key;
    ASSERT_LT(key, skin.keys.size());
    int vk = skin.keys[key].pc_keys[0];
    std::uint8_t idle[8], held[8];
    auto keys_read = [&](std::uint8_t* out) {
        for (int i = 0; i < 8; ++i) out[i] = device_byte(std::uint16_t(0x300 + i));
    };
    display.then([&] {
        ASSERT_TRUE(hold_after(kBooted));
        keys_read(idle);
        window->kernel().Resume();
        SetFocus(window->hwnd());
        kit::user::inject_key(vk, true);
    });
    display.then([&] {
        ASSERT_TRUE(run_until([&] {
            keys_read(held);
            return std::memcmp(idle, held, 8) != 0;
        })) << "the ROM never saw the key";
        window->kernel().Resume();
        SetFocus(nullptr);  // losing the focus lets go of the key
    });
    display.then([&] {
        std::uint8_t now[8];
        ASSERT_TRUE(run_until([&] {
            keys_read(now);
            return std::memcmp(idle, now, 8) == 0;
        })) << "the key stayed held after the focus went";
        window->kernel().Resume();
        exit_simulator();
    });
    EXPECT_EQ(run(), 0);
}

TEST_F(TalvaskWindow, ThePopupMenuListsEachSkinAndGraysWhatTheRunCannotDo) {
    struct Case {
        std::vector<std::string> skins;
        std::vector<MenuItem> expected;
    };
    const std::vector<Case> cases = {
        {{"qv4700.cfs"},
         {{101, "QV4700", MF_CHECKED},
          {0, "", MF_SEPARATOR},
          {102, "&Rotate", 0},
          {103, "Suspend and &Watch", MF_GRAYED},
          {104, "Sound &Effect", MF_GRAYED},
          {105, "&Setting...", 0},
          {106, "&Download...", 0},
          {0, "", MF_SEPARATOR},
          {107, "&Minimize", 0},
          {108, "&Reset", 0},
          {109, "E&xit", 0}}},
        {{"qv4700.cfs", "qv4700-small.cfs"},
         {{101, "QV4700 small", 0},
          {102, "QV4700", MF_CHECKED},
          {0, "", MF_SEPARATOR},
          {103, "&Rotate", 0},
          {104, "Suspend and &Watch", MF_GRAYED},
          {105, "Sound &Effect", MF_GRAYED},
          {106, "&Setting...", 0},
          {107, "&Download...", 0},
          {0, "", MF_SEPARATOR},
          {108, "&Minimize", 0},
          {109, "&Reset", 0},
          {110, "E&xit", 0}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.skins.size());
        window.reset();
        ASSERT_TRUE(start(demo_arguments(), c.skins));
        std::vector<MenuItem> items = items_of(window->menu());
        for (MenuItem& item : items)
            if (item.state & MF_SEPARATOR) item = {0, "", MF_SEPARATOR};
        EXPECT_EQ(items, c.expected);
        display.then([&] { exit_simulator(); });
        EXPECT_EQ(run(), 0);
        for (const sim::SkinEntry& skin : sim::find_skins(folder.path(), "").entries)
            std::filesystem::remove(skin.path);
    }
}

TEST_F(TalvaskWindow, ASkinChosenFromTheMenuTakesOverTheWindow) {
    ASSERT_TRUE(start(demo_arguments(), {"qv4700.cfs", "qv4700-small.cfs"}));
    const simwin::MenuIds& ids = window->menu_ids();
    display.then([&] {
        PostMessage(window->hwnd(), WM_COMMAND, ids.skin(0), 0);  // "QV4700 small" sorts first
    });
    display.then([&] {
        RECT rect{};
        GetWindowRect(window->hwnd(), &rect);
        EXPECT_EQ(rect.right - rect.left, 220);
        EXPECT_EQ(rect.bottom - rect.top, 300);
        EXPECT_EQ(GetMenuState(window->menu(), ids.skin(0), MF_BYCOMMAND) & MF_CHECKED, MF_CHECKED);
        EXPECT_EQ(GetMenuState(window->menu(), ids.skin(1), MF_BYCOMMAND) & MF_CHECKED, 0u);
        EXPECT_TRUE(boxes.empty());
        exit_simulator();
    });
    EXPECT_EQ(run(), 0);
}

TEST_F(TalvaskWindow, RotateFromThePopupMenuSwapsWidthAndHeightAndKeepsThePlaceOnTheScreen) {
    ASSERT_TRUE(start(demo_arguments()));
    HWND hwnd = window->hwnd();
    // Moved by the user near the right edge: turned, it would run off the screen.
    RECT work{};
    SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
    SetWindowPos(hwnd, nullptr, work.right - 450, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    display.then([&] { display.click(hwnd, POINT{5, 300}, kit::user::MouseButton::right); });
    display.then([&] {  // in the menu: past the skin and the separator to "Rotate"
        display.press(VK_DOWN);
        display.press(VK_DOWN);
        display.press(VK_RETURN);
    });
    display.then([&] {
        EXPECT_TRUE(window->turned());
        RECT rect{};
        GetWindowRect(hwnd, &rect);
        EXPECT_EQ(rect.right - rect.left, 600);
        EXPECT_EQ(rect.bottom - rect.top, 440);
        EXPECT_EQ(rect.right, work.right);
        EXPECT_EQ(rect.top, 100);
        EXPECT_EQ(GetMenuState(window->menu(), window->menu_ids().rotate(), MF_BYCOMMAND) & MF_CHECKED, MF_CHECKED);
        ASSERT_TRUE(hold_after(kBooted));
        InvalidateRect(hwnd, nullptr, FALSE);
        UpdateWindow(hwnd);
        EXPECT_TRUE(testing_kit::matches_golden("simulator/window/tests/golden/demo_device_turned.png",
                                                png_of(display, hwnd, folder / "turned.png")));
        window->kernel().Resume();
        exit_simulator();
    });
    EXPECT_EQ(run(), 0);
}

TEST(KeyMapping, ArrowsTurnWithThePictureAndOtherKeysStay) {
    struct Case {
        int key;
        bool turned;
        int expected;
    };
    for (Case c : {Case{VK_UP, true, VK_LEFT}, Case{VK_DOWN, true, VK_RIGHT}, Case{VK_LEFT, true, VK_DOWN},
                   Case{VK_RIGHT, true, VK_UP}, Case{VK_UP, false, VK_UP}, Case{'A', true, 'A'}})
        EXPECT_EQ(simwin::turned_arrow(c.key, c.turned), c.expected) << c.key << " " << c.turned;
}

TEST(KeyMapping, KeysAreFoundByPcKeyAndByPointAndNothingElsePresses) {
    sim::Skin skin;
    skin.keys.push_back({"left", {10, 10, 20, 20}, 0x0101, {VK_LEFT, 0}});
    skin.keys.push_back({"enter", {40, 10, 20, 20}, 0x0202, {'Z', VK_RETURN}});
    EXPECT_EQ(simwin::key_for_pc_key(skin, VK_RETURN, false), 1u);
    EXPECT_EQ(simwin::key_for_pc_key(skin, VK_UP, true), 0u);  // Up presses the key bound to Left
    EXPECT_EQ(simwin::key_for_pc_key(skin, 'Q', false), std::nullopt);
    EXPECT_EQ(simwin::key_at_point(skin, false, 45, 15), 1u);
    EXPECT_EQ(simwin::key_at_point(skin, false, 35, 15), std::nullopt);
    EXPECT_EQ(simwin::key_at_point(skin, false, -1, 15), std::nullopt);
}

TEST_F(TalvaskWindow, ExitEndsTheSimulatorWhileTheEmulationIsHeld) {
    ASSERT_TRUE(start(demo_arguments()));
    display.then([&] {
        ASSERT_TRUE(hold_after(100000));
        exit_simulator();
    });
    EXPECT_EQ(run(), 0);
    EXPECT_FALSE(window->kernel().IsRunning());
}

TEST_F(TalvaskWindow, DownloadFromTheMenuFlashesTheProgramAndASecondOneWaits) {
    std::filesystem::copy_file(testing_kit::program_path("../simulator/demo/DEMOPROG.BIN"), folder / "DEMOPROG.BIN");
    answer_dialog = [&](const kit::user::DialogQuestion& q) -> std::optional<LONG_PTR> {
        if (q.template_id != 115) return std::nullopt;
        SetDlgItemText(q.dialog, 1030, "DEMOPROG.BIN");
        SendMessage(q.dialog, WM_COMMAND, IDOK, 0);
        return std::nullopt;
    };
    ASSERT_TRUE(start(demo_arguments()));
    display.then([&] {
        // Both requests are handled while the device is held: the second finds the first under way.
        ASSERT_TRUE(hold_after(kBooted));
        PostMessage(window->hwnd(), WM_COMMAND, window->menu_ids().download(), 0);
        PostMessage(window->hwnd(), WM_COMMAND, window->menu_ids().download(), 0);
    });
    display.then([&] {
        EXPECT_EQ(boxes, std::vector<std::string>{"A download is already under way"});
        EXPECT_TRUE(run_until([&] { return window->kernel().core().downloadState == simcpu::DownloadState::kIdle; }));
        window->kernel().Resume();
        exit_simulator();
    });
    EXPECT_EQ(run(), 0);
    // The program's name lies in external RAM slot 0 at its head, after the CPU block and 16 KB of internal RAM.
    std::string ram = testing_kit::read_file(folder / "ram.mem");
    ASSERT_GE(ram.size(), 0xA012u);
    EXPECT_EQ(ram.substr(0xA002, 16), "DEMOPROG        ");
}

TEST_F(TalvaskWindow, AChosenSkinIsComparedWithTheOneShownNotWithTheCommandLines) {
    remembered_skin = "qv4700-small";  // the profile's skin wins over "-if:qv4700.cfs"
    ASSERT_TRUE(start(demo_arguments(), {"qv4700.cfs", "qv4700-small.cfs"}));
    const simwin::MenuIds& ids = window->menu_ids();  // "QV4700 small" sorts first
    auto size_and_check = [&] {
        RECT rect{};
        GetWindowRect(window->hwnd(), &rect);
        bool small_checked = GetMenuState(window->menu(), ids.skin(0), MF_BYCOMMAND) & MF_CHECKED;
        bool large_checked = GetMenuState(window->menu(), ids.skin(1), MF_BYCOMMAND) & MF_CHECKED;
        return std::tuple(rect.right - rect.left, rect.bottom - rect.top, small_checked, large_checked);
    };
    EXPECT_EQ(size_and_check(), std::tuple(220, 300, true, false)) << "the menu checks the skin shown";
    display.then([&] { PostMessage(window->hwnd(), WM_COMMAND, ids.skin(1), 0); });
    display.then([&] {
        EXPECT_EQ(size_and_check(), std::tuple(440, 600, false, true)) << "the \"-if:\" skin takes over";
        PostMessage(window->hwnd(), WM_COMMAND, ids.skin(1), 0);  // the loaded one again: nothing
    });
    display.then([&] {
        EXPECT_EQ(size_and_check(), std::tuple(440, 600, false, true));
        EXPECT_TRUE(boxes.empty());
        exit_simulator();
    });
    EXPECT_EQ(run(), 0);
}

// The device takes the "-f:" file once the checked interpreter's cycle counter reaches 2^24.
constexpr std::uint64_t kAutoDownloadCycle = 16'777'216;

TEST_F(TalvaskWindow, ABadFileToDownloadIsToldOnceTheDeviceHasBootedAndTheDeviceRunsOn) {
    struct Case {
        const char* file;
        const char* message;  // the start of the box's text
        std::string loader;   // "dl.ini" as it is when the download is due; empty: the build's
    };
    const Case cases[] = {
        {"missing.bin", "Open download file error ", ""},
        {"notes.doc", "Download File Must be \"*.bin\"  \"*.txt\" or \"*.bas\"", ""},
        {"short.bin", "Download file size out of range", ""},
        {"missing.txt", "Read download file error", ""},
        {"DEMOPROG.BIN", "Read \"dl.ini\" error", "too short a loader"},
    };
    for (const Case& c : cases) {
        boxes.clear();
        captions.clear();
        folder.write("short.bin", std::string(100, 'p'));
        std::filesystem::copy_file(testing_kit::program_path("../simulator/demo/DEMOPROG.BIN"), folder / "DEMOPROG.BIN",
                                   std::filesystem::copy_options::overwrite_existing);
        std::vector<std::string> arguments = demo_arguments();
        arguments.push_back(std::string("-f:") + c.file);
        ASSERT_TRUE(start(arguments)) << c.file << ": the start goes on";
        if (!c.loader.empty()) folder.write("dl.ini", c.loader);
        EXPECT_TRUE(boxes.empty()) << c.file;
        display.then([&] {
            ASSERT_TRUE(pump_until([&] { return !boxes.empty(); }, std::chrono::seconds(60))) << c.file;
            EXPECT_EQ(boxes[0].rfind(c.message, 0), 0u) << boxes[0];
            EXPECT_EQ(captions[0], "Error") << c.file;
            simcpu::EmuKernel& kernel = window->kernel();
            ASSERT_TRUE(kernel.Pause());
            std::uint64_t told_at = kernel.core().cycleCount;
            EXPECT_GE(told_at, kAutoDownloadCycle) << c.file;
            EXPECT_EQ(kernel.core().downloadState, simcpu::DownloadState::kIdle) << c.file;
            kernel.Resume();
            EXPECT_TRUE(hold_after(told_at + 1'000'000)) << c.file << ": the device runs on";
            kernel.Resume();
            exit_simulator();
        });
        EXPECT_EQ(run(), 0) << c.file;
        EXPECT_EQ(boxes.size(), 1u) << c.file << ": the file is downloaded once";
    }
}

TEST_F(TalvaskWindow, PacingHoldsTheDeviceWhileItIsAheadOfItsNominalClock) {
    pace_hz = 1'000'000;
    ASSERT_TRUE(start(demo_arguments()));
    simcpu::EmuKernel& kernel = window->kernel();
    display.then([&] {
        ASSERT_TRUE(hold_after(100'000));  // far ahead of the 10,000 cycles due after 10 ms
        kernel.Resume();
        display.advance(10);  // the pacing tick comes due
    });
    display.then([&] {
        ASSERT_TRUE(kernel.IsSuspended());
        std::uint64_t held_at = kernel.core().cycleCount;
        EXPECT_GT(held_at, 10'000u);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        EXPECT_EQ(kernel.core().cycleCount, held_at) << "the device ran on while ahead of its clock";
        // The device ran unpaced between the steps, so however far it got, move
        // the clock past it: then more cycles are due than it has run, and it goes on.
        display.advance(held_at / 1000 + 10);
    });
    display.then([&] {
        EXPECT_FALSE(kernel.IsSuspended());
        exit_simulator();
    });
    EXPECT_EQ(run(), 0);
}

TEST_F(TalvaskWindow, SystemErrorBoxesCarryTheStringAsTheirCaption) {
    kit::res::register_module(&talvask_resources());
    simwin::show_system_error(sim::kModuleFileNameError, "No such file or directory");
    simwin::show_system_error(sim::kCreateWindowError, "");  // the system has no text for it
    simwin::show_failure(sim::sim_failure(sim::kCreateMappingError, "IRom"));
    EXPECT_EQ(captions, (std::vector<std::string>{"GetModuleFile Name Error", "System Error", ""}));
    EXPECT_EQ(boxes, (std::vector<std::string>{"No such file or directory",
                                               "Format Error Message Fail, Maybe the Message String is not big enough",
                                               "Create File Mapping for IRom Error"}));
    EXPECT_EQ(simwin::load_text(28), "SimKernel Fatal Error") << "the caption over the emulation kernel's failure";
}

TEST_F(TalvaskWindow, AStartThatFailsShowsWhyAndEndsWithAnErrorCode) {
    EXPECT_FALSE(start({"-a:ram.mem"}));  // no ROM image: the usage text
    EXPECT_EQ(start_code, 1);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].rfind("Please Specify Parameter:", 0), 0u);
    EXPECT_EQ(captions[0], "");
    boxes.clear();
    captions.clear();
    EXPECT_FALSE(start({"-o:missing.bin", "-a:ram.mem"}));
    EXPECT_EQ(start_code, 1);
    EXPECT_EQ(captions, std::vector<std::string>{"Open Bios File Error"});
    boxes.clear();
    captions.clear();
    // A cold boot makes its RAM file at start: where it cannot, the start ends there.
    std::string ram = (folder / "no-such-folder" / "ram.mem").string();
    EXPECT_FALSE(start({"-o:QV4700.BIN", "-up", "-a:" + ram, "-eas:65536"}));
    EXPECT_EQ(start_code, 1);
    EXPECT_EQ(captions, std::vector<std::string>{"Create File Error"});
    EXPECT_EQ(boxes, std::vector<std::string>{"No such file or directory\r\n <" + ram + ">"});
}

TEST_F(TalvaskWindow, AWarmBootWithoutItsRamFileWarnsAndBootsCold) {
    std::vector<std::string> arguments = demo_arguments();
    arguments.push_back("-Warm");
    ASSERT_TRUE(start(arguments));
    EXPECT_EQ(captions, std::vector<std::string>{"Warning"});
    EXPECT_TRUE(std::filesystem::exists(folder / "ram.mem")) << "the cold boot made its RAM file";
    display.then([&] { exit_simulator(); });
    EXPECT_EQ(run(), 0);
}

}  // namespace
}  // namespace simwin_test
