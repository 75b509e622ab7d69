#include "simulator/window/sim_window.h"

#include <algorithm>

#include "formats/sim_messages.h"
#include "platform/ipc/runtime_dir.h"
#include "platform/os/file.h"
#include "simulator/cpu/lcd.h"
#include "simulator/skin/skin_outline.h"
#include "simulator/window/download_dialog.h"
#include "simulator/window/exception_dialog.h"
#include "simulator/window/key_mapping.h"
#include "simulator/window/message_boxes.h"
#include "simulator/window/settings_dialog.h"

namespace simwin {
namespace {

// Messages the emulation thread posts to the window.
constexpr UINT kLcdPaintMessage = WM_APP + 1;
constexpr UINT kQuestionMessage = WM_APP + 2;
constexpr UINT kDownloadDoneMessage = WM_APP + 3;  // wParam: the slot search's result; lParam: tell the IDE
constexpr UINT kAutoDownloadMessage = WM_APP + 4;  // the device has run long enough for the "-f:" file

constexpr UINT_PTR kAckTimer = 1, kPaceTimer = 2;
constexpr UINT kAckLimitMs = 10000, kPaceTickMs = 10;
constexpr UINT kCreateWindowError = 1, kKernelErrorCaption = 28, kGetDcFailure = 41, kStretchDibFailure = 42;

// The run's periods in CPU cycles: a plain run and a debug run.
constexpr std::uint32_t kLcdPeriod = 900000, kLcdPeriodDebug = 648000;
constexpr std::uint32_t kNmiPeriod = 1800000, kNmiPeriodDebug = 1296000;
constexpr std::uint32_t kTimerPeriod = 14400;

constexpr WPARAM kExitCommand = formats::kSimExitCommand;

}  // namespace

SimWindow::SimWindow(WindowSetup setup)
    : setup_(std::move(setup)),
      ids_{setup_.skins.entries.size()},
      kernel_(*this),
      link_(setup_.options.ide_window),
      requests_([this] { PostMessage(hwnd_, kQuestionMessage, 0, 0); }) {
    lcd_ = sim::make_lcd_buffers(setup_.skin.skin);
    shown_ = lcd_;
}

SimWindow::~SimWindow() {
    requests_.cancel();
    kernel_.StopThread(true);
    if (menu_) DestroyMenu(menu_);
}

bool SimWindow::register_class(HICON icon) {
    WNDCLASS wc{};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = procedure;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hIcon = reinterpret_cast<HCURSOR>(icon);  // the class record keeps any picture handle here
    wc.lpszClassName = kWindowClass;
    return RegisterClass(&wc) != 0;
}

bool SimWindow::make_menu() {
    std::vector<std::string> names;
    for (const sim::SkinEntry& entry : setup_.skins.entries) names.push_back(entry.display_name);
    MenuState state{setup_.skins.current, setup_.options.debug, setup_.skin.skin.rotated.has_value(), sound_};
    std::string error;
    menu_ = build_popup_menu(names, state, &error);
    if (!menu_) show_text_error(error);
    return menu_ != nullptr;
}

HWND SimWindow::create() {
    const sim::Skin& skin = setup_.skin.skin;
    HWND made = CreateWindowEx(0, kWindowClass, kWindowClass, WS_POPUP, 0, 0, int(skin.width), int(skin.height),
                               nullptr, nullptr, nullptr, this);
    // A creation that failed in WM_CREATE has shown why already.
    if (!made && !creation_ran_) show_system_error(kCreateWindowError, "");
    if (!made) return nullptr;
    apply_shape();
    return made;
}

LRESULT SimWindow::procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<SimWindow*>(GetWindowLongPtr(hwnd, GWL_USERDATA));
    if (message == WM_NCCREATE) {
        self = static_cast<SimWindow*>(reinterpret_cast<CREATESTRUCT*>(lParam)->lpCreateParams);
        SetWindowLongPtr(hwnd, GWL_USERDATA, LONG_PTR(self));
        self->hwnd_ = hwnd;
    }
    if (!self) return DefWindowProc(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        // The object may go before messages still queued for this handle.
        SetWindowLongPtr(hwnd, GWL_USERDATA, 0);
        return DefWindowProc(hwnd, message, wParam, lParam);
    }
    return self->handle(message, wParam, lParam);
}

