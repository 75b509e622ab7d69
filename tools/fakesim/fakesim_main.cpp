// A fake simulator for the debugger's tests.
//
// It logs its process id and its arguments to "fakesim.log" in its working folder. With "-d" it
// creates "ERam" and "IRom" in the link namespace of the -h: window, lays out
// the control block, puts the -f: file's bytes into the flash at 0x4000 and
// posts the download notice (slot from $FAKESIM_SLOT, device bank from
// $FAKESIM_BANK). Each command is logged as "cmd <code>". On a resume it logs
// both breakpoint tables and stops at the first armed entry (the temporary
// table first), with the PC at that entry's address. After $FAKESIM_END_AFTER
// stops it ends by itself and waits for the acknowledgement. It never waits
// more than 20 seconds for a message.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <string_view>
#include <unistd.h>

#include "formats/cpu_block.h"
#include "formats/file_sizes.h"
#include "formats/sim_messages.h"
#include "ide/debugger/break_tables.h"
#include "ide/debugger/testing/target_fixture.h"
#include "platform/ipc/shared_mapping.h"
#include "platform/ipc/window_messages.h"
#include "platform/os/file.h"

namespace {

constexpr int kWaitMs = 20000;

std::ofstream log_file("fakesim.log", std::ios::app);

void log_line(const std::string& text) { log_file << text << '\n' << std::flush; }

std::string option(int argc, char** argv, std::string_view prefix) {
    for (int i = 1; i < argc; ++i) {
        if (std::string_view(argv[i]).starts_with(prefix)) return argv[i] + prefix.size();
    }
    return {};
}

unsigned environment_number(const char* name, unsigned fallback) {
    const char* text = std::getenv(name);
    return text ? static_cast<unsigned>(std::strtoul(text, nullptr, 0)) : fallback;
}

std::string table_text(const ide::TargetMemory& memory, ide::BreakTableId id) {
    std::string out = id == ide::BreakTableId::Breakpoints ? "bp" : "tmp";
    if (auto table = ide::BreakTable::open(memory, id)) {
        char word[16];
        for (std::uint32_t i = 0; i < table->count(); ++i) {
            std::snprintf(word, sizeof word, " %08X", table->word(i));
            out += word;
        }
    }
    return out;
}

// The index of the first armed entry (bit 15 set for the temporary table).
bool find_stop(const ide::TargetMemory& memory, std::uint16_t& index, std::uint16_t& address) {
    for (auto id : {ide::BreakTableId::Temporary, ide::BreakTableId::Breakpoints}) {
        auto table = ide::BreakTable::open(memory, id);
        if (!table) continue;
        for (std::uint32_t i = 0; i < table->count(); ++i) {
            if (table->word(i) & formats::BreakEntry::kArmed) {
                index = static_cast<std::uint16_t>(i | (id == ide::BreakTableId::Temporary ? 0x8000 : 0));
                address = static_cast<std::uint16_t>(table->word(i));
                return true;
            }
        }
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    log_line("pid " + std::to_string(getpid()));
    for (int i = 1; i < argc; ++i) log_line(std::string("arg ") + argv[i]);
    bool debug = false;
    for (int i = 1; i < argc; ++i) debug = debug || std::string_view(argv[i]) == "-d";
    if (!debug) return 0;

    const auto ide_window =
        static_cast<ipc::WindowHandle>(std::strtoul(option(argc, argv, "-h:").c_str(), nullptr, 10));
    const ipc::WindowHandle window = ipc::allocate_window_handle();
    auto port = ipc::MessagePort::open(window);
    const std::string space = ipc::link_namespace(ide_window);
    std::string why;
    auto eram = ipc::SharedMapping::create_in_memory(space, "ERam", ide::testing::kFixtureEramSize, &why);
    auto rom = ipc::SharedMapping::create_in_memory(space, "IRom", ide::testing::kFixtureRomSize, &why);
    if (!port || !eram || !rom) {
        log_line("failed " + why);
        return 1;
    }
    const std::span<std::uint8_t> control(eram->data(), eram->size());
    ide::testing::lay_out_control_block(control);
    control[formats::kWriteLatchOffset] = static_cast<std::uint8_t>(environment_number("FAKESIM_BANK", 0));
    if (auto program = os::read_file(option(argc, argv, "-f:"), formats::kLargestImageFile)) {
        const auto& bytes = program.value();
        std::memcpy(control.data() + 0x6000, bytes.data(), std::min<std::size_t>(bytes.size(), 0x8000));
    }
    const ide::TargetMemory memory({control, {rom->data(), rom->size()}});

    const unsigned slot = environment_number("FAKESIM_SLOT", 0);
    const unsigned end_after = environment_number("FAKESIM_END_AFTER", 0);
    unsigned stops = 0;
    ipc::post_message(ide_window, formats::WM_SIMLINK, formats::sim_downloaded_wparam(slot, 1), window);
    for (;;) {
        auto message = port->receive(kWaitMs);
        if (!message) return 2;
        if (message->message != formats::WM_SIMLINK) continue;
        const std::uint16_t code = formats::sim_link_code(message->wparam);
        char text[16];
        std::snprintf(text, sizeof text, "cmd %04X", code);
        log_line(text);
        if (code == formats::SimCmdExit || code == formats::SimCmdAckEnd) return 0;
        if (code != formats::SimCmdResume) continue;
        log_line(table_text(memory, ide::BreakTableId::Breakpoints));
        log_line(table_text(memory, ide::BreakTableId::Temporary));
        std::uint16_t index = 0, address = 0;
        if (!find_stop(memory, index, address)) continue;
        std::memcpy(memory.register_block(), &address, 2);
        ipc::post_message(ide_window, formats::WM_SIMLINK, formats::sim_link_wparam(formats::SimNotifyStopped), index);
        if (end_after != 0 && ++stops == end_after)
            ipc::post_message(ide_window, formats::WM_SIMLINK, formats::sim_link_wparam(formats::SimNotifyEnded),
                              window);
    }
}
