#include "ide/shell/commands/command_rules.h"

#include <algorithm>
#include <iterator>

#include "ide/shell/resource_ids.h"
#include "platform/afx/afx_messages.h"

namespace shell {

namespace {

using enum CommandRule;

constexpr CommandEntry kCommands[] = {
    {ID_FILE_NEW, always},
    {ID_FILE_NEW_TEXT, always},
    {ID_FILE_OPEN, always},
    {ID_FILE_OPEN_WORKSPACE, always},
    {ID_FILE_SAVE_WORKSPACE, workspace_open},
    {ID_FILE_CLOSE_WORKSPACE, workspace_open},
    {ID_FILE_SAVE_ALL, always},
    {ID_FILE_CLOSE_ALL_WINDOWS, always},
    {ID_PROJECT_NEW_BANK, workspace_open},
    {ID_PROJECT_NEW_FILE, workspace_open},
    {ID_PROJECT_INSERT_FILE, workspace_open},
    {ID_PROJECT_SETTINGS, workspace_idle},
    {ID_PROJECT_SETTINGS_KEY, workspace_idle},
    {ID_PROJECT_LIBRARY_PROPERTY, workspace_open},
    {ID_PROJECT_INSERT_STANDARD_LIBRARIES, workspace_open},
    {ID_BUILD_COMPILE, build_ready},
    {ID_BUILD_BUILD, build_ready},
    {ID_BUILD_REBUILD_ALL, build_ready},
    {ID_BUILD_STOP, build_running},
    {ID_DEBUG_GO, go},
    {ID_DEBUG_EXECUTE, build_ready},
    {ID_DEBUG_STOP, connected},
    {ID_DEBUG_STEP_INTO, stopped},
    {ID_DEBUG_STEP_OVER, stopped},
    {ID_DEBUG_STEP_OUT, never},
    {ID_DEBUG_DISASSEMBLY, stopped},
    {ID_DEBUG_VIEW_ASSEMBLY, stopped},
    {ID_DEBUG_TEMP_BREAKPOINT, connected},  // and the disassembly window shown
    {ID_VIEW_MEMORY, stopped},
    {ID_VIEW_WATCH, stopped},
    {ID_VIEW_REGISTERS, stopped},
    {ID_FILE_DOWNLOAD, never},
    {ID_APP_ABOUT, always},
};

}  // namespace

std::span<const CommandEntry> CommandTable() { return kCommands; }

const CommandEntry* FindCommand(UINT id) {
    const auto found = std::ranges::find(kCommands, id, &CommandEntry::id);
    return found == std::end(kCommands) ? nullptr : &*found;
}

std::string_view RefusalReason(CommandRule rule, const CommandState& state) {
    const bool needs_workspace = rule != always && rule != never && rule != connected && rule != stopped;
    if (needs_workspace && !state.workspace_open) return "No workspace is open.";
    switch (rule) {
        case always:
        case workspace_open: return {};
        case workspace_idle: return state.building ? "A build is running." : "";
        case build_ready:
            if (state.building) return "A build is running.";
            return state.connected ? "A debug session is running." : "";
        case build_running:
            if (!state.building) return "No build is running.";
            return state.connected ? "A debug session is running." : "";
        case go:
            if (state.building) return "A build is running.";
            return state.connected && !state.stopped ? "The program is running: stop it first." : "";
        case connected: return state.connected ? "" : "No debug session is running.";
        case stopped: return state.stopped ? "" : "The program is not stopped.";
        case never: return "This command is not available.";
    }
    return {};
}

bool RuleAllows(CommandRule rule, const CommandState& state) { return RefusalReason(rule, state).empty(); }

}  // namespace shell
