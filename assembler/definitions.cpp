#include "assembler/definitions.h"

#include <vector>

#include "assembler/declarations.h"
#include "assembler/expression.h"
#include "assembler/word_reader.h"

namespace dravlin {

namespace {

// The value of the text after EQU or "="; 2003 on an error.
std::optional<ExprResult> constant_value(AsmContext& context, std::string_view rest) {
    size_t pos = 0;
    std::string_view text;
    ExprResult result;
    if (read_operand(rest, pos, text) == kWordRead)
        result = evaluate(context, text);
    else
        result.error = kMsgExprSyntax;
    if (result.error) {
        context.error(kMsgExpression);
        return std::nullopt;
    }
    return result;
}

std::vector<std::string> name_list(std::string_view rest) {
    std::vector<std::string> names;
    size_t pos = 0;
    std::string word;
    for (;;) {
        WordResult result = read_word(rest, pos, word);
        if (result == kWordComma) continue;
        if (result != kWordRead && result != kWordEquals) break;
        names.push_back(word);
    }
    return names;
}

// The kind an EXTERN type word gives; QWORD is taken beside the historical
// spelling QWURD.
std::optional<SymbolKind> external_kind(std::string_view type) {
    std::string word = to_upper(type);
    if (word.empty() || word == "WORD") return SymbolKind::WordVariable;
    if (word == "BYTE") return SymbolKind::ByteVariable;
    if (word == "DWORD") return SymbolKind::DwordVariable;
    if (word == "QWURD" || word == "QWORD") return SymbolKind::QwordVariable;
    if (word == "PROC") return SymbolKind::Procedure;
    return std::nullopt;
}

bool exportable(const Symbol& symbol) {
    switch (symbol.kind) {
        case SymbolKind::Label:
        case SymbolKind::Segment:
        case SymbolKind::Procedure:
        case SymbolKind::ByteVariable:
        case SymbolKind::WordVariable:
        case SymbolKind::DwordVariable:
        case SymbolKind::QwordVariable:
        case SymbolKind::StructVariable: return symbol.state == kSymbolDefined;
        default: return false;
    }
}

}  // namespace

void equate(AsmContext& context, const std::string& name, std::string_view rest) {
    std::optional<ExprResult> value = constant_value(context, rest);
    if (!value) return;
    if (context.pass == 0)
        declare_symbol(context, name, SymbolKind::Constant, value->value);
    else
        define_symbol(context, name, SymbolKind::Constant, value->value, value->settled);
}

void assign(AsmContext& context, const std::string& name, std::string_view rest) {
    std::optional<ExprResult> value = constant_value(context, rest);
    if (!value) return;
    int index = context.symbols.index_of(name);
    if (index < 0 && context.pass == 0) {
        declare_symbol(context, name, SymbolKind::AssignedValue, value->value);
        return;
    }
    // Only an "=" variable takes a new value: any other name keeps its own.
    if (index < 0 || context.symbols.at(index).kind != SymbolKind::AssignedValue) {
        context.error(kMsgAssignedVariable);
        return;
    }
    Symbol& symbol = context.symbols.at(index);
    symbol.value = value->value;
    symbol.settled = value->settled;
}

void declare_externals(AsmContext& context, std::string_view rest) {
    if (context.pass != 0) return;
    size_t pos = 0;
    std::string item;
    for (;;) {
        WordResult result = read_operand(rest, pos, item);
        if (result == kWordComma) continue;
        if (result != kWordRead) break;
        size_t colon = item.find(':');
        std::string name = item.substr(0, colon);
        std::string type = colon == std::string::npos ? std::string{} : item.substr(colon + 1);
        while (!name.empty() && (name.back() == ' ' || name.back() == '\t')) name.pop_back();
        while (!type.empty() && (type.front() == ' ' || type.front() == '\t')) type.erase(0, 1);
        if (!is_valid_name(name)) {
            context.error(kMsgSymbolDeclaration);
            continue;
        }
        std::optional<SymbolKind> kind = external_kind(type);
        if (!kind || (colon != std::string::npos && type.empty())) {
            context.error(kMsgSyntax);
            continue;
        }
        int index = declare_symbol(context, name, *kind, 0);
        if (index >= 0) context.symbols.at(index).state = kSymbolExternal;
    }
}

void export_publics(AsmContext& context, std::string_view rest) {
    if (context.pass != 2) return;
    for (const std::string& name : name_list(rest)) {
        int index = context.symbols.index_of(name);
        if (index < 0) {
            context.error(kMsgSyntax);
            continue;
        }
        const Symbol& symbol = context.symbols.at(index);
        if (symbol.kind == SymbolKind::Constant || symbol.kind == SymbolKind::AssignedValue) {
            context.error(kMsgConstantExported);
        } else if (!exportable(symbol)) {
            // A type, macro, section or external has no place here to export.
            context.error(kMsgSyntax);
        } else {
            context.object.publics.push_back(index);
        }
    }
}

void end_statement(AsmContext& context, std::string_view rest) {
    std::vector<std::string> words = name_list(rest);
    if (words.size() != 1 || context.pass == 1) return;
    int index = context.symbols.index_of(words[0]);
    if (index < 0) {
        context.error(kMsgUndefinedEntryPoint);
        return;
    }
    if (context.pass != 2) return;
    // The entry point's place is the label's own: END may stand after the
    // label's segment, even after every section, has closed.
    const Symbol& label = context.symbols.at(index);
    context.object.entry = EntryPoint{static_cast<uint16_t>(label.section), static_cast<uint16_t>(label.segment),
                                      static_cast<uint16_t>(label.value)};
}

}  // namespace dravlin
