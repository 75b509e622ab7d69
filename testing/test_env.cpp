// Linked into every test program: names the build's program folder and the
// source tree in the environment, so tests and the programs they start can
// find the kit's tools and fixtures.
#include <cstdlib>

namespace {

const bool environment_set = [] {
    setenv("KIT_BIN_DIR", KIT_BIN_DIR, 0);
    setenv("KIT_SOURCE_DIR", KIT_SOURCE_DIR, 0);
    return true;
}();

}  // namespace
