#pragma once
// The instruction records that every pass keeps in step (InstructionRecord,
// context.h): noted by pass 0, completed by pass 1, used by pass 2.
#include <string_view>

#include "assembler/context.h"

namespace dravlin {

// Pass 0: notes the instruction on the current line; `operand` is its text.
void note_instruction(AsmContext& context, int mnemonic, std::string_view operand);

// Pass 0, after its line: the instruction just noted was all the line held.
void mark_whole_line(AsmContext& context);

// Passes 1 and 2: the record of the instruction `mnemonic` on the current
// line, taken, or null when the records are out of step with the source.
InstructionRecord* take_instruction(AsmContext& context, int mnemonic);

// Passes 1 and 2: the next record, not yet taken, when its line is a whole
// line that starts where `frame` stands.
InstructionRecord* whole_line_at(AsmContext& context, const ReadingFrame& frame);

}  // namespace dravlin
