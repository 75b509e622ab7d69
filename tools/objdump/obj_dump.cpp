#include "tools/objdump/obj_dump.h"

#include <functional>

#include "formats/obj_file.h"
#include "linker/object_module.h"
#include "tools/objdump/dump_text.h"

namespace objdump {

namespace {

using formats::ByteReader;
using formats::ObjFileHeader;

class ObjectDump {
public:
    ObjectDump(const ByteReader& file, const ObjFileHeader& header) : file_(file), header_(header) {
        if (header.string_pool_offset <= file.size()) {
            pool_ = *file.slice(header.string_pool_offset, file.size() - header.string_pool_offset);
        }
    }

    std::string run() {
        out_ += "header: size " + std::to_string(header_.file_size) + ", entry at " + hex(header_.entry_offset, 8) +
                ", pool at " + hex(header_.string_pool_offset, 8) + "\n";
        table<formats::ObjSectionRecord>("sections", header_.sections_offset, header_.section_count,
                                         [this](const auto& r) { section(r); });
        table<formats::ObjSegmentRecord>("segments", header_.segments_offset, segment_count(),
                                         [this](const auto& r) { segment(r); });
        table<formats::ObjFixupRecord>("fix-ups", fixups_offset(), fixup_count(), [this](const auto& r) { fixup(r); });
        table<formats::ObjPublicRecord>("publics", header_.publics_offset, header_.public_count, [this](const auto& r) {
            out_ += name(r.name_offset) + " row " + std::to_string(r.symbol_row) + "\n";
        });
        table<formats::ObjLineRecord>("lines", header_.lines_offset, header_.line_count,
                                      [this](const auto& r) { line(r); });
        table<formats::ObjSymbolRecord>("symbols", header_.symbols_offset, header_.symbol_count,
                                        [this](const auto& r) { symbol(r); });
        table<formats::ObjSourceFileRecord>(
            "source files", header_.source_files_offset, header_.source_file_count, [this](const auto& r) {
                out_ += name(r.name_offset) + " first line " +
                        (r.first_line_index == formats::kNoLines ? std::string("none")
                                                                 : std::to_string(r.first_line_index)) +
                        "\n";
            });
        table<formats::ObjProcedureRecord>(
            "procedures", header_.procedures_offset, header_.procedure_count, [this](const auto& r) {
                out_ += symbol_name(r.symbol_row) + " section " + std::to_string(r.section_index) + " segment " +
                        std::to_string(r.segment_index) + " " + hex(r.start_offset, 4) + "-" + hex(r.end_offset, 4) +
                        "\n";
            });
        if (header_.entry_offset != 0) {
            auto entry = file_.record<formats::ObjEntryRecord>(header_.entry_offset);
            if (!entry)
                out_ += "entry: outside the file\n";
            else
                out_ += "entry: section " + std::to_string(entry->section_index) + " segment " +
                        std::to_string(entry->segment_index) + " value " + hex(entry->value, 4) + "\n";
        }
        return out_;
    }

private:
    template <class Record>
    void table(const char* title, std::uint32_t offset, std::uint32_t count,
               const std::function<void(const Record&)>& show) {
        out_ += std::string(title) + ": " + std::to_string(count) + " at " + hex(offset, 8) + "\n";
        if (!file_.contains_table<Record>(offset, count)) {
            out_ += "  table outside the file\n";
            return;
        }
        for (std::uint32_t i = 0; i < count; ++i) {
            out_ += "  " + std::to_string(i) + " ";
            show(*file_.record<Record>(offset + std::uint64_t{i} * sizeof(Record)));
        }
    }

    std::string name(std::uint32_t offset) const {
        auto text = pool_.c_string(offset);
        return text ? quoted(*text) : "<name outside the pool>";
    }

    std::string symbol_name(std::uint16_t row) const {
        auto record = file_.table_entry<formats::ObjSymbolRecord>(header_.symbols_offset, header_.symbol_count, row);
        return record ? name(record->name_offset) : "<row " + std::to_string(row) + " outside the table>";
    }

    // The segment table has no count of its own: the sections' counts add up to it.
    std::uint32_t segment_count() const {
        std::uint32_t count = 0;
        for (std::uint32_t i = 0; i < header_.section_count; ++i) {
            auto section =
                file_.table_entry<formats::ObjSectionRecord>(header_.sections_offset, header_.section_count, i);
            if (section) count += section->segment_count;
        }
        return count;
    }

