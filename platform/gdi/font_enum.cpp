// Listing the font families the programs may choose from.
#include <strings.h>

#include <cstring>

#include "platform/gdi/fonts.h"
#include "platform/gdi/font_files.h"
#include "platform/gdi/gdi.h"
#include "platform/gdi/surface_dc.h"

using namespace gdi;

int EnumFontFamiliesEx(HDC, const LOGFONT* filter, FONTENUMPROC proc, std::intptr_t data, DWORD) {
    if (!filter || !proc) return 0;
    const BYTE charset = filter->lfCharSet;
    // Every face draws Western text, and Chinese through the fallback face.
    const bool chinese = !cjk_font_file().empty();
    if (charset != DEFAULT_CHARSET && charset != ANSI_CHARSET && !(charset == GB2312_CHARSET && chinese)) return 1;
    int answer = 1;
    for (const FontFamily& family : font_families()) {
        if (filter->lfFaceName[0] && strncasecmp(filter->lfFaceName, family.name.c_str(), LF_FACESIZE) != 0) continue;
        LOGFONT font{};
        font.lfHeight = 16;
        font.lfWeight = FW_NORMAL;
        font.lfCharSet = charset == DEFAULT_CHARSET ? ANSI_CHARSET : charset;
        font.lfPitchAndFamily = family.fixed_pitch ? (FIXED_PITCH | FF_MODERN) : (VARIABLE_PITCH | FF_SWISS);
        std::strncpy(font.lfFaceName, family.name.c_str(), LF_FACESIZE - 1);
        const TEXTMETRIC metrics = realise_font(font)->metrics();
        answer = proc(&font, &metrics, TRUETYPE_FONTTYPE, data);
        if (answer == 0) break;
    }
    return answer;
}
