#pragma once
// Reading the link's inputs and scanning the objects: each object and
// library is read whole and validated (a corrupt one is LNK2007 with its
// path), each object's bank is checked, its segments get their offsets or
// fixed-area addresses, and its exported procedures are listed.
#include <cstdint>

#include "linker/link_context.h"
#include "linker/link_report.h"

namespace linker {

void load_objects(LinkContext& link, LinkReporter& reporter);
void scan_objects(LinkContext& link, LinkReporter& reporter);
void load_libraries(LinkContext& link, LinkReporter& reporter);

// Reserves `length` bytes of the fixed data area (G + I stays within 0x2000,
// else LNK2026). "global" data gets its address at once; init_data pieces are
// placed behind all of it once resolution is over.
std::uint32_t add_global_data(LinkContext& link, LinkReporter& reporter, std::uint32_t length);
void add_init_data(LinkContext& link, LinkReporter& reporter, const InitDataPiece& piece);

}  // namespace linker
