#pragma once
// Generated sources for the assembler benchmarks, within the assembler's
// capacities: many include files, thousands of macro calls with LOCAL
// labels, thousands of symbols; and the same instructions written out plainly
// in Dravlin's syntax and in 64tass's, for a side-by-side run.
#include <filesystem>
#include <string>

namespace dravlin_bench {

struct GeneratedSources {
    std::string macro_main;     // the main source with its includes and macro calls
    std::string plain_dravlin;  // the same instructions, no macros or includes
    std::string plain_64tass;   // and in 64tass's syntax
    long macro_lines = 0;       // logical lines one pass reads, expansions included
    long plain_lines = 0;
};

// Writes the include files into `folder` and returns the texts.
GeneratedSources generate_sources(const std::filesystem::path& folder);

}  // namespace dravlin_bench
