#pragma once
// When each of Corvel's application commands may run: one plain table of
// command ids and the rule that enables them, read by the menus' update
// handlers, the command handlers and the keys alike, so that the three never
// disagree. A command refused now comes with the reason the status bar shows.
#include <span>
#include <string_view>

#include "platform/user/user.h"

namespace shell {

// What the rules look at, each read from its owner (workspace, build, debug managers).
struct CommandState {
    bool workspace_open = false;
    bool building = false;
    bool connected = false;  // a debug run's simulator is known
    bool stopped = false;    // the debugged target is stopped
};

enum class CommandRule {
    always,
    workspace_open,
    workspace_idle,  // open and not building
    build_ready,     // open, not building, not connected
    build_running,   // open, building, not connected
    go,              // open, not building, and either not connected or stopped
    connected,
    stopped,
    never,
};

struct CommandEntry {
    UINT id;
    CommandRule rule;
};

std::span<const CommandEntry> CommandTable();
// The table's entry for `id`, or null for a command the table does not hold.
const CommandEntry* FindCommand(UINT id);

bool RuleAllows(CommandRule rule, const CommandState& state);
// Why `rule` refuses in `state` (a sentence for the status bar); empty when it allows.
std::string_view RefusalReason(CommandRule rule, const CommandState& state);

}  // namespace shell
