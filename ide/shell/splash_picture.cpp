// The splash picture, drawn once: the handheld with its LCD and keys on a blue
// ground, and the program's name in large block letters.
#include <cstdint>
#include <cstring>

#include "ide/shell/splash_wnd.h"
#include "platform/res/resources.h"

namespace shell {

namespace {

constexpr int kWidth = 400, kHeight = 220;

struct Canvas {
    kit::res::Picture& picture;
    void fill(int left, int top, int right, int bottom, std::uint32_t argb) {
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x)
                if (x >= 0 && x < kWidth && y >= 0 && y < kHeight)
                    picture.pixels[std::size_t(y) * kWidth + std::size_t(x)] = argb;
    }
    // A 5 by 7 letter from its rows, each cell a `scale` square.
    void letter(const char* const rows[7], int left, int top, int scale, std::uint32_t argb) {
        for (int y = 0; y < 7; ++y)
            for (int x = 0; x < 5 && rows[y][x]; ++x)
                if (rows[y][x] == '#')
                    fill(left + x * scale, top + y * scale, left + (x + 1) * scale, top + (y + 1) * scale, argb);
    }
};

constexpr const char* kLetters[6][7] = {
    {".###.", "#...#", "#....", "#....", "#....", "#...#", ".###."},  // C
    {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."},  // O
    {"####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"},  // R
    {"#...#", "#...#", "#...#", "#...#", "#...#", ".#.#.", "..#.."},  // V
    {"#####", "#....", "#....", "####.", "#....", "#....", "#####"},  // E
    {"#....", "#....", "#....", "#....", "#....", "#....", "#####"},  // L
};

std::uint32_t Rgb(int r, int g, int b) { return 0xFF000000u | std::uint32_t(r << 16 | g << 8 | b); }

const kit::res::Module& SplashModule() {
    static const kit::res::Module module = [] {
        kit::res::Module m;
        m.name = "Corvel splash";
        kit::res::Picture picture;
        picture.id = CVyrSplashWnd::kPicture;
        picture.width = kWidth;
        picture.height = kHeight;
        picture.pixels.resize(std::size_t(kWidth) * kHeight);
        Canvas canvas{picture};
        for (int y = 0; y < kHeight; ++y) canvas.fill(0, y, kWidth, y + 1, Rgb(0, 0, 64 + y * 120 / kHeight));
        // The handheld: its case, the LCD with a line of dark dots, and the keys.
        canvas.fill(28, 24, 132, 198, Rgb(64, 64, 64));
        canvas.fill(30, 26, 130, 196, Rgb(200, 200, 188));
        canvas.fill(40, 38, 120, 94, Rgb(96, 104, 80));
        canvas.fill(43, 41, 117, 91, Rgb(168, 184, 128));
        for (int x = 50; x < 110; x += 6) canvas.fill(x, 62, x + 4, 70, Rgb(40, 48, 32));
        for (int row = 0; row < 4; ++row)
            for (int column = 0; column < 4; ++column)
                canvas.fill(42 + column * 20, 106 + row * 20, 56 + column * 20, 118 + row * 20, Rgb(72, 72, 96));
        // The name, and a rule under it.
        for (int i = 0; i < 6; ++i) canvas.letter(kLetters[i], 156 + i * 38, 70, 6, Rgb(255, 255, 255));
        canvas.fill(156, 124, 378, 126, Rgb(255, 208, 64));
        m.pictures.push_back(std::move(picture));
        return m;
    }();
    return module;
}

}  // namespace

void RegisterSplashPicture() {
    static const bool registered = (kit::res::register_module(&SplashModule()), true);
    (void)registered;
}

}  // namespace shell
