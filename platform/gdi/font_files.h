#pragma once
// Which installed font file stands in for a face the programs name.
#include <string>
#include <vector>

#include "platform/gdi/gdi_types.h"
#include "platform/gdi/surface_dc.h"

namespace gdi {

struct FontFile {
    std::string path;       // empty when nothing suitable is installed
    std::string face_name;  // the name the programs asked for, or the family chosen
};

FontFile font_file_for(const LOGFONT& logfont);
std::string cjk_font_file();

}  // namespace gdi
