#include "assembler/output_files.h"

#include <cstring>
#include <type_traits>

#include "formats/obj_file.h"

namespace dravlin {

namespace {

template <class Record>
void append(std::string& out, const Record& record) {
    static_assert(std::is_trivially_copyable_v<Record>);
    out.append(reinterpret_cast<const char*>(&record), sizeof(Record));
}

template <class Record>
void append_all(std::string& out, const std::vector<Record>& records) {
    for (const Record& record : records) append(out, record);
}

// A count for a 16-bit field of the header or a record.
uint16_t count16(AsmContext& context, size_t count) {
    if (count > 0xFFFF) context.reporter.fatal(kMsgAllocFailed, {});
    return static_cast<uint16_t>(count);
}

uint16_t place16(int value) { return static_cast<uint16_t>(value); }

}  // namespace

std::string symbol_file_bytes(const SymbolRows& rows) {
    formats::SymFileHeader header{};
    header.type_record_count = static_cast<uint32_t>(rows.types.size());
    header.descriptor_count = static_cast<uint32_t>(rows.descriptors.size());
    header.string_pool_offset =
        static_cast<uint32_t>(sizeof(header) + 16 * rows.types.size() + 8 * rows.descriptors.size());
    std::string out;
    append(out, header);
    append_all(out, rows.types);
    append_all(out, rows.descriptors);
    out += rows.type_names;
    return out;
}

std::string object_file_bytes(AsmContext& context) {
    const ObjectTables& object = context.object;
    const SymbolRows& rows = context.rows;
    const SymbolTable& symbols = context.symbols;
    auto row_of = [&](int symbol) { return static_cast<uint16_t>(rows.row_of_symbol[static_cast<size_t>(symbol)]); };

    // The pool: symbol names in row order, then the file names.
    std::string pool;
    std::vector<uint32_t> row_names;
    for (const SymbolRow& row : rows.rows) {
        row_names.push_back(static_cast<uint32_t>(pool.size()));
        pool += symbols.at(row.symbol).name;
        pool += '\0';
    }
    std::vector<formats::ObjSourceFileRecord> files;
    size_t line_total = 0;
    for (size_t i = 0; i < object.file_names.size(); ++i) {
        bool has_lines = !object.lines[i].empty();
        files.push_back(
            {static_cast<uint32_t>(pool.size()), has_lines ? static_cast<uint32_t>(line_total) : formats::kNoLines});
        line_total += object.lines[i].size();
        pool += object.file_names[i];
        pool += '\0';
    }
    auto name_of = [&](int symbol) {
        int row = rows.row_of_symbol[static_cast<size_t>(symbol)];
        return row < 0 ? 0u : row_names[static_cast<size_t>(row)];
    };

    formats::ObjFileHeader header{};
    header.section_count = count16(context, object.sections.size());
    header.public_count = count16(context, object.publics.size());
    header.line_count = count16(context, line_total);
    header.symbol_count = count16(context, rows.rows.size());
    header.procedure_count = count16(context, object.procedures.size());
    header.source_file_count = count16(context, files.size());
    uint32_t segments_offset = formats::kObjSectionsOffset + 20 * static_cast<uint32_t>(object.sections.size());
    uint32_t fixups_offset = segments_offset + 20 * static_cast<uint32_t>(object.segments.size());
    header.sections_offset = formats::kObjSectionsOffset;
    header.segments_offset = segments_offset;
    header.publics_offset = fixups_offset + 16 * static_cast<uint32_t>(object.fixups.size());
    header.lines_offset = header.publics_offset + 8 * static_cast<uint32_t>(object.publics.size());
    header.symbols_offset = header.lines_offset + 12 * static_cast<uint32_t>(line_total);
    header.source_files_offset = header.symbols_offset + 16 * static_cast<uint32_t>(rows.rows.size());
    header.procedures_offset = header.source_files_offset + 8 * static_cast<uint32_t>(files.size());
    header.string_pool_offset = header.procedures_offset + 14 * static_cast<uint32_t>(object.procedures.size());
    uint32_t code_offset = header.string_pool_offset + static_cast<uint32_t>(pool.size());
    for (const SegmentEntry& segment : object.segments) code_offset += static_cast<uint32_t>(segment.code.size());
    header.file_size = code_offset;
    if (object.entry) {
        header.entry_offset = code_offset;
        header.file_size += sizeof(formats::ObjEntryRecord);
    }

    std::string out;
    out.reserve(header.file_size);
    append(out, header);
    for (const SectionEntry& section : object.sections) {
        append(out, formats::ObjSectionRecord{section.base_address, section.length, section.bank_number, 0,
                                              name_of(section.symbol), segments_offset + 20 * section.first_segment,
                                              section.segment_count, 0});
    }
    uint32_t running_code = header.string_pool_offset + static_cast<uint32_t>(pool.size());
    for (const SegmentEntry& segment : object.segments) {
        append(out, formats::ObjSegmentRecord{0, static_cast<uint16_t>(segment.code.size()), name_of(segment.symbol),
                                              running_code, fixups_offset + 16 * segment.first_fixup,
                                              segment.fixup_count, 0});
        running_code += static_cast<uint32_t>(segment.code.size());
    }
    for (const Fixup& fixup : object.fixups) {
        append(out, formats::ObjFixupRecord{fixup.external ? 1u : 0u, fixup.type, 0, fixup.place, row_of(fixup.symbol),
                                            0, static_cast<uint32_t>(fixup.addend)});
    }
    for (int symbol : object.publics) append(out, formats::ObjPublicRecord{name_of(symbol), row_of(symbol), 0});
    for (const std::vector<LineEntry>& lines : object.lines) {
        for (const LineEntry& line : lines) {
            append(out, formats::ObjLineRecord{line.file_and_line, line.section, line.segment, line.start, line.end});
        }
    }
    for (size_t r = 0; r < rows.rows.size(); ++r) {
        const SymbolRow& row = rows.rows[r];
        const Symbol& symbol = symbols.at(row.symbol);
        append(out, formats::ObjSymbolRecord{row_names[r], row.type_offset, row.kind, place16(symbol.section),
                                             place16(symbol.segment), static_cast<uint16_t>(symbol.value)});
    }
    append_all(out, files);
    for (const ProcedureEntry& procedure : object.procedures) {
        append(out, formats::ObjProcedureRecord{row_of(procedure.symbol),
                                                procedure.section,
                                                procedure.segment,
                                                procedure.start,
                                                procedure.end,
                                                {0, 0, 0, 0}});
    }
    out += pool;
    for (const SegmentEntry& segment : object.segments) {
        out.append(reinterpret_cast<const char*>(segment.code.data()), segment.code.size());
    }
    if (const std::optional<EntryPoint>& entry = object.entry) {
        append(out, formats::ObjEntryRecord{entry->section, entry->segment, entry->value});
    }
    return out;
}

}  // namespace dravlin
