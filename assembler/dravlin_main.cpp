// Dravlin: the 6502 macro assembler.
#include <string>
#include <vector>

#include "assembler/driver.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    return dravlin::assemble(args);
}
