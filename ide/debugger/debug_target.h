#pragma once
// One debug run over the simulator's shared memory: where the target stopped
// (module, source file, line, line and procedure bounds), which address a
// source line has (to plant a breakpoint), stepping, and the two breakpoint
// tables. The debug files are the objects (project folder + "debug/" + module
// + ".obj") and the linker's map (project folder + "debug/" + project + ".deb").
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "ide/debugger/break_tables.h"
#include "ide/debugger/debug_files.h"
#include "ide/debugger/target_memory.h"

namespace ide {

// Results of LocateStop.
inline constexpr int kStopOnLine = 0;
inline constexpr int kStopOutsideSource = 256;
inline constexpr int kStopFileError = -5;

// Results of SetBreakPoint besides 0 and (line << 4) | 1.
inline constexpr int kBreakNoModule = -1;   // no module lists the source file: dropped
inline constexpr int kBreakFileError = -2;  // a debug file could not be opened: kept
inline constexpr int kBreakNotInMap = -3;   // the object is missing from the .deb: dropped
inline constexpr int kBreakNoCode = -4;     // no code at or after the line: dropped
inline constexpr int kBreakTableFull = -6;  // the shared table has no room: kept, unplanted

// Results of PrepareStep.
inline constexpr int kStepPlanted = 0;
inline constexpr int kStepFileError = -3;

enum class StepMode { IntoInstruction = 1, OverInstruction = 2, IntoLine = 3, OverLine = 4 };

class CDebugTarget {
public:
    CDebugTarget(TargetViews views, std::string project_folder, std::string project_name, std::uint16_t slot,
                 std::uint16_t slot_count);

    int LocateStop();
    int SetBreakPoint(std::span<const std::string> modules, const std::string& source_path, std::uint32_t line,
                      std::uint32_t* target_word);
    bool AddTableEntry(std::uint16_t address, std::uint32_t flags, BreakTableId table);
    void ClearBreakPoints();
    bool RemoveBreakPoint(std::uint32_t word);
    bool DisableBreakPoint(std::uint32_t word);
    // The addresses of the armed source breakpoints in the memory now mapped
    // (an entry of another bank is left out).
    std::vector<std::uint16_t> PlantedBreakAddresses() const;
    int PrepareStep(StepMode mode);

    const TargetMemory& memory() const { return memory_; }
    std::optional<TargetRun> TranslateAddress(std::uint16_t address) const { return memory_.translate(address); }
    std::optional<std::uint32_t> ReadTargetDword(std::uint16_t address) const { return memory_.read_dword(address); }
    std::uint32_t WriteTargetMemory(std::uint16_t address, std::span<const std::uint8_t> bytes) const {
        return memory_.write(address, bytes);
    }

    // Stop fields, valid after LocateStop (only PC, line bounds and bank after 256).
    std::uint16_t stop_pc() const { return stop_pc_; }
    std::uint32_t line() const { return line_; }
    std::uint16_t line_start() const { return line_start_; }
    std::uint16_t line_end() const { return line_end_; }
    std::uint16_t procedure_end() const { return procedure_end_; }
    std::uint16_t bank() const { return bank_; }
    const std::string& source_path() const { return source_path_; }
    const std::string& object_path() const { return object_path_; }
    int last_file_error() const { return last_file_error_; }
    std::span<const std::string> modules() const { return modules_; }
    const std::string& project_folder() const { return project_folder_; }
    const std::string& project_name() const { return project_name_; }
    std::uint16_t slot() const { return slot_; }

    std::string object_file_path(const std::string& module) const;
    std::string debug_map_path() const;

private:
    std::optional<MappedDebugFile> map_or_note(const std::string& path);
    void plant_step(std::uint16_t address, std::uint32_t form);
    void instruction_step(StepMode mode);
    int line_step(StepMode mode);
    bool bank_matches(std::uint16_t address, std::uint8_t segment_bank, std::uint16_t current_bank) const;

    TargetMemory memory_;
    std::string project_folder_;
    std::string project_name_;
    std::uint16_t slot_;
    std::uint16_t slot_count_;
    std::string object_path_;
    std::string source_path_;
    std::uint16_t stop_pc_ = 0;
    std::uint32_t line_ = 0;
    std::uint16_t procedure_end_ = 0;
    std::uint32_t object_index_ = 0;
    std::uint32_t source_file_index_ = 0;
    std::uint32_t line_record_index_ = 0;
    std::uint16_t line_start_ = 0;
    std::uint16_t line_end_ = 0;
    std::uint16_t bank_ = 0;
    int last_file_error_ = 0;
    std::vector<std::string> modules_;
};

}  // namespace ide
