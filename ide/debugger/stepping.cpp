// CDebugTarget::PrepareStep: the simulator has no step command, so a step
// plants temporary entries at every exit of the current instruction or line
// and lets the target run; the next stop empties the temporary table.
#include <vector>

#include "ide/debugger/debug_target.h"
#include "ide/debugger/opcodes.h"

namespace ide {

namespace {

constexpr std::uint8_t kJsr = 0x20, kJmp = 0x4C, kJmpIndirect = 0x6C, kRti = 0x40, kRts = 0x60;

// The bounds of one line record in target addresses.
struct LineSpan {
    std::uint32_t start, end;
};

}  // namespace

void CDebugTarget::plant_step(std::uint16_t address, std::uint32_t form) {
    AddTableEntry(address, form | std::uint32_t{bank_ & 0xFFu} << 16, BreakTableId::Temporary);
}

void CDebugTarget::instruction_step(StepMode mode) {
    std::uint8_t opcode = 0;
    if (mode == StepMode::OverInstruction && memory_.read(stop_pc_, {&opcode, 1}) && opcode == kJsr) {
        plant_step(static_cast<std::uint16_t>(stop_pc_ + 3), BreakForm::kBefore);
        return;
    }
    plant_step(stop_pc_, BreakForm::kStep);
}

int CDebugTarget::PrepareStep(StepMode mode) {
    if (mode == StepMode::IntoInstruction || mode == StepMode::OverInstruction || line_ == 0) {
        // Without a current line (a stop outside the source) a line step
        // falls back to an instruction step.
        const bool over = mode == StepMode::OverInstruction || mode == StepMode::OverLine;
        instruction_step(over ? StepMode::OverInstruction : StepMode::IntoInstruction);
        return kStepPlanted;
    }
    return line_step(mode);
}

int CDebugTarget::line_step(StepMode mode) {
    auto obj_file = map_or_note(object_path_);
    auto deb_file = obj_file ? map_or_note(debug_map_path()) : std::nullopt;
    if (!obj_file || !deb_file) return kStepFileError;
    auto object = ObjectDebugInfo::read(obj_file->bytes());
    const DebugMap map(deb_file->bytes());
    auto object_entry = map.object(object_index_);
    auto stop_record = object ? object->line(line_record_index_) : std::nullopt;
    auto source = object ? object->source_file(source_file_index_) : std::nullopt;
    if (!object_entry || !stop_record || !source) return kStepPlanted;
    const std::uint32_t stop_line_key = stop_record->file_and_line;

    auto span_of = [&](const formats::ObjLineRecord& record) -> std::optional<LineSpan> {
        auto segment = map.segment(*object_entry, record.section_index, record.segment_index);
        if (!segment) return std::nullopt;
        return LineSpan{std::uint32_t{segment->start_address} + record.start_offset,
                        std::uint32_t{segment->start_address} + record.end_offset};
    };

    // The current line is the run of records that share the stop record's file and line.
    std::uint32_t first = line_record_index_;
    const std::uint32_t first_of_file = source->first_line_index;
    while (first > first_of_file && first > 0) {
        auto previous = object->line(first - 1);
        if (!previous || previous->file_and_line != stop_line_key) break;
        --first;
    }
    std::uint32_t last = line_record_index_;
    while (last + 1 < object->header().line_count) {
        auto next = object->line(last + 1);
        if (!next || next->file_and_line != stop_line_key) break;
        ++last;
    }
    std::vector<LineSpan> current;
    for (std::uint32_t r = first; r <= last; ++r) {
        auto record = object->line(r);
        auto bounds = record ? span_of(*record) : std::nullopt;
        if (bounds) current.push_back(*bounds);
    }
    auto in_current_line = [&](std::uint32_t address) {
        for (const LineSpan& bounds : current) {
            if (bounds.start <= address && address < bounds.end) return true;
        }
        return false;
    };
    auto plant_exit = [&](std::uint32_t target, std::uint32_t form) {
        if (target <= 0xFFFF && !in_current_line(target)) plant_step(static_cast<std::uint16_t>(target), form);
    };
    auto byte_at = [&](std::uint32_t address) -> std::optional<std::uint8_t> {
        std::uint8_t value = 0;
        if (address > 0xFFFF || !memory_.read(static_cast<std::uint16_t>(address), {&value, 1})) return std::nullopt;
        return value;
    };

    for (const LineSpan& bounds : current) {
        std::uint32_t at = bounds.start;
        while (at < bounds.end) {
            auto opcode = byte_at(at);
            if (!opcode) break;
            if (is_conditional_branch(*opcode)) {
                auto displacement = byte_at(at + 1);
                if (!displacement) break;
                plant_exit(at + 2 + static_cast<std::int8_t>(*displacement), BreakForm::kSource);
                at += 2;
            } else if (*opcode == kJsr || *opcode == kJmp) {
                if (*opcode == kJmp || mode == StepMode::IntoLine) {
                    auto low = byte_at(at + 1), high = byte_at(at + 2);
                    if (!low || !high) break;
                    plant_exit(std::uint32_t{*low} | std::uint32_t{*high} << 8, BreakForm::kSource);
                }
                at += 3;
            } else if (*opcode == kRti || *opcode == kRts || *opcode == kJmpIndirect) {
                plant_step(static_cast<std::uint16_t>(at), BreakForm::kStepSource);
                at += *opcode == kJmpIndirect ? 3 : 1;
            } else {
                at += step_length(*opcode);
            }
        }
    }

    // Fall through into the next line, unless it lies beyond the procedure.
    if (last + 1 < object->header().line_count && procedure_end_ != 0) {
        auto next = object->line(last + 1);
        auto bounds = next ? span_of(*next) : std::nullopt;
        if (bounds && bounds->end <= procedure_end_ && bounds->start <= 0xFFFF)
            plant_step(static_cast<std::uint16_t>(bounds->start), BreakForm::kSource);
    }
    return kStepPlanted;
}

}  // namespace ide