LRESULT SimWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            creation_ran_ = true;
            created_ = open_emulation();
            return created_ ? 0 : -1;
        case WM_DESTROY: on_destroy(); return 0;
        case WM_PAINT: paint(); return 0;
        case WM_ERASEBKGND: return 1;
        case WM_CLOSE: PostMessage(hwnd_, WM_COMMAND, kExitCommand, 0); return 0;
        case WM_GETDLGCODE: return DLGC_WANTALLKEYS;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN: on_key(int(wParam), true); return 0;
        case WM_KEYUP:
        case WM_SYSKEYUP: on_key(int(wParam), false); return 0;
        case WM_KILLFOCUS: release_held_keys(); return 0;
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE) release_held_keys();
            return DefWindowProc(hwnd_, message, wParam, lParam);
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: on_left_button(lParam, true); return 0;
        case WM_LBUTTONUP: on_left_button(lParam, false); return 0;
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK: on_right_button(lParam, true); return 0;
        case WM_RBUTTONUP: on_right_button(lParam, false); return 0;
        case WM_COMMAND: on_command(LOWORD(wParam)); return 0;
        case WM_TIMER:
            if (wParam == kAckTimer) ack_timed_out_ = true;
            if (wParam == kPaceTimer) pace();
            return 0;
        case formats::WM_SIMLINK: on_link(wParam, lParam); return 0;
        case kLcdPaintMessage: paint_lcd_refresh(); return 0;
        case kQuestionMessage: on_question(); return 0;
        case kDownloadDoneMessage: on_download_finished(std::uint32_t(wParam), lParam != 0); return 0;
        case kAutoDownloadMessage:
            if (!closing_)
                start_download(setup_.options.download_path, setup_.options.display_name, setup_.options.debug);
            return 0;
        default: return DefWindowProc(hwnd_, message, wParam, lParam);
    }
}

// ---- start and end ---------------------------------------------------------

bool SimWindow::open_emulation() {
    const sim::SimOptions& options = setup_.options;
    std::string link_space = ipc::link_namespace(options.ide_window);
    auto keys = sim::rom_key_table(setup_.program_dir);
    if (auto* failure = std::get_if<sim::SimFailure>(&keys)) return show_failure(*failure), false;
    auto rom = sim::load_rom_image(options, std::get<sim::RomKeyTable>(keys), link_space);
    if (auto* failure = std::get_if<sim::SimFailure>(&rom)) return show_failure(*failure), false;
    std::vector<sim::SimFailure> warnings;
    auto ram = sim::open_ram_image(options, setup_.program_dir, link_space, warnings);
    for (const sim::SimFailure& warning : warnings) show_failure(warning);
    if (auto* failure = std::get_if<sim::SimFailure>(&ram)) return show_failure(*failure), false;
    rom_ = std::move(std::get<sim::RomBlock>(rom));
    ram_ = std::move(std::get<sim::RamImage>(ram));

    // The window takes messages from other processes: the IDE's link and close request.
    std::string why;
    bridge_ = kit::user::IpcBridge::open(hwnd_, &why);

    const sim::Skin& skin = setup_.skin.skin;
    simcpu::KernelConfig config;
    config.internalRamSize = options.internal_ram_size;
    config.externalRamSize = options.external_ram_size;
    config.romSize = std::uint32_t(rom_->block.size());
    config.ramImage = ram_->block.data();
    config.romImage = rom_->block.data();
    config.lcdWidth = skin.lcd.columns();
    config.lcdHeight = skin.lcd.rows();
    config.hostBitmap = lcd_.normal.bits.data();
    config.iconBuffer = lcd_.row_status.data();
    config.lcdPeriod = options.debug ? kLcdPeriodDebug : kLcdPeriod;
    config.nmiPeriod = options.debug ? kNmiPeriodDebug : kNmiPeriod;
    config.timerPeriod = kTimerPeriod;
    std::string error = kernel_.Setup(config, ram_->warm ? 0 : simcpu::InitOption::kColdStart);
    if (!error.empty()) return show_text_error(error), false;
    // The "-f:" file waits until the device has booted; a bad one is told then, and the device runs on.
    kernel_.core().autoDownloadPending = !options.download_path.empty();
    if (!kernel_.StartThread()) {
        show_message(kernel_.ErrorText(), load_text(kKernelErrorCaption));
        return false;
    }
    if (setup_.pace_hz && !options.debug) {
        pace_start_ms_ = GetTickCount();
        SetTimer(hwnd_, kPaceTimer, kPaceTickMs, nullptr);
    }
    return true;
}

