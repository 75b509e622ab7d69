// The object and debug-symbol files: line records with and without "-C",
// the layout of every table, and acceptance by the linker's reader.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "assembler/tests/asm_run.h"
#include "formats/byte_reader.h"
#include "formats/obj_file.h"
#include "formats/sym_file.h"
#include "linker/object_module.h"

namespace {

using dravlin_test::AsmRun;
using dravlin_test::assemble_text;
using dravlin_test::in_segment;

struct Line {
    uint32_t file;
    uint32_t line;
    uint16_t start;
    uint16_t end;
    bool operator==(const Line&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Line& line) {
    return out << "{file " << line.file << " line " << line.line << " " << line.start << "-" << line.end << "}";
}

std::vector<Line> lines_of(const AsmRun& run) {
    std::vector<Line> lines;
    for (const auto& file : run.tables().lines) {
        for (const dravlin::LineEntry& entry : file) {
            lines.push_back({entry.file_and_line >> 24, entry.file_and_line & 0xFFFFFF, entry.start, entry.end});
        }
    }
    return lines;
}

TEST(AsmLineRecords, EveryLineThatMadeCodeWithoutCodeLineOption) {
    // Line 3 is the first body line of in_segment().
    std::string body =
        "m MACRO\nNOP\nNOP\nENDM\n"  // 3-6
        "LDA #1\n"                   // 7: 0-2
        "here:\n"                    // 8: no code
        "m\n"                        // 9: the whole expansion, 2-4
        "#INCLUDE \"part.inc\"\n"    // 10: no record of its own
        "#CODELINE 5 \"x.c\"\n"      // 11: no effect without -C
        "RTS\n";                     // 12: 6-7
    AsmRun run = assemble_text(in_segment(body), {{"part.inc", "; two bytes\nDW 0\n"}});
    ASSERT_TRUE(run.succeeded) << run.messages();
    EXPECT_EQ(run.tables().file_names, (std::vector<std::string>{"main.asm", "part.inc"}));
    EXPECT_EQ(lines_of(run), (std::vector<Line>{{0, 7, 0, 2}, {0, 9, 2, 4}, {0, 12, 6, 7}, {1, 2, 4, 6}}));
}

TEST(AsmLineRecords, CodeLineMarksWithTheOption) {
    std::string body =
        "#CODELINE 10 \"prog.c\"\n"  // start of the segment: nothing before it
        "LDA #1\n"
        "#CODELINE 12 \"prog.c\"\n"  // 0-2 under line 12
        "NOP\n"
        "#CODELINE 3 \"hdr.h\"\n"    // 2-3 under hdr.h line 3
        "#CODELINE 11 \"Prog.C\"\n"  // nothing new: dropped
        "RTS\n"
        "#CODELINE 11 \"prog.c\"\n";  // 3-4, sorted before line 12
    AsmRun run = assemble_text(in_segment(body), {}, true);
    ASSERT_TRUE(run.succeeded) << run.messages();
    EXPECT_EQ(run.tables().file_names, (std::vector<std::string>{"PROG.C", "HDR.H", "main.asm"}));
    EXPECT_EQ(lines_of(run), (std::vector<Line>{{0, 11, 3, 4}, {0, 12, 0, 2}, {1, 3, 2, 3}}));
    EXPECT_EQ(assemble_text(in_segment("#CODELINE x \"a.c\""), {}, true).ids(), std::vector<int>{2001});
}

template <class Record>
Record record_at(const std::string& bytes, uint32_t offset) {
    Record record;
    std::memcpy(&record, bytes.data() + offset, sizeof(Record));
    return record;
}

TEST(AsmObjectFile, LayoutOfAFullObject) {
    std::string source =
        "EXTERN far:PROC\n" +
        in_segment("main PROC\nstart: JSR far\nLDA #<start\nRTS\nmain ENDP\nv DW start\nPUBLIC main, v\nEND start");
    AsmRun run = assemble_text(source);
    ASSERT_TRUE(run.succeeded) << run.messages();
    std::string bytes = run.object();
    auto header = record_at<formats::ObjFileHeader>(bytes, 0);
    EXPECT_EQ(header.sections_offset, 72u);
    EXPECT_EQ(header.segments_offset, 72u + 20);
    uint32_t fixups = header.segments_offset + 20;
    EXPECT_EQ(header.publics_offset, fixups + 16 * 3);
    EXPECT_EQ(header.lines_offset, header.publics_offset + 8 * header.public_count);
    EXPECT_EQ(header.symbols_offset, header.lines_offset + 12 * header.line_count);
    EXPECT_EQ(header.source_files_offset, header.symbols_offset + 16 * header.symbol_count);
    EXPECT_EQ(header.procedures_offset, header.source_files_offset + 8 * header.source_file_count);
    EXPECT_EQ(header.string_pool_offset, header.procedures_offset + 14 * header.procedure_count);
    EXPECT_EQ(header.public_count, 2);
    EXPECT_EQ(header.procedure_count, 1);
    // Code (8 bytes), then the entry record last.
    EXPECT_EQ(header.entry_offset, bytes.size() - 6);
    EXPECT_EQ(header.file_size, bytes.size());
    auto entry = record_at<formats::ObjEntryRecord>(bytes, header.entry_offset);
    EXPECT_EQ(entry.value, 0);

    linker::ObjectModule module = linker::read_object_module(formats::ByteReader(bytes));
    ASSERT_EQ(module.sections.size(), 1u);
    ASSERT_EQ(module.sections[0].segments.size(), 1u);
    const linker::ObjSegment& segment = module.sections[0].segments[0];
    EXPECT_EQ(segment.name, "main_code");
    ASSERT_EQ(segment.fixups.size(), 3u);
    EXPECT_TRUE(segment.fixups[0].is_extern);
    EXPECT_EQ(module.symbols[segment.fixups[0].symbol_row].name, "far");
    EXPECT_EQ(segment.fixups[1].type, 3);
    EXPECT_EQ(module.procedures.size(), 1u);
    EXPECT_EQ(module.public_rows.size(), 2u);
}

TEST(AsmObjectFile, EmptyTablesAndFilesWithoutLines) {
    AsmRun run = assemble_text(in_segment("#INCLUDE \"k.inc\"\nNOP"), {{"k.inc", "K EQU 1\n"}});
    ASSERT_TRUE(run.succeeded) << run.messages();
    std::string bytes = run.object();
    auto header = record_at<formats::ObjFileHeader>(bytes, 0);
    EXPECT_EQ(header.public_count, 0);
    EXPECT_EQ(header.procedure_count, 0);
    EXPECT_EQ(header.entry_offset, 0u);
    EXPECT_EQ(header.lines_offset, header.publics_offset);
    EXPECT_EQ(header.string_pool_offset, header.procedures_offset);
    EXPECT_EQ(header.file_size, bytes.size());
    ASSERT_EQ(header.source_file_count, 2);
    auto main_file = record_at<formats::ObjSourceFileRecord>(bytes, header.source_files_offset);
    auto include = record_at<formats::ObjSourceFileRecord>(bytes, header.source_files_offset + 8);
    EXPECT_EQ(main_file.first_line_index, 0u);
    EXPECT_EQ(include.first_line_index, formats::kNoLines);

    // No structures: the four basic rows and descriptors, an empty pool.
    std::string symbols = run.symbols();
    EXPECT_EQ(symbols.size(), 112u);
    auto sym_header = record_at<formats::SymFileHeader>(symbols, 0);
    EXPECT_EQ(sym_header.type_record_count, 4u);
    EXPECT_EQ(sym_header.descriptor_count, 4u);
    EXPECT_EQ(sym_header.string_pool_offset, 112u);
}

TEST(AsmObjectFile, CountsBeyondTheirFieldsNameTheLimit) {
    // 66000 one-byte lines: more line records than the header's 16-bit count holds.
    std::string source = "s SECTION BASEADDRESS:0 LENGTH:1 BANKNUMBER:0\n";
    for (int segment = 0; segment < 3; ++segment) {
        source += "c SEGMENT\n";
        for (int i = 0; i < 22000; ++i) source += "NOP\n";
        source += "c ENDSG\n";
    }
    source += "s ENDSC\n";
    AsmRun run = assemble_text(source);
    ASSERT_TRUE(run.succeeded) << run.messages().substr(0, 200);
    EXPECT_EQ(dravlin::format_limit_passed(*run.context), "more than 65535 line records in one object file");
    EXPECT_EQ(dravlin::format_limit_passed(*assemble_text(in_segment("NOP")).context), "");

    // A structure's members are counted in a 16-bit field of the .sym file.
    std::string members;
    for (int i = 0; i < 65536; ++i) members += "m" + std::to_string(i) + " DB 0\n";
    AsmRun structure = assemble_text("big STRUC\n" + members + "ENDS\n");
    ASSERT_TRUE(structure.succeeded) << structure.messages().substr(0, 200);
    EXPECT_EQ(dravlin::format_limit_passed(*structure.context), "more than 65535 members in one structure");
}

TEST(AsmObjectFile, VariableRowsPointAtTheirTypes) {
    AsmRun run = assemble_text("EXTERN e:DWORD\n" + in_segment("pair STRUC\na DB 0\nb DB 0\nENDS\n"
                                                               "b1 DB 0\nw DW 0\nd DD 0\nq QW 0\np1 pair\np2 pair"));
    ASSERT_TRUE(run.succeeded) << run.messages();
    const dravlin::SymbolTable& symbols = run.context->symbols;
    const dravlin::SymbolRows& rows = run.context->rows;
    auto type_of = [&](const char* name) {
        return rows.rows[static_cast<size_t>(rows.row_of_symbol[static_cast<size_t>(symbols.index_of(name))])]
            .type_offset;
    };
    EXPECT_EQ(type_of("b1"), 16u);
    EXPECT_EQ(type_of("w"), 32u);
    EXPECT_EQ(type_of("d"), 48u);
    EXPECT_EQ(type_of("q"), 64u);
    EXPECT_EQ(type_of("p1"), 16u + 16 * 4);
    EXPECT_EQ(type_of("p2"), type_of("p1"));
    EXPECT_EQ(type_of("e"), 0xFFFFFFFFu);
    EXPECT_EQ(rows.row_of_symbol[static_cast<size_t>(symbols.index_of("pair"))], -1);  // a type has no row
}

}  // namespace
