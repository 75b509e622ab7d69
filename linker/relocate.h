#pragma once
// Relocation: every piece of code and init_data is copied to its place in
// its bank and each of its fix-ups patched with the resolved address plus the
// addend. A word that refers to a procedure in another bank becomes a 4-byte
// far call (the "farcall" address, the bank, the export index) where it lies
// in banked code with room for it; any other reference across banks is LNK2031.
#include <cstdint>
#include <vector>

#include "linker/link_context.h"
#include "linker/link_report.h"

namespace linker {

// Per bank, the bytes of its window from 0x4000: the export table, for bank 0
// the init_data bytes, then the code. Bank 0's first 64 bytes are left for the head.
std::vector<std::vector<std::uint8_t>> relocate_banks(const LinkContext& link, LinkReporter& reporter);

}  // namespace linker
