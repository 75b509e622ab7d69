#include "simulator/window/talvask_startup.h"

#include "platform/ipc/leftovers.h"
#include "platform/res/resources.h"
#include "simulator/skin/skin_icon.h"
#include "simulator/window/message_boxes.h"

const kit::res::Module& talvask_resources();

namespace simwin {
namespace {

constexpr int kFailedStart = 1;

HICON make_icon(const sim::SkinIcon& icon) {
    if (icon.width == 0 || icon.height == 0) return nullptr;
    // Colour as 32-bit rows; the mask (word-aligned rows) marks the transparent pixels.
    std::uint32_t mask_stride = (icon.width + 15) / 16 * 2;
    std::vector<std::uint8_t> mask(std::size_t(mask_stride) * icon.height, 0);
    std::vector<std::uint32_t> colour(icon.argb);
    for (std::uint32_t y = 0; y < icon.height; ++y) {
        for (std::uint32_t x = 0; x < icon.width; ++x) {
            std::uint32_t& pixel = colour[std::size_t(y) * icon.width + x];
            if (pixel >> 24) continue;
            pixel = 0;
            mask[std::size_t(y) * mask_stride + x / 8] |= std::uint8_t(0x80 >> (x % 8));
        }
    }
    ICONINFO info{};
    info.fIcon = TRUE;
    info.hbmColor = CreateBitmap(int(icon.width), int(icon.height), 1, 32, colour.data());
    info.hbmMask = CreateBitmap(int(icon.width), int(icon.height), 1, 1, mask.data());
    HICON made = CreateIconIndirect(&info);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return made;
}

template <class T>
T* value_or_report(std::variant<T, sim::SimFailure>& result) {
    if (auto* failure = std::get_if<sim::SimFailure>(&result)) {
        show_failure(*failure);
        return nullptr;
    }
    return &std::get<T>(result);
}

}  // namespace

std::variant<std::unique_ptr<SimWindow>, int> start_talvask(const StartRequest& request) {
    static const bool registered = (kit::res::register_module(&talvask_resources()), true);
    (void)registered;

    // What killed simulators and IDEs left in the runtime folder goes before
    // this simulator adds its own.
    ipc::remove_leftovers();
    auto parsed = sim::parse_sim_command_line(request.arguments, request.program_dir);
    sim::SimOptions* options = value_or_report(parsed);
    if (!options) return kFailedStart;

    sim::SkinList skins = sim::find_skins(request.program_dir, options->skin_path);
    if (skins.problem) show_failure(*skins.problem);
    if (skins.entries.empty()) {
        show_failure(sim::sim_failure(sim::kFindSkinError));
        return kFailedStart;
    }
    std::filesystem::path skin_path = sim::start_skin_path(skins, request.program_dir, request.remembered_skin);
    auto loaded = sim::load_skin(skin_path);
    sim::Skin* skin = value_or_report(loaded);
    if (!skin) return kFailedStart;
    auto decoded_icon = sim::decode_skin_icon(skin->icon_file, skin_path.string());
    sim::SkinIcon* icon = value_or_report(decoded_icon);
    if (!icon) return kFailedStart;

    auto window =
        std::make_unique<SimWindow>(WindowSetup{*options, request.program_dir, std::move(skins),
                                                sim::LoadedSkin{skin_path, std::move(*skin)}, request.pace_hz});
    if (!window->make_menu()) return kFailedStart;

    WNDCLASS existing{};
    if (!GetClassInfo(nullptr, kWindowClass, &existing) && !SimWindow::register_class(make_icon(*icon)))
        return kFailedStart;
    HWND hwnd = window->create();
    if (!hwnd) {
        // A failed creation has shown its own message (memory files, the emulation).
        return kFailedStart;
    }
    RECT rect{};
    GetWindowRect(hwnd, &rect);
    int width = rect.right - rect.left, height = rect.bottom - rect.top;
    SetWindowPos(hwnd, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    ShowWindow(hwnd, request.show_command);
    UpdateWindow(hwnd);
    return window;
}

int run_talvask(SimWindow& window) {
    MSG msg{};
    while (GetMessage(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
    UnregisterClass(kWindowClass, nullptr);
    return msg.message == WM_QUIT && msg.wParam ? int(msg.wParam) : window.exit_code();
}

}  // namespace simwin
