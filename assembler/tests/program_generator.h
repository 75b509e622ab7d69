#pragma once
// A generated program of ordinary code, for runs at the scale of a large
// project: routines in blocks of 20 lines (a label each, constants, macro
// calls with and without LOCAL labels, tables of bytes and addresses, calls
// within a bank and procedures called from the next bank), one bank of code
// per module. The same program comes as one source per bank and as one
// source for every bank, so that both can be linked and compared.
#include <string>
#include <vector>

namespace dravlin_test {

struct GeneratedProgram {
    // Module k holds bank k + 1 and declares the procedures of other banks
    // it calls as EXTERN; module 0 holds "main".
    std::vector<std::string> modules;
    // Every module's code in one source, in module order; the EXTERN lines
    // are comments there. Exactly `modules` x `lines_per_module` lines.
    std::string whole;
    // "reset" (which calls "main") and "farcall", in bank 0.
    std::string startup;
};

// `modules` >= 2 sources of `lines_per_module` lines each (at least 100).
// A module of up to 25,000 lines fits its bank.
GeneratedProgram generate_program(int modules, int lines_per_module);

}  // namespace dravlin_test
