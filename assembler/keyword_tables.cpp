#include "assembler/keyword_tables.h"

#include <array>
#include <cstdint>

namespace dravlin {

namespace {

constexpr std::array<std::string_view, 13> kHashKeywords{"CODELINE", "DEFINE", "ELSE", "ENDIF", "IF",
                                                         "IFDEF",    "IFDIF",  "IFE",  "IFIDN", "IFNDEF",
                                                         "INCLUDE",  "REDEF",  "UNDEF"};

constexpr std::array<std::string_view, 25> kDirectives{
    "=",      "BANK",  "CALL",   "COMMENT", "END",     "ENDM",    "ENDP",  "ENDS", "ENDSC",
    "ENDSG",  "EQU",   "EXITM",  "EXTERN",  "LABEL",   "LOCAL",   "MACRO", "ORG",  "PROC",
    "PUBLIC", "PURGE", "RECORD", "REPT",    "SECTION", "SEGMENT", "STRUC"};

constexpr std::array<std::string_view, 4> kDataDirectives{"DB", "DD", "DW", "QW"};

constexpr std::array<std::string_view, 57> kMnemonics{
    "",    "ADC", "AND", "ASL", "BCC", "BCS", "BEQ", "BIT", "BMI", "BNE", "BPL", "BRK", "BVC", "BVS", "CLC",
    "CLD", "CLI", "CLV", "CMP", "CPX", "CPY", "DEC", "DEX", "DEY", "EOR", "INC", "INX", "INY", "JMP", "JSR",
    "LDA", "LDX", "LDY", "LSR", "NOP", "ORA", "PHA", "PHP", "PLA", "PLP", "ROL", "ROR", "RTI", "RTS", "SBC",
    "SEC", "SED", "SEI", "STA", "STX", "STY", "TAX", "TAY", "TSX", "TXA", "TXS", "TYA"};

// a-z to A-Z without a branch: lookups fold every character of a word.
constexpr unsigned char fold(char c) {
    auto u = static_cast<unsigned char>(c);
    return static_cast<unsigned char>(u ^ (static_cast<unsigned char>(u - 'a') < 26u ? 0x20 : 0));
}

// No keyword is longer than eight characters, so a keyword folded to upper
// case packs into one 64-bit key (first character lowest), and a lookup
// compares integers.
constexpr size_t kLongestKeyword = 8;

constexpr uint64_t pack_folded(std::string_view word) {
    if (std::is_constant_evaluated()) {
        uint64_t key = 0;
        for (size_t i = 0; i < word.size(); ++i) key |= uint64_t{fold(word[i])} << (8 * i);
        return key;
    }
    // At run time: the bytes gathered in a register (a copy through memory
    // of a variable length stalls the load), then a-z found and folded
    // in all eight at once.
    uint64_t key = 0;
    for (size_t i = 0; i < word.size(); ++i) key |= uint64_t{static_cast<unsigned char>(word[i])} << (8 * i);
    constexpr uint64_t kOnes = 0x0101010101010101u, kHigh = 0x8080808080808080u;
    const uint64_t low7 = key & ~kHigh;
    const uint64_t from_a = low7 + (0x80 - 'a') * kOnes;      // high bit: byte >= 'a'
    const uint64_t past_z = low7 + (0x80 - 'z' - 1) * kOnes;  // high bit: byte > 'z'
    const uint64_t lower = from_a & ~past_z & ~key & kHigh;
    return key ^ (lower >> 2);
}

constexpr size_t kTableCount = 4;

// Every word of the four tables in one open-addressing hash table keyed by
// the packed word, so a lookup is one hash and (mostly) one compare. A slot
// holds the word's index in each table, -1 where the table lacks it. Built
// by the compiler: the program does no work for it at start.
class KeywordIndex {
public:
    constexpr KeywordIndex() {
        const std::span<const std::string_view> tables[kTableCount] = {kHashKeywords, kDirectives, kDataDirectives,
                                                                       kMnemonics};
        for (size_t t = 0; t < kTableCount; ++t) {
            for (size_t i = 0; i < tables[t].size(); ++i) {
                if (tables[t][i].empty()) continue;
                Slot& slot = slot_for(pack_folded(tables[t][i]));
                slot.index[t] = static_cast<int8_t>(i);
            }
        }
    }

    // The word's index per table, or null when no table holds it.
    constexpr const std::array<int8_t, kTableCount>* find(uint64_t key) const {
        if (key == 0) return nullptr;  // a word of NUL bytes
        for (size_t at = home(key);; at = (at + 1) % kSlotCount) {
            if (slots_[at].key == key) return &slots_[at].index;
            if (slots_[at].key == 0) return nullptr;
        }
    }

private:
    static constexpr size_t kSlotCount = 256;  // under half full: probes stay short
    struct Slot {
        uint64_t key = 0;  // 0: empty (no keyword packs to 0)
        std::array<int8_t, kTableCount> index{-1, -1, -1, -1};
    };

    static constexpr size_t home(uint64_t key) { return static_cast<size_t>((key * 0x9E3779B97F4A7C15u) >> 56); }

    constexpr Slot& slot_for(uint64_t key) {
        size_t at = home(key);
        while (slots_[at].key != 0 && slots_[at].key != key) at = (at + 1) % kSlotCount;
        slots_[at].key = key;
        return slots_[at];
    }

    std::array<Slot, kSlotCount> slots_{};
};

constexpr KeywordIndex kKeywordIndex;

// Which of the four tables `table` is, or -1 for another list of words.
int table_number(std::span<const std::string_view> table) {
    if (table.data() == kMnemonics.data()) return 3;
    if (table.data() == kDataDirectives.data()) return 2;
    if (table.data() == kDirectives.data()) return 1;
    if (table.data() == kHashKeywords.data()) return 0;
    return -1;
}

}  // namespace

std::span<const std::string_view> hash_keywords() { return kHashKeywords; }
std::span<const std::string_view> directives() { return kDirectives; }
std::span<const std::string_view> data_directives() { return kDataDirectives; }
std::span<const std::string_view> mnemonics() { return kMnemonics; }

KeywordIndices keyword_indices(std::string_view word) {
    if (word.empty() || word.size() > kLongestKeyword) return {};  // "" (mnemonic 0) never matches
    const std::array<int8_t, kTableCount>* found = kKeywordIndex.find(pack_folded(word));
    if (!found) return {};
    return {(*found)[0], (*found)[1], (*found)[2], (*found)[3]};
}

int find_keyword(std::span<const std::string_view> table, std::string_view word) {
    const int number = table_number(table);
    if (number >= 0) {
        const KeywordIndices found = keyword_indices(word);
        const int8_t indices[kTableCount] = {found.hash, found.directive, found.data, found.mnemonic};
        return indices[number];
    }
    if (word.empty() || word.size() > kLongestKeyword) return -1;
    const uint64_t key = pack_folded(word);
    for (size_t i = 0; i < table.size(); ++i) {
        if (!table[i].empty() && pack_folded(table[i]) == key) return static_cast<int>(i);
    }
    return -1;
}

int data_item_size(int index) {
    static constexpr int kSizes[] = {1, 4, 2, 8};
    return kSizes[index];
}

bool is_keyword(std::string_view word) {
    return !word.empty() && word.size() <= kLongestKeyword && kKeywordIndex.find(pack_folded(word)) != nullptr;
}

}  // namespace dravlin
