#pragma once
// The assembler's four keyword tables, sorted in upper-case ASCII order.
// Public so that tools outside the assembler (the editor's keyword file
// generator) list exactly the words the assembler knows.
#include <cstdint>
#include <span>
#include <string_view>

namespace dravlin {

// Words that follow "#" on a preprocessor line.
std::span<const std::string_view> hash_keywords();
// Directives ("=", EQU, SEGMENT, ...).
std::span<const std::string_view> directives();
// Data directives; index order DB, DD, DW, QW.
std::span<const std::string_view> data_directives();
// Mnemonics; index 0 is the empty entry that never matches, so an index is
// also the row of the opcode table.
std::span<const std::string_view> mnemonics();

// Indices into hash_keywords().
enum HashKeyword : int {
    kHashCodeLine,
    kHashDefine,
    kHashElse,
    kHashEndIf,
    kHashIf,
    kHashIfDef,
    kHashIfDif,
    kHashIfE,
    kHashIfIdn,
    kHashIfNDef,
    kHashInclude,
    kHashRedef,
    kHashUndef,
};

// Indices into directives().
enum Directive : int {
    kDirAssign,
    kDirBank,
    kDirCall,
    kDirComment,
    kDirEnd,
    kDirEndM,
    kDirEndP,
    kDirEndS,
    kDirEndSC,
    kDirEndSG,
    kDirEqu,
    kDirExitM,
    kDirExtern,
    kDirLabel,
    kDirLocal,
    kDirMacro,
    kDirOrg,
    kDirProc,
    kDirPublic,
    kDirPurge,
    kDirRecord,
    kDirRept,
    kDirSection,
    kDirSegment,
    kDirStruc,
};

// Bytes per item of data_directives()[index]: DB 1, DD 4, DW 2, QW 8.
int data_item_size(int index);

// True when `word` is a keyword of any of the four tables.
bool is_keyword(std::string_view word);

// The index of `word` in each of the four tables, matched in any case; -1
// where a table lacks it.
struct KeywordIndices {
    int8_t hash = -1;
    int8_t directive = -1;
    int8_t data = -1;
    int8_t mnemonic = -1;
};
KeywordIndices keyword_indices(std::string_view word);

// Index of `word` in `table`, matched in any case, or -1.
int find_keyword(std::span<const std::string_view> table, std::string_view word);

}  // namespace dravlin
