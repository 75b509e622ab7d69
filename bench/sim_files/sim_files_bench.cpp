#include <cstdlib>
#include <filesystem>
#include <numeric>
#include <unistd.h>

#include <benchmark/benchmark.h>

#include "platform/ipc/runtime_dir.h"
#include "platform/ipc/window_messages.h"
#include "simulator/memory/rom_image.h"
#include "simulator/skin/skin_file.h"
#include "tools/mkskin/device_skin.h"

namespace {

// A 4 MB ROM image, scrambled, decoded as at every start.
void BM_DecodeRomImage(benchmark::State& state) {
    std::vector<uint8_t> rom(4 << 20);
    std::iota(rom.begin(), rom.end(), uint8_t{0});
    auto file = sim::scramble_rom_image(rom, 99);
    std::vector<uint8_t> decoded(sim::decoded_rom_size(file.size()));
    for (auto _ : state) benchmark::DoNotOptimize(sim::decode_rom_image(file, decoded));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * file.size()));
}
BENCHMARK(BM_DecodeRomImage);

// The kit's large skin, read, checked and turned, as at start and at every switch.
void BM_ParseSkin(benchmark::State& state) {
    auto file = sim::write_skin(mkskin::draw_device_skin(2, "QV4700"));
    for (auto _ : state) benchmark::DoNotOptimize(sim::parse_skin(file));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * file.size()));
}
BENCHMARK(BM_ParseSkin);

// One posted message and its receipt through a window's port.
void BM_PostAndReceive(benchmark::State& state) {
    std::string folder = "/tmp/qvkit-bench-" + std::to_string(getpid());
    setenv(ipc::kRuntimeDirVariable, folder.c_str(), 1);
    ipc::WindowHandle window = ipc::allocate_window_handle();
    auto port = ipc::MessagePort::open(window);
    for (auto _ : state) {
        ipc::post_message(window, 0x8100, 0x1012FFFF, 0);
        benchmark::DoNotOptimize(port->receive(1000));
    }
    port.reset();
    std::filesystem::remove_all(folder);
    unsetenv(ipc::kRuntimeDirVariable);
}
BENCHMARK(BM_PostAndReceive);

}  // namespace
