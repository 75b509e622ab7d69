#include "assembler/macros.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "assembler/declarations.h"
#include "assembler/keyword_tables.h"
#include "assembler/passes.h"
#include "assembler/word_reader.h"

namespace dravlin {

namespace {

// +1 for each MACRO word of a line, -1 for each ENDM.
int depth_change(std::string_view line) {
    size_t pos = 0;
    std::string_view word;
    int change = 0;
    for (;;) {
        WordResult result = read_word(line, pos, word);
        if (result == kWordComma || result == kWordEquals) continue;
        if (result != kWordRead) break;
        if (word.size() != 4 && word.size() != 5) continue;  // neither MACRO nor ENDM
        int directive = find_keyword(directives(), word);
        if (directive == kDirMacro) ++change;
        if (directive == kDirEndM) --change;
    }
    return change;
}

// Reads lines of the innermost source up to the ENDM that closes the
// definition opened on the current line; false when the text ends first.
bool skip_body(AsmContext& context) {
    LogicalLine line;
    int depth = 1;
    while (read_body_line(context, line)) {
        depth += depth_change(line.text);
        if (depth <= 0) return true;
    }
    return false;
}

std::vector<std::string> word_list(std::string_view text, size_t pos) {
    std::vector<std::string> words;
    std::string word;
    for (;;) {
        WordResult result = read_word(text, pos, word);
        if (result == kWordComma) continue;
        if (result != kWordRead && result != kWordEquals) break;
        words.push_back(word);
    }
    return words;
}

// The formal parameters on a definition's MACRO line.
std::vector<std::string> formal_parameters(std::string_view macro_line) {
    size_t pos = 0;
    std::string word;
    read_word(macro_line, pos, word);  // the name
    read_word(macro_line, pos, word);  // MACRO
    return word_list(macro_line, pos);
}

// The local name with its number: the counter plus the name's place in the
// LOCAL list, its decimal digits least significant first (L001, M101, L002).
std::string numbered_local(const std::string& name, int64_t number) {
    std::string result = name;
    do {
        result += static_cast<char>('0' + number % 10);
        number /= 10;
    } while (number > 0);
    return result;
}

// Names and what replaces them in one expansion: parameters and LOCAL
// names, a few at most, so a search along the list is quickest.
using Replacements = std::vector<std::pair<std::string, std::string>>;

const std::string* replacement_of(const Replacements& replacements, std::string_view name) {
    for (const auto& [from, to] : replacements) {
        if (from == name) return &to;
    }
    return nullptr;
}

// Copies one body line with whole names replaced; text in quotes and
// comments stays as written, and a member after "." is no name of its own.
void substitute_line(std::string_view line, const Replacements& replacements, std::string& out) {
    size_t i = 0;
    while (i < line.size()) {
        char c = line[i];
        if (c == '"' || c == '\'') {
            size_t close = line.find(c, i + 1);
            size_t end = close == std::string_view::npos ? line.size() : close + 1;
            out.append(line.substr(i, end - i));
            i = end;
        } else if (c == ';') {
            out.append(line.substr(i));
            return;
        } else if (is_name_character(c)) {
            size_t start = i;
            while (i < line.size() && is_name_character(line[i])) ++i;
            std::string_view name = line.substr(start, i - start);
            const std::string* found =
                start > 0 && line[start - 1] == '.' ? nullptr : replacement_of(replacements, name);
            out.append(found ? std::string_view(*found) : name);
        } else {
            out += c;
            ++i;
        }
    }
}

bool is_local_line(std::string_view line, size_t& pos) {
    std::string_view word;
    pos = 0;
    return read_word(line, pos, word) == kWordRead && find_keyword(directives(), word) == kDirLocal;
}

// The budget of expansion bytes for the files read so far; false when it
// does not leave room for `text` and its records besides the expansions made.
bool widen_expansion_budget(AsmContext& context, const std::string& text) {
    size_t file_bytes = 0;
    for (const SourceFile& source : context.sources) {
        if (!source.is_expansion()) file_bytes += source.text.size();
    }
    context.expansion_budget = std::max(kLeastExpansionBytes, kExpansionBytesPerFileByte * file_bytes);
    return context.expansion_bytes + kExpansionRecordBytes + text.size() <= context.expansion_budget;
}

// The definition at `place` read once: the MACRO line's formal parameters
// and the body's lines up to the ENDM that closes it.
const AsmContext::MacroBody& macro_body(AsmContext& context, SourcePlace place) {
    const uint64_t key = uint64_t{place.source_index} << 32 | place.line_offset;
    auto [entry, added] = context.macro_bodies.try_emplace(key);
    AsmContext::MacroBody& body = entry->second;
    if (!added) return body;
    SourceCursor cursor{context.sources[place.source_index].text, place.line_offset};
    LogicalLine line;
    read_logical_line(cursor, line);
    body.parameters = formal_parameters(line.text);
    int depth = 1;
    for (;;) {
        LineRead read = read_logical_line(cursor, line);
        if (read == LineRead::EndOfText) return body;
        if (read != LineRead::Line) continue;
        depth += depth_change(line.text);
        if (depth <= 0) {
            body.ended = true;
            return body;
        }
        size_t pos = 0;
        bool local = depth == 1 && is_local_line(line.text, pos);
        body.lines.push_back({line.text, local ? pos : std::string::npos});
    }
}

// Pass 0's expansion text of a body, with parameters and LOCAL names
// replaced. Reports 2024 for too many LOCAL names and 2021 when the body has
// no end.
std::string expand_body(AsmContext& context, const AsmContext::MacroBody& body,
                        const std::vector<std::string>& arguments) {
    const std::vector<std::string>& parameters = body.parameters;
    Replacements replacements;
    for (size_t i = 0; i < parameters.size() && i < arguments.size(); ++i) {
        if (!replacement_of(replacements, parameters[i])) replacements.emplace_back(parameters[i], arguments[i]);
    }
    std::vector<std::string> locals;
    std::string text;
    for (const AsmContext::MacroBody::Line& line : body.lines) {
        if (line.local_names != std::string::npos) {
            for (const std::string& name : word_list(line.text, line.local_names)) {
                if (locals.size() == kMaxLocalNames) {
                    context.error(kMsgTooManyArguments);
                    break;
                }
                locals.push_back(name);
                std::string numbered =
                    numbered_local(name, context.expansion_counter + static_cast<int64_t>(locals.size()) - 1);
                auto same = std::find_if(replacements.begin(), replacements.end(),
                                         [&](const auto& entry) { return entry.first == name; });
                if (same != replacements.end())
                    same->second = std::move(numbered);
                else
                    replacements.emplace_back(name, std::move(numbered));
            }
            continue;
        }
        substitute_line(line.text, replacements, text);
        if (text.empty() || text.back() != '\n') text += '\n';
        if (context.expansion_bytes + kExpansionRecordBytes + text.size() > context.expansion_budget &&
            !widen_expansion_budget(context, text)) {
            context.error(kMsgMacroDeclaration, "expansions past 64 bytes for every byte of the sources");
            return {};
        }
    }
    if (!body.ended) context.error(kMsgMacroDeclaration);
    return text;
}

}  // namespace

void define_macro(AsmContext& context, const std::string& name) {
    if (context.pass == 0) {
        const ReadingFrame& frame = context.reading.back();
        int index = declare_symbol(context, name, SymbolKind::Macro, context.state.location_counter);
        SourcePlace place{static_cast<uint32_t>(frame.source_index), frame.line_start};
        if (index >= 0) context.symbols.at(index).place = place;
    }
    int macro_line = context.current_line();
    if (!skip_body(context)) {
        context.reported_line = macro_line;
        context.error(kMsgMacroDeclaration);
        context.reported_line = 0;
    }
}

void call_macro(AsmContext& context, int index, std::string_view arguments) {
    int source_index = -1;
    if (context.pass == 0) {
        const Symbol& macro = context.symbols.at(index);
        const AsmContext::MacroBody& body = macro_body(context, macro.place);
        const std::vector<std::string>& parameters = body.parameters;
        std::vector<std::string> actual = word_list(arguments, 0);
        if (parameters.size() > kMaxMacroParameters || actual.size() > kMaxMacroParameters) {
            context.error(kMsgTooManyArguments);
            return;
        }
        if (actual.size() < parameters.size()) {
            context.error(kMsgMissingParameter);
            return;
        }
        if (actual.size() > parameters.size()) {
            context.error(kMsgTooManyMacroParameters);
            return;
        }
        context.expansion_counter += 100;
        SourceFile expansion;
        expansion.found_by = FoundBy::Expansion;
        expansion.name = macro.name;
        expansion.text = expand_body(context, body, actual);
        context.expansion_bytes += expansion.text.size() + kExpansionRecordBytes;
        source_index = static_cast<int>(context.sources.size());
        context.sources.push_back(std::move(expansion));
        record_include(context, IncludeKind::Expansion, source_index);
    } else {
        source_index = recorded_include(context);
        if (source_index < 0) {
            context.error(kMsgUndefinedMacro);
            return;
        }
    }
    // Expansions nested past the limit are a macro that calls itself.
    if (!read_nested(context, source_index)) context.error(kMsgMacroDeclaration);
}

}  // namespace dravlin
