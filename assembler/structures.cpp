#include "assembler/structures.h"

#include <vector>

#include "assembler/data_items.h"
#include "assembler/declarations.h"
#include "assembler/keyword_tables.h"
#include "assembler/passes.h"
#include "assembler/word_reader.h"

namespace dravlin {

namespace {

// True for a line that ends the body: ENDS as its first word, or after a name.
bool ends_structure(std::string_view line) {
    size_t pos = 0;
    std::string word;
    for (int i = 0; i < 2 && read_word(line, pos, word) == kWordRead; ++i) {
        if (find_keyword(directives(), word) == kDirEndS) return true;
    }
    return false;
}

// One member line; adds its entry and moves `offset`. False, with the error
// reported, when the line is no member.
bool read_member(AsmContext& context, std::string_view line, std::vector<StructMember>& members, int32_t& offset) {
    size_t pos = 0;
    std::string first, second;
    if (read_word(line, pos, first) != kWordRead) return true;  // blank or comment
    if (int directive = find_keyword(data_directives(), first); directive >= 0) {
        int32_t size = data_items_size(context, data_item_size(directive), line.substr(pos));
        if (size < 0) return false;
        offset += size;
        return true;
    }
    if (read_word(line, pos, second) != kWordRead) return true;  // a name alone
    if (!is_valid_name(first)) {
        context.error(kMsgSymbolDeclaration);
        return false;
    }
    if (int directive = find_keyword(data_directives(), second); directive >= 0) {
        int item_size = data_item_size(directive);
        int32_t size = data_items_size(context, item_size, line.substr(pos));
        if (size < 0) return false;
        members.push_back({static_cast<uint8_t>(variable_kind(item_size)), -1, first, offset});
        offset += size;
        return true;
    }
    int type = context.symbols.index_of(second);
    if (type < 0 || context.symbols.at(type).kind != SymbolKind::StructType) {
        context.error(kMsgSymbolDeclaration);
        return false;
    }
    members.push_back({static_cast<uint8_t>(SymbolKind::StructVariable), context.symbols.handle(type), first, offset});
    offset += context.symbols.at(type).value;
    return true;
}

}  // namespace

void define_structure(AsmContext& context, const std::string& name) {
    int structure_line = context.current_line();
    std::vector<StructMember> members;
    int32_t offset = 0;
    bool sound = true;
    bool ended = false;
    LogicalLine line;
    while (read_body_line(context, line)) {
        if (ends_structure(line.text)) {
            ended = true;
            break;
        }
        if (context.pass == 0 && sound) sound = read_member(context, line.text, members, offset);
    }
    context.reported_line = structure_line;
    // A body that runs to the end of its source is no structure.
    if (!ended) context.error(kMsgSymbolDeclaration);
    if (context.pass == 0 && sound && ended) {
        int32_t first_member = static_cast<int32_t>(context.members.size());
        context.members.insert(context.members.end(), members.begin(), members.end());
        context.members.push_back(StructMember{});
        int index = declare_symbol(context, name, SymbolKind::StructType, offset);
        if (index >= 0) context.symbols.at(index).aux = first_member;
    }
    context.reported_line = 0;
}

void structure_variable(AsmContext& context, const std::string& name, int type) {
    AssemblyState& state = context.state;
    int type_handle = context.symbols.handle(type);
    int32_t size = context.symbols.at(type).value;
    if (context.pass == 0) {
        int index = declare_symbol(context, name, SymbolKind::StructVariable, state.location_counter);
        if (index >= 0) context.symbols.at(index).aux = type_handle;
    } else {
        if (define_symbol(context, name, SymbolKind::StructVariable, state.location_counter, true)) {
            context.symbols.at(context.symbols.index_of(name)).aux = type_handle;
        }
        if (!state.segment_open) {
            context.error(kMsgCodeOutsideSegment);
            return;
        }
    }
    state.location_counter += size;
}

}  // namespace dravlin
