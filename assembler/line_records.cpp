#include "assembler/line_records.h"

#include <algorithm>

namespace dravlin {

namespace {

// File positions and line numbers share a 32-bit field: 8 and 24 bits.
constexpr size_t kMaxObjectFiles = 256;
constexpr int kMaxLineNumber = 0xFFFFFF;

void add_line(AsmContext& context, int file_position, int line_number, int32_t start, int32_t end) {
    if (line_number > kMaxLineNumber) {
        context.error(kMsgSyntax);
        return;
    }
    LineEntry entry;
    entry.file_and_line = static_cast<uint32_t>(file_position) << 24 | static_cast<uint32_t>(line_number);
    entry.section = static_cast<uint16_t>(context.state.section);
    entry.segment = static_cast<uint16_t>(context.state.segment);
    entry.start = static_cast<uint16_t>(start);
    entry.end = static_cast<uint16_t>(end);
    std::vector<LineEntry>& lines = context.object.lines[static_cast<size_t>(file_position)];
    auto line_of = [](const LineEntry& e) { return e.file_and_line & kMaxLineNumber; };
    // Lines mostly arrive in order: append without searching.
    if (lines.empty() || line_of(lines.back()) <= line_of(entry)) {
        lines.push_back(entry);
        return;
    }
    auto later = std::upper_bound(lines.begin(), lines.end(), entry,
                                  [&](const LineEntry& a, const LineEntry& b) { return line_of(a) < line_of(b); });
    lines.insert(later, entry);
}

}  // namespace

void count_source_file(AsmContext& context) {
    if (++context.files_opened > kMaxObjectFiles) context.reporter.fatal(kMsgAllocFailed, {});
}

void list_object_files(AsmContext& context) {
    ObjectTables& object = context.object;
    object.file_names = context.code_line_files;
    object.file_position.assign(context.sources.size(), -1);
    for (size_t i = 0; i < context.sources.size(); ++i) {
        if (context.sources[i].is_expansion()) continue;
        object.file_position[i] = static_cast<int>(object.file_names.size());
        object.file_names.push_back(context.sources[i].name);
    }
    if (object.file_names.size() > kMaxObjectFiles) context.reporter.fatal(kMsgAllocFailed, {});
    object.lines.assign(object.file_names.size(), {});
    // A file has at most a record per line: room for them all at once
    // costs address space, not memory, where growing would copy.
    for (size_t i = 0; i < context.sources.size(); ++i) {
        if (object.file_position[i] >= 0) {
            size_t lines = std::min(static_cast<size_t>(context.sources[i].line_count), kMostReservedEntries);
            object.lines[static_cast<size_t>(object.file_position[i])].reserve(lines);
        }
    }
}

void record_source_line(AsmContext& context, const LinePlace& before) {
    const ReadingFrame& frame = context.reading.back();
    int file_position = context.object.file_position[static_cast<size_t>(frame.source_index)];
    LinePlace after = line_place(context);
    bool same_segment =
        before.segment_open && after.segment_open && before.section == after.section && before.segment == after.segment;
    if (file_position < 0 || !same_segment || after.location_counter <= before.location_counter) return;
    add_line(context, file_position, frame.cursor.line_number, before.location_counter, after.location_counter);
}

void note_code_line(AsmContext& context, const std::string& file, int line_number) {
    std::vector<std::string>& files = context.code_line_files;
    auto found = std::find(files.begin(), files.end(), file);
    if (context.pass == 0) {
        if (found == files.end()) files.push_back(file);
        return;
    }
    if (context.pass != 2 || found == files.end() || !context.state.segment_open) return;
    int32_t start = context.state.last_code_line;
    int32_t end = context.state.location_counter;
    context.state.last_code_line = end;
    if (end != start) add_line(context, static_cast<int>(found - files.begin()), line_number, start, end);
}

}  // namespace dravlin
