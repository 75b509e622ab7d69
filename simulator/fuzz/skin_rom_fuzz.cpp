// Feeds the same bytes to the skin reader (with its turned view, outline and
// icon) and to the ROM decoder; neither may read outside what it was given.
#include <cstdint>
#include <span>
#include <variant>
#include <vector>

#include "simulator/memory/rom_image.h"
#include "simulator/skin/lcd_buffers.h"
#include "simulator/skin/skin_file.h"
#include "simulator/skin/skin_icon.h"
#include "simulator/skin/skin_outline.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::span<const uint8_t> bytes(data, size);
    auto skin = sim::parse_skin(bytes);
    if (auto* parsed = std::get_if<sim::Skin>(&skin)) {
        sim::window_outline(*parsed, false);
        if (parsed->rotated) sim::window_outline(*parsed, true);
        sim::make_lcd_buffers(*parsed);
        sim::decode_skin_icon(parsed->icon_file, "fuzz");
    }
    sim::decode_skin_icon(bytes, "fuzz");

    std::vector<uint8_t> rom(sim::decoded_rom_size(size));
    sim::decode_rom_image(bytes, rom);
    return 0;
}
