#pragma once
// Pass 2's output of code: bytes into the open segment's buffer and the
// fix-ups that go with them. Shared by instructions and data.
#include <cstddef>
#include <cstdint>

#include "assembler/context.h"

namespace dravlin {

// Writes `count` bytes at `offset` of the open segment; false, with 2037
// reported, when they would leave the segment's buffer.
bool put_code(AsmContext& context, int32_t offset, const uint8_t* bytes, size_t count);

// Records a fix-up of the open segment. Its symbol must have an object row
// (2019 otherwise: a name open for redefinition has none).
void add_fixup(AsmContext& context, const Fixup& fixup);

// Pass 1 keeps each sized statement's size; pass 2 takes them back in order
// (0 when pass 1 recorded none).
void keep_statement_size(AsmContext& context, int32_t size);
int32_t reserved_statement_size(AsmContext& context);

}  // namespace dravlin
