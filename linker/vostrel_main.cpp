#include <string>
#include <vector>

#include "linker/vostrel.h"

int main(int argc, char** argv) {
    return linker::run_vostrel(std::vector<std::string>(argv + 1, argv + argc), linker::Console::standard());
}
