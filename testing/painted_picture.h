#pragma once
// Picture tests that see what a person sees: each picture is painted as the
// windows invalidated it, over the one before, and must equal a full repaint
// (kit::display::painted_snapshot), so a change that forgot to invalidate
// what it altered fails the test that looks at it.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <string_view>

#include "platform/display/headless.h"
#include "platform/gdi/png_writer.h"
#include "testing/golden.h"

namespace testing_kit {

// The picture of a top-level window; fails naming where pixels are stale.
// `seen` (when given) gets the picture as painted before the full repaint.
inline ::testing::AssertionResult painted_picture(HWND top_level, gdi::Surface* picture, gdi::Surface* seen = nullptr) {
    std::string stale;
    *picture = kit::display::painted_snapshot(top_level, &stale, seen);
    if (picture->empty()) return ::testing::AssertionFailure() << "the window has no picture";
    if (!stale.empty()) return ::testing::AssertionFailure() << stale;
    return ::testing::AssertionSuccess();
}

// That picture against the golden PNG at `relative` below the source tree.
// With stale pixels, the picture as painted is written beside the golden.
inline ::testing::AssertionResult matches_painted_golden(HWND top_level, std::string_view relative) {
    gdi::Surface picture, seen;
    ::testing::AssertionResult painted = painted_picture(top_level, &picture, &seen);
    if (picture.empty()) return painted;
    if (!painted) {
        const std::filesystem::path written = source_path(relative).string() + ".seen.actual";
        std::string error;
        if (gdi::write_png(seen, written, &error)) painted << "; the picture as painted is in " << written;
    }
    const auto png = gdi::encode_png(picture);
    ::testing::AssertionResult golden = matches_golden(relative, std::string(png.begin(), png.end()));
    if (painted) return golden;
    ::testing::AssertionResult failure = ::testing::AssertionFailure() << relative << ": " << painted.message();
    if (!golden) failure << "\nand " << golden.message();
    return failure;
}

}  // namespace testing_kit
