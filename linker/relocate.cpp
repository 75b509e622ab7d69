#include "linker/relocate.h"

#include <algorithm>
#include <optional>
#include <span>

#include "formats/image_file.h"
#include "formats/obj_file.h"
#include "linker/layout.h"

namespace linker {
namespace {

using formats::FixupType;
using formats::kBankWindowBase;

// Where a target lies as seen from code in `bank`.
struct Resolved {
    std::uint32_t address = 0;
    std::optional<int> bank;                    // none for fixed data and constants
    std::optional<std::uint32_t> export_index;  // for procedures a far call can reach
};

Resolved resolve(const LinkContext& link, const Target& target, int bank) {
    switch (target.kind) {
        case Target::Kind::Unresolved: break;
        case Target::Kind::Constant: return {target.detail, std::nullopt, std::nullopt};
        case Target::Kind::ObjectSymbol: {
            const auto& object = link.objects[target.index];
            const auto row = std::uint16_t(target.detail);
            const auto& symbol = object.module.symbols[row];
            const auto address = device_address(object, symbol.section, symbol.segment, symbol.value);
            if (object.module.sections[symbol.section].is_global) return {address, std::nullopt, std::nullopt};
            const auto& piece = object.pieces[object.piece_of_section[symbol.section]];
            Resolved resolved{address, piece.bank, std::nullopt};
            if (object.export_of_row[row] >= 0)
                resolved.export_index = piece.first_export + std::uint32_t(object.export_of_row[row]);
            return resolved;
        }
        case Target::Kind::Pulled: {
            const auto& record = link.pulled[target.index];
            if (record.kind != PulledModule::Kind::Procedure)
                return {record.address + target.detail, std::nullopt, std::nullopt};
            const auto& slot = record.every_bank ? record.every_bank_slots[std::size_t(bank)] : record.slot;
            Resolved resolved{slot.address + target.detail, record.every_bank ? bank : record.bank, std::nullopt};
            if (target.detail == 0) resolved.export_index = slot.export_index;
            return resolved;
        }
    }
    return {};
}

// One fix-up in place: `code` is the patched piece's bytes in its bank.
struct FixupSite {
    std::span<std::uint8_t> code;
    std::uint8_t type = 0;
    bool is_extern = false;
    std::uint16_t place = 0;
    std::uint32_t addend = 0;
    int bank = 0;                // the bank of the patched code
    bool in_banked_code = true;  // false for init_data
    std::string_view symbol;
};

class Patcher {
public:
    Patcher(const LinkContext& link, LinkReporter& reporter)
        : link_(link), reporter_(reporter), farcall_(procedure_address(link, *link.farcall)) {}

    void apply(const FixupSite& site, const Target& target) {
        const auto width = fixup_width(site.type);
        if (width == 0 || target.kind == Target::Kind::Unresolved) return;
        // The readers checked every place against its code; this guards the writes themselves.
        if (std::size_t(site.place) + width > site.code.size())
            reporter_.report(LinkMessage::InvalidInput, site.symbol, "fix-up outside its code");

        const auto resolved = resolve(link_, target, site.bank);
        const auto value = resolved.address + site.addend;
        const bool cross_bank = resolved.bank && *resolved.bank != site.bank;
        const auto type = FixupType(site.type);

        if (type == FixupType::FarCall) {
            if (!site.is_extern) reporter_.report(LinkMessage::InternalFarCall);
            if (!resolved.export_index || site.addend != 0)
                reporter_.report(LinkMessage::CrossBankReference, site.symbol);
            return write_far_call(site, resolved);
        }
        if (cross_bank) {
            // Only a word in banked code, aimed at a procedure's entry, with two
            // more bytes behind it, can become a far call.
            const bool is_word = type == FixupType::Address || type == FixupType::HereAddress;
            const bool has_room = std::size_t(site.place) + 4 <= site.code.size();
            if (!is_word || !site.in_banked_code || !has_room || !resolved.export_index || site.addend != 0)
                reporter_.report(LinkMessage::CrossBankReference, site.symbol);
            return write_far_call(site, resolved);
        }
        auto* at = site.code.data() + site.place;
        switch (type) {
            case FixupType::Address:
            case FixupType::HereAddress:
                at[0] = std::uint8_t(value);
                at[1] = std::uint8_t(value >> 8);
                break;
            case FixupType::HighByte:
            case FixupType::HereHighByte: at[0] = std::uint8_t(value >> 8); break;
            case FixupType::LowByte:
            case FixupType::HereLowByte: at[0] = std::uint8_t(value); break;
            case FixupType::FarCall: break;
        }
    }

private:
    void write_far_call(const FixupSite& site, const Resolved& resolved) {
        auto* at = site.code.data() + site.place;
        at[0] = std::uint8_t(farcall_);
        at[1] = std::uint8_t(farcall_ >> 8);
        at[2] = std::uint8_t(resolved.bank.value_or(site.bank));
        at[3] = std::uint8_t(*resolved.export_index);
    }

