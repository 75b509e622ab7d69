#include "platform/gdi/png_writer.h"

#include <png.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <fstream>
#include <system_error>

namespace gdi {

std::vector<std::uint8_t> encode_png(const Surface& surface) {
    if (surface.empty()) return {};
    std::vector<std::uint8_t> rgb;
    rgb.reserve(surface.pixels().size() * 3);
    for (const Pixel p : surface.pixels()) {
        rgb.push_back(static_cast<std::uint8_t>(p >> 16));
        rgb.push_back(static_cast<std::uint8_t>(p >> 8));
        rgb.push_back(static_cast<std::uint8_t>(p));
    }
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(surface.width());
    image.height = static_cast<png_uint_32>(surface.height());
    image.format = PNG_FORMAT_RGB;
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&image, nullptr, &size, 0, rgb.data(), 0, nullptr)) return {};
    std::vector<std::uint8_t> out(size);
    if (!png_image_write_to_memory(&image, out.data(), &size, 0, rgb.data(), 0, nullptr)) return {};
    out.resize(size);
    return out;
}

bool write_png(const Surface& surface, const std::filesystem::path& path, std::string* error) {
    auto fail = [error](std::string why) {
        if (error) *error = std::move(why);
        return false;
    };
    const std::vector<std::uint8_t> bytes = encode_png(surface);
    if (bytes.empty()) return fail("cannot encode an empty surface as PNG");
    static std::atomic<unsigned> counter{0};
    std::filesystem::path temp = path;
    temp += ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            std::error_code ignored;
            std::filesystem::remove(temp, ignored);
            return fail("cannot write " + temp.string());
        }
    }
    std::error_code ec;
    std::filesystem::rename(temp, path, ec);
    if (ec) {
        std::filesystem::remove(temp, ec);
        return fail("cannot replace " + path.string());
    }
    return true;
}

}  // namespace gdi
