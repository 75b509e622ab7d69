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

// Case-insensitive order; a string that is a prefix of another sorts first.
int compare_folded(std::string_view a, std::string_view b) {
    size_t n = a.size() < b.size() ? a.size() : b.size();
    for (size_t i = 0; i < n; ++i) {
        unsigned char x = fold(a[i]), y = fold(b[i]);
        if (x != y) return x < y ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

}  // namespace

std::span<const std::string_view> hash_keywords() { return kHashKeywords; }
std::span<const std::string_view> directives() { return kDirectives; }
std::span<const std::string_view> data_directives() { return kDataDirectives; }
std::span<const std::string_view> mnemonics() { return kMnemonics; }

int find_keyword(std::span<const std::string_view> table, std::string_view word) {
    if (word.empty()) return -1;  // the mnemonics' empty first entry never matches
    int low = 0, high = static_cast<int>(table.size()) - 1;
    while (low <= high) {
        int middle = (low + high) / 2;
        int order = compare_folded(word, table[static_cast<size_t>(middle)]);
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
