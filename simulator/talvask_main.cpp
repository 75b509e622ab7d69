// Talvask: the device simulator. Until its window exists it runs as a console
// program that checks the command line and loads and writes back the files.
#include <iostream>
#include <string>
#include <vector>

#include "platform/os/module.h"
#include "simulator/sim_startup.h"

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    return sim::run_console_session(arguments, os::module_directory(), sim::remembered_skin_name(), std::cerr);
}
