#include "assembler/keyword_tables.h"

#include <array>

namespace dravlin {

namespace {

constexpr std::array<std::string_view, 13> kHashKeywords{
    "CODELINE", "DEFINE", "ELSE", "ENDIF", "IF", "IFDEF", "IFDIF",
    "IFE", "IFIDN", "IFNDEF", "INCLUDE", "REDEF", "UNDEF"};

constexpr std::array<std::string_view, 25> kDirectives{
    "=", "BANK", "CALL", "COMMENT", "END", "ENDM", "ENDP", "ENDS", "ENDSC",
    "ENDSG", "EQU", "EXITM", "EXTERN", "LABEL", "LOCAL", "MACRO", "ORG",
    "PROC", "PUBLIC", "PURGE", "RECORD", "REPT", "SECTION", "SEGMENT", "STRUC"};

constexpr std::array<std::string_view, 4> kDataDirectives{"DB", "DD", "DW", "QW"};

constexpr std::array<std::string_view, 57> kMnemonics{
    "",    "ADC", "AND", "ASL", "BCC", "BCS", "BEQ", "BIT", "BMI", "BNE", "BPL", "BRK",
    "BVC", "BVS", "CLC", "CLD", "CLI", "CLV", "CMP", "CPX", "CPY", "DEC", "DEX", "DEY",
    "EOR", "INC", "INX", "INY", "JMP", "JSR", "LDA", "LDX", "LDY", "LSR", "NOP", "ORA",
    "PHA", "PHP", "PLA", "PLP", "ROL", "ROR", "RTI", "RTS", "SBC", "SEC", "SED", "SEI",
    "STA", "STX", "STY", "TAX", "TAY", "TSX", "TXA", "TXS", "TYA"};

unsigned char fold(char c) {
    auto u = static_cast<unsigned char>(c);
    return (u >= 'a' && u <= 'z') ? static_cast<unsigned char>(u - 'a' + 'A') : u;
}

}  // namespace

std::span<const std::string_view> hash_keywords() { return kHashKeywords; }
std::span<const std::string_view> directives() { return kDirectives; }
std::span<const std::string_view> data_directives() { return kDataDirectives; }
std::span<const std::string_view> mnemonics() { return kMnemonics; }

int find_keyword(std::span<const std::string_view> table, std::string_view word) {
    // No keyword is longer than this; the word is folded once, and since the
    // tables are upper case a plain byte compare then gives the folded order.
    constexpr size_t kLongestKeyword = 8;
    if (word.empty() || word.size() > kLongestKeyword) return -1;  // "" (mnemonic 0) never matches
    char folded[kLongestKeyword];
    for (size_t i = 0; i < word.size(); ++i) folded[i] = static_cast<char>(fold(word[i]));
    std::string_view key(folded, word.size());
    int low = 0, high = static_cast<int>(table.size()) - 1;
    while (low <= high) {
        int middle = (low + high) / 2;
        int order = key.compare(table[static_cast<size_t>(middle)]);
        if (order == 0) return middle;
        if (order < 0) high = middle - 1; else low = middle + 1;
    }
    return -1;
}

int data_item_size(int index) {
    static constexpr int kSizes[] = {1, 4, 2, 8};
    return kSizes[index];
}

bool is_keyword(std::string_view word) {
    return find_keyword(hash_keywords(), word) >= 0 || find_keyword(directives(), word) >= 0 ||
           find_keyword(data_directives(), word) >= 0 || find_keyword(mnemonics(), word) >= 0;
}

}  // namespace dravlin
