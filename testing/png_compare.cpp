// Checks a screenshot for the screen tests.
//   png_compare <expected.png> <actual.png> <allowed differing pixels>
//     the two pictures have one size and differ in at most that many pixels;
//     the expected one must itself show something (two colours or more).
//   png_compare --shows <picture.png> <width> <height> <least colours>
//     the picture has that size and at least that many colours, so it holds
//     a drawn window and not a blank rectangle.
// Exit codes: 0 the check holds, 1 it does not (saying why), 2 bad usage or an
// unreadable file.
#include <png.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace {

struct Picture {
    int width = 0, height = 0;
    std::vector<std::uint32_t> pixels;  // 0xRRGGBB, row by row
};

std::optional<Picture> read_png(const char* path) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path)) {
        std::fprintf(stderr, "png_compare: cannot read %s: %s\n", path, image.message);
        return std::nullopt;
    }
    image.format = PNG_FORMAT_RGB;
    std::vector<std::uint8_t> rgb(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr)) {
        std::fprintf(stderr, "png_compare: cannot decode %s: %s\n", path, image.message);
        return std::nullopt;
    }
    Picture picture{static_cast<int>(image.width), static_cast<int>(image.height), {}};
    picture.pixels.reserve(rgb.size() / 3);
    for (std::size_t i = 0; i + 2 < rgb.size(); i += 3)
        picture.pixels.push_back(std::uint32_t(rgb[i]) << 16 | std::uint32_t(rgb[i + 1]) << 8 | rgb[i + 2]);
    return picture;
}

std::size_t colour_count(const Picture& picture) {
    return std::set<std::uint32_t>(picture.pixels.begin(), picture.pixels.end()).size();
}

std::optional<long> number(const char* text) {
    char* end = nullptr;
    long value = std::strtol(text, &end, 10);
    if (!*text || *end || value < 0) return std::nullopt;
    return value;
}

int usage() {
    std::fprintf(stderr,
                 "usage: png_compare <expected.png> <actual.png> <allowed differing pixels>\n"
                 "       png_compare --shows <picture.png> <width> <height> <least colours>\n");
    return 2;
}

int check_shows(const char* path, long width, long height, long least_colours) {
    auto picture = read_png(path);
    if (!picture) return 2;
    if (picture->width != width || picture->height != height) {
        std::printf("%s is %dx%d, not the window's %ldx%ld\n", path, picture->width, picture->height, width, height);
        return 1;
    }
    const std::size_t colours = colour_count(*picture);
    if (long(colours) < least_colours) {
        std::printf("%s holds %zu colours, fewer than the %ld of a drawn window\n", path, colours, least_colours);
        return 1;
    }
    std::printf("%s: %dx%d, %zu colours\n", path, picture->width, picture->height, colours);
    return 0;
}

int compare(const char* expected_path, const char* actual_path, long allowed) {
    auto expected = read_png(expected_path);
    auto actual = read_png(actual_path);
    if (!expected || !actual) return 2;
    if (colour_count(*expected) < 2) {
        std::printf("%s is a single colour: nothing to compare with\n", expected_path);
        return 1;
    }
    if (expected->width != actual->width || expected->height != actual->height) {
        std::printf("%s is %dx%d but %s is %dx%d\n", actual_path, actual->width, actual->height, expected_path,
                    expected->width, expected->height);
        return 1;
    }
    long differing = 0;
    int left = expected->width, top = expected->height, right = -1, bottom = -1;
    for (int y = 0; y < expected->height; ++y) {
        for (int x = 0; x < expected->width; ++x) {
            const std::size_t at = std::size_t(y) * std::size_t(expected->width) + std::size_t(x);
            if (expected->pixels[at] == actual->pixels[at]) continue;
            ++differing;
            left = std::min(left, x);
            top = std::min(top, y);
            right = std::max(right, x);
            bottom = std::max(bottom, y);
        }
    }
    std::printf("%ld of %d pixels differ", differing, expected->width * expected->height);
    if (differing) std::printf(", within (%d,%d)-(%d,%d)", left, top, right, bottom);
    std::printf("; %ld allowed\n", allowed);
    return differing <= allowed ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 6 && std::string(argv[1]) == "--shows") {
        auto width = number(argv[3]), height = number(argv[4]), colours = number(argv[5]);
        if (!width || !height || !colours) return usage();
        return check_shows(argv[2], *width, *height, *colours);
    }
    if (argc == 4) {
        auto allowed = number(argv[3]);
        if (!allowed) return usage();
        return compare(argv[1], argv[2], *allowed);
    }
    return usage();
}
