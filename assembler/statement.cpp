#include "assembler/statement.h"

#include <string>

#include "assembler/encoder.h"
#include "assembler/keyword_tables.h"
#include "assembler/word_reader.h"

namespace dravlin {

void assemble_statement(AsmContext& context, std::string_view line) {
    size_t pos = 0;
    std::string word;
    if (read_word(line, pos, word) != kWordRead) return;
    int mnemonic = find_keyword(mnemonics(), word);
    if (mnemonic < 0) return;
    std::string_view operand = line.substr(pos);
    if (context.pass == 1) size_instruction(context, mnemonic, operand);
    if (context.pass == 2) emit_instruction(context, mnemonic, operand);
}

}  // namespace dravlin
