// simrun's command line.
#include <gtest/gtest.h>

#include "tools/simrun/simrun_options.h"

namespace simrun {
namespace {

TEST(SimrunOptionsTest, ReadsEveryOption) {
    ParseResult parsed =
        ParseOptions({"--rom",    "r.bin",      "--scrambled",     "--ias",    "0x8000",   "--eas",   "65536",
                      "--fast",   "--debug",    "--lcd",           "128x64",   "--cycles", "$100",    "--until-pc",
                      "0xE000",   "--key",      "10:0x20001:down", "--key",    "5:1:up",   "--break", "0xE000E000",
                      "--answer", "ignore-all", "--download",      "p.bin",    "--name",   "P",       "--loader",
                      "dl.ini",   "--regs",     "--mem",           "0x300:16", "--pbm",    "l.pbm",   "--notices"});
    ASSERT_EQ(parsed.error, "");
    const Options& o = parsed.options;
    EXPECT_EQ(o.rom, "r.bin");
    EXPECT_TRUE(o.scrambledRom && o.fast && o.debug && o.dumpRegisters && o.notices);
    EXPECT_EQ(o.internalRam, 0x8000u);
    EXPECT_EQ(o.externalRam, 65536u);
    EXPECT_EQ(o.lcdWidth, 128u);
    EXPECT_EQ(o.lcdHeight, 64u);
    EXPECT_EQ(o.cycles, 256u);
    EXPECT_EQ(o.untilPc, 0xE000);
    ASSERT_EQ(o.keys.size(), 2u);
    EXPECT_EQ(o.keys[0].cycle, 10u);
    EXPECT_EQ(o.keys[0].code, 0x20001u);
    EXPECT_TRUE(o.keys[0].down);
    EXPECT_FALSE(o.keys[1].down);
    EXPECT_EQ(o.breakpoints, std::vector<std::uint32_t>{0xE000E000u});
    EXPECT_EQ(o.answers, std::vector<simcpu::ExceptionAnswer>{simcpu::ExceptionAnswer::IgnoreAll});
    ASSERT_EQ(o.dumps.size(), 1u);
    EXPECT_EQ(o.dumps[0].address, 0x300);
    EXPECT_EQ(o.dumps[0].length, 16u);
    EXPECT_EQ(o.lcdPbm, "l.pbm");
}

TEST(SimrunOptionsTest, RefusesBadInputWithAReason) {
    struct Case {
        std::vector<std::string> arguments;
        std::string error;
    } cases[] = {
        {{}, "no ROM given (--rom)"},
        {{"--rom"}, "--rom needs a value"},
        {{"--rom", "r", "--bogus"}, "unknown option '--bogus'"},
        {{"--rom", "r", "--cycles", "12z"}, "bad number '12z' for --cycles"},
        {{"--rom", "r", "--until-pc", "0x10000"}, "bad number '0x10000' for --until-pc"},
        {{"--rom", "r", "--lcd", "160"}, "bad LCD size '160' (WxH, at most 2048 each)"},
        {{"--rom", "r", "--lcd", "4096x8"}, "bad LCD size '4096x8' (WxH, at most 2048 each)"},
        {{"--rom", "r", "--key", "1:2:sideways"}, "bad key '1:2:sideways' (CYCLE:CODE:down|up)"},
        {{"--rom", "r", "--mem", "0x10000:1"}, "bad memory range '0x10000:1' (ADDR:LEN)"},
        {{"--rom", "r", "--answer", "maybe"}, "unknown exception answer 'maybe'"},
        {{"--rom", "r", "--download", "p.bin"}, "a download needs its loader (--loader)"},
    };
    for (const Case& c : cases) EXPECT_EQ(ParseOptions(c.arguments).error, c.error);
}

}  // namespace
}  // namespace simrun
