#include "platform/gdi/fonts.h"

#include <atomic>
#include <cstring>
#include <map>
#include <mutex>
#include <tuple>

#include "platform/gdi/freetype_face.h"
#include "platform/gdi/surface_dc.h"
#include "platform/gdi/test_font.h"

namespace gdi {

namespace {

std::atomic<bool> g_test_everywhere{false};
std::atomic<unsigned> g_generation{1};

using Key = std::tuple<std::string, LONG, LONG, LONG, bool, bool, BYTE, BYTE>;

Key key_of(const LOGFONT& f, bool test) {
    char face[LF_FACESIZE + 1] = {};
    std::memcpy(face, f.lfFaceName, LF_FACESIZE);
    return Key{test ? std::string(kTestFontFace) : std::string(face),
               f.lfHeight,
               f.lfWidth,
               f.lfWeight,
               f.lfItalic != 0,
               test,
               f.lfCharSet,
               f.lfPitchAndFamily};
}

}  // namespace

void set_test_font_everywhere(bool on) {
    if (g_test_everywhere.exchange(on) != on) ++g_generation;
}

unsigned font_generation() { return g_generation.load(); }

std::shared_ptr<const FontFace> realise_font(const LOGFONT& logfont) {
    static std::mutex mutex;
    static std::map<Key, std::shared_ptr<const FontFace>> cache;
    const bool test = g_test_everywhere.load() || std::strncmp(logfont.lfFaceName, kTestFontFace, LF_FACESIZE) == 0;
    const Key key = key_of(logfont, test);
    std::lock_guard lock(mutex);
    auto& face = cache[key];
    if (!face && !test) face = make_freetype_face(logfont);
    // Without any installed font the test font still draws readable layouts.
    if (!face) face = make_test_font(logfont);
    return face;
}

}  // namespace gdi
