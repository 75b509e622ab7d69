#include "ide/debugger/debug_manager.h"

#include <cstring>

#include "formats/cpu_block.h"
#include "formats/sim_messages.h"
#include "ide/debugger/disassembler.h"
#include "platform/ipc/window_messages.h"
#include "platform/os/result.h"

namespace ide {

namespace {

// The editor's execution-point line flag (bit 4; bit 3, 8, is the user's breakpoint).
constexpr std::uint32_t kExecutionMark = 16;

struct PlainBreakPoint {
    std::uint32_t line;
    std::string path;
};

std::string PathOf(const formats::BreakPointRecord& record) {
    return std::string(record.source_path, strnlen(record.source_path, sizeof record.source_path));
}

}  // namespace

CVyrDebugMgr::~CVyrDebugMgr() = default;

std::vector<std::string> CVyrDebugMgr::BuildSimulatorCommandLine(const std::string& program, SimulatorMode mode) const {
    std::vector<std::string> argv = {program};
    for (auto& argument : formats::simulator_arguments(host_.RomFile(), host_.MainWindow(), host_.ProgramImage(),
                                                       host_.DisplayNameBig5(), mode == SimulatorMode::Debug))
        argv.push_back(std::move(argument));
    return argv;
}

bool CVyrDebugMgr::StartSimulator(SimulatorMode mode) {
    if (host_.CodeMode() != 0) return false;
    stopped_ = false;
    const std::string program = host_.SimulatorProgram();
    if (program.empty()) return false;
    os::SpawnOptions options;
    options.argv = BuildSimulatorCommandLine(program, mode);
    auto started = os::Process::spawn(options);
    if (!started) return false;
    process_ = std::move(started.value());
    return true;
}

void CVyrDebugMgr::SetModules(const std::vector<std::string>& names) {
    modules_.clear();
    for (const std::string& name : names) modules_.push_back(name.substr(0, name.find('.')));
}

bool CVyrDebugMgr::MapTargetMemory() {
    const std::string space = ipc::link_namespace(host_.MainWindow());
    control_mapping_ = ipc::SharedMapping::open(space, "ERam", ipc::MappingAccess::ReadWrite, nullptr);
    rom_mapping_ = ipc::SharedMapping::open(space, "IRom", ipc::MappingAccess::ReadOnly, nullptr);
    if (!control_mapping_ || !rom_mapping_ || control_mapping_->size() < formats::kBlockSize) {
        UnmapTargetMemory();
        return false;
    }
    return true;
}

void CVyrDebugMgr::UnmapTargetMemory() {
    if (control_mapping_ || rom_mapping_) host_.DropTargetMemory();
    control_mapping_.reset();
    rom_mapping_.reset();
}

TargetViews CVyrDebugMgr::views() const {
    TargetViews out;
    if (control_mapping_) out.control = {control_mapping_->data(), control_mapping_->size()};
    if (rom_mapping_) out.rom = {rom_mapping_->data(), rom_mapping_->size()};
    return out;
}

std::uint8_t* CVyrDebugMgr::GetRegisterBlock() const {
    if (!control_mapping_) return nullptr;
    return TargetMemory(views()).register_block();
}

bool CVyrDebugMgr::CreateSession() {
    session_.reset();
    if (!control_mapping_) return false;
    std::uint32_t magic = 0;
    std::memcpy(&magic, control_mapping_->data(), 4);
    if (magic != formats::kBlockMagic) return false;
    session_ = std::make_unique<CDebugTarget>(views(), host_.ProjectFolder(), host_.ProjectName(), slot_, slot_count_);
    // Planting may drop or merge records, so walk a copy of the list.
    std::vector<PlainBreakPoint> offered;
    for (int i = 0; i < breakpoints_.GetCount(); ++i) {
        const auto* record = breakpoints_.GetBreakPoint(i);
        offered.push_back({record->line, PathOf(*record)});
    }
    for (const PlainBreakPoint& breakpoint : offered) {
        const int index = breakpoints_.Find(breakpoint.line, breakpoint.path);
        if (index >= 0) PlantBreakPoint(index);
    }
    return true;
}

void CVyrDebugMgr::DropTableEntry(std::uint32_t word) {
    if (stopped_) {
        session_->RemoveBreakPoint(word);
    } else {
        session_->DisableBreakPoint(word);
    }
}

void CVyrDebugMgr::PlantBreakPoint(int index) {
    const auto* record = breakpoints_.GetBreakPoint(index);
    if (!record || !session_) return;
    const std::string path = PathOf(*record);
    const std::uint32_t line = record->line;
    std::uint32_t word = 0;
    const int result = session_->SetBreakPoint(modules_, path, line, &word);
    switch (result) {
        case 0: breakpoints_.SetTargetId(index, word); return;
        case kBreakNoModule:
        case kBreakNotInMap:
        case kBreakNoCode:
            breakpoints_.RemoveAt(index);
            host_.PostDebugNotify(DbgNotifyBreakPointChanged, path);
            return;
        case kBreakFileError:
            host_.ReportBreakPoint(path, line,
                                   "the debug files cannot be opened: " + os::error_text(session_->last_file_error()));
            return;
        case kBreakTableFull: host_.ReportBreakPoint(path, line, "the simulator's breakpoint table is full"); return;
        default: break;
    }
    // Moved to the next line with code; a breakpoint already there absorbs it.
    const auto moved_to = static_cast<std::uint16_t>(result >> 4);
    const int existing = breakpoints_.Find(moved_to, path);
    if (existing >= 0 && existing != index) {
        DropTableEntry(word);
        breakpoints_.RemoveAt(index);
    } else {
        breakpoints_.SetLine(index, moved_to);
        breakpoints_.SetTargetId(index, word);
    }
    host_.PostDebugNotify(DbgNotifyBreakPointChanged, path);
}

int CVyrDebugMgr::AddBreakPoint(std::uint32_t line, const std::string& path) {
    const bool known = breakpoints_.Find(line, path) >= 0;
    const int index = breakpoints_.Add(line, path);
    // A record that exists is already planted.
    if (session_ && index >= 0 && !known) {
        PlantBreakPoint(index);
        ShowBreakAddresses();
    }
    return index;
}

void CVyrDebugMgr::RemoveBreakPoint(std::uint32_t line, const std::string& path) {
    const std::int64_t word = breakpoints_.GetTargetId(line, path);
    if (session_ && word != -1) DropTableEntry(static_cast<std::uint32_t>(word));
    breakpoints_.Remove(line, path);
    ShowBreakAddresses();
}

void CVyrDebugMgr::RemoveAllBreakPoints() {
    breakpoints_.RemoveAll();
    if (session_) session_->ClearBreakPoints();
    ShowBreakAddresses();
}

void CVyrDebugMgr::SetTempBreakPoint(std::uint16_t address) {
    if (!session_) return;
    if (session_->AddTableEntry(address, BreakForm::kBefore | std::uint32_t{session_->bank() & 0xFFu} << 16,
                                BreakTableId::Temporary))
        temporaries_.push_back(address);
    ShowBreakAddresses();
}

std::set<std::uint16_t> CVyrDebugMgr::BreakAddresses() const {
    if (!session_) return {};
    std::set<std::uint16_t> addresses(temporaries_.begin(), temporaries_.end());
    for (const std::uint16_t address : session_->PlantedBreakAddresses()) addresses.insert(address);
    return addresses;
}

void CVyrDebugMgr::ShowBreakAddresses() {
    if (DisassemblyPane* pane = host_.DisassemblyOutput()) pane->SetBreakAddresses(BreakAddresses());
}

void CVyrDebugMgr::PostToSimulator(std::uint16_t code) const {
    if (simulator_window_) ipc::post_message(simulator_window_, formats::WM_SIMLINK, formats::sim_link_wparam(code), 0);
}

int CVyrDebugMgr::Connect(std::uint64_t lparam, std::uint16_t reply) {
    simulator_window_ = static_cast<ipc::WindowHandle>(lparam);
    // A repeated notice: the old session and mappings go first.
    session_.reset();
    temporaries_.clear();
    UnmapTargetMemory();
    if (!MapTargetMemory() || !CreateSession()) {
        StopDebug();
        return 0;
    }
    host_.PostDebugNotify(DbgNotifyRefresh, {});
    PostToSimulator(reply);
    if (DisassemblyPane* pane = host_.DisassemblyOutput()) DisassembleSession(*session_, *pane);
    ShowBreakAddresses();
    return 1;
}

int CVyrDebugMgr::OnStopped(std::uint64_t lparam) {
    const auto reason = static_cast<std::uint16_t>(lparam);
    if (reason == formats::kStopReasonPaused || reason == formats::kStopReasonStopped) return 1;
    stopped_ = true;
    temporaries_.clear();
    if (!session_) return 1;
    const int located = session_->LocateStop();
    ShowBreakAddresses();
    host_.UpdateDebugWindows();
    if (located == kStopFileError) {
        StopDebug();
        return 0;
    }
    const bool show_pane = located == kStopOutsideSource || host_.DisassemblyVisible();
    if (located == kStopOutsideSource && !host_.DisassemblyVisible()) host_.ShowDisassembly();
    if (show_pane) {
        if (DisassemblyPane* pane = host_.DisassemblyOutput()) DisassembleSession(*session_, *pane);
        host_.FocusDisassembly();
    }
    if (located == kStopOnLine) host_.ShowExecutionLine(session_->source_path(), session_->line());
    host_.BringIdeForward(simulator_window_);
    return 1;
}

int CVyrDebugMgr::OnSimulatorMessage(std::uint64_t wparam, std::uint64_t lparam) {
    switch (formats::sim_link_code(wparam)) {
        case formats::SimNotifyDownloaded: {
            const std::uint16_t detail = formats::sim_link_detail(wparam);
            slot_ = detail >> 8;
            slot_count_ = detail & 0xFF;
            return Connect(lparam, formats::SimCmdResume);
        }
        case formats::SimNotifyStarted: return Connect(lparam, formats::SimCmdRun);
        case formats::SimNotifyStopped: return OnStopped(lparam);
        case formats::SimNotifyExited: return 1;
        case formats::SimNotifyEnded:
            EndSession();
            host_.PostDebugNotify(DbgNotifyDebugEnded, {});
            PostToSimulator(formats::SimCmdAckEnd);
            process_.reset();
            simulator_window_ = 0;
            return 1;
        default: return 0;
    }
}

void CVyrDebugMgr::EndSession() {
    session_.reset();
    temporaries_.clear();
    ShowBreakAddresses();
    ClearModules();
    UnmapTargetMemory();
    host_.ClearLineMarksInAllViews(kExecutionMark);
    stopped_ = false;
}

bool CVyrDebugMgr::CheckSimulator() {
    if (!process_ || !process_->poll()) return false;
    EndSession();
    host_.PostDebugNotify(DbgNotifyDebugEnded, {});
    process_.reset();
    simulator_window_ = 0;
    return true;
}

int CVyrDebugMgr::Continue(bool bring_simulator_forward) {
    host_.SnapshotDebugWindows();
    stopped_ = false;
    PostToSimulator(formats::SimCmdResume);
    if (bring_simulator_forward) host_.BringSimulatorForward(simulator_window_);
    return 1;
}

int CVyrDebugMgr::StepInto() {
    if (session_) session_->PrepareStep(host_.DisassemblyVisible() ? StepMode::IntoInstruction : StepMode::IntoLine);
    return Continue(false);
}

int CVyrDebugMgr::StepOver() {
    if (session_) session_->PrepareStep(host_.DisassemblyVisible() ? StepMode::OverInstruction : StepMode::OverLine);
    return Continue(false);
}

int CVyrDebugMgr::StepOut() { return Continue(false); }

int CVyrDebugMgr::StopDebug() {
    EndSession();
    PostToSimulator(formats::SimCmdExit);
    // A simulator that never reported has no window to tell: it is ended instead.
    if (!simulator_window_ && process_) {
        if (const os::Status killed = process_->kill(); !killed) host_.ReportSimulatorNotEnded(killed.error().text);
    }
    host_.PostDebugNotify(DbgNotifyDebugEnded, {});
    process_.reset();
    simulator_window_ = 0;
    return 1;
}

}  // namespace ide
