#include "ide/debugger/csy_file.h"

#include "ide/debugger/debug_files.h"

namespace ide {

std::optional<CsyModuleEntry> CsyFile::module(std::uint32_t row) const {
    if (row >= module_count()) return std::nullopt;
    return this->row<CsyModuleEntry>(word(0), row);
}

std::optional<CsyRangeEntry> CsyFile::range(std::uint32_t row) const { return this->row<CsyRangeEntry>(word(8), row); }

std::optional<CsyScopeEntry> CsyFile::scope(std::uint32_t row) const { return this->row<CsyScopeEntry>(word(32), row); }

std::optional<CsySymbolEntry> CsyFile::symbol(const CsyScopeEntry& scope, std::uint32_t index) const {
    if (index >= scope.symbol_count) return std::nullopt;
    return row<CsySymbolEntry>(scope.first_symbol_offset, index);
}

std::optional<CTypeRecord> CsyFile::type(std::uint32_t row) const { return this->row<CTypeRecord>(word(24), row); }

std::optional<CsyStructEntry> CsyFile::struct_row(std::uint32_t row) const {
    if (row >= struct_count()) return std::nullopt;
    return this->row<CsyStructEntry>(word(16), row);
}

std::optional<std::string_view> CsyFile::name(std::uint32_t offset) const {
    return bytes_.c_string(std::uint64_t{word(48)} + offset);
}

std::optional<CsyFile::Position> CsyFile::locate(std::string_view source_path, std::uint32_t pc) const {
    std::optional<Position> found;
    for (std::uint32_t m = 0; m < module_count(); ++m) {
        auto entry = module(m);
        if (!entry) break;
        auto path = name(entry->name_offset);
        if (!path || !SamePath(*path, source_path)) continue;
        found.reset();
        for (std::uint64_t r = 0; r <= entry->last_range && entry->first_range + r <= kCsyNone; ++r) {
            auto function = range(static_cast<std::uint32_t>(entry->first_range + r));
            if (!function) break;
            if (function->start <= pc && pc <= function->end) {
                found = Position{m, static_cast<std::uint32_t>(r)};
                break;
            }
        }
    }
    return found;
}

std::optional<std::uint32_t> CsyFile::find_struct(std::string_view tag) const {
    for (std::uint32_t r = 0; r < struct_count(); ++r) {
        auto entry = struct_row(r);
        if (!entry) break;
        if (name(entry->name_offset) == tag) return r;
    }
    return std::nullopt;
}

}  // namespace ide
