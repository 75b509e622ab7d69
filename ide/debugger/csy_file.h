#pragma once
// The C compiler's symbol file (.csy) as the evaluator reads it: modules with
// their function ranges, nested scopes of symbols, type rows, structure rows
// and a name pool. The file is mapped read-only and never changed; every
// offset and row is checked against the file, and a row that does not fit
// reads as absent.
#include <cstdint>
#include <optional>
#include <string_view>

#include "formats/byte_reader.h"

namespace ide {

inline constexpr std::uint32_t kCsyNone = 0xFFFFFFFF;

struct CsyModuleEntry {
    std::uint32_t name_offset;
    std::uint32_t first_range;
    std::uint32_t last_range;  // relative to the first, inclusive
};
struct CsyRangeEntry {
    std::uint32_t scope_row;
    std::uint32_t start;
    std::uint32_t end;  // inclusive
};
struct CsyScopeEntry {
    std::uint32_t first_symbol_offset;
    std::uint32_t level;  // 3 = file scope; below 3 ends a lookup
    std::uint32_t parent;
    std::uint32_t symbol_count;
};
struct CsySymbolEntry {
    std::uint32_t name_offset;
    std::uint32_t storage_class;
    std::uint32_t type_row;
    std::uint32_t value;
};
// _CTYPE_TABLE: the type record of the file and of the evaluator's own types.
struct CTypeRecord {
    std::uint32_t next = kCsyNone;
    std::uint32_t kind = 0;
    std::uint32_t extra = 0;
};
struct CsyStructEntry {
    std::uint32_t hidden_or_unused;  // head: nonzero hides the members
    std::uint32_t name_offset;
    std::uint32_t count_or_type;   // head: member count; member: type row
    std::uint32_t size_or_offset;  // head: size in bytes; member: offset (low 16 bits)
};

namespace CsyClass {
inline constexpr std::uint32_t kExternal = 81;
inline constexpr std::uint32_t kParameter = 67;
inline constexpr std::uint32_t kLocal = 4;
}  // namespace CsyClass

class CsyFile {
public:
    explicit CsyFile(formats::ByteReader bytes) : bytes_(bytes) {}
    std::size_t size() const { return bytes_.size(); }

    std::uint32_t module_count() const { return word(4); }
    std::optional<CsyModuleEntry> module(std::uint32_t row) const;
    std::optional<CsyRangeEntry> range(std::uint32_t row) const;
    std::optional<CsyScopeEntry> scope(std::uint32_t row) const;
    std::optional<CsySymbolEntry> symbol(const CsyScopeEntry& scope, std::uint32_t index) const;
    std::optional<CTypeRecord> type(std::uint32_t row) const;
    std::uint32_t struct_count() const { return word(20); }
    std::optional<CsyStructEntry> struct_row(std::uint32_t row) const;
    std::optional<std::string_view> name(std::uint32_t offset) const;

    // The module row whose source path equals `source_path` ignoring case
    // (the last such row), and the function of that module whose range holds
    // `pc`; nothing when either is missing.
    struct Position {
        std::uint32_t module_row;
        std::uint32_t function_row;  // relative to the module's first range
    };
    std::optional<Position> locate(std::string_view source_path, std::uint32_t pc) const;
    // The structure head row whose tag equals `tag` (case-sensitive).
    std::optional<std::uint32_t> find_struct(std::string_view tag) const;

private:
    std::uint32_t word(std::uint32_t offset) const { return bytes_.u32(offset).value_or(0); }
    template <class Record>
    std::optional<Record> row(std::uint32_t table_offset, std::uint32_t index) const {
        return bytes_.record<Record>(std::uint64_t{table_offset} + std::uint64_t{index} * sizeof(Record));
    }

    formats::ByteReader bytes_;
};

}  // namespace ide
