#include <string>
#include <vector>

#include "linker/mossrel.h"

int main(int argc, char** argv) {
    return linker::run_mossrel(std::vector<std::string>(argv + 1, argv + argc), linker::Console::standard());
}
