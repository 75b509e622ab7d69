#include "assembler/output_files.h"

#include <algorithm>
#include <cstring>
#include <utility>
#include <type_traits>

#include "formats/obj_file.h"

namespace dravlin {

namespace {

// A record's size in the file, from its layout in formats/.
template <class Record>
constexpr uint32_t record_size = sizeof(Record);

template <class Record>
void append(ByteSink& out, const Record& record) {
    static_assert(std::is_trivially_copyable_v<Record>);
    out.append({reinterpret_cast<const char*>(&record), sizeof(Record)});
}

template <class Record>
void append_all(ByteSink& out, const std::vector<Record>& records) {
    for (const Record& record : records) append(out, record);
}

class StringSink : public ByteSink {
public:
    void append(std::string_view bytes) override { text.append(bytes); }
    std::string text;
};

constexpr size_t kMost16 = 0xFFFF;

size_t line_record_count(const ObjectTables& object) {
    size_t count = 0;
    for (const std::vector<LineEntry>& lines : object.lines) count += lines.size();
    return count;
}

// Where each block of the object starts, added up wider than the file's
// 32-bit offsets; `size` includes the entry record when there is one.
struct ObjectLayout {
    uint64_t segments, fixups, publics, lines, symbols, source_files, procedures, pool, code, size;
};

ObjectLayout object_layout(const AsmContext& context, size_t line_records, uint64_t pool_size) {
    const ObjectTables& object = context.object;
    ObjectLayout at{};
    at.segments =
        formats::kObjSectionsOffset + record_size<formats::ObjSectionRecord> * uint64_t{object.sections.size()};
    at.fixups = at.segments + record_size<formats::ObjSegmentRecord> * uint64_t{object.segments.size()};
    at.publics = at.fixups + record_size<formats::ObjFixupRecord> * uint64_t{object.fixups.size()};
    at.lines = at.publics + record_size<formats::ObjPublicRecord> * uint64_t{object.publics.size()};
    at.symbols = at.lines + record_size<formats::ObjLineRecord> * uint64_t{line_records};
    at.source_files = at.symbols + record_size<formats::ObjSymbolRecord> * uint64_t{context.rows.rows.size()};
    at.procedures = at.source_files + record_size<formats::ObjSourceFileRecord> * uint64_t{object.file_names.size()};
    at.pool = at.procedures + record_size<formats::ObjProcedureRecord> * uint64_t{object.procedures.size()};
    at.code = at.pool + pool_size;
    at.size = at.code;
    for (const SegmentEntry& segment : object.segments) at.size += segment.code.size();
    if (object.entry) at.size += sizeof(formats::ObjEntryRecord);
    return at;
}

// The string pool: symbol names in row order, then the file names.
uint64_t pool_size(const AsmContext& context) {
    uint64_t size = 0;
    for (const SymbolRow& row : context.rows.rows) size += context.symbols.at(row.symbol).name.size() + 1;
    for (const std::string& name : context.object.file_names) size += name.size() + 1;
    return size;
}

// The most members of one structure: lists end with kMemberListEnd.
size_t most_structure_members(const std::vector<StructMember>& members) {
    size_t most = 0, run = 0;
    for (const StructMember& member : members) {
        run = member.kind == kMemberListEnd ? 0 : run + 1;
        most = std::max(most, run);
    }
    return most;
}

uint16_t place16(int value) { return static_cast<uint16_t>(value); }

}  // namespace

std::string format_limit_passed(const AsmContext& context) {
    const ObjectTables& object = context.object;
    const size_t line_records = line_record_count(object);
    const std::pair<size_t, const char*> counts[] = {
        {context.rows.rows.size(), "symbols"},    {line_records, "line records"},
        {object.sections.size(), "sections"},     {object.publics.size(), "public names"},
        {object.procedures.size(), "procedures"}, {object.file_names.size(), "source files"},
    };
    for (const auto& [count, what] : counts) {
        if (count > kMost16) return "more than 65535 " + std::string(what) + " in one object file";
    }
    if (object_layout(context, line_records, pool_size(context)).size > 0xFFFFFFFFu) {
        return "an object file larger than 4 GB";
    }
    if (most_structure_members(context.members) > kMost16) return "more than 65535 members in one structure";
    return {};
}

void put_symbol_file(const SymbolRows& rows, ByteSink& out) {
    formats::SymFileHeader header{};
    header.type_record_count = static_cast<uint32_t>(rows.types.size());
    header.descriptor_count = static_cast<uint32_t>(rows.descriptors.size());
    header.string_pool_offset =
        static_cast<uint32_t>(sizeof(header) + record_size<formats::SymTypeRecord> * rows.types.size() +
                              record_size<formats::SymTypeDescriptor> * rows.descriptors.size());
    append(out, header);
    append_all(out, rows.types);
    append_all(out, rows.descriptors);
    out.append(rows.type_names);
}

void put_object_file(const AsmContext& context, ByteSink& out) {
    const ObjectTables& object = context.object;
    const SymbolRows& rows = context.rows;
    const SymbolTable& symbols = context.symbols;
    auto row_of = [&](int symbol) { return static_cast<uint16_t>(rows.row_of_symbol[static_cast<size_t>(symbol)]); };

    // The pool's offsets: symbol names in row order, then the file names.
    uint32_t pool_size = 0;
    std::vector<uint32_t> row_names;
    row_names.reserve(rows.rows.size());
    for (const SymbolRow& row : rows.rows) {
        row_names.push_back(pool_size);
        pool_size += static_cast<uint32_t>(symbols.at(row.symbol).name.size() + 1);
    }
    std::vector<formats::ObjSourceFileRecord> files;
    size_t line_total = 0;
    for (size_t i = 0; i < object.file_names.size(); ++i) {
        bool has_lines = !object.lines[i].empty();
        files.push_back({pool_size, has_lines ? static_cast<uint32_t>(line_total) : formats::kNoLines});
        line_total += object.lines[i].size();
        pool_size += static_cast<uint32_t>(object.file_names[i].size() + 1);
    }
    auto name_of = [&](int symbol) {
        int row = rows.row_of_symbol[static_cast<size_t>(symbol)];
        return row < 0 ? 0u : row_names[static_cast<size_t>(row)];
    };

    formats::ObjFileHeader header{};
    header.section_count = static_cast<uint16_t>(object.sections.size());
    header.public_count = static_cast<uint16_t>(object.publics.size());
    header.line_count = static_cast<uint16_t>(line_total);
    header.symbol_count = static_cast<uint16_t>(rows.rows.size());
    header.procedure_count = static_cast<uint16_t>(object.procedures.size());
    header.source_file_count = static_cast<uint16_t>(files.size());
    const ObjectLayout at = object_layout(context, line_total, pool_size);
    const auto segments_offset = static_cast<uint32_t>(at.segments);
    const auto fixups_offset = static_cast<uint32_t>(at.fixups);
    header.sections_offset = formats::kObjSectionsOffset;
    header.segments_offset = segments_offset;
    header.publics_offset = static_cast<uint32_t>(at.publics);
    header.lines_offset = static_cast<uint32_t>(at.lines);
    header.symbols_offset = static_cast<uint32_t>(at.symbols);
    header.source_files_offset = static_cast<uint32_t>(at.source_files);
    header.procedures_offset = static_cast<uint32_t>(at.procedures);
    header.string_pool_offset = static_cast<uint32_t>(at.pool);
    header.file_size = static_cast<uint32_t>(at.size);
    if (object.entry) header.entry_offset = static_cast<uint32_t>(at.size - sizeof(formats::ObjEntryRecord));

    append(out, header);
    for (const SectionEntry& section : object.sections) {
        append(out, formats::ObjSectionRecord{
                        section.base_address, section.length, section.bank_number, 0, name_of(section.symbol),
                        segments_offset + record_size<formats::ObjSegmentRecord> * section.first_segment,
                        section.segment_count, 0});
    }
    auto running_code = static_cast<uint32_t>(at.code);
    for (const SegmentEntry& segment : object.segments) {
        append(out,
               formats::ObjSegmentRecord{
                   0, static_cast<uint16_t>(segment.code.size()), name_of(segment.symbol), running_code,
                   fixups_offset + record_size<formats::ObjFixupRecord> * segment.first_fixup, segment.fixup_count, 0});
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
    // Each name with its terminating NUL.
    for (const SymbolRow& row : rows.rows) {
        const std::string& name = symbols.at(row.symbol).name;
        out.append({name.c_str(), name.size() + 1});
    }
    for (const std::string& name : object.file_names) out.append({name.c_str(), name.size() + 1});
    for (const SegmentEntry& segment : object.segments) {
        out.append({reinterpret_cast<const char*>(segment.code.data()), segment.code.size()});
    }
    if (const std::optional<EntryPoint>& entry = object.entry) {
        append(out, formats::ObjEntryRecord{entry->section, entry->segment, entry->value});
    }
}

std::string symbol_file_bytes(const SymbolRows& rows) {
    StringSink out;
    put_symbol_file(rows, out);
    return std::move(out.text);
}

std::string object_file_bytes(const AsmContext& context) {
    StringSink out;
    put_object_file(context, out);
    return std::move(out.text);
}

}  // namespace dravlin