    const LinkContext& link_;
    LinkReporter& reporter_;
    std::uint32_t farcall_;
};

using BankBytes = std::vector<std::vector<std::uint8_t>>;

std::span<std::uint8_t> copy_into(std::vector<std::uint8_t>& bank, std::uint32_t offset,
                                  std::span<const std::uint8_t> bytes) {
    std::copy(bytes.begin(), bytes.end(), bank.begin() + offset);
    return {bank.data() + offset, bytes.size()};
}

std::uint32_t init_data_offset(const LinkContext& link, std::uint32_t address) {
    return formats::kBankExportTableSize + (address - formats::kFixedDataBase - link.global_length);
}

void relocate_object_segment(Patcher& patcher, const LinkObject& object, std::uint16_t s, std::size_t g,
                             std::span<std::uint8_t> code, bool in_banked_code) {
    const auto& segment = object.module.sections[s].segments[g];
    const int bank = section_bank(object, s);
    for (std::size_t f = 0; f < segment.fixups.size(); ++f) {
        const auto& fixup = segment.fixups[f];
        patcher.apply({code, fixup.type, fixup.is_extern, fixup.place, fixup.addend, bank, in_banked_code,
                       object.module.symbols[fixup.symbol_row].name},
                      object.targets[s][g][f]);
    }
}

void relocate_objects(const LinkContext& link, Patcher& patcher, BankBytes& banks) {
    for (const auto& object : link.objects) {
        const auto& sections = object.module.sections;
        for (std::uint16_t s = 0; s < sections.size(); ++s)
            for (std::size_t g = 0; g < sections[s].segments.size(); ++g) {
                const auto& segment = sections[s].segments[g];
                const auto& piece = object.pieces[object.piece_of_section[s]];
                std::span<std::uint8_t> code;
                if (!sections[s].is_global)
                    code = copy_into(banks[std::size_t(piece.bank)],
                                     piece.base - kBankWindowBase + object.segment_address[s][g], segment.code);
                else if (segment.is_init_data)
                    code = copy_into(banks[0], init_data_offset(link, object.segment_address[s][g]), segment.code);
                else
                    continue;  // "global" data has addresses but no bytes
                relocate_object_segment(patcher, object, s, g, code, !sections[s].is_global);
            }
    }
}

void relocate_record(const LinkContext& link, Patcher& patcher, const PulledModule& record,
                     std::span<std::uint8_t> code, int bank, bool in_banked_code) {
    const auto& module = link.libraries[record.library].members[record.member].module;
    for (const auto& reference : record.references)
        patcher.apply({code, reference.type, reference.is_extern, reference.place, reference.addend, bank,
                       in_banked_code, module.symbols[reference.symbol_row].name},
                      reference.target);
}

void relocate_pulled(const LinkContext& link, Patcher& patcher, BankBytes& banks) {
    for (const auto& record : link.pulled) {
        switch (record.kind) {
            case PulledModule::Kind::GlobalData: break;
            case PulledModule::Kind::InitData:
                relocate_record(link, patcher, record,
                                copy_into(banks[0], init_data_offset(link, record.address), record.bytes), record.bank,
                                false);
                break;
            case PulledModule::Kind::Procedure:
                if (record.every_bank) {
                    for (int bank = 0; bank < link.bank_count; ++bank) {
                        const auto& slot = record.every_bank_slots[std::size_t(bank)];
                        auto code = copy_into(banks[std::size_t(bank)], slot.address - kBankWindowBase, record.bytes);
                        relocate_record(link, patcher, record, code, bank, true);
                    }
                } else {
                    auto code =
                        copy_into(banks[std::size_t(record.bank)], record.slot.address - kBankWindowBase, record.bytes);
                    relocate_record(link, patcher, record, code, record.bank, true);
                }
                break;
        }
    }
}

}  // namespace

BankBytes relocate_banks(const LinkContext& link, LinkReporter& reporter) {
    BankBytes banks;
    for (const auto& layout : link.banks) {
        std::vector<std::uint8_t> bytes(layout.length, 0);
        for (std::size_t i = 0; i < layout.exports.size(); ++i) {
            bytes[2 * i] = std::uint8_t(layout.exports[i]);
            bytes[2 * i + 1] = std::uint8_t(layout.exports[i] >> 8);
        }
        banks.push_back(std::move(bytes));
    }
    Patcher patcher(link, reporter);
    relocate_objects(link, patcher, banks);
    relocate_pulled(link, patcher, banks);
    return banks;
}

}  // namespace linker
