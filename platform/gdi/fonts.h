#pragma once
// Turning a LOGFONT into a realised face, cached per face, size and style.
#include <memory>

#include "platform/gdi/font_face.h"

namespace gdi {

std::shared_ptr<const FontFace> realise_font(const LOGFONT& logfont);
// Changes whenever the mapping of LOGFONTs to faces changes (test font mode),
// so that holders of a realised face know to realise again.
unsigned font_generation();

}  // namespace gdi
