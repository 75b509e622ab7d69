#include "assembler/instruction_records.h"

#include <cstdint>

namespace dravlin {

void note_instruction(AsmContext& context, int mnemonic, std::string_view operand) {
    const ReadingFrame& frame = context.reading.back();
    InstructionRecord& record = context.instructions.emplace_back();
    record.source_index = frame.source_index;
    record.line_start = frame.line_start;
    record.mnemonic = static_cast<uint8_t>(mnemonic);
    // Where the operand starts in the file's line, if it is a view of it
    // (a continued line is read into a buffer of its own).
    auto line = reinterpret_cast<uintptr_t>(frame.cursor.text.data() + frame.line_start);
    auto start = reinterpret_cast<uintptr_t>(operand.data());
    if (start >= line && start - line <= kMaxLineLength) record.operand_offset = static_cast<uint16_t>(start - line);
}

void mark_whole_line(AsmContext& context) { context.instructions.back().whole_line = true; }

InstructionRecord* take_instruction(AsmContext& context, int mnemonic) {
    if (context.next_instruction >= context.instructions.size()) return nullptr;
    InstructionRecord& record = context.instructions[context.next_instruction];
    const ReadingFrame& frame = context.reading.back();
    if (record.source_index != frame.source_index || record.line_start != frame.line_start ||
        record.mnemonic != mnemonic) {
        return nullptr;
    }
    ++context.next_instruction;
    return &record;
}

InstructionRecord* whole_line_at(AsmContext& context, const ReadingFrame& frame) {
    if (context.next_instruction >= context.instructions.size()) return nullptr;
    InstructionRecord& record = context.instructions[context.next_instruction];
    bool here =
        record.whole_line && record.source_index == frame.source_index && record.line_start == frame.cursor.position;
    return here ? &record : nullptr;
}

}  // namespace dravlin
