// Mossrel: entry point; the program grows with its module.
#include <cstdio>

int main() {
    std::fprintf(stderr, "Mossrel: not yet built\n");
    return 1;
}
