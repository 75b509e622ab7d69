#include "assembler/keyword_tables.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

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

// No keyword is longer than eight characters, so a keyword folded to upper
// case packs into one 64-bit key, and a lookup compares integers.
constexpr size_t kLongestKeyword = 8;

uint64_t pack_folded(std::string_view word) {
    uint64_t key = 0;
    for (size_t i = 0; i < word.size(); ++i) key |= uint64_t{fold(word[i])} << (8 * (kLongestKeyword - 1 - i));
    return key;
}

struct PackedKeyword {
    uint64_t key;
    int index;
    bool operator<(const PackedKeyword& other) const { return key < other.key; }
};
using PackedTable = std::vector<PackedKeyword>;

PackedTable pack_table(std::span<const std::string_view> table) {
    PackedTable packed;
    for (size_t i = 0; i < table.size(); ++i) {
        if (!table[i].empty()) packed.push_back({pack_folded(table[i]), static_cast<int>(i)});
    }
    std::sort(packed.begin(), packed.end());
    return packed;
}

const PackedTable& packed_table(std::span<const std::string_view> table) {
    static const PackedTable hash = pack_table(kHashKeywords);
    static const PackedTable directive = pack_table(kDirectives);
    static const PackedTable data = pack_table(kDataDirectives);
    static const PackedTable mnemonic = pack_table(kMnemonics);
    if (table.data() == kHashKeywords.data()) return hash;
    if (table.data() == kDirectives.data()) return directive;
    if (table.data() == kDataDirectives.data()) return data;
    if (table.data() == kMnemonics.data()) return mnemonic;
    thread_local PackedTable other;
    other = pack_table(table);
    return other;
}

}  // namespace

std::span<const std::string_view> hash_keywords() { return kHashKeywords; }
std::span<const std::string_view> directives() { return kDirectives; }
std::span<const std::string_view> data_directives() { return kDataDirectives; }
std::span<const std::string_view> mnemonics() { return kMnemonics; }

int find_keyword(std::span<const std::string_view> table, std::string_view word) {
    if (word.empty() || word.size() > kLongestKeyword) return -1;  // "" (mnemonic 0) never matches
    const PackedTable& packed = packed_table(table);
    auto found = std::lower_bound(packed.begin(), packed.end(), PackedKeyword{pack_folded(word), 0});
    return found != packed.end() && found->key == pack_folded(word) ? found->index : -1;
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
