#include <gtest/gtest.h>

#include "formats/sim_messages.h"
#include "simulator/options/sim_options.h"

namespace {

using sim::SimOptions;

const std::filesystem::path kProgramDir = "/opt/kit/bin";

std::variant<SimOptions, sim::SimFailure> parse(std::vector<std::string> arguments) {
    return sim::parse_sim_command_line(arguments, kProgramDir);
}

SimOptions parsed(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), {"-o:rom.bin", "-a:ram.mem"});
    auto result = parse(arguments);
    if (auto* failure = std::get_if<sim::SimFailure>(&result)) ADD_FAILURE() << failure->text;
    return std::get_if<SimOptions>(&result) ? std::get<SimOptions>(result) : SimOptions{};
}

TEST(SimOptions, CommandLineOfTheIdeInDebugMode) {
    auto result = parse({"-o:QV4700.BIN", "-a:ram.mem", "-eas:524288", "-h:65539", "-if:qv4700.cfs", "",
                         "-f:/home/u/proj/DEBUG/demo.BIN", "-n:Demo", "-d", "-up"});
    ASSERT_TRUE(std::holds_alternative<SimOptions>(result));
    const SimOptions& o = std::get<SimOptions>(result);
    EXPECT_EQ(o.rom_path, "/opt/kit/bin/QV4700.BIN");
    EXPECT_EQ(o.ram_path, "/opt/kit/bin/ram.mem");
    EXPECT_EQ(o.skin_path, "/opt/kit/bin/qv4700.cfs");
    EXPECT_EQ(o.download_path, "/home/u/proj/DEBUG/demo.BIN");
    EXPECT_EQ(o.display_name, "Demo");
    EXPECT_EQ(o.external_ram_size, 524288u);
    EXPECT_EQ(o.internal_ram_size, 16384u);
    EXPECT_EQ(o.ide_window, 65539u);
    EXPECT_TRUE(o.debug && o.plain_rom);
    EXPECT_FALSE(o.warm_boot || o.delete_ram);
}

TEST(SimOptions, SpellingsOfTheSameOption) {
    for (const char* rom : {"-o:rom.bin", "/o:rom.bin", "-O:rom.bin", "-o:  rom.bin", "-o:\trom.bin", "-orom.bin"}) {
        auto result = parse({rom, "-a:ram.mem"});
        ASSERT_TRUE(std::holds_alternative<SimOptions>(result)) << rom;
        EXPECT_EQ(std::get<SimOptions>(result).rom_path, "/opt/kit/bin/rom.bin") << rom;
    }
}

TEST(SimOptions, FlagsAndIgnoredWords) {
    struct Case {
        const char* argument;
        bool debug, delete_ram, warm, plain;
    };
    const Case cases[] = {
        {"-d", true, false, false, false},          {"-d x", true, false, false, false},
        {"-DelRam", false, true, false, false},     {"-delram", false, true, false, false},
        {"-Delete", false, false, false, false},    {"-Warm", false, false, true, false},
        {"-WARM", false, false, true, false},       {"-Warmer", false, false, false, false},
        {"-up", false, false, false, true},         {"-ia:5", false, false, false, false},
        {"plain-word", false, false, false, false},
    };
    for (const Case& c : cases) {
        SimOptions o = parsed({c.argument});
        EXPECT_EQ(o.debug, c.debug) << c.argument;
        EXPECT_EQ(o.delete_ram, c.delete_ram) << c.argument;
        EXPECT_EQ(o.warm_boot, c.warm) << c.argument;
        EXPECT_EQ(o.plain_rom, c.plain) << c.argument;
    }
}

TEST(SimOptions, NumbersAndTheirDefaults) {
    EXPECT_EQ(parsed({"-ias:0"}).internal_ram_size, 16384u);
    EXPECT_EQ(parsed({"-ias:32768"}).internal_ram_size, 32768u);
    EXPECT_EQ(parsed({"-eas:4000000000"}).external_ram_size, 4000000000u);
    EXPECT_EQ(parsed({"-h:0"}).ide_window, 0u);
    EXPECT_EQ(parsed({}).ide_window, 0u);
}

TEST(SimOptions, PathCompletion) {
    const std::pair<const char*, const char*> cases[] = {
        {"NUL", "NUL"},
        {"/abs/ram.mem", "/abs/ram.mem"},
        {"C:\\kit\\ram.mem", "C:\\kit\\ram.mem"},
        {"ram", "/opt/kit/bin/ram"},
        {"ram.old.mem", "/opt/kit/bin/ram.old.mem"},
        {"sub\\ram.mem", "/opt/kit/bin/sub/ram.mem"},
        {"C:ram.mem", "/opt/kit/bin/C:ram.mem"},
        {"\\sub\\r.bin", "/opt/kit/bin/sub/r.bin"},  // rooted without a drive: the program's drive and folder
        {"\\r.bin", "/opt/kit/bin/r.bin"},
    };
    for (auto [given, completed] : cases) EXPECT_EQ(sim::complete_path(given, kProgramDir), completed) << given;
}

