#pragma once
// The simulator's one window: it shows the skin and the LCD, turns PC keys and
// mouse clicks into device keys, offers the popup menu, runs the emulation
// kernel and talks with the IDE in debug mode. Its window procedure runs on
// the window thread; the kernel calls back from the emulation thread through
// KernelWindow, and everything those calls need of the window is posted to it.
#include <atomic>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

#include "platform/user/ipc_bridge.h"
#include "platform/user/user.h"
#include "simulator/cpu/emu_kernel.h"
#include "simulator/link/ide_link.h"
#include "simulator/memory/ram_image.h"
#include "simulator/options/sim_options.h"
#include "simulator/skin/lcd_buffers.h"
#include "simulator/skin/skin_list.h"
#include "simulator/skin/skin_switch.h"  // LoadedSkin
#include "simulator/window/file_download.h"
#include "simulator/window/popup_menu.h"
#include "simulator/window/skin_painter.h"
#include "simulator/window/window_requests.h"

namespace simwin {

inline constexpr const char* kWindowClass = "VYRSim";

// What start-up hands the window: the command line, the skins and the loaded skin.
struct WindowSetup {
    sim::SimOptions options;
    std::filesystem::path program_dir;
    sim::SkinList skins;
    sim::LoadedSkin skin;
    std::optional<std::uint64_t> pace_hz;  // the device's nominal clock for a person; none: as fast as it goes
};

class SimWindow final : public simcpu::KernelWindow {
public:
    explicit SimWindow(WindowSetup setup);
    ~SimWindow() override;
    SimWindow(const SimWindow&) = delete;
    SimWindow& operator=(const SimWindow&) = delete;

    // The class "VYRSim" with the skin's icon; false when it cannot be registered.
    static bool register_class(HICON icon);
    // Makes the popup menu (false, with its message shown, on failure).
    bool make_menu();
    // Creates the window at the skin's size: its creation opens the memory
    // files and starts the emulation. Null when that failed (the message shown).
    HWND create();

    HWND hwnd() const { return hwnd_; }
    HMENU menu() const { return menu_; }
    const MenuIds& menu_ids() const { return ids_; }
    simcpu::EmuKernel& kernel() { return kernel_; }
    bool turned() const { return turned_; }
    // The exit code once the message loop has ended: 0, or 1 when the end failed.
    int exit_code() const { return exit_code_; }

    // KernelWindow: called on the emulation thread.
    void PostToOwnWindow(std::uint32_t code) override;
    bool HasIdeWindow() override;
    void PostStoppedToIde(std::uint32_t code) override;
    simcpu::ExceptionAnswer ShowException(std::uint16_t address, int code) override;
    void PaintLcd(unsigned flags) override;
    void AutoDownloadDue() override;

private:
    static LRESULT procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);

    bool open_emulation();
    DeviceView view();
    void paint();
    void paint_lcd_refresh();
    void press(std::size_t key, bool down);
    void release_held_keys();
    void on_key(int virtual_key, bool down);
    void on_left_button(LPARAM point, bool down);
    void on_right_button(LPARAM point, bool down);
    void on_command(UINT id);
    void on_link(WPARAM wParam, LPARAM lParam);
    void on_question();
    void on_download_finished(std::uint32_t slots, bool tell_ide);
    template <class Show>
    auto in_dialog(Show show) {
        ++dialogs_open_;
        auto result = show();
        --dialogs_open_;
        return result;
    }
    void switch_skin(std::size_t index);
    void toggle_rotation();
    void suspend_and_watch();
    void settings();
    void download_from_menu();
    // Reads the file and hands it to the device's loader; what is wrong is shown, and the device runs on.
    void start_download(const std::filesystem::path& file, std::string_view name, bool tell_ide);
    void pace();
    void apply_shape();
    void request_exit(bool with_notice);
    void exit_command();
    void end_hand_shake();
    void on_destroy();

    WindowSetup setup_;
    MenuIds ids_;
    HMENU menu_ = nullptr;
    HWND hwnd_ = nullptr;
    sim::LcdBuffers lcd_;    // the kernel refreshes these on its own thread
    sim::LcdBuffers shown_;  // what the window draws: copied from lcd_ under the display lock at each refresh
    std::optional<sim::RomBlock> rom_;
    std::optional<sim::RamImage> ram_;
    std::unique_ptr<FileDownload> download_;
    simcpu::EmuKernel kernel_;
    sim::IdeLink link_;
    std::unique_ptr<kit::user::IpcBridge> bridge_;
    WindowRequests requests_;
    SoundState sound_ = SoundState::Unavailable;
    bool turned_ = false;
    std::atomic<bool> lcd_on_{false};
    std::atomic<bool> lcd_paint_posted_{false};
    std::vector<std::size_t> held_keys_;
    std::optional<std::size_t> mouse_key_, power_key_right_;
    bool off_by_power_key_ = false;
    bool end_notice_ = false;  // announce the end with SimNotifyEnded and wait for the acknowledgement
    bool creation_ran_ = false;
    bool created_ = false;  // WM_CREATE opened the files and started the emulation
    bool closing_ = false;
    bool acknowledged_ = false, ack_timed_out_ = false;
    int dialogs_open_ = 0;
    bool paced_hold_ = false;
    std::uint64_t pace_start_ms_ = 0;
    int exit_code_ = 0;
};

}  // namespace simwin
