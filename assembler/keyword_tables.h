#pragma once
// The assembler's four keyword tables, sorted in upper-case ASCII order.
// Public so that tools outside the assembler (the editor's keyword file
// generator) list exactly the words the assembler knows.
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

// Index of `word` in `table`, matched in any case, or -1.
int find_keyword(std::span<const std::string_view> table, std::string_view word);

}  // namespace dravlin
