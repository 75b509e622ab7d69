#include "assembler/preprocessor.h"

#include <array>
#include <string>

#include "assembler/declarations.h"
#include "assembler/expression.h"
#include "assembler/keyword_tables.h"
#include "assembler/line_records.h"
#include "assembler/passes.h"
#include "assembler/word_reader.h"

namespace dravlin {

namespace {

// The words of a "#" line after the keyword: how many, and the first few
// (no "#" line takes more than two), as views of the line.
struct HashWords {
    std::array<std::string_view, 2> first;
    size_t count = 0;
    size_t size() const { return count; }
    std::string_view operator[](size_t i) const { return first[i]; }
};

HashWords rest_words(std::string_view line, size_t pos) {
    HashWords words;
    std::string_view word;
    for (;;) {
        WordResult result = read_word(line, pos, word);
        if (result == kWordComma) continue;
        if (result != kWordRead && result != kWordEquals) break;
        if (words.count < words.first.size()) words.first[words.count] = word;
        ++words.count;
    }
    return words;
}

bool is_conditional_opener(int keyword) {
    switch (keyword) {
        case kHashIf:
        case kHashIfE:
        case kHashIfDef:
        case kHashIfNDef:
        case kHashIfIdn:
        case kHashIfDif: return true;
        default: return false;
    }
}

// Pass 0's answer for a conditional's test; nullopt when the line is wrong.
std::optional<bool> test_condition(AsmContext& context, int keyword, const HashWords& words) {
    if (words.size() != 1) {
        context.error(kMsgSyntax);
        return std::nullopt;
    }
    if (keyword == kHashIf || keyword == kHashIfE) {
        ExprResult result = evaluate(context, words[0]);
        if (result.error) {
            context.error(kMsgExpression);
            return std::nullopt;
        }
        return (result.value != 0) == (keyword == kHashIf);
    }
    bool present = context.symbols.index_of(words[0]) >= 0;
    bool wants_present = keyword == kHashIfDef || keyword == kHashIfDif;
    return present == wants_present;
}

// Opens a conditional block. Pass 0 decides it; passes 1 and 2 take pass 0's
// branch, so that they read the same lines, includes and expansions. An #IF
// or #IFE that evaluates otherwise now is 2003.
void open_conditional(AsmContext& context, int keyword, const HashWords& words) {
    bool decision = false;
    if (context.pass == 0) {
        decision = test_condition(context, keyword, words).value_or(false);
        context.decisions.push_back(decision);
    } else {
        if (context.next_decision < context.decisions.size()) decision = context.decisions[context.next_decision];
        ++context.next_decision;
        if (keyword == kHashIf || keyword == kHashIfE) {
            std::optional<bool> now = test_condition(context, keyword, words);
            if (now && *now != decision) context.error(kMsgExpression);
        }
    }
    context.conditionals.push_back(ConditionalFrame{decision, true});
}

void else_or_end(AsmContext& context, int keyword) {
    if (context.conditionals.empty()) {
        context.error(kMsgElseWithoutIf);
        return;
    }
    ConditionalFrame& frame = context.conditionals.back();
    if (keyword == kHashEndIf) {
        context.conditionals.pop_back();
    } else {
        frame.active = frame.enclosing_active && !frame.active;
    }
}

void define_constant(AsmContext& context, const HashWords& words) {
    if (words.size() != 2) {
        context.error(kMsgSyntax);
        return;
    }
    if (!is_valid_name(words[0])) {
        context.error(kMsgVariableDeclaration);
        return;
    }
    ExprResult result = evaluate(context, words[1]);
    if (result.error) {
        context.error(kMsgExpression);
        return;
    }
    if (context.pass == 0) {
        declare_symbol(context, words[0], SymbolKind::Constant, result.value);
    } else {
        define_symbol(context, words[0], SymbolKind::Constant, result.value, result.settled);
    }
}

// #REDEF name, #UNDEF name word: the name stays in the table, open for a
// new definition; #UNDEF also clears its value. Every pass does the same, so
// the name gets an object row only when it is defined again.
void open_for_redefinition(AsmContext& context, const HashWords& words, bool undefine) {
    if (words.size() != (undefine ? 2u : 1u)) {
        context.error(kMsgSyntax);
        return;
    }
    int index = context.symbols.index_of(words[0]);
    if (index < 0) {
        context.error(kMsgUndefinedName);
        return;
    }
    Symbol& symbol = context.symbols.at(index);
    symbol.state = kSymbolOpenForRedefinition;
    if (undefine) symbol.value = 0;
}

// The name between quotes or angle brackets, or nullopt.
std::optional<std::string> include_name(const HashWords& words) {
    if (words.size() != 1) return std::nullopt;
    std::string_view word = words[0];
    if (word.size() < 3) return std::nullopt;
    bool quoted = word.front() == '"' && word.back() == '"';
    bool bracketed = word.front() == '<' && word.back() == '>';
    if (!quoted && !bracketed) return std::nullopt;
    return std::string(word.substr(1, word.size() - 2));
}

void include_file(AsmContext& context, const HashWords& words) {
    std::optional<std::string> name = include_name(words);
    if (!name) {
        context.error(kMsgSyntax);
        return;
    }
    int source_index = -1;
    if (context.pass == 0) {
        count_source_file(context);
        SourceFile source;
        std::string error_text;
        if (!open_source(*name, context.search, source, error_text)) {
            context.reporter.fatal(kMsgCannotCreateFile, *name, error_text);
        }
        source_index = static_cast<int>(context.sources.size());
        context.sources.push_back(std::move(source));
        record_include(context, IncludeKind::File, source_index);
    } else {
        source_index = recorded_include(context);
        if (source_index < 0) {
            context.error(kMsgCannotFindFile);
            return;
        }
    }
    if (!read_nested(context, source_index)) context.error(kMsgSyntax);
}

void code_line(AsmContext& context, std::string_view line, size_t pos) {
    if (!context.settings.code_lines) return;
    std::string number;
    std::string file;
    bool sound = read_word(line, pos, number) == kWordRead && read_operand(line, pos, file) == kWordRead &&
                 file.size() >= 2 && !number.empty() && number.size() <= 8;
    for (char c : number) sound = sound && c >= '0' && c <= '9';
    if (!sound) {
        context.error(kMsgSyntax);
        return;
    }
    file = to_upper(file.substr(1, file.size() - 2));
    note_code_line(context, file, std::stoi(number));
}

}  // namespace

bool handle_preprocessor_line(AsmContext& context, std::string_view line) {
    size_t pos = skip_blanks(line, 0);
    bool may_be_hash_line = pos < line.size() && line[pos] == '#';
    if (!may_be_hash_line && context.assembling()) return false;  // the common case, decided at once
    pos = 0;
    std::string_view word;
    bool hash_line = read_word(line, pos, word) == kWordRead && word.front() == '#';
    int keyword = hash_line ? find_keyword(hash_keywords(), word.substr(1)) : -1;
    if (!context.assembling()) {
        // Inside an inactive block only the conditionals count, so that an
        // inner block's #ENDIF does not close the outer one.
        if (is_conditional_opener(keyword)) context.conditionals.push_back(ConditionalFrame{false, false});
        if (keyword == kHashElse || keyword == kHashEndIf) else_or_end(context, keyword);
        return true;
    }
    if (!hash_line) return false;
    HashWords words = keyword == kHashCodeLine ? HashWords{} : rest_words(line, pos);
    switch (keyword) {
        case kHashDefine: define_constant(context, words); break;
        case kHashRedef: open_for_redefinition(context, words, false); break;
        case kHashUndef: open_for_redefinition(context, words, true); break;
        case kHashInclude: include_file(context, words); break;
        case kHashElse:
        case kHashEndIf: else_or_end(context, keyword); break;
        case kHashCodeLine: code_line(context, line, pos); break;
        default:
            if (is_conditional_opener(keyword)) open_conditional(context, keyword, words);
            break;  // an unknown "#" word is ignored
    }
    return true;
}

}  // namespace dravlin
