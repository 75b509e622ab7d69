// Talvask: the device simulator. The display comes from KIT_DISPLAY (sdl or
// headless); TALVASK_PACE_HZ, when set, holds the device to that nominal
// clock for a person at the keyboard (the IDE's runs leave it unset).
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "platform/display/display.h"
#include "platform/display/headless.h"
#include "platform/os/module.h"
#include "platform/os/result.h"
#include "simulator/sim_startup.h"
#include "simulator/window/message_boxes.h"
#include "simulator/window/talvask_startup.h"

namespace {

std::optional<std::uint64_t> pace_from_environment() {
    auto text = os::environment_variable("TALVASK_PACE_HZ");
    if (!text || text->empty()) return std::nullopt;
    char* end = nullptr;
    unsigned long long hz = std::strtoull(text->c_str(), &end, 10);
    if (*end || hz == 0) return std::nullopt;
    return hz;
}

// Without a screen the simulator still serves the IDE: its headless display
// follows real time, and a loop with nothing to do sleeps briefly instead of stalling.
void follow_real_time(kit::display::Headless& headless) {
    headless.advance_to_timers(false);  // the end hand-shake's ten seconds are real seconds here
    auto last = std::make_shared<std::chrono::steady_clock::time_point>(std::chrono::steady_clock::now());
    headless.on_stall([&headless, last](const std::string&) {
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
        auto now = std::chrono::steady_clock::now();
        headless.advance(std::uint64_t(std::chrono::duration_cast<std::chrono::milliseconds>(now - *last).count()));
        *last = now;
    });
}

}  // namespace

int main(int argc, char** argv) {
    kit::display::OpenedDisplay display = kit::display::open_display();
    if (!display.backend) {
        std::fprintf(stderr, "Talvask: %s\n", display.error.c_str());
        return 1;
    }
    if (auto* headless = dynamic_cast<kit::display::Headless*>(display.backend.get())) follow_real_time(*headless);
    errno = 0;
    std::filesystem::path program_dir = os::module_directory();
    if (program_dir.empty()) {
        simwin::show_system_error(sim::kModuleFileNameError, errno ? os::error_text(errno) : std::string());
        return 1;
    }
    std::vector<std::string> arguments(argv + 1, argv + argc);
    simwin::StartRequest request{arguments, program_dir, sim::remembered_skin_name(), pace_from_environment(),
                                 SW_SHOWNORMAL};
    auto started = simwin::start_talvask(request);
    if (auto* code = std::get_if<int>(&started)) return *code;
    return simwin::run_talvask(*std::get<std::unique_ptr<simwin::SimWindow>>(started));
}
