#pragma once
// All state of one assembly run. Nothing lives in globals, so one process
// (a test, a benchmark) can run any number of assemblies.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "assembler/command_line.h"
#include "assembler/diagnostics.h"
#include "assembler/line_reader.h"
#include "assembler/source_files.h"
#include "assembler/symbol_table.h"

namespace dravlin {

inline constexpr int32_t kSegmentCodeSize = 32768;
// Tables reserved at 128 KB; past these counts an insert is fatal error 1001.
inline constexpr size_t kMaxFixups = 128 * 1024 / 16;

// One entry of a structure's member list; a list ends with kMemberListEnd.
inline constexpr uint8_t kMemberListEnd = 1;
struct StructMember {
    uint8_t kind = kMemberListEnd;  // 83-86 sized, 96 of structure type
    int32_t type_symbol = -1;       // for kind 96, the structure type's index
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

struct Fixup {
    bool external = false;
    uint8_t type = 0;
    uint16_t place = 0;  // offset of the first byte to patch in the segment
    int symbol = -1;     // index in the symbol table
    int32_t addend = 0;
};

// Where code goes: the open blocks and the location counter.
struct AssemblyState {
    int32_t location_counter = 0;
    bool segment_open = false;
    int16_t section = -1;     // index of the current section
    int16_t segment = -1;     // index of the current segment within it
    int segment_symbol = -1;  // the open segment's symbol
};

// A source being read; the innermost is the last.
struct ReadingFrame {
    int source_index = 0;
    SourceCursor cursor;
    uint32_t line_start = 0;  // offset of the current line's start
};

struct AsmContext {
    RunSettings settings;
    Reporter reporter;
    std::vector<SourceFile> sources;
    SymbolTable symbols;
    std::vector<StructMember> members;
    std::vector<ReadingFrame> reading;

    int pass = 0;
    bool pass_failed = false;
    AssemblyState state;

    // Bytes each statement took in pass 1, replayed in pass 2 in order.
    std::vector<uint8_t> statement_sizes;
    size_t next_statement = 0;

    std::vector<uint8_t> code = std::vector<uint8_t>(kSegmentCodeSize);  // the open segment's bytes
    std::vector<Fixup> fixups;

    // The message location: the innermost source's name and line.
    std::string_view current_file() const;
    int current_line() const;

    // Reports a syntax or expression error at the current line and marks the
    // pass failed.
    void error(int id, std::string_view detail = {});
};

}  // namespace dravlin
