#include "linker/link_input.h"

#include <algorithm>
#include <string>

#include "formats/file_sizes.h"
#include "formats/image_file.h"
#include "linker/file_access.h"

namespace linker {
namespace {

std::vector<std::uint8_t> read_input(const std::string& path, std::uint64_t max_size, LinkReporter& reporter) {
    auto file = read_whole_file(path, max_size);
    if (!file.ok) reporter.report(LinkMessage::CannotOpen, path, file.error);
    return std::move(file.bytes);
}

void check_fixed_data(const LinkContext& link, LinkReporter& reporter, std::uint32_t more) {
    if (std::uint64_t(link.global_length) + link.init_data_length + more > formats::kFixedDataSize)
        reporter.report(LinkMessage::DataOversize);
}

// An object's banked code in pieces, one per bank its sections name; each
// bank must have a place in the image's bank table. "global" sections go
// with the first piece.
void split_into_pieces(LinkObject& object, LinkReporter& reporter) {
    const auto& sections = object.module.sections;
    object.piece_of_section.assign(sections.size(), 0);
    for (std::size_t s = 0; s < sections.size(); ++s) {
        if (sections[s].is_global) continue;
        const int bank = sections[s].bank;
        if (bank >= formats::kImageBankCount)
            reporter.report(LinkMessage::InvalidInput, object.path,
                            "bank " + std::to_string(bank) + " is above the last bank (26)");
        auto piece = std::find_if(object.pieces.begin(), object.pieces.end(),
                                  [bank](const BankPiece& p) { return p.bank == bank; });
        if (piece == object.pieces.end()) {
            piece = object.pieces.emplace(piece);
            piece->bank = bank;
        }
        object.piece_of_section[s] = std::uint32_t(piece - object.pieces.begin());
    }
    if (object.pieces.empty()) object.pieces.emplace_back();  // bank 0
    object.bank = object.pieces.front().bank;
}

}  // namespace

std::uint32_t add_global_data(LinkContext& link, LinkReporter& reporter, std::uint32_t length) {
    check_fixed_data(link, reporter, length);
    const auto address = formats::kFixedDataBase + link.global_length;
    link.global_length += length;
    return address;
}

void add_init_data(LinkContext& link, LinkReporter& reporter, const InitDataPiece& piece) {
    check_fixed_data(link, reporter, piece.length);
    link.init_data.push_back(piece);
    link.init_data_length += piece.length;
}

void load_objects(LinkContext& link, LinkReporter& reporter) {
    // The debug map counts a link's objects in 16 bits.
    constexpr std::size_t kMostObjects = 0xFFFF;
    const auto& paths = link.settings.object_paths;
    if (paths.size() > kMostObjects)
        reporter.report(LinkMessage::InvalidInput, paths[kMostObjects], "more than 65535 objects in one link");
    link.objects.reserve(link.settings.object_paths.size());
    for (const auto& path : link.settings.object_paths) {
        LinkObject object;
        object.path = path;
        object.file = read_input(path, formats::kLargestObjFile, reporter);
        try {
            object.module = read_object_module(formats::ByteReader(object.file));
        } catch (const CorruptInput& error) {
            reporter.report(LinkMessage::InvalidInput, path,
                            std::string("not a valid object file (") + error.what() + ")");
        }
        link.objects.push_back(std::move(object));
    }
}

void scan_objects(LinkContext& link, LinkReporter& reporter) {
    for (std::uint32_t index = 0; index < link.objects.size(); ++index) {
        auto& object = link.objects[index];
        const auto& module = object.module;
        split_into_pieces(object, reporter);
        object.segment_address.resize(module.sections.size());
        object.targets.resize(module.sections.size());
        for (std::uint16_t s = 0; s < module.sections.size(); ++s) {
            const auto& section = module.sections[s];
            object.targets[s].resize(section.segments.size());
            for (std::uint16_t g = 0; g < section.segments.size(); ++g) {
                const auto& segment = section.segments[g];
                const auto length = std::uint32_t(segment.code.size());
                object.targets[s][g].resize(segment.fixups.size());
                if (!section.is_global) {
                    auto& piece = object.pieces[object.piece_of_section[s]];
                    object.segment_address[s].push_back(piece.length);
                    piece.length += length;
                } else if (!segment.is_init_data) {
                    object.segment_address[s].push_back(add_global_data(link, reporter, length));
                } else {
                    object.segment_address[s].push_back(0);  // placed after resolution
                    add_init_data(link, reporter, {false, index, s, g, length});
                }
            }
        }
        object.export_of_row.assign(module.symbols.size(), -1);
        for (auto row : module.public_rows) {
            if (module.symbols[row].kind != formats::SymbolKind::Procedure || object.export_of_row[row] >= 0) continue;
            const auto procedure = std::uint32_t(module.procedure_of_row[row]);
            auto& piece = object.pieces[object.piece_of_section[module.procedures[procedure].section]];
            object.export_of_row[row] = std::int32_t(piece.exports.size());
            piece.exports.push_back(procedure);
        }
    }
}

void load_libraries(LinkContext& link, LinkReporter& reporter) {
    link.libraries.reserve(link.settings.library_paths.size());
    for (const auto& path : link.settings.library_paths) {
        LinkLibrary library;
        library.path = path;
        library.file = read_input(path, formats::kLargestLibFile, reporter);
        const formats::ByteReader bytes(library.file);
        if (!has_library_magic(bytes)) reporter.report(LinkMessage::NotALibrary, path);
        try {
            library.members = read_library(bytes);
        } catch (const CorruptInput& error) {
            reporter.report(LinkMessage::InvalidInput, path, std::string("not a valid library (") + error.what() + ")");
        }
        std::size_t publics = 0;
        for (const auto& member : library.members) publics += member.module.public_rows.size();
        library.publics.reserve(publics);
        for (std::uint32_t m = 0; m < library.members.size(); ++m) {
            const auto& module = library.members[m].module;
            for (auto row : module.public_rows) library.publics.insert(module.symbols[row].name, MemberSymbol{m, row});
        }
        link.libraries.push_back(std::move(library));
    }
}

}  // namespace linker