TEST(SimOptions, RefusedArguments) {
    const std::string too_long = "-f:" + std::string(sim::kMaxOptionValue + 1, 'x');
    struct Case {
        std::string argument;
        int id;
        std::string text;
    };
    const Case cases[] = {
        {"-x", sim::kInvalidOption, "Invalid Option -x "},
        {"-", sim::kInvalidOption, "Invalid Option -  "},
        {"-ix:a", sim::kInvalidOptionPair, "invalid Option -ix"},
        {"-i", sim::kInvalidOptionPair, "invalid Option -i "},
        {"-ex:1", sim::kInvalidOptionPair, "invalid Option -ex"},
        {"-us", sim::kInvalidOptionPair, "invalid Option -us"},
        {"-f:", sim::kEmptyOptionValue, "File Name string can not be an empty string"},
        {"-n: \t", sim::kEmptyOptionValue, "File Name string can not be an empty string"},
        {"-ias:4294967296", sim::kInvalidNumber, "Invalid number in option -ias: 4294967296"},
        {"-eas:99999999999999999999999", sim::kInvalidNumber, ""},
        {"-eas:-1", sim::kInvalidNumber, ""},
        {"-eas:12k", sim::kInvalidNumber, ""},
        {"-h:2147483648", sim::kInvalidNumber, ""},
        {too_long, sim::kOptionTooLong, ""},
    };
    for (const Case& c : cases) {
        auto result = parse({"-o:rom.bin", c.argument, "-a:ram.mem"});
        auto* failure = std::get_if<sim::SimFailure>(&result);
        ASSERT_TRUE(failure) << c.argument;
        EXPECT_EQ(failure->id, c.id) << c.argument;
        if (!c.text.empty()) {
            EXPECT_EQ(failure->text, c.text) << c.argument;
        }
    }
}

TEST(SimOptions, MissingRomOrRamPathShowsTheUsage) {
    for (auto arguments :
         {std::vector<std::string>{"-o:rom.bin"}, std::vector<std::string>{"-a:ram.mem"}, std::vector<std::string>{}}) {
        auto result = parse(arguments);
        auto* failure = std::get_if<sim::SimFailure>(&result);
        ASSERT_TRUE(failure);
        EXPECT_EQ(failure->id, sim::kUsage);
        EXPECT_EQ(failure->text.rfind("Please Specify Parameter:", 0), 0u);
        EXPECT_EQ(failure->caption, "") << "the usage text stands alone";
        EXPECT_NE(failure->text.find("Example: -o:zr118obj.bin -a:ram.mem -eas:65536 -if:qv230.cfs"),
                  std::string::npos);
    }
}

TEST(SimOptions, RamSizesAreAddedIn64Bits) {
    auto result = parse({"-o:r", "-a:m", "-ias:4294967295", "-eas:4294967295"});
    auto* failure = std::get_if<sim::SimFailure>(&result);
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->id, sim::kRamTooLarge);
}

}  // namespace

namespace {

TEST(SimOptions, WhatTheIdePassesInBothModes) {
    for (bool debug : {true, false}) {
        auto arguments = formats::simulator_arguments(formats::kDefaultRomFile, 65600, "/home/u/my proj/DEBUG/demo.BIN",
                                                      "Demo", debug);
        auto result = sim::parse_sim_command_line(arguments, kProgramDir);
        ASSERT_TRUE(std::holds_alternative<SimOptions>(result)) << std::get<sim::SimFailure>(result).text;
        const SimOptions& o = std::get<SimOptions>(result);
        EXPECT_EQ(o.debug, debug);
        EXPECT_TRUE(o.plain_rom);
        EXPECT_EQ(o.rom_path, "/opt/kit/bin/QV4700.BIN");
        EXPECT_EQ(o.ram_path, "/opt/kit/bin/ram.mem");
        EXPECT_EQ(o.skin_path, "/opt/kit/bin/qv4700.cfs");
        EXPECT_EQ(o.external_ram_size, 524288u);
        EXPECT_EQ(o.ide_window, 65600u);
        EXPECT_EQ(o.download_path, "/home/u/my proj/DEBUG/demo.BIN");
        EXPECT_EQ(o.display_name, "Demo");
    }
}

}  // namespace
