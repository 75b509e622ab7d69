#pragma once
// Everything one link works on, passed from stage to stage: the inputs, the
// fixed data area, the resolution of every fix-up, the records pulled out of
// libraries, and the bank layout.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "formats/image_file.h"
#include "linker/library_file.h"
#include "linker/link_command_line.h"
#include "linker/object_module.h"
#include "linker/symbol_index.h"

namespace linker {

// What a fix-up refers to, once resolved.
struct Target {
    enum class Kind : std::uint8_t {
        Unresolved,    // reported as LNK2001; nothing is patched
        ObjectSymbol,  // index = object, detail = symbol row in it
        Pulled,        // index = pulled record, detail = offset of the symbol in the record
        Constant,      // detail = the value
    };
    Kind kind = Kind::Unresolved;
    std::uint32_t index = 0;
    std::uint32_t detail = 0;
};

// An object's code in one bank: its sections that name the bank, in order.
struct BankPiece {
    int bank = 0;
    std::uint32_t length = 0;        // its segments' code
    std::uint32_t base = 0;          // device address where it begins
    std::uint32_t first_export = 0;  // its first entry in the bank's export table
    // Its exported procedures (procedure indices) in export order.
    std::vector<std::uint32_t> exports;
};

struct LinkObject {
    std::string path;  // as the linker used it: directory joined, upper-cased
    std::vector<std::uint8_t> file;
    ObjectModule module;  // points into `file`

    // The bank of its first banked section (0 without one): its first piece,
    // which also exports its procedures in "global" sections.
    int bank = 0;
    // One piece per bank its sections name, in order of first appearance,
    // and per section the piece that holds it.
    std::vector<BankPiece> pieces;
    std::vector<std::uint32_t> piece_of_section;
    // Per section, per segment: the offset within its piece's code, or for
    // "global" sections the address in the fixed data area.
    std::vector<std::vector<std::uint32_t>> segment_address;
    // Per symbol row: the export index within its piece, or -1.
    std::vector<std::int32_t> export_of_row;
    // Per section, per segment, per fix-up.
    std::vector<std::vector<std::vector<Target>>> targets;
};

// A public of a library member.
struct MemberSymbol {
    std::uint32_t member = 0;
    std::uint16_t row = 0;
};

struct LinkLibrary {
    std::string path;
    std::vector<std::uint8_t> file;
    std::vector<LibraryMember> members;  // point into `file`
    SymbolIndex<MemberSymbol> publics;   // first definition of each name
};

struct PulledReference {
    std::uint8_t type = 0;
    bool is_extern = false;
    std::uint16_t place = 0;  // relative to the record's first byte
    std::uint32_t addend = 0;
    std::uint16_t symbol_row = 0;  // in the member
    Target target;
};

// Placement of a record in one bank.
struct BankSlot {
    std::uint32_t address = 0;
    std::uint32_t export_index = 0;
};

// A procedure or data segment taken out of a library member.
struct PulledModule {
    enum class Kind : std::uint8_t { Procedure, GlobalData, InitData };
    Kind kind = Kind::Procedure;
    bool every_bank = false;  // a procedure of a "library" section: one copy per bank
    std::uint32_t library = 0;
    std::uint32_t member = 0;
    std::uint16_t section = 0;
    std::uint16_t segment = 0;
    std::string_view name;
    std::span<const std::uint8_t> bytes;  // the pulled range of the member's segment
    int bank = 0;  // for a procedure: the bank it goes to (for every-bank records, the bank that pulled it)
    std::uint32_t address = 0;               // fixed-area address of data
    BankSlot slot;                           // placement of a procedure
    std::vector<BankSlot> every_bank_slots;  // per bank, for every-bank records
    std::vector<PulledReference> references;
};

// One init_data segment: its bytes go into the image after bank 0's export table.
struct InitDataPiece {
    bool from_library = false;
    std::uint32_t index = 0;  // object, or pulled record
    std::uint16_t section = 0;
    std::uint16_t segment = 0;
    std::uint32_t length = 0;
};

struct ProcedureRef {
    std::uint32_t object = 0;
    std::uint32_t procedure = 0;
};

struct BankLayout {
    std::array<std::uint16_t, formats::kBankExportEntries> exports{};
    std::uint32_t length = 0;      // bytes of the bank window used, export table included
    std::uint32_t first_free = 0;  // first export index after objects and pulled records
};

struct LinkContext {
    LinkSettings settings;
    std::vector<LinkObject> objects;
    std::vector<LinkLibrary> libraries;

    std::uint32_t global_length = 0;     // G: "global" data that only gets addresses
    std::uint32_t init_data_length = 0;  // I: init_data bytes that travel in the image
    std::vector<InitDataPiece> init_data;

    std::optional<ProcedureRef> reset;
    std::optional<ProcedureRef> farcall;

    std::vector<PulledModule> pulled;
    std::vector<std::uint32_t> every_bank;  // pulled records placed in every bank, in pull order

    int bank_count = 0;
    std::vector<BankLayout> banks;
};

}  // namespace linker
