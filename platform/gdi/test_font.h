#pragma once
// The built-in fixed-cell font (see kTestFontFace).
#include <memory>

#include "platform/gdi/font_face.h"

namespace gdi {

std::shared_ptr<const FontFace> make_test_font(const LOGFONT& logfont);

}  // namespace gdi
