#include <string>
#include <vector>

#include "tools/packer/pack_image.h"

int main(int argc, char** argv) { return packer::run_packer(std::vector<std::string>(argv + 1, argv + argc)); }
