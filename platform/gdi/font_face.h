#pragma once
// A realised font: metrics and monochrome glyph masks for character codes
// (a byte, or lead byte << 8 | trail byte for double-byte characters).
#include <array>
#include <atomic>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/gdi/gdi_types.h"

namespace gdi {

struct Glyph {
    int left = 0;  // mask offset from the pen position
    int top = 0;   // mask offset from the cell top (ascent line)
    int width = 0;
    int height = 0;
    int advance = 0;
    std::vector<std::uint8_t> mask;  // width * height, 1 = ink
    // The ink again as runs of columns along the rows, which text is drawn from: row
    // y's runs are runs[row_runs[y]] up to runs[row_runs[y + 1]].
    struct InkRun {
        int left, right;
    };
    std::vector<InkRun> runs;
    std::vector<int> row_runs;

    bool ink(int x, int y) const { return mask[static_cast<std::size_t>(y) * width + x] != 0; }
    // Makes `runs` and `row_runs` from the mask.
    void find_runs() {
        runs.clear();
        row_runs.assign(1, 0);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                if (!ink(x, y)) continue;
                const int left = x;
                while (x < width && ink(x, y)) ++x;
                runs.push_back({left, x});
            }
            row_runs.push_back(static_cast<int>(runs.size()));
        }
    }
};

// Glyphs made once per face and kept for its lifetime. Single-byte codes,
// the bulk of all text, are found without taking the lock.
class GlyphCache {
public:
    template <class Render>
    const Glyph& get(std::uint32_t code, Render&& render) {
        if (code < kFast) {
            if (const Glyph* g = fast_[code].load(std::memory_order_acquire)) return *g;
        }
        std::lock_guard lock(mutex_);
        auto& slot = glyphs_[code];
        if (!slot) {
            slot = std::make_unique<Glyph>(render(code));
            slot->find_runs();
            if (code < kFast) fast_[code].store(slot.get(), std::memory_order_release);
        }
        return *slot;
    }

private:
    static constexpr std::uint32_t kFast = 256;
    std::array<std::atomic<const Glyph*>, kFast> fast_{};
    std::mutex mutex_;
    std::map<std::uint32_t, std::unique_ptr<Glyph>> glyphs_;
};

class FontFace {
public:
    virtual ~FontFace() = default;
    virtual const TEXTMETRIC& metrics() const = 0;
    virtual int advance(std::uint32_t code) const = 0;
    // Stays valid for the face's lifetime.
    virtual const Glyph& glyph(std::uint32_t code) const = 0;
    virtual const char* face_name() const = 0;
};

}  // namespace gdi
