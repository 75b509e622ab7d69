// mkcsy <description.txt> <output.csy>: writes a C symbol file from a text
// description (see csy_writer.h).
#include <cstdio>

#include "platform/os/file.h"
#include "formats/file_sizes.h"
#include "tools/mkcsy/csy_writer.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: mkcsy <description.txt> <output.csy>\n");
        return 2;
    }
    auto text = os::read_text_file(argv[1], formats::kLargestToolText);
    if (!text) {
        std::fprintf(stderr, "mkcsy: %s\n", text.error().text.c_str());
        return 1;
    }
    std::string error;
    const std::string bytes = mkcsy::build_csy(text.value(), &error);
    if (bytes.empty()) {
        std::fprintf(stderr, "mkcsy: %s: %s\n", argv[1], error.c_str());
        return 1;
    }
    if (auto written = os::write_file(argv[2], bytes); !written) {
        std::fprintf(stderr, "mkcsy: %s\n", written.error().text.c_str());
        return 1;
    }
    return 0;
}
