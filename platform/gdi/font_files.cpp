#include "platform/gdi/font_files.h"

#include <strings.h>

#include <cstring>
#include <filesystem>
#include <map>
#include <mutex>

namespace gdi {

namespace {

// A family of installed files: regular, bold, italic, bold italic.
struct Family {
    const char* files[4];
    bool fixed;
};

const Family kSans{{"LiberationSans-Regular.ttf", "LiberationSans-Bold.ttf", "LiberationSans-Italic.ttf",
                    "LiberationSans-BoldItalic.ttf"},
                   false};
const Family kNarrow{{"LiberationSansNarrow-Regular.ttf", "LiberationSansNarrow-Bold.ttf",
                      "LiberationSansNarrow-Italic.ttf", "LiberationSansNarrow-BoldItalic.ttf"},
                     false};
const Family kSerif{{"LiberationSerif-Regular.ttf", "LiberationSerif-Bold.ttf", "LiberationSerif-Italic.ttf",
                     "LiberationSerif-BoldItalic.ttf"},
                    false};
const Family kMono{{"LiberationMono-Regular.ttf", "LiberationMono-Bold.ttf", "LiberationMono-Italic.ttf",
                    "LiberationMono-BoldItalic.ttf"},
                   true};
const Family kSystemFixed{
    {"DejaVuSansMono.ttf", "DejaVuSansMono-Bold.ttf", "DejaVuSansMono-Oblique.ttf", "DejaVuSansMono-BoldOblique.ttf"},
    true};

// The faces the programs name, and the metric-compatible stand-ins.
struct Named {
    const char* face;
    const Family* family;
};
const Named kNamed[] = {
    {"Courier New", &kMono},     {"Courier", &kMono},         {"Arial", &kSans},         {"Arial Narrow", &kNarrow},
    {"MS Sans Serif", &kSans},   {"MS Shell Dlg", &kSans},    {"Helvetica", &kSans},     {"Times New Roman", &kSerif},
    {"Fixedsys", &kSystemFixed}, {"Terminal", &kSystemFixed}, {"System", &kSystemFixed},
};

const std::map<std::string, std::string>& installed_files() {
    static const std::map<std::string, std::string> files = [] {
        std::map<std::string, std::string> found;
        std::error_code ec;
        for (std::filesystem::recursive_directory_iterator it("/usr/share/fonts", ec), end; !ec && it != end;
             it.increment(ec))
            if (it->is_regular_file(ec)) found.emplace(it->path().filename().string(), it->path().string());
        return found;
    }();
    return files;
}

std::string path_of(const char* file) {
    const auto& files = installed_files();
    auto it = files.find(file);
    return it == files.end() ? std::string() : it->second;
}

const Named* named(const char* face) {
    for (const Named& n : kNamed)
        if (strncasecmp(n.face, face, LF_FACESIZE) == 0) return &n;
    return nullptr;
}

const Family& by_pitch_and_family(BYTE pitch_and_family) {
    if ((pitch_and_family & 0x03) == FIXED_PITCH || (pitch_and_family & 0xF0) == FF_MODERN) return kMono;
    if ((pitch_and_family & 0xF0) == FF_ROMAN) return kSerif;
    return kSans;
}

}  // namespace

FontFile font_file_for(const LOGFONT& logfont) {
    char face[LF_FACESIZE + 1] = {};
    std::memcpy(face, logfont.lfFaceName, LF_FACESIZE);
    const Named* n = named(face);
    const Family& family = n ? *n->family : by_pitch_and_family(logfont.lfPitchAndFamily);
    const int style = (logfont.lfWeight >= FW_SEMIBOLD ? 1 : 0) + (logfont.lfItalic ? 2 : 0);
    std::string path = path_of(family.files[style]);
    if (path.empty()) path = path_of(family.files[0]);
    if (path.empty()) path = path_of(kSans.files[0]);
    return FontFile{path,
                    face[0] ? std::string(face) : std::string(family.files[0], std::strcspn(family.files[0], "-."))};
}

std::string cjk_font_file() { return path_of("wqy-microhei.ttc"); }

std::vector<FontFamily> font_families() {
    std::vector<FontFamily> out;
    for (const Named& n : kNamed)
        if (!path_of(n.family->files[0]).empty()) out.push_back({n.face, n.family->fixed});
    out.push_back({kTestFontFace, true});
    return out;
}

}  // namespace gdi
