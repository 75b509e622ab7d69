#include "assembler/symbol_rows.h"

#include <optional>
#include <unordered_map>

namespace dravlin {

namespace {

using formats::SymTypeDescriptor;
using formats::SymTypeRecord;

constexpr uint32_t kExternalType = 0xFFFFFFFF;

// Basic type k (0-3) of a one-, two-, four- or eight-byte kind.
uint32_t basic_type(uint8_t kind) {
    return static_cast<uint32_t>(kind - static_cast<uint8_t>(SymbolKind::ByteVariable));
}

class RowBuilder {
public:
    RowBuilder(const SymbolTable& symbols, const std::vector<StructMember>& members)
        : symbols_(symbols), members_(members) {}

    SymbolRows build() {
        static constexpr uint8_t kBasicKinds[] = {0x21, 0x22, 0x24, 0x28};
        for (uint32_t k = 0; k < formats::kSymBasicTypeCount; ++k) {
            out_.types.push_back(SymTypeRecord{0, k, 0, 0, 0, 0});
            out_.descriptors.push_back(SymTypeDescriptor{1, kBasicKinds[k], 0, 0});
        }
        out_.row_of_symbol.assign(static_cast<size_t>(symbols_.size()), -1);
        for (int index = 0; index < symbols_.size(); ++index) add_row(index);
        return std::move(out_);
    }

private:
    void add_row(int index) {
        const Symbol& symbol = symbols_.at(index);
        if (symbol.state == kSymbolOpenForRedefinition) return;
        bool external = symbol.state == kSymbolExternal;
        std::optional<SymbolRow> row;
        switch (symbol.kind) {
            case SymbolKind::Label:
            case SymbolKind::Section:
            case SymbolKind::Segment:
            case SymbolKind::Procedure:
            case SymbolKind::Constant: row = SymbolRow{index, static_cast<uint16_t>(symbol.kind), 0}; break;
            case SymbolKind::ByteVariable:
            case SymbolKind::WordVariable:
            case SymbolKind::DwordVariable:
            case SymbolKind::QwordVariable:
                row = SymbolRow{index, 1,
                                external ? kExternalType
                                         : formats::sym_type_row_offset(basic_type(static_cast<uint8_t>(symbol.kind)))};
                break;
            case SymbolKind::StructVariable: {
                uint32_t header = emit_structure(symbol.aux);
                row = SymbolRow{index, 1, external ? kExternalType : formats::sym_type_row_offset(header)};
                break;
            }
            case SymbolKind::StructType: emit_structure(symbols_.handle(index)); break;
            default: break;  // "=" variables and macros have no row
        }
        if (!row) return;
        out_.row_of_symbol[static_cast<size_t>(index)] = static_cast<int>(out_.rows.size());
        out_.rows.push_back(*row);
    }

    uint32_t add_name(const std::string& name) {
        auto offset = static_cast<uint32_t>(out_.type_names.size());
        out_.type_names += name;
        out_.type_names += '\0';
        return offset;
    }

    // The header row of the structure type `handle`, emitting it the first
    // time: its header and member rows, then behind them the structures its
    // members use.
    uint32_t emit_structure(int handle) {
        if (auto found = emitted_.find(handle); found != emitted_.end()) return found->second;
        if (!symbols_.is_handle(handle) || symbols_.by_handle(handle).kind != SymbolKind::StructType) return 0;
        const Symbol& type = symbols_.by_handle(handle);
        auto header = static_cast<uint32_t>(out_.types.size());
        emitted_[handle] = header;
        size_t first = static_cast<size_t>(type.aux);
        size_t count = 0;
        while (first + count < members_.size() && members_[first + count].kind != kMemberListEnd) ++count;
        out_.types.resize(out_.types.size() + 1 + count);
        out_.types[header] =
            SymTypeRecord{add_name(type.name), formats::kStructHeaderMarker, static_cast<uint16_t>(count), 0, 0, 0};
        for (size_t j = 0; j < count; ++j) {
            const StructMember& member = members_[first + j];
            SymTypeRecord record{
                add_name(member.name), 0, 0, static_cast<uint16_t>(j + 1), static_cast<uint16_t>(member.offset), 0};
            if (member.kind == static_cast<uint8_t>(SymbolKind::StructVariable)) {
                uint32_t nested = emit_structure(member.type_handle);
                record.type = static_cast<uint32_t>(out_.descriptors.size());
                out_.descriptors.push_back(SymTypeDescriptor{1, 0x41, 0, nested});
            } else {
                record.type = basic_type(member.kind);
            }
            out_.types[header + 1 + j] = record;
        }
        return header;
    }

    const SymbolTable& symbols_;
    const std::vector<StructMember>& members_;
    SymbolRows out_;
    std::unordered_map<int, uint32_t> emitted_;
};

}  // namespace

SymbolRows build_symbol_rows(const SymbolTable& symbols, const std::vector<StructMember>& members) {
    return RowBuilder(symbols, members).build();
}

}  // namespace dravlin
