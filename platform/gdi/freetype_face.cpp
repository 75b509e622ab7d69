#include "platform/gdi/freetype_face.h"

namespace gdi {

std::shared_ptr<const FontFace> make_freetype_face(const LOGFONT&) { return nullptr; }

}  // namespace gdi
