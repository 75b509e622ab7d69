// Arbitrary input to the demo (clicks anywhere, keys, time passing) ends in
// a closed window or a stall, never a crash or a hang. Each 4-byte record is
// one event: kind, x, y and a key.
#include <cstddef>
#include <cstdint>

#include "platform/display/headless.h"
#include "platform/user/window_table.h"
#include "tools/windemo/demo.h"

namespace {

void inject(const std::uint8_t* r, kit::display::Headless& display) {
    POINT p{20 + r[1] * 2, 20 + r[2]};
    switch (r[0] % 8) {
        case 0: kit::user::inject_mouse_move(p); break;
        case 1: kit::user::inject_mouse_button(kit::user::MouseButton::left, true, p); break;
        case 2: kit::user::inject_mouse_button(kit::user::MouseButton::left, false, p); break;
        case 3: kit::user::inject_mouse_button(kit::user::MouseButton::right, (r[3] & 1) != 0, p); break;
        case 4: kit::user::inject_key(r[3], true); break;
        case 5: kit::user::inject_key(r[3], false); break;
        case 6: kit::user::inject_mouse_wheel(r[3] & 1 ? 120 : -120, p); break;
        default: display.advance(r[3]); break;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kit::display::Headless display;
    bool stalled = false;
    // Out of input, every loop ends: WM_QUIT reaches the outermost one.
    display.on_stall([&](const std::string&) {
        if (!stalled) PostQuitMessage(0);
        stalled = true;
    });
    kit::user::set_dialog_script([](const kit::user::DialogQuestion& q) -> std::optional<LONG_PTR> {
        if (q.message_box) return IDOK;
        return std::nullopt;
    });
    HWND main = windemo::create_main_window();
    for (std::size_t i = 0; i + 4 <= size && i < 4 * 256; i += 4) {
        const std::uint8_t* record = data + i;
        display.then([record, &display] { inject(record, display); });
    }
    windemo::run_message_loop(main);
    for (HWND top : kit::user::top_level_windows()) DestroyWindow(top);
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
    kit::user::reset_input_state();
    kit::user::set_dialog_script(nullptr);
    windemo::event_log().clear();
    return 0;
}
