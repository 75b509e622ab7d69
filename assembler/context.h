#pragma once
// All state of one assembly run. Nothing lives in globals, so one process
// (a test, a benchmark) can run any number of assemblies.
#include <array>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "assembler/command_line.h"
#include "assembler/diagnostics.h"
#include "assembler/line_reader.h"
#include "assembler/object_tables.h"
#include "assembler/source_files.h"
#include "assembler/symbol_table.h"

namespace dravlin {

inline constexpr int32_t kSegmentCodeSize = 32768;
// Tables sized ahead from a source's length reserve at most this many
// entries; a larger source grows them as it goes.
inline constexpr size_t kMostReservedEntries = size_t{1} << 18;
// Includes and macro expansions open inside each other at most this deep.
inline constexpr size_t kMaxReadingDepth = 32;

// One entry of a structure's member list; a list ends with kMemberListEnd.
inline constexpr uint8_t kMemberListEnd = 1;
struct StructMember {
    uint8_t kind = kMemberListEnd;  // 83-86 sized, 96 of structure type
    int32_t type_handle = -1;       // for kind 96, the structure type's symbol handle
    std::string name;
    int32_t offset = 0;
};

enum FixupType : uint8_t {
    kFixupAddress = 1,
    kFixupHighByte = 2,
    kFixupLowByte = 3,
    kFixupBankNumber = 4,
    kFixupLocationAddress = 5,
    kFixupLocationHighByte = 6,
    kFixupLocationLowByte = 7,
};

// Where code goes: the open blocks and the location counter.
struct AssemblyState {
    int32_t location_counter = 0;
    bool section_open = false;
    bool segment_open = false;
    bool procedure_open = false;
    std::string section_name;
    std::string segment_name;
    std::string procedure_name;
    int16_t section = -1;        // index of the current section
    int16_t segment = -1;        // index of the current segment within it
    int segment_symbol = -1;     // the open segment's symbol index
    int sections_seen = 0;       // SECTION statements so far
    int segments_seen = 0;       // SEGMENT statements so far, over the whole source
    int32_t last_code_line = 0;  // location counter at the segment's last #CODELINE
};

// One instruction statement. Pass 0 notes where it stands; pass 1 adds its
// encoding when that is already final (every name in the operand settled, a
// branch in reach); pass 2 writes that encoding without encoding again, and
// steps over a line that held nothing but the instruction without reading
// it. A place (source, line start) is met once in a pass: each include and
// each macro call reads a source of its own.
struct InstructionRecord {
    int32_t source_index = 0;
    uint32_t line_start = 0;
    int32_t fixup = -1;           // settled: its fix-up in settled_fixups, or -1
    uint16_t operand_offset = 0;  // whole_line: where the operand starts in the line
    uint8_t mnemonic = 0;
    uint8_t whole_line : 1 = 0;  // the line is one line of its file and holds only this
    uint8_t settled : 1 = 0;
    uint8_t size : 2 = 0;  // settled: the bytes below
    std::array<uint8_t, 3> bytes{};
};

// How an include record was made: a #INCLUDE line or a macro call.
enum class IncludeKind : uint8_t { File = 1, Expansion = 2 };

// Ties an included file or an expansion to the line that read it in, so that
// passes 1 and 2 find it again by (including source, line start).
struct IncludeRecord {
    IncludeKind kind = IncludeKind::File;
    int included = 0;
    int including = 0;
    uint32_t line_offset = 0;
};

// A source being read; the innermost is the last.
struct ReadingFrame {
    int source_index = 0;
    SourceCursor cursor;
    uint32_t line_start = 0;  // offset of the current line's start
};

// One open conditional block; the stack's bottom is the always-active frame
// of no conditional.
struct ConditionalFrame {
    bool active = true;
    bool enclosing_active = true;  // whether the lines around the block are assembled
};

struct AsmContext {
    RunSettings settings;
    Reporter reporter;
    SearchPath search;
    std::deque<SourceFile> sources;  // a deque: readers keep views of the texts while more are added
    size_t files_opened = 0;         // the main source and each include, as line_records counts them
    bool all_sources_read = false;   // pass 0 ran through: every include of the run is in `sources`
    std::vector<IncludeRecord> includes;
    std::unordered_map<uint64_t, int> include_by_place;  // (including, line offset) -> record, made on demand
    size_t next_include = 0;                             // passes 1 and 2: the record after the last taken
    SymbolTable symbols;
    std::vector<StructMember> members;
    std::vector<ReadingFrame> reading;
    std::vector<ConditionalFrame> conditionals;

    int pass = 0;
    bool pass_failed = false;
    AssemblyState state;

    // Pass 0's decision of every conditional met in assembled lines, in
    // order; later passes take the same branches.
    std::vector<bool> decisions;
    size_t next_decision = 0;

    // Symbol handles of the SECTION and SEGMENT statements in source order;
    // a repeated name has one record per statement.
    std::vector<int> section_handles;
    std::vector<int> segment_handles;
    std::vector<int> index_of_handle;  // filled after pass 0

    // A macro definition as pass 0 read it for its first call, by the place
    // of its MACRO line: its formal parameters and the lines of its body up
    // to the ENDM, for every later call to substitute into.
    struct MacroBody {
        struct Line {
            std::string text;
            size_t local_names = std::string::npos;  // a LOCAL line of the macro: where its names start
        };
        std::vector<std::string> parameters;
        std::vector<Line> lines;
        bool ended = false;  // false: the text ended before the ENDM
    };
    std::unordered_map<uint64_t, MacroBody> macro_bodies;

    int64_t expansion_counter = 0;
    size_t expansion_bytes = 0;                // every expansion made so far, with its records
    size_t expansion_budget = 0;               // what they may reach for the files read so far
    std::vector<std::string> code_line_files;  // "-C": #CODELINE names, upper-cased

    // Bytes each instruction or data statement took in pass 1, replayed in
    // pass 2 in order.
    std::vector<int32_t> statement_sizes;
    size_t next_statement = 0;

    // Every instruction statement in source order, which every pass meets
    // alike (InstructionRecord).
    std::vector<InstructionRecord> instructions;
    size_t next_instruction = 0;
    std::vector<Fixup> settled_fixups;  // the fix-ups of settled instructions

    std::vector<uint8_t> code = std::vector<uint8_t>(kSegmentCodeSize);  // the open segment's bytes
    ObjectTables object;                                                 // pass 2's records
    SymbolRows rows;                                                     // built after pass 1

    // The message location: the innermost source's name, and the line of the
    // innermost file (a macro expansion reports its calling line).
    std::string_view current_file() const;
    int current_line() const;

    // While nonzero, messages name this line of the current file: a statement
    // that read a body of lines reports about its first line.
    int reported_line = 0;

    // Reports a syntax or expression error at the current line and marks the
    // pass failed.
    void error(int id, std::string_view detail = {});

    // Whether lines are assembled (no inactive conditional is open).
    bool assembling() const { return conditionals.empty() || conditionals.back().active; }
};

}  // namespace dravlin
