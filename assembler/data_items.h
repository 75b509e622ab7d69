#pragma once
// Data directives (DB, DW, DD, QW): their items' sizes and, in pass 2, their
// bytes and fix-ups.
#include <string>
#include <string_view>

#include "assembler/context.h"

namespace dravlin {

// Largest n of an "n dup(v)" item.
inline constexpr int32_t kMaxDuplicates = 32768;

// The bytes the items of one directive take (each item `item_size` bytes, a
// quoted string its characters, "n dup(v)" n items). Reports what makes a
// size unknowable (no item 2009, a bad count or string 2003) and answers -1.
int32_t data_items_size(AsmContext& context, int item_size, std::string_view items);

// The kind of a variable, or structure member, of `item_size`-byte items.
SymbolKind variable_kind(int item_size);

// A data statement: `name` (empty for none) becomes a variable of the
// directive's size at the location counter; `directive` indexes
// data_directives(); `items` is the text after the directive.
void data_statement(AsmContext& context, const std::string& name, int directive, std::string_view items);

}  // namespace dravlin
