#include "ide/debugger/debug_target.h"

namespace ide {

namespace {

bool in_banked_area(std::uint16_t address) { return address >= 0x4000 && address < 0xC000; }

}  // namespace

CDebugTarget::CDebugTarget(TargetViews views, std::string project_folder, std::string project_name, std::uint16_t slot,
                           std::uint16_t slot_count)
    : memory_(views),
      project_folder_(std::move(project_folder)),
      project_name_(std::move(project_name)),
      slot_(slot),
      slot_count_(slot_count) {}

std::string CDebugTarget::object_file_path(const std::string& module) const {
    return project_folder_ + "debug/" + module + ".obj";
}

std::string CDebugTarget::debug_map_path() const { return project_folder_ + "debug/" + project_name_ + ".deb"; }

std::optional<MappedDebugFile> CDebugTarget::map_or_note(const std::string& path) {
    auto outcome = map_read_only(path);
    last_file_error_ = outcome.error;
    return std::move(outcome.mapped);
}

bool CDebugTarget::bank_matches(std::uint16_t address, std::uint8_t segment_bank, std::uint16_t current_bank) const {
    if (!in_banked_area(address)) return true;  // the fixed area belongs to no bank
    return ((segment_bank + slot_) & 0xFF) == (current_bank & 0xFF);
}

int CDebugTarget::LocateStop() {
    if (auto temporary = BreakTable::open(memory_, BreakTableId::Temporary)) temporary->clear();
    if (auto table = BreakTable::open(memory_, BreakTableId::Breakpoints)) table->compact();

    const std::uint8_t* registers = memory_.register_block();
    stop_pc_ = registers ? static_cast<std::uint16_t>(registers[0] | registers[1] << 8) : 0;
    line_start_ = line_end_ = stop_pc_;
    source_path_.clear();
    line_ = 0;
    procedure_end_ = 0;
    bank_ = memory_.current_bank();

    if (stop_pc_ < 0x1AC0 || stop_pc_ >= 0xC000) return kStopOutsideSource;
    if (in_banked_area(stop_pc_)) {
        auto page4 = memory_.page_flags(4), page5 = memory_.page_flags(5);
        const bool flash_in = (page4 && (*page4 & ControlBlock::kPageInControlView)) ||
                              (page5 && (*page5 & ControlBlock::kPageInControlView));
        if (!flash_in) return kStopOutsideSource;
    }

    auto deb_file = map_or_note(debug_map_path());
    if (!deb_file) return kStopFileError;
    const DebugMap map(deb_file->bytes());
    auto hit = map.find_segment(stop_pc_, [&](std::uint8_t bank) { return bank_matches(stop_pc_, bank, bank_); });
    if (!hit) return kStopOutsideSource;
    auto name = map.object_name(hit->object);
    if (!name) return kStopOutsideSource;
    object_index_ = hit->object;
    object_path_ = std::string(*name);

    auto obj_file = map_or_note(object_path_);
    if (!obj_file) return kStopFileError;
    auto object = ObjectDebugInfo::read(obj_file->bytes());
    if (!object) return kStopOutsideSource;

    const std::uint32_t segment_start = hit->entry.start_address;
    for (std::uint32_t r = 0; r < object->header().line_count; ++r) {
        auto record = object->line(r);
        if (!record) break;
        if (record->section_index != hit->section || record->segment_index != hit->segment) continue;
        if (segment_start + record->start_offset > stop_pc_ || stop_pc_ >= segment_start + record->end_offset) continue;
        auto source = object->source_file(formats::line_file_index(record->file_and_line));
        auto path = source ? object->pool_string(source->name_offset) : std::nullopt;
        if (!path) return kStopOutsideSource;
        line_start_ = static_cast<std::uint16_t>(segment_start + record->start_offset);
        line_end_ = static_cast<std::uint16_t>(segment_start + record->end_offset);
        source_file_index_ = formats::line_file_index(record->file_and_line);
        line_record_index_ = r;
        line_ = formats::line_number(record->file_and_line);
        source_path_ = std::string(*path);
        for (std::uint32_t p = 0; p < object->header().procedure_count; ++p) {
            auto procedure = object->procedure(p);
            if (!procedure) break;
            if (procedure->section_index == record->section_index &&
                procedure->segment_index == record->segment_index && procedure->start_offset <= record->start_offset &&
                procedure->end_offset >= record->end_offset) {
                procedure_end_ = static_cast<std::uint16_t>(segment_start + procedure->end_offset);
                break;
            }
        }
        return kStopOnLine;
    }
    // No line record covers the PC: the stop is outside the program's source.
    return kStopOutsideSource;
}

int CDebugTarget::SetBreakPoint(std::span<const std::string> modules, const std::string& source_path,
                                std::uint32_t line, std::uint32_t* target_word) {
    modules_.assign(modules.begin(), modules.end());
    std::optional<MappedDebugFile> obj_file;
    std::optional<ObjectDebugInfo> object;
    std::uint32_t file_index = 0;
    std::string object_path;
    for (const std::string& module : modules_) {
        object_path = object_file_path(module);
        auto mapped = map_or_note(object_path);
        if (!mapped) return kBreakFileError;
        auto info = ObjectDebugInfo::read(mapped->bytes());
        if (!info) continue;
        if (auto found = info->find_source_file(source_path)) {
            file_index = *found;
            obj_file = std::move(mapped);
            object = info;
            break;
        }
    }
    if (!object) return kBreakNoModule;

    auto source = object->source_file(file_index);
    if (!source || source->first_line_index == formats::kNoLines) return kBreakNoCode;
    std::optional<formats::ObjLineRecord> record;
    for (std::uint32_t r = source->first_line_index; r < object->header().line_count; ++r) {
        auto candidate = object->line(r);
        if (!candidate || formats::line_file_index(candidate->file_and_line) != file_index) break;
        if (formats::line_number(candidate->file_and_line) >= line) {
            record = candidate;
            break;
        }
    }
    if (!record) return kBreakNoCode;

    auto deb_file = map_or_note(debug_map_path());
    if (!deb_file) return kBreakFileError;
    const DebugMap map(deb_file->bytes());
    auto object_entry_index = map.find_object(object_path);
    auto object_entry = object_entry_index ? map.object(*object_entry_index) : std::nullopt;
    if (!object_entry) return kBreakNotInMap;
    auto segment = map.segment(*object_entry, record->section_index, record->segment_index);
    if (!segment) return kBreakNotInMap;

    const auto address = static_cast<std::uint16_t>(segment->start_address + record->start_offset);
    const std::uint32_t bank = (segment->bank + slot_) & 0xFF;
    const std::uint32_t word = make_break_word(address, BreakForm::kSource | bank << 16);
    if (!AddTableEntry(address, word, BreakTableId::Breakpoints)) return kBreakTableFull;
    if (target_word) *target_word = word;
    const std::uint32_t found_line = formats::line_number(record->file_and_line);
    return found_line == line ? 0 : static_cast<int>(found_line << 4 | 1);
}

bool CDebugTarget::AddTableEntry(std::uint16_t address, std::uint32_t flags, BreakTableId table) {
    auto opened = BreakTable::open(memory_, table);
    return opened && opened->append(make_break_word(address, flags));
}

void CDebugTarget::ClearBreakPoints() {
    if (auto table = BreakTable::open(memory_, BreakTableId::Breakpoints)) table->clear();
}

bool CDebugTarget::RemoveBreakPoint(std::uint32_t word) {
    auto table = BreakTable::open(memory_, BreakTableId::Breakpoints);
    return table && table->remove(word);
}

bool CDebugTarget::DisableBreakPoint(std::uint32_t word) {
    auto table = BreakTable::open(memory_, BreakTableId::Breakpoints);
    return table && table->disable(word);
}

std::vector<std::uint16_t> CDebugTarget::PlantedBreakAddresses() const {
    namespace be = formats::BreakEntry;
    std::vector<std::uint16_t> addresses;
    auto table = BreakTable::open(memory_, BreakTableId::Breakpoints);
    if (!table) return addresses;
    const std::uint8_t bank = memory_.current_bank();
    const std::uint32_t count = table->count();
    for (std::uint32_t index = 0; index < count; ++index) {
        const std::uint32_t word = table->word(index);
        if ((word & (be::kArmed | be::kExecute)) != (be::kArmed | be::kExecute)) continue;
        const auto address = static_cast<std::uint16_t>(word & be::kAddressMask);
        const bool other_bank =
            (word & be::kBanked) && in_banked_area(address) && ((word & be::kBankMask) >> be::kBankShift) != bank;
        if (!other_bank) addresses.push_back(address);
    }
    return addresses;
}

}  // namespace ide
