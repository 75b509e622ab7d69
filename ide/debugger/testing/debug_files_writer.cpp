#include "ide/debugger/testing/debug_files_writer.h"

#include <cctype>
#include <cstring>

#include "formats/sym_file.h"

namespace ide::testing {

namespace {

template <class Record>
void append(std::string& out, const Record& record) {
    out.append(reinterpret_cast<const char*>(&record), sizeof record);
}

struct Pool {
    std::string bytes;
    std::uint32_t add(const std::string& text) {
        const auto offset = static_cast<std::uint32_t>(bytes.size());
        bytes += text;
        bytes += '\0';
        return offset;
    }
};

}  // namespace

std::string write_obj(const ObjectContents& object) {
    Pool pool;
    formats::ObjFileHeader header{};
    std::string tables;
    auto here = [&] { return static_cast<std::uint32_t>(sizeof header + tables.size()); };

    header.publics_offset = here();
    for (std::uint16_t row : object.public_rows) {
        formats::ObjPublicRecord record{};
        record.name_offset = pool.add(object.symbols.at(row).name);
        record.symbol_row = row;
        append(tables, record);
    }
    header.lines_offset = here();
    for (const auto& line : object.lines)
        append(tables,
               formats::ObjLineRecord{line.file << 24 | line.line, line.section, line.segment, line.start, line.end});
    header.symbols_offset = here();
    for (const auto& symbol : object.symbols)
        append(tables, formats::ObjSymbolRecord{pool.add(symbol.name), symbol.type_offset,
                                                static_cast<std::uint16_t>(symbol.kind), symbol.section, symbol.segment,
                                                symbol.value});
    header.source_files_offset = here();
    for (std::uint32_t f = 0; f < object.sources.size(); ++f) {
        formats::ObjSourceFileRecord record{pool.add(object.sources[f]), formats::kNoLines};
        for (std::uint32_t r = 0; r < object.lines.size(); ++r) {
            if (object.lines[r].file == f) {
                record.first_line_index = r;
                break;
            }
        }
        append(tables, record);
    }
    header.procedures_offset = here();
    for (const auto& procedure : object.procedures) {
        formats::ObjProcedureRecord record{};
        record.section_index = procedure.section;
        record.segment_index = procedure.segment;
        record.start_offset = procedure.start;
        record.end_offset = procedure.end;
        append(tables, record);
    }
    header.string_pool_offset = here();
    header.public_count = static_cast<std::uint16_t>(object.public_rows.size());
    header.line_count = static_cast<std::uint16_t>(object.lines.size());
    header.symbol_count = static_cast<std::uint16_t>(object.symbols.size());
    header.procedure_count = static_cast<std::uint16_t>(object.procedures.size());
    header.source_file_count = static_cast<std::uint16_t>(object.sources.size());
    header.sections_offset = formats::kObjSectionsOffset;
    header.file_size = here() + static_cast<std::uint32_t>(pool.bytes.size());

    std::string out;
    append(out, header);
    return out + tables + pool.bytes;
}

std::string write_deb(const DebugMapContents& map) {
    const auto objects = static_cast<std::uint32_t>(map.objects.size());
    std::uint32_t sections = 0;
    for (const auto& object : map.objects) sections += static_cast<std::uint32_t>(object.sections.size());
    const std::uint32_t sections_at = 8 + 12 * objects;
    std::uint32_t segments_at = sections_at + 8 * sections;

    std::string object_rows, section_rows, segment_rows;
    Pool names;
    std::uint32_t section_index = 0;
    for (const auto& object : map.objects) {
        std::string upper = object.name;
        for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        formats::DebObjectEntry entry{};
        entry.name_offset = names.add(upper);
        entry.section_count = static_cast<std::uint16_t>(object.sections.size());
        entry.first_section_offset = sections_at + 8 * section_index;
        append(object_rows, entry);
        for (const auto& segments : object.sections) {
            formats::DebSectionEntry section{};
            section.first_segment_offset = segments_at + static_cast<std::uint32_t>(segment_rows.size());
            section.segment_count = static_cast<std::uint16_t>(segments.size());
            append(section_rows, section);
            for (const auto& segment : segments) append(segment_rows, segment);
            ++section_index;
        }
    }
    formats::DebFileHeader header{};
    header.object_count = static_cast<std::uint16_t>(objects);
    header.name_block_offset = segments_at + static_cast<std::uint32_t>(segment_rows.size());
    std::string out;
    append(out, header);
    return out + object_rows + section_rows + segment_rows + names.bytes;
}

std::string write_sym(std::uint32_t rows) {
    std::string out(16 + 16 * rows, '\0');
    std::memcpy(out.data() + 4, &rows, 4);
    return out;
}

}  // namespace ide::testing
