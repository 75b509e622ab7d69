// Corvel: entry point; the program grows with its module.
#include <cstdio>

int main() {
    std::fprintf(stderr, "Corvel: not yet built\n");
    return 1;
}
