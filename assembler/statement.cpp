#include "assembler/statement.h"

#include <string>

#include "assembler/blocks.h"
#include "assembler/data_items.h"
#include "assembler/declarations.h"
#include "assembler/definitions.h"
#include "assembler/encoder.h"
#include "assembler/instruction_records.h"
#include "assembler/keyword_tables.h"
#include "assembler/macros.h"
#include "assembler/structures.h"
#include "assembler/word_reader.h"

namespace dravlin {

namespace {

void instruction(AsmContext& context, int mnemonic, std::string_view operand) {
    if (context.pass == 0) {
        note_instruction(context, mnemonic, operand);
        return;
    }
    InstructionRecord* record = take_instruction(context, mnemonic);
    if (context.pass == 1)
        size_instruction(context, record, mnemonic, operand);
    else
        emit_instruction(context, record, mnemonic, operand);
}

// The symbol index of `name` when it is of `kind`, else -1.
int symbol_of_kind(const AsmContext& context, std::string_view name, SymbolKind kind) {
    int index = context.symbols.index_of(name);
    return index >= 0 && context.symbols.at(index).kind == kind ? index : -1;
}

void define_label(AsmContext& context, std::string_view name) {
    if (!is_valid_name(name) || is_keyword(name)) {
        context.error(kMsgLabelDeclaration);
        return;
    }
    AssemblyState& state = context.state;
    if (context.pass == 0) {
        if (!state.segment_open)
            context.error(kMsgNoSegment);
        else
            declare_symbol(context, name, SymbolKind::Label, state.location_counter);
    } else {
        define_symbol(context, name, SymbolKind::Label, state.location_counter, true);
    }
}

// "name:" and what may follow it on the line: nothing, an instruction, data
// or a macro call.
void label_statement(AsmContext& context, std::string_view name, std::string_view line, size_t pos) {
    define_label(context, name);
    std::string_view word;
    size_t after = pos;
    if (read_word(line, after, word) != kWordRead) return;
    std::string_view rest = line.substr(after);
    const KeywordIndices keyword = keyword_indices(word);
    if (keyword.mnemonic >= 0) {
        instruction(context, keyword.mnemonic, rest);
    } else if (keyword.data >= 0) {
        data_statement(context, {}, keyword.data, rest);
    } else if (int macro = symbol_of_kind(context, word, SymbolKind::Macro); macro >= 0) {
        call_macro(context, macro, rest);
    } else {
        context.error(kMsgUnknownCommand);
    }
}

// A directive as the first word of the line.
void leading_directive(AsmContext& context, int directive, std::string_view rest) {
    switch (directive) {
        case kDirEnd: end_statement(context, rest); break;
        case kDirPublic: export_publics(context, rest); break;
        case kDirExtern: declare_externals(context, rest); break;
        case kDirExitM: context.error(kMsgUndefinedMacro); break;
        case kDirLocal: context.error(kMsgUnknownCommand); break;  // outside a macro body
        case kDirAssign:
        case kDirEndM:
        case kDirEndP:
        case kDirEndS:
        case kDirEndSC:
        case kDirEndSG:
        case kDirEqu:
        case kDirProc:
        case kDirSection:
        case kDirSegment:
        case kDirStruc:
            context.error(kMsgSyntax);  // these need a name before them
            break;
        default: break;  // reserved words without effect
    }
}

// "name word2 ...": by word2 a block, a constant, a definition, a variable
// or a macro call.
void named_statement(AsmContext& context, const std::string& name, std::string_view line, size_t pos) {
    int macro = symbol_of_kind(context, name, SymbolKind::Macro);
    std::string_view second;
    size_t after = pos;
    WordResult read = read_word(line, after, second);
    if (read != kWordRead && read != kWordEquals) {
        if (macro >= 0)
            call_macro(context, macro, line.substr(pos));
        else
            context.error(is_valid_name(name) ? kMsgSyntax : kMsgSymbolDeclaration);
        return;
    }
    if (!is_valid_name(name)) {
        context.error(kMsgSymbolDeclaration);
        return;
    }
    std::string_view rest = line.substr(after);
    switch (find_keyword(directives(), second)) {
        case kDirAssign: assign(context, name, rest); return;
        case kDirEqu: equate(context, name, rest); return;
        case kDirSection: open_section(context, name, rest); return;
        case kDirEndSC: close_section(context, name, rest); return;
        case kDirSegment: open_segment(context, name); return;
        case kDirEndSG: close_segment(context, name, rest); return;
        case kDirProc: open_procedure(context, name); return;
        case kDirEndP: close_procedure(context, name, rest); return;
        case kDirMacro: define_macro(context, name); return;
        case kDirStruc: define_structure(context, name); return;
        case kDirBank:
        case kDirCall:
        case kDirComment:
        case kDirLabel:
        case kDirOrg:
        case kDirPurge:
        case kDirRecord:
        case kDirRept: return;  // reserved words without effect
        default: break;
    }
    if (int directive = find_keyword(data_directives(), second); directive >= 0) {
        data_statement(context, name, directive, rest);
    } else if (macro >= 0) {
        call_macro(context, macro, line.substr(pos));
    } else if (int type = symbol_of_kind(context, second, SymbolKind::StructType); type >= 0) {
        structure_variable(context, name, type);
    } else {
        context.error(kMsgUnknownCommand);
    }
}

}  // namespace

bool assemble_statement(AsmContext& context, std::string_view line) {
    size_t pos = 0;
    std::string_view first;
    WordResult read = read_word(line, pos, first);
    if (read == kWordEquals) context.error(kMsgSyntax);
    if (read != kWordRead) return false;
    if (first.back() == ':') {
        label_statement(context, first.substr(0, first.size() - 1), line, pos);
        return false;
    }
    const KeywordIndices keyword = keyword_indices(first);
    if (keyword.mnemonic >= 0) {
        instruction(context, keyword.mnemonic, line.substr(pos));
        return true;
    } else if (keyword.data >= 0) {
        data_statement(context, {}, keyword.data, line.substr(pos));
    } else if (keyword.directive >= 0) {
        leading_directive(context, keyword.directive, line.substr(pos));
    } else {
        named_statement(context, std::string(first), line, pos);
    }
    return false;
}

}  // namespace dravlin