    // The fix-up table lies between the segments and the publics.
    std::uint32_t fixups_offset() const { return header_.segments_offset + 20 * segment_count(); }
    std::uint32_t fixup_count() const {
        std::uint32_t start = fixups_offset();
        return header_.publics_offset >= start ? (header_.publics_offset - start) / 16 : 0;
    }

    void section(const formats::ObjSectionRecord& r) {
        out_ += name(r.name_offset) + " base " + hex(r.base_address, 4) + " length " + hex(r.length, 4) + " bank " +
                std::to_string(r.bank_number) + ", " + std::to_string(r.segment_count) + " segment(s) at " +
                hex(r.first_segment_offset, 8) + "\n";
    }

    void segment(const formats::ObjSegmentRecord& r) {
        out_ += name(r.name_offset) + " length " + hex(r.code_length, 4) + ", " + std::to_string(r.fixup_count) +
                " fix-up(s) at " + hex(r.first_fixup_offset, 8) + ", code at " + hex(r.code_offset, 8) + "\n";
        auto code = file_.slice(r.code_offset, r.code_length);
        if (!code)
            out_ += "    code outside the file\n";
        else
            out_ += hex_rows(code->bytes(), "    ");
    }

    void fixup(const formats::ObjFixupRecord& r) {
        out_ += "place " + hex(r.place, 4) + " type " + std::to_string(r.type) + " " + symbol_name(r.symbol_row) +
                " (row " + std::to_string(r.symbol_row) + ") addend " + hex(r.addend, 8) +
                (r.is_extern ? " extern" : "") + "\n";
    }

    void line(const formats::ObjLineRecord& r) {
        out_ += "file " + std::to_string(formats::line_file_index(r.file_and_line)) + " line " +
                std::to_string(formats::line_number(r.file_and_line)) + " section " + std::to_string(r.section_index) +
                " segment " + std::to_string(r.segment_index) + " " + hex(r.start_offset, 4) + "-" +
                hex(r.end_offset, 4) + "\n";
    }

    void symbol(const formats::ObjSymbolRecord& r) {
        out_ += name(r.name_offset) + " kind " + std::to_string(r.kind) + " section " + hex(r.section_index, 4) +
                " segment " + hex(r.segment_index, 4) + " value " + hex(r.value, 4) + " type " + hex(r.type_offset, 8) +
                "\n";
    }

    const ByteReader& file_;
    ObjFileHeader header_;
    ByteReader pool_;
    std::string out_;
};

// The tables the linker's reader leaves alone: lines, source files, entry.
std::optional<std::string> check_debugger_tables(const ByteReader& file, const ObjFileHeader& header) {
    auto pool = file.slice(header.string_pool_offset,
                           file.size() - std::min<std::uint64_t>(file.size(), header.string_pool_offset));
    if (!file.contains_table<formats::ObjLineRecord>(header.lines_offset, header.line_count)) {
        return "line records outside the file";
    }
    if (!file.contains_table<formats::ObjSourceFileRecord>(header.source_files_offset, header.source_file_count)) {
        return "source-file table outside the file";
    }
    for (std::uint32_t i = 0; i < header.line_count; ++i) {
        auto line = *file.record<formats::ObjLineRecord>(header.lines_offset + std::uint64_t{i} * 12);
        if (formats::line_file_index(line.file_and_line) >= header.source_file_count) {
            return "line record " + std::to_string(i) + " names a source file past the table";
        }
        if (line.start_offset > line.end_offset) return "line record " + std::to_string(i) + " ends before it starts";
    }
    for (std::uint32_t i = 0; i < header.source_file_count; ++i) {
        auto source = *file.record<formats::ObjSourceFileRecord>(header.source_files_offset + std::uint64_t{i} * 8);
        if (!pool || !pool->c_string(source.name_offset)) {
            return "source file " + std::to_string(i) + " has no name in the pool";
        }
        if (source.first_line_index != formats::kNoLines && source.first_line_index >= header.line_count) {
            return "source file " + std::to_string(i) + " starts past the line records";
        }
    }
    if (header.entry_offset != 0 && !file.contains(header.entry_offset, sizeof(formats::ObjEntryRecord))) {
        return "entry record outside the file";
    }
    return std::nullopt;
}

}  // namespace

std::string dump_object(const ByteReader& file) {
    auto header = file.record<ObjFileHeader>(0);
    if (!header) return "shorter than an object header\n";
    return ObjectDump(file, *header).run();
}

std::optional<std::string> check_object(const ByteReader& file) {
    try {
        linker::read_object_module(file);
    } catch (const linker::CorruptInput& error) {
        return std::string(error.what());
    }
    return check_debugger_tables(file, *file.record<ObjFileHeader>(0));
}

}  // namespace objdump
