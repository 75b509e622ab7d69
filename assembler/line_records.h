#pragma once
// The object's source-file list and its line records: one per source line
// that produced code, or with "-C" one per #CODELINE mark of the C compiler.
#include <string>

#include "assembler/context.h"

namespace dravlin {

// Where a line started: the location counter and the open segment.
struct LinePlace {
    int32_t location_counter = 0;
    int16_t section = -1;
    int16_t segment = -1;
    bool segment_open = false;
};

inline LinePlace line_place(const AsmContext& context) {
    const AssemblyState& state = context.state;
    return {state.location_counter, state.section, state.segment, state.segment_open};
}

// Before a source file is opened: the object lists at most 256 files (a
// line record keeps the file's place in 8 bits), so the 257th stops the run
// with 1001 before it is read.
void count_source_file(AsmContext& context);

// After pass 1: the object's file list (the #CODELINE names, then every file
// read, in source-table order; expansions are no files of it).
void list_object_files(AsmContext& context);

// Pass 2 without "-C": the line just assembled, when it produced code in one
// segment. A macro call's line holds the code of its whole expansion, whose
// text is no file of the list.
void record_source_line(AsmContext& context, const LinePlace& before);

// "#CODELINE n file": pass 0 lists the file; pass 2 records the code since
// the segment's previous mark under line n, keeping each file's records in
// line order.
void note_code_line(AsmContext& context, const std::string& file, int line_number);

}  // namespace dravlin
