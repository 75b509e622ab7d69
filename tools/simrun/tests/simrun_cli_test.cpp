// simrun on the demo ROM: the LCD, keys, timer ticks, a download through the
// device's loader, and both interpreters ending in the same state.
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "platform/os/process.h"
#include "testing/golden.h"
#include "testing/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using testing_kit::read_file;
using testing_kit::TempDir;

struct Outcome {
    int code = -1;
    std::string out;
    std::string err;
};

class SimrunCli : public ::testing::Test {
protected:
    Outcome Run(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), testing_kit::program_path("simrun").string());
        os::SpawnOptions options;
        options.argv = arguments;
        options.working_directory = dir.path();
        options.out = os::Stream::to_file(dir / "out");
        options.err = os::Stream::to_file(dir / "err");
        auto process = os::Process::spawn(options);
        EXPECT_TRUE(process) << process.error().text;
        if (!process) return {};
        os::ExitStatus status = process->wait();
        EXPECT_TRUE(status.exited);
        return {status.code, read_file(dir / "out"), read_file(dir / "err")};
    }

    // The demo ROM for `cycles` cycles in one interpreter.
    std::vector<std::string> Demo(std::uint64_t cycles, bool fast) {
        std::vector<std::string> arguments = {"--rom", DEMO_ROM_PATH, "--cycles", std::to_string(cycles)};
        if (fast) arguments.push_back("--fast");
        return arguments;
    }

    TempDir dir;
};

// A line of the output that starts with `prefix`.
std::string LineStarting(const std::string& text, const std::string& prefix) {
    std::size_t at = text.find(prefix);
    if (at == std::string::npos) return {};
    return text.substr(at, text.find('\n', at) - at);
}

int TicksOf(const std::string& out) {
    std::string line = LineStarting(out, "0310:");
    if (line.size() < 11) return -1;
    return std::stoi(line.substr(6, 2), nullptr, 16) | std::stoi(line.substr(9, 2), nullptr, 16) << 8;
}

