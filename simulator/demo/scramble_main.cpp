// demo_rom_scramble <plain ROM> <scrambled ROM>: writes the demo ROM in the
// scrambled form the simulator reads by default, with the kit's own keys.
#include <cstdio>

#include "platform/os/file.h"
#include "simulator/memory/rom_image.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: demo_rom_scramble <plain ROM> <scrambled ROM>\n");
        return 2;
    }
    auto plain = os::read_file(argv[1]);
    if (!plain) {
        std::fprintf(stderr, "demo_rom_scramble: %s: %s\n", argv[1], plain.error().text.c_str());
        return 1;
    }
    constexpr std::uint32_t kFirstSeed = 0x5EED4700;  // any seed reads back the same
    auto scrambled = sim::scramble_rom_image(*plain, kFirstSeed);
    if (auto written = os::write_file(argv[2], scrambled); !written) {
        std::fprintf(stderr, "demo_rom_scramble: %s: %s\n", argv[2], written.error().text.c_str());
        return 1;
    }
    return 0;
}
