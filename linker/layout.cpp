#include "linker/layout.h"

#include "formats/image_file.h"

namespace linker {
namespace {

using formats::kBankExportEntries;
using formats::kBankExportTableSize;
using formats::kBankMaxSize;
using formats::kBankWindowBase;

// Fills one bank: export entries are checked before each write, and the
// bank's length against the window after each placement.
class BankFiller {
public:
    BankFiller(BankLayout& bank, LinkReporter& reporter, std::uint32_t used, std::uint32_t first_index)
        : bank_(bank), reporter_(reporter), used_(used), index_(first_index) {}

    std::uint32_t used() const { return used_; }
    std::uint32_t index() const { return index_; }
    bool fits(std::uint32_t length) const { return used_ + length <= kBankMaxSize; }

    // Reserves `length` bytes; returns their device address.
    std::uint32_t place(std::uint32_t length) {
        if (!fits(length)) reporter_.report(LinkMessage::CodeOversize);
        const auto address = kBankWindowBase + used_;
        used_ += length;
        return address;
    }

    // Enters an exported address; returns its index.
    std::uint32_t add_export(std::uint32_t address) {
        if (index_ >= kBankExportEntries) reporter_.report(LinkMessage::ExportOverflow);
        bank_.exports[index_] = std::uint16_t(address);
        return index_++;
    }

private:
    BankLayout& bank_;
    LinkReporter& reporter_;
    std::uint32_t used_;
    std::uint32_t index_;
};

void place_objects(LinkContext& link, int bank, BankFiller& filler) {
    for (auto& object : link.objects) {
        for (auto& piece : object.pieces) {
            if (piece.bank != bank) continue;
            piece.first_export = filler.index();
            piece.base = filler.place(piece.length);
            for (auto p : piece.exports) {
                const auto& procedure = object.module.procedures[p];
                filler.add_export(device_address(object, procedure.section, procedure.segment, procedure.start));
            }
        }
    }
}

// Library procedures pulled for this bank, in pull order; one that does not
// fit moves on to the next bank, and past the last bank it is an error.
void place_pulled(LinkContext& link, int bank, BankFiller& filler, LinkReporter& reporter) {
    for (auto& record : link.pulled) {
        if (record.kind != PulledModule::Kind::Procedure || record.every_bank || record.bank != bank) continue;
        const auto length = std::uint32_t(record.bytes.size());
        if (!filler.fits(length)) {
            if (bank + 1 >= link.bank_count) reporter.report(LinkMessage::CodeOversize);
            ++record.bank;
            continue;
        }
        record.slot.address = filler.place(length);
        record.slot.export_index = filler.add_export(record.slot.address);
    }
}

void place_every_bank(LinkContext& link, BankFiller& filler) {
    for (auto index : link.every_bank) {
        auto& record = link.pulled[index];
        BankSlot slot;
        slot.address = filler.place(std::uint32_t(record.bytes.size()));
        slot.export_index = filler.add_export(slot.address);
        record.every_bank_slots.push_back(slot);
    }
}

}  // namespace

std::uint32_t device_address(const LinkObject& object, std::uint16_t section, std::uint16_t segment,
                             std::uint32_t offset) {
    const auto start = object.segment_address[section][segment];
    if (object.module.sections[section].is_global) return start + offset;
    return object.pieces[object.piece_of_section[section]].base + start + offset;
}

std::uint32_t procedure_address(const LinkContext& link, const ProcedureRef& ref) {
    const auto& object = link.objects[ref.object];
    const auto& procedure = object.module.procedures[ref.procedure];
    return device_address(object, procedure.section, procedure.segment, procedure.start);
}

void place_init_data(LinkContext& link) {
    auto address = formats::kFixedDataBase + link.global_length;
    for (const auto& piece : link.init_data) {
        if (piece.from_library)
            link.pulled[piece.index].address = address;
        else
            link.objects[piece.index].segment_address[piece.section][piece.segment] = address;
        address += piece.length;
    }
}

void layout_banks(LinkContext& link, LinkReporter& reporter) {
    link.bank_count = 1;
    for (const auto& object : link.objects)
        for (const auto& piece : object.pieces) link.bank_count = std::max(link.bank_count, piece.bank + 1);
    link.banks.assign(std::size_t(link.bank_count), {});
    for (int bank = 0; bank < link.bank_count; ++bank) {
        auto& layout = link.banks[std::size_t(bank)];
        const bool first = bank == 0;
        BankFiller filler(layout, reporter, kBankExportTableSize + (first ? link.init_data_length : 0),
                          first ? formats::kHeadExportEntries : 0);
        place_objects(link, bank, filler);
        place_pulled(link, bank, filler, reporter);
        layout.first_free = filler.index();
        place_every_bank(link, filler);
        layout.length = filler.used();
    }
}

}  // namespace linker