void SimWindow::request_exit(bool with_notice) {
    if (with_notice) end_notice_ = true;
    PostMessage(hwnd_, WM_COMMAND, kExitCommand, 0);
}

// The exit command: the emulation is told to end and joined (it looks at the
// request between instructions, and a parked thread or a pending question is
// released), so it ends whether running, paused or stopped at a breakpoint.
void SimWindow::exit_command() {
    if (closing_) return;
    requests_.cancel();
    kernel_.SetControlFlags(simcpu::ControlFlag::kExitRequest, simcpu::ControlFlag::kExitRequest);
    kernel_.StopThread(true);
    end_hand_shake();
    DestroyWindow(hwnd_);
}

void SimWindow::end_hand_shake() {
    closing_ = true;
    if (!setup_.options.debug) return;
    if (!end_notice_) {
        link_.notify_exited();
        return;
    }
    if (!link_.notify_ended()) return;
    SetTimer(hwnd_, kAckTimer, kAckLimitMs, nullptr);
    MSG msg;
    while (!acknowledged_ && !ack_timed_out_ && kit::user::modal_loop_next(msg)) {
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
    KillTimer(hwnd_, kAckTimer);
}

void SimWindow::on_destroy() {
    closing_ = true;
    requests_.cancel();
    kernel_.StopThread(true);
    KillTimer(hwnd_, kPaceTimer);
    bridge_.reset();
    // A window whose creation failed ends nothing: no loop runs yet, and the
    // files of a run that never started stay as they were.
    if (!created_) {
        rom_.reset();
        ram_.reset();
        return;
    }
    if (rom_ && ram_) {
        auto failed =
            sim::write_back_memory_files(setup_.options, setup_.program_dir, std::move(*rom_), std::move(*ram_));
        rom_.reset();
        ram_.reset();
        if (failed) {
            show_failure(*failed);
            exit_code_ = 1;
        }
    }
    PostQuitMessage(exit_code_);
}

// ---- the kernel's calls, on the emulation thread ---------------------------

void SimWindow::PostToOwnWindow(std::uint32_t code) {
    PostMessage(hwnd_, WM_COMMAND, formats::kSimKernelStoppedCommand, LPARAM(code));
}

bool SimWindow::HasIdeWindow() { return setup_.options.debug && link_.connected(); }

void SimWindow::PostStoppedToIde(std::uint32_t code) {
    if (setup_.options.debug) link_.notify_stopped(code);
}

simcpu::ExceptionAnswer SimWindow::ShowException(std::uint16_t address, int code) {
    return requests_.ask(ExceptionQuestion{address, code});
}

void SimWindow::PaintLcd(unsigned flags) {
    // Called under the display lock once the kernel's buffers are refreshed.
    shown_ = lcd_;
    lcd_on_ = flags & 1;
    // One refresh waits at a time; the window draws the newest picture.
    if (!lcd_paint_posted_.exchange(true)) PostMessage(hwnd_, kLcdPaintMessage, 0, 0);
}

void SimWindow::AutoDownloadDue() {
    // The window reads the file and shows what is wrong with it; the device runs on meanwhile.
    PostMessage(hwnd_, kAutoDownloadMessage, 0, 0);
}

// ---- painting --------------------------------------------------------------

DeviceView SimWindow::view() { return DeviceView{setup_.skin.skin, shown_, turned_, kernel_.LcdLock()}; }

void SimWindow::paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    if (!dc) return show_resource_error(kGetDcFailure);
    DeviceView device = view();
    paint_skin(dc, device);
    clear_lcd_area(dc, device);
    bool lcd_ok = true;
    if (lcd_on_) {
        paint_indicators(dc, device);
        lcd_ok = paint_lcd(dc, device);
    }
    for (std::size_t key : held_keys_) paint_key(dc, device, key, true);
    EndPaint(hwnd_, &ps);
    if (!lcd_ok) show_resource_error(kStretchDibFailure);
}

void SimWindow::paint_lcd_refresh() {
    lcd_paint_posted_ = false;
    HDC dc = GetDC(hwnd_);
    if (!dc) return show_resource_error(kGetDcFailure);
    DeviceView device = view();
    bool lcd_ok = true;
    if (lcd_on_) {
        paint_indicators(dc, device);
        lcd_ok = paint_lcd(dc, device);
    } else {
        clear_lcd_area(dc, device);
    }
    ReleaseDC(hwnd_, dc);
    if (!lcd_ok) show_resource_error(kStretchDibFailure);
}

