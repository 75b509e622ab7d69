#pragma once
// The command line of simrun, the headless console driver of the simulator
// core: what to load, how to run it and what to print afterwards.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "simulator/cpu/core_host.h"

namespace simrun {

struct ScriptedKey {
    std::uint64_t cycle;  // pressed or released once the cycle counter reaches this
    std::uint32_t code;   // the skin's device code
    bool down;
};

struct MemoryDump {
    std::uint16_t address;
    std::uint32_t length;
};

struct Options {
    std::string rom;
    bool scrambledRom = false;
    std::uint32_t internalRam = 16384;
    std::uint32_t externalRam = 524288;
    bool fast = false;
    bool debug = false;  // the debug-mode periods, and the download notice and pause
    std::uint32_t lcdWidth = 160, lcdHeight = 80;
    std::uint64_t cycles = 1'000'000;
    std::optional<std::uint16_t> untilPc;  // then `cycles` bounds the search
    std::vector<ScriptedKey> keys;
    std::vector<std::uint32_t> breakpoints;
    std::vector<simcpu::ExceptionAnswer> answers;  // in order; Stop once they run out
    std::string download, name, loader;
    bool dumpRegisters = false;
    std::vector<MemoryDump> dumps;
    std::string lcdPbm;
    bool lcdText = false;
    bool notices = false;
};

struct ParseResult {
    Options options;
    std::string error;  // empty on success
};

ParseResult ParseOptions(const std::vector<std::string>& arguments);

inline constexpr const char* kUsage =
    "usage: simrun --rom FILE [--scrambled] [--ias N] [--eas N] [--fast] [--debug] [--lcd WxH]\n"
    "              [--cycles N] [--until-pc ADDR] [--key CYCLE:CODE:down|up]... [--break WORD]...\n"
    "              [--answer stop|continue|ignore|ignore-all|step]...\n"
    "              [--download FILE --name NAME --loader FILE]\n"
    "              [--regs] [--mem ADDR:LEN]... [--pbm FILE] [--lcd-text] [--notices]\n";

}  // namespace simrun
