#pragma once
// Generated modules of ordinary code for timing Dravlin against Debian's
// 64tass: the same program in both syntaxes, with instructions in every
// addressing mode, macro calls (with a LOCAL label), a structure type and
// structure variables, data tables, and conditional blocks. Each module holds
// two banks of code at 4000H, one after the other in 64tass's output.
#include <string>

namespace dravlin_bench {

struct GeneratedModule {
    std::string dravlin;  // exactly the lines asked for
    std::string tass;     // the same code bytes in 64tass's syntax
};

// Module `index` of `lines` lines (at least 200, at most 25,000: each bank
// then stays within its 32 KB).
GeneratedModule generate_module(int index, int lines);

}  // namespace dravlin_bench
