#pragma once
// Faces from installed fonts through FreeType, the programs' face names
// mapped to metric-compatible Debian fonts, CJK from a fallback face.
#include <memory>

#include "platform/gdi/font_face.h"

namespace gdi {

// Null when no installed font could be loaded.
std::shared_ptr<const FontFace> make_freetype_face(const LOGFONT& logfont);

}  // namespace gdi