TEST_F(SimrunCli, DemoRomDrawsItsLcdCountsTicksAndScansKeys) {
    std::vector<std::string> arguments = Demo(3'000'000, false);
    // The key on lines $08 bit 0 / $09 bit 1, held from cycle 1,000,000.
    arguments.insert(arguments.end(), {"--key", "1000000:0x00020001:down", "--pbm", "lcd.pbm", "--mem", "0x0300:8",
                                       "--mem", "0x0310:2", "--regs"});
    Outcome run = Run(arguments);
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_TRUE(testing_kit::matches_golden("tools/simrun/tests/golden/demo_lcd.pbm", read_file(dir / "lcd.pbm")));
    EXPECT_EQ(LineStarting(run.out, "0300:"), "0300: 02 00 00 00 00 00 00 00");
    // A tick every 14400 cycles once drawing is done and the timer is on.
    int ticks = TicksOf(run.out);
    EXPECT_LE(ticks, 3'000'000 / 14400);
    EXPECT_GE(ticks, (3'000'000 - 100'000) / 14400);
    EXPECT_EQ(LineStarting(run.out, "result"), "result 0");
}

TEST_F(SimrunCli, BothInterpretersEndInTheSameState) {
    std::vector<std::string> dumps = {
        "--regs", "--mem", "0x0000:0x10000", "--key", "2000000:0x00020001:down", "--key", "3000000:0x00020001:up"};
    std::vector<std::string> checked = Demo(5'000'000, false), fast = Demo(5'000'000, true);
    checked.insert(checked.end(), dumps.begin(), dumps.end());
    fast.insert(fast.end(), dumps.begin(), dumps.end());
    checked.insert(checked.end(), {"--pbm", "checked.pbm"});
    fast.insert(fast.end(), {"--pbm", "fast.pbm"});
    Outcome a = Run(checked);
    Outcome b = Run(fast);
    ASSERT_EQ(a.code, 0) << a.err;
    ASSERT_EQ(b.code, 0) << b.err;
    EXPECT_EQ(a.out, b.out);
    EXPECT_EQ(read_file(dir / "checked.pbm"), read_file(dir / "fast.pbm"));
    EXPECT_NE(LineStarting(a.out, "PC="), "");
}

class SimrunDownload : public SimrunCli, public ::testing::WithParamInterface<bool> {};

TEST_P(SimrunDownload, LoaderPutsTheProgramIntoSlot0AndTheRomStartsIt) {
    std::vector<std::string> arguments = Demo(22'000'000, GetParam());
    // After the download the key on lines $08 bit 0 / $09 bit 0 starts the program.
    arguments.insert(arguments.end(),
                     {"--download", DEMO_PROGRAM_PATH, "--name", "DEMOPROG", "--loader", DEMO_LOADER_PATH, "--debug",
                      "--notices", "--key", "21000000:0x00010001:down", "--mem", "0x4000:18", "--mem", "0x0320:1"});
    Outcome run = Run(arguments);
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_NE(run.out.find("download ended: slot 0, 1 matching\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("notice 0xFFFC0001\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("notice 0x0000FFFE\n"), std::string::npos) << run.out;  // the debug run pauses
    // The head as the loader programmed it into the flash, seen through the reset mapping.
    EXPECT_EQ(LineStarting(run.out, "4000:"), "4000: 40 00 44 45 4D 4F 50 52 4F 47 20 20 20 20 20 20");
    EXPECT_EQ(LineStarting(run.out, "0320:"), "0320: A5");
}

INSTANTIATE_TEST_SUITE_P(Interpreters, SimrunDownload, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Fast" : "Checked"; });

TEST_F(SimrunCli, BreakpointWordsStopTheCheckedRunAndAreReported) {
    std::vector<std::string> arguments = Demo(100, false);
    arguments.insert(arguments.end(), {"--break", "0xE000E000", "--notices"});
    Outcome run = Run(arguments);
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_NE(run.out.find("notice 0xE0000000\n"), std::string::npos) << run.out;
}

TEST_F(SimrunCli, RunsUntilAPcInBothInterpreters) {
    // $8000: LDX #5; loop: DEX; BNE loop; $8005: JMP $8005. Reset vector $8000.
    std::string rom(0x8000, '\xEA');
    const char code[] = {'\xA2', '\x05', '\xCA', '\xD0', '\xFD', '\x4C', '\x05', '\x80'};
    rom.replace(0, sizeof code, code, sizeof code);
    rom[0x7FFC] = '\x00';
    rom[0x7FFD] = '\x80';
    dir.write("count.bin", rom);
    for (const char* mode : {"--cycles", "--fast"}) {
        std::vector<std::string> arguments = {"--rom", "count.bin", "--until-pc", "0x8005", "--regs"};
        if (std::string(mode) == "--fast") arguments.push_back(mode);
        Outcome run = Run(arguments);
        ASSERT_EQ(run.code, 0) << run.err;
        // 6 reset cycles, LDX 2, four taken BNE 3 each, the last not taken 2, five DEX 2 each.
        EXPECT_EQ(run.out, "result 0\nreached\nPC=8005 P=06 S=00 A=00 X=00 Y=00 cycles=32\n") << mode;
    }
    Outcome missed = Run({"--rom", "count.bin", "--until-pc", "0x9000", "--cycles", "100"});
    EXPECT_NE(missed.out.find("not reached\n"), std::string::npos) << missed.out;
}

TEST_F(SimrunCli, ARomOfInvalidOpcodesEndsInBothInterpreters) {
    dir.write("invalid.bin", std::string(0x8000, '\xFF'));
    Outcome checked = Run({"--rom", "invalid.bin", "--notices"});
    EXPECT_EQ(checked.code, 0);
    EXPECT_NE(checked.out.find("exception 3 at 0xFFFF answered 0\nresult 1\n"), std::string::npos) << checked.out;
    // The fast interpreter takes them as free one-byte instructions; the bounded run still ends.
    Outcome fast = Run({"--rom", "invalid.bin", "--fast"});
    EXPECT_EQ(fast.code, 0);
    EXPECT_EQ(fast.out, "result 0\n");
}

TEST_F(SimrunCli, BadInputGetsANumberedMessageAndExitCode2) {
    dir.write("short.bin", std::string(100, '\xEA'));
    struct Case {
        std::vector<std::string> arguments;
        std::string error;
    } cases[] = {
        {{"--cycles", "1"}, "simrun: error 1: no ROM given (--rom)\n"},
        {{"--rom", "missing.bin"}, "simrun: error 2: "},
        {{"--rom", "short.bin"}, "simrun: error 2: The ROM image holds 100 bytes"},
        {{"--rom", "short.bin", "--scrambled"}, "simrun: error 2: the scrambled ROM image short.bin is damaged\n"},
        {{"--rom", DEMO_ROM_PATH, "--eas", "0xF0000000"}, "simrun: error 2: the RAM sizes are too large"},
        {{"--rom", DEMO_ROM_PATH, "--ias", "16"}, "simrun: error 2: The internal RAM size 16 is too small"},
        {{"--rom", DEMO_ROM_PATH, "--download", "x.bin", "--name", "X", "--loader", "short.bin"},
         "simrun: error 2: Read \"dl.ini\" error\n <short.bin: shorter than 4096 bytes>\n"},
    };
    for (const Case& c : cases) {
        Outcome run = Run(c.arguments);
        EXPECT_EQ(run.code, 2) << c.error;
        EXPECT_NE(run.err.find(c.error), std::string::npos) << run.err;
    }
}

}  // namespace
