#pragma once
// Bank layout: the init_data pieces get their fixed-area addresses behind the
// "global" data, then each bank in turn receives its objects, the library
// procedures pulled for it and the every-bank procedures, and its export
// table the device address of each of their exported procedures.
#include <cstdint>

#include "linker/link_context.h"
#include "linker/link_report.h"

namespace linker {

void place_init_data(LinkContext& link);
void layout_banks(LinkContext& link, LinkReporter& reporter);

// The device address of `offset` in a segment of an object: in the fixed data
// area for a "global" section, else in the bank window of its piece.
std::uint32_t device_address(const LinkObject& object, std::uint16_t section, std::uint16_t segment,
                             std::uint32_t offset);
std::uint32_t procedure_address(const LinkContext& link, const ProcedureRef& procedure);

// The bank of an object's section: the one it names, or for a "global"
// section the object's first.
inline int section_bank(const LinkObject& object, std::uint16_t section) {
    return object.pieces[object.piece_of_section[section]].bank;
}

}  // namespace linker