void SimWindow::apply_shape() {
    const sim::Skin& skin = setup_.skin.skin;
    std::vector<POINT> points;
    for (const sim::SkinPoint& p : sim::window_outline(skin, turned_)) points.push_back(POINT{LONG(p.x), LONG(p.y)});
    int width = int(turned_ ? skin.height : skin.width), height = int(turned_ ? skin.width : skin.height);
    // The window keeps its place, moved only as far as the new size needs to stay on the screen.
    RECT now{};
    GetWindowRect(hwnd_, &now);
    RECT placed = kit::user::fit_on_screen(RECT{now.left, now.top, now.left + width, now.top + height});
    SetWindowPos(hwnd_, nullptr, placed.left, placed.top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    // The window takes the region over.
    if (points.size() >= 3) SetWindowRgn(hwnd_, CreatePolygonRgn(points.data(), int(points.size()), ALTERNATE), TRUE);
    InvalidateRect(hwnd_, nullptr, FALSE);
}

// ---- keys and mouse --------------------------------------------------------

void SimWindow::press(std::size_t key, bool down) {
    const sim::SkinKey& record = setup_.skin.skin.keys[key];
    // The power key is held through a control flag, not through the key list.
    if (record.is_power_key()) {
        kernel_.SetControlFlags(simcpu::ControlFlag::kPowerKey, down ? simcpu::ControlFlag::kPowerKey : 0);
    } else {
        kernel_.KeyInput(record.device_code, down);
    }
    auto held = std::find(held_keys_.begin(), held_keys_.end(), key);
    if (down && held == held_keys_.end()) held_keys_.push_back(key);
    if (!down && held != held_keys_.end()) held_keys_.erase(held);
    if (HDC dc = GetDC(hwnd_)) {
        paint_key(dc, view(), key, down);
        ReleaseDC(hwnd_, dc);
    }
}

void SimWindow::release_held_keys() {
    while (!held_keys_.empty()) press(held_keys_.back(), false);
    mouse_key_.reset();
    if (GetCapture() == hwnd_) ReleaseCapture();
}

void SimWindow::on_key(int virtual_key, bool down) {
    auto key = key_for_pc_key(setup_.skin.skin, virtual_key, turned_);
    if (!key) return;
    bool held = std::find(held_keys_.begin(), held_keys_.end(), *key) != held_keys_.end();
    if (down != held) press(*key, down);
}

void SimWindow::on_left_button(LPARAM point, bool down) {
    if (!down) {
        if (mouse_key_) press(*mouse_key_, false);
        mouse_key_.reset();
        if (GetCapture() == hwnd_) ReleaseCapture();
        return;
    }
    auto key = key_at_point(setup_.skin.skin, turned_, GET_X_LPARAM(point), GET_Y_LPARAM(point));
    if (!key) return;
    if (mouse_key_ && *mouse_key_ != *key) press(*mouse_key_, false);
    mouse_key_ = key;
    press(*key, true);
    SetCapture(hwnd_);
}

void SimWindow::on_right_button(LPARAM point, bool down) {
    const sim::Skin& skin = setup_.skin.skin;
    auto key = key_at_point(skin, turned_, GET_X_LPARAM(point), GET_Y_LPARAM(point));
    bool on_power = key && skin.keys[*key].is_power_key();
    if (down) {
        if (on_power) {
            power_key_right_ = key;
            if (HDC dc = GetDC(hwnd_)) {
                paint_key(dc, view(), *key, true);
                ReleaseDC(hwnd_, dc);
            }
            return;
        }
        POINT screen{GET_X_LPARAM(point), GET_Y_LPARAM(point)};
        ClientToScreen(hwnd_, &screen);
        UINT command =
            UINT(TrackPopupMenu(menu_, TPM_RETURNCMD | TPM_RIGHTBUTTON, screen.x, screen.y, 0, hwnd_, nullptr));
        if (command) on_command(command);
        return;
    }
    if (!power_key_right_) return;
    std::size_t power = *power_key_right_;
    power_key_right_.reset();
    if (HDC dc = GetDC(hwnd_)) {
        paint_key(dc, view(), power, false);
        ReleaseDC(hwnd_, dc);
    }
    // Released over the same key: the device is switched off, which ends the simulator.
    if (key == power) {
        off_by_power_key_ = true;
        request_exit(true);
    }
}

// ---- commands --------------------------------------------------------------

void SimWindow::on_command(UINT id) {
    if (id == kExitCommand) return exit_command();
    // The kernel's notice of a stop or pause: the IDE link has told the IDE already.
    if (id == formats::kSimKernelStoppedCommand) return;
    if (ids_.is_skin(id)) return switch_skin(id - ids_.skin(0));
    if (id == ids_.rotate()) return toggle_rotation();
    if (id == ids_.suspend_and_watch()) return suspend_and_watch();
    if (id == ids_.sound()) {
        // Without a sound device the state stays "not available" and the item gray.
        if (sound_ == SoundState::Unavailable) return;
        sound_ = sound_ == SoundState::On ? SoundState::Off : SoundState::On;
        CheckMenuItem(menu_, id, sound_ == SoundState::On ? MF_CHECKED : MF_UNCHECKED);
        return;
    }
    if (id == ids_.setting()) return settings();
    if (id == ids_.download()) return download_from_menu();
    if (id == ids_.minimize()) {
        ShowWindow(hwnd_, SW_MINIMIZE);
        return;
    }
    if (id == ids_.reset()) {
        if (HDC dc = GetDC(hwnd_)) {
            clear_lcd_area(dc, view());
            ReleaseDC(hwnd_, dc);
        }
        kernel_.RequestReset(2);
        return;
    }
    if (id == ids_.exit()) request_exit(true);
}

// Runs `change` with the emulation held, then lets it go on when this held it.
template <class Change>
static void with_emulation_held(simcpu::EmuKernel& kernel, Change change) {
    bool held_here = kernel.IsRunning() && !kernel.IsSuspended() && kernel.Pause();
    change();
    if (held_here) kernel.Resume();
}

void SimWindow::switch_skin(std::size_t index) {
    if (index >= setup_.skins.entries.size()) return;
    auto chosen = sim::read_chosen_skin(setup_.skin, setup_.skins.entries[index].path);
    if (std::holds_alternative<std::monostate>(chosen)) return;
    if (auto* failure = std::get_if<sim::SimFailure>(&chosen)) return show_failure(*failure);
    sim::LoadedSkin& wanted = std::get<sim::LoadedSkin>(chosen);
    with_emulation_held(kernel_, [&] {
        std::lock_guard lock(kernel_.LcdLock());
        setup_.skin = std::move(wanted);
        turned_ = false;
        lcd_.normal = sim::make_lcd_picture(setup_.skin.skin.lcd);
        lcd_.turned =
            setup_.skin.skin.rotated ? sim::make_lcd_picture(setup_.skin.skin.rotated->lcd) : sim::LcdPicture{};
        kernel_.SetRotation(lcd_.normal.bits.data(), 0);
    });
    CheckMenuItem(menu_, ids_.skin(setup_.skins.current), MF_UNCHECKED);
    CheckMenuItem(menu_, ids_.skin(index), MF_CHECKED);
    CheckMenuItem(menu_, ids_.rotate(), MF_UNCHECKED);
    EnableMenuItem(menu_, ids_.rotate(), setup_.skin.skin.rotated ? MF_ENABLED : MF_GRAYED);
    setup_.skins.current = index;
    apply_shape();
}

void SimWindow::toggle_rotation() {
    if (!setup_.skin.skin.rotated || lcd_.turned.bits.empty()) return;
    with_emulation_held(kernel_, [&] {
        turned_ = !turned_;
        sim::LcdPicture& picture = turned_ ? lcd_.turned : lcd_.normal;
        kernel_.SetRotation(picture.bits.data(), turned_ ? simcpu::ControlFlag::kLcdRotated : 0);
    });
    CheckMenuItem(menu_, ids_.rotate(), turned_ ? MF_CHECKED : MF_UNCHECKED);
    apply_shape();
}

void SimWindow::suspend_and_watch() {
    bool held_here = kernel_.IsRunning() && !kernel_.IsSuspended();
    if (held_here && !kernel_.Pause()) return;
    simcpu::ExceptionAnswer answer =
        in_dialog([&] { return show_exception_dialog(hwnd_, kernel_, 0, kernel_.core().regs().pc); });
    if (answer == simcpu::ExceptionAnswer::Stop) return request_exit(true);
    if (held_here) kernel_.Resume();
}

void SimWindow::on_question() {
    auto question = requests_.take();
    if (!question) return;
    simcpu::ExceptionAnswer answer =
        in_dialog([&] { return show_exception_dialog(hwnd_, kernel_, question->code, question->address); });
    requests_.answer(answer);
    if (answer == simcpu::ExceptionAnswer::Stop) request_exit(true);
}

void SimWindow::settings() {
    Periods periods;
    with_emulation_held(kernel_, [&] { periods = {kernel_.core().nmiPeriod, kernel_.core().lcdPeriod}; });
    if (in_dialog([&] { return show_settings_dialog(hwnd_, periods, setup_.options.debug); }) != IDOK) return;
    with_emulation_held(kernel_, [&] {
        kernel_.core().nmiPeriod = periods.nmi;
        kernel_.core().lcdPeriod = periods.lcd;
    });
}

// ---- downloads -------------------------------------------------------------

void SimWindow::download_from_menu() {
    std::string path;
    if (!in_dialog([&] { return ask_download_path(hwnd_, path); })) return;
    start_download(sim::complete_path(path, setup_.program_dir), "", false);
}

void SimWindow::start_download(const std::filesystem::path& file, std::string_view name, bool tell_ide) {
    auto prepared = sim::prepare_download(file);
    if (auto* failure = std::get_if<sim::SimFailure>(&prepared)) return show_failure(*failure);
    auto loader = sim::read_loader(setup_.program_dir / sim::kLoaderFileName);
    if (auto* failure = std::get_if<sim::SimFailure>(&loader)) return show_failure(*failure);
    HWND window = hwnd_;
    auto download = std::make_unique<FileDownload>(
        std::move(std::get<sim::PreparedDownload>(prepared)), std::string(name), setup_.options.debug,
        [window, tell_ide](std::uint32_t slots) { PostMessage(window, kDownloadDoneMessage, slots, tell_ide); });
    std::string refused;
    with_emulation_held(kernel_, [&] {
        // A download under way keeps its file: a second one is refused.
        if (kernel_.core().downloadState != simcpu::DownloadState::kIdle || (download_ && !download_->done())) {
            refused = "A download is already under way";
            return;
        }
        refused = simcpu::StartDownload(kernel_.core(), *download, std::get<std::vector<std::uint8_t>>(loader));
        if (refused.empty()) download_ = std::move(download);
    });
    if (!refused.empty()) show_text_error(refused);
}

void SimWindow::on_download_finished(std::uint32_t slots, bool tell_ide) {
    if (tell_ide && setup_.options.debug)
        link_.notify_downloaded(std::uint8_t(slots >> 8), std::uint8_t(slots), ipc::WindowHandle(value_of(hwnd_)));
}

// ---- the IDE link ----------------------------------------------------------

void SimWindow::on_link(WPARAM wParam, LPARAM lParam) {
    auto command = sim::ide_command(wParam, std::uint64_t(lParam), setup_.options.debug);
    if (!command) return;
    switch (*command) {
        case sim::IdeCommand::Run:
            if (kernel_.IsRunning()) return;
            requests_.reopen();
            if (!kernel_.StartThread()) {
                show_message(kernel_.ErrorText(), load_text(kKernelErrorCaption));
                request_exit(true);
            }
            return;
        case sim::IdeCommand::Resume:
            // Resume keeps a resume that arrives before the thread has parked at
            // its notice; it does nothing when the thread is not at one.
            kernel_.Resume();
            return;
        case sim::IdeCommand::Exit: PostMessage(hwnd_, WM_COMMAND, kExitCommand, 0); return;
        case sim::IdeCommand::AckEnd: acknowledged_ = true; return;
        case sim::IdeCommand::Close:
            if (off_by_power_key_) return;
            request_exit(setup_.options.debug);
            return;
    }
}

// ---- pacing ----------------------------------------------------------------

// For a person at the keyboard: the device is held whenever it has run ahead
// of its nominal clock, looked at every tick. The core itself is never slowed.
void SimWindow::pace() {
    // A dialog may have the emulation waiting for its answer: it is not held then.
    if (!kernel_.IsRunning() || dialogs_open_ > 0) return;
    if (!paced_hold_ && (kernel_.IsSuspended() || !kernel_.Pause())) return;
    std::uint64_t elapsed = GetTickCount() - pace_start_ms_;
    std::uint64_t due = elapsed * *setup_.pace_hz / 1000;
    paced_hold_ = kernel_.core().cycleCount > due;
    if (!paced_hold_) kernel_.Resume();
}

}  // namespace simwin
