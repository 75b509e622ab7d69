#pragma once
// Instruction encoding: the size of an instruction (pass 1) and its bytes
// and fix-up (pass 2), at the location counter of the open segment.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "assembler/context.h"

namespace dravlin {

struct EncodedInstruction {
    int error = 0;             // message id, 0 when the instruction is sound
    std::string error_detail;  // the missing name of a 3005
    int size = 0;              // bytes; known even after most errors
    std::array<uint8_t, 3> bytes{};
    std::optional<Fixup> fixup;  // its place is the location counter plus 1
    // Pass 1: the bytes and fix-up are final (the operand is settled), so
    // pass 2 takes them as they are.
    bool settled = false;
};

// Encodes `mnemonic` (an index of mnemonics()) with the operand text that
// follows it. `final_pass` adds the checks that need every label in place
// (branch targets). `reserved` is the size pass 1 gave the statement, 0 when
// unknown: a zero-page form is widened to fill it where an absolute form
// exists, and a size that still differs is an error.
EncodedInstruction encode_instruction(const AsmContext& context, int mnemonic, std::string_view operand,
                                      bool final_pass, int reserved = 0);

// Pass 1: sizes the instruction, reports its errors and moves the location
// counter; the size is kept for pass 2, and the encoding in `record` (when
// there is one) if it is final.
void size_instruction(AsmContext& context, InstructionRecord* record, int mnemonic, std::string_view operand);

// Pass 2: writes the bytes into the segment's code and records the fix-up,
// as pass 1 kept them in a settled `record`, else encoded again.
void emit_instruction(AsmContext& context, const InstructionRecord* record, int mnemonic, std::string_view operand);

}  // namespace dravlin
