#include "assembler/encoder.h"

#include "assembler/code_output.h"
#include "assembler/opcode_table.h"
#include "assembler/operand.h"

namespace dravlin {

namespace {

int column_size(int column) {
    if (column == kColumnImplied) return 1;
    if (column >= kColumnAbsolute && column <= kColumnAbsoluteY) return 3;
    return 2;
}

bool fail(EncodedInstruction& out, int id, std::string detail = {}) {
    out.error = id;
    out.error_detail = std::move(detail);
    return false;
}

bool take_expression(EncodedInstruction& out, const ExprResult& expression) {
    out.settled = expression.settled;
    return expression.error == 0 || fail(out, expression.error, expression.missing_name);
}

// The operand bytes behind the opcode, and the fix-up of a relocatable value.
// A whole address needs two bytes and a far call four: a smaller field would
// drop part of what the linker patches.
bool put_operand(EncodedInstruction& out, const ExprResult& expression, int field_bytes) {
    const Relocation& relocation = expression.relocation;
    if (relocation.relocatable) {
        bool whole_address = relocation.type == kFixupAddress || relocation.type == kFixupLocationAddress;
        if (relocation.type == kFixupBankNumber || (whole_address && field_bytes < 2)) {
            return fail(out, kMsgIllegalAddressOperation);
        }
        out.fixup = Fixup{relocation.external, relocation.type, 0, relocation.symbol, relocation.addend};
    }
    uint32_t value = static_cast<uint32_t>(expression.value);
    out.bytes[1] = static_cast<uint8_t>(value);
    if (field_bytes == 2) out.bytes[2] = static_cast<uint8_t>(value >> 8);
    return true;
}

bool in_current_segment(const AsmContext& context, const Relocation& relocation) {
    if (relocation.type == kFixupLocationAddress) return true;
    if (relocation.type != kFixupAddress || relocation.external || relocation.symbol < 0) return false;
    const Symbol& target = context.symbols.at(relocation.symbol);
    return target.section == context.state.section && target.segment == context.state.segment;
}

bool encode_branch(const AsmContext& context, const OpcodeRow& row, const OperandPieces& pieces, bool final_pass,
                   EncodedInstruction& out) {
    out.size = 2;
    out.bytes[0] = row.codes[kColumnImplied];
    if (pieces.count != 1) return fail(out, kMsgSyntax);
    ExprResult target = evaluate(context, pieces.first);
    if (!take_expression(out, target)) return false;
    if (target.immediate) return fail(out, kMsgAddressMode);
    // Before the last pass the distance is known only to a settled target,
    // and a distance out of reach is pass 2's to report.
    if (!final_pass && !target.settled) return true;
    // A branch reaches only its own segment: the linker cannot patch a distance.
    bool reachable = !target.relocation.relocatable || in_current_segment(context, target.relocation);
    int64_t offset = int64_t{target.value} - context.state.location_counter - 2;
    if (!reachable || offset < -128 || offset > 127) {
        if (!final_pass) out.settled = false;
        return !final_pass || fail(out, kMsgJumpOutOfRange);
    }
    out.bytes[1] = static_cast<uint8_t>(offset);
    return true;
}

bool encode_jump(const AsmContext& context, const OpcodeRow& row, const OperandPieces& pieces,
                 EncodedInstruction& out) {
    out.size = 3;
    if (pieces.count != 1) return fail(out, kMsgSyntax);
    bool indirect = row.group == InstructionGroup::Jump && is_parenthesised(pieces.first);
    out.bytes[0] = row.group == InstructionGroup::Call ? row.codes[kColumnAbsolute] : indirect ? 0x6C : 0x4C;
    ExprResult target = evaluate(context, pieces.first);
    if (!take_expression(out, target)) return false;
    if (target.immediate) return fail(out, kMsgAddressMode);
    return put_operand(out, target, 2);
}

bool encode_general(const AsmContext& context, const OpcodeRow& row, const OperandPieces& pieces, int reserved,
                    EncodedInstruction& out) {
    bool zero_page_y = row.codes[kColumnZeroPageY] != kNoOpcode;
    ClassifiedOperand operand = classify_operand(context, pieces, zero_page_y);
    if (operand.column < 0) return fail(out, kMsgAddressMode);
    int column = operand.column;
    // Pass 1 reserved an absolute form (a symbol was not yet a constant):
    // keep the size so that every later address stays where pass 1 put it.
    if (reserved == 3 && column >= kColumnZeroPage && column <= kColumnZeroPageY &&
        row.codes[column + 3] != kNoOpcode) {
        column += 3;
    }
    out.size = column_size(column);
    if (!take_expression(out, operand.expression)) return false;
    out.bytes[0] = row.codes[column];
    if (out.bytes[0] == kNoOpcode) return fail(out, kMsgAddressMode);
    if (column == kColumnImplied) return true;
    return put_operand(out, operand.expression, out.size - 1);
}

// Filled a field at a time: a record assembled elsewhere and copied whole
// would be read back before its parts are written out.
void keep_settled_encoding(AsmContext& context, InstructionRecord& record, const EncodedInstruction& encoded) {
    record.settled = true;
    record.size = static_cast<uint8_t>(encoded.size) & 3;
    for (size_t i = 0; i < record.bytes.size(); ++i) record.bytes[i] = encoded.bytes[i];
    if (encoded.fixup) {
        record.fixup = static_cast<int32_t>(context.settled_fixups.size());
        context.settled_fixups.push_back(*encoded.fixup);
    }
}

}  // namespace

EncodedInstruction encode_instruction(const AsmContext& context, int mnemonic, std::string_view operand,
                                      bool final_pass, int reserved) {
    EncodedInstruction out;
    const OpcodeRow& row = opcode_row(mnemonic);
    OperandPieces pieces;
    if (!split_operand(operand, pieces)) {
        fail(out, kMsgSyntax);
        return out;
    }
    bool sound = false;
    switch (row.group) {
        case InstructionGroup::None: sound = fail(out, kMsgAddressMode); break;
        case InstructionGroup::Implied:
            out.size = 1;
            out.bytes[0] = row.codes[kColumnImplied];
            out.settled = true;
            sound = pieces.count == 0 || fail(out, kMsgSyntax);
            break;
        case InstructionGroup::Branch: sound = encode_branch(context, row, pieces, final_pass, out); break;
        case InstructionGroup::Jump:
        case InstructionGroup::Call: sound = encode_jump(context, row, pieces, out); break;
        case InstructionGroup::General: sound = encode_general(context, row, pieces, reserved, out); break;
    }
    if (sound && reserved != 0 && out.size != reserved) fail(out, kMsgAddressMode);
    return out;
}

void size_instruction(AsmContext& context, InstructionRecord* record, int mnemonic, std::string_view operand) {
    int size = 0;
    if (!context.state.segment_open) {
        context.error(kMsgCodeOutsideSegment);
    } else {
        EncodedInstruction encoded = encode_instruction(context, mnemonic, operand, false);
        if (encoded.error) context.error(encoded.error, encoded.error_detail);
        size = encoded.size;
        if (record && !encoded.error && encoded.settled) keep_settled_encoding(context, *record, encoded);
    }
    keep_statement_size(context, size);
    context.state.location_counter += size;
}

namespace {

void put_instruction(AsmContext& context, int32_t start, const uint8_t* bytes, int size, const Fixup* fixup) {
    if (!put_code(context, start, bytes, static_cast<size_t>(size)) || !fixup) return;
    Fixup placed = *fixup;
    placed.place = static_cast<uint16_t>(start + 1);
    add_fixup(context, placed);
}

}  // namespace

void emit_instruction(AsmContext& context, const InstructionRecord* record, int mnemonic, std::string_view operand) {
    int reserved = reserved_statement_size(context);
    int32_t start = context.state.location_counter;
    if (record && record->settled) {
        context.state.location_counter += record->size;
        const Fixup* fixup = record->fixup >= 0 ? &context.settled_fixups[static_cast<size_t>(record->fixup)] : nullptr;
        put_instruction(context, start, record->bytes.data(), record->size, fixup);
        return;
    }
    EncodedInstruction encoded = encode_instruction(context, mnemonic, operand, true, reserved);
    context.state.location_counter += reserved ? reserved : encoded.size;
    if (encoded.error) {
        context.error(encoded.error, encoded.error_detail);
        return;
    }
    put_instruction(context, start, encoded.bytes.data(), encoded.size, encoded.fixup ? &*encoded.fixup : nullptr);
}

}  // namespace dravlin
