// Which application commands are enabled in every combination of the states
// (workspace open, building, connected, stopped), and the reason given when not.
#include <gtest/gtest.h>

#include <string>

#include "ide/shell/commands/command_rules.h"
#include "ide/shell/resource_ids.h"
#include "platform/afx/afx_messages.h"

namespace shell {
namespace {

// State i of the sixteen: bit 0 workspace open, 1 building, 2 connected, 3 stopped.
CommandState StateNumber(int i) { return {(i & 1) != 0, (i & 2) != 0, (i & 4) != 0, (i & 8) != 0}; }

struct Expected {
    UINT id;
    const char* enabled;  // one character per state, '1' enabled
};

// Written from the user's side: what each command may do in which state.
constexpr Expected kExpected[] = {
    {ID_FILE_NEW, "1111111111111111"},
    {ID_FILE_OPEN, "1111111111111111"},
    {ID_FILE_OPEN_WORKSPACE, "1111111111111111"},
    {ID_FILE_SAVE_ALL, "1111111111111111"},
    {ID_FILE_CLOSE_ALL_WINDOWS, "1111111111111111"},
    {ID_FILE_SAVE_WORKSPACE, "0101010101010101"},
    {ID_FILE_CLOSE_WORKSPACE, "0101010101010101"},
    {ID_PROJECT_NEW_BANK, "0101010101010101"},
    {ID_PROJECT_NEW_FILE, "0101010101010101"},
    {ID_PROJECT_INSERT_FILE, "0101010101010101"},
    {ID_PROJECT_SETTINGS, "0100010001000100"},
    {ID_PROJECT_SETTINGS_KEY, "0100010001000100"},
    {ID_PROJECT_LIBRARY_PROPERTY, "0101010101010101"},
    {ID_PROJECT_INSERT_STANDARD_LIBRARIES, "0101010101010101"},
    {ID_BUILD_COMPILE, "0100000001000000"},
    {ID_BUILD_BUILD, "0100000001000000"},
    {ID_BUILD_REBUILD_ALL, "0100000001000000"},
    {ID_BUILD_STOP, "0001000000010000"},
    {ID_DEBUG_GO, "0100000001000100"},
    {ID_DEBUG_EXECUTE, "0100000001000000"},
    {ID_DEBUG_STOP, "0000111100001111"},
    {ID_DEBUG_STEP_INTO, "0000000011111111"},
    {ID_DEBUG_STEP_OVER, "0000000011111111"},
    {ID_DEBUG_STEP_OUT, "0000000000000000"},
    {ID_DEBUG_DISASSEMBLY, "0000000011111111"},
    {ID_DEBUG_VIEW_ASSEMBLY, "0000000011111111"},
    {ID_DEBUG_TEMP_BREAKPOINT, "0000111100001111"},
    {ID_VIEW_WATCH, "0000000011111111"},
    {ID_VIEW_REGISTERS, "0000000011111111"},
    {ID_VIEW_MEMORY, "0000000011111111"},
    {ID_FILE_DOWNLOAD,
     "0000000000000000"},  // no device is reached from the IDE  // the frame also asks for the disassembly window
};

TEST(CommandRules, EachCommandIsEnabledExactlyInItsStatesAndSaysWhyOtherwise) {
    for (const Expected& expected : kExpected) {
        const CommandEntry* entry = FindCommand(expected.id);
        ASSERT_NE(entry, nullptr) << expected.id;
        std::string actual;
        for (int i = 0; i < 16; ++i) {
            const bool allowed = RuleAllows(entry->rule, StateNumber(i));
            actual += allowed ? '1' : '0';
            EXPECT_EQ(RefusalReason(entry->rule, StateNumber(i)).empty(), allowed) << expected.id << " state " << i;
        }
        EXPECT_EQ(actual, expected.enabled) << "command " << expected.id;
    }
}

TEST(CommandRules, ReasonsNameWhatStandsInTheWay) {
    const struct {
        CommandRule rule;
        CommandState state;
        const char* reason;
    } cases[] = {
        {CommandRule::build_ready, {false, false, false, false}, "No workspace is open."},
        {CommandRule::build_ready, {true, true, false, false}, "A build is running."},
        {CommandRule::build_ready, {true, false, true, false}, "A debug session is running."},
        {CommandRule::build_running, {true, false, false, false}, "No build is running."},
        {CommandRule::go, {true, false, true, false}, "The program is running: stop it first."},
        {CommandRule::stopped, {true, false, true, false}, "The program is not stopped."},
        {CommandRule::connected, {true, false, false, false}, "No debug session is running."},
    };
    for (const auto& c : cases) EXPECT_EQ(RefusalReason(c.rule, c.state), c.reason);
}

TEST(CommandRules, NoCommandSharesTheRecentWorkspacesIds) {
    for (const CommandEntry& entry : CommandTable()) {
        EXPECT_FALSE(entry.id >= ID_RECENT_PROJECT_FIRST && entry.id <= ID_RECENT_PROJECT_LAST) << entry.id;
    }
    // The credit dialog and Add to Watch, which the frame and the debugger own.
    for (UINT other : {32788u, 32789u})
        EXPECT_FALSE(other >= ID_RECENT_PROJECT_FIRST && other <= ID_RECENT_PROJECT_LAST);
}

}  // namespace
}  // namespace shell
