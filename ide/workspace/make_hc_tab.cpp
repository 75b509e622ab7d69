// Writes the code table "hc.tab" that ships beside the IDE: one line per
// GB2312 character, its two bytes followed by its BIG5 code. The C library's
// direct GB2312 to BIG5 conversion is used, not a round trip through Unicode,
// which has no BIG5 code for the simplified characters.
#include <iconv.h>

#include <cstdio>
#include <string>

#include "platform/os/file.h"

namespace {

// The BIG5 code of one GB2312 character, or an empty text when it has none.
std::string ToBig5(iconv_t converter, unsigned char lead, unsigned char trail) {
    char in[2] = {static_cast<char>(lead), static_cast<char>(trail)};
    char out[8];
    char* in_at = in;
    char* out_at = out;
    std::size_t in_left = sizeof in, out_left = sizeof out;
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
    if (iconv(converter, &in_at, &in_left, &out_at, &out_left) == static_cast<std::size_t>(-1)) return {};
    const std::string code(out, static_cast<std::size_t>(out_at - out));
    if (code.size() != 2 || static_cast<unsigned char>(code[0]) < 0xA1) return {};
    return code;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_hc_tab <output file>\n");
        return 2;
    }
    const iconv_t converter = iconv_open("BIG5//", "EUC-CN//");
    if (converter == reinterpret_cast<iconv_t>(-1)) {
        std::perror("make_hc_tab: no direct GB2312 to BIG5 conversion");
        return 1;
    }
    std::string table = "# GB2312 to BIG5: two bytes of GB2312, then the BIG5 code\n";
    int count = 0;
    for (unsigned lead = 0xA1; lead <= 0xF7; ++lead) {
        for (unsigned trail = 0xA1; trail <= 0xFE; ++trail) {
            const std::string big5 =
                ToBig5(converter, static_cast<unsigned char>(lead), static_cast<unsigned char>(trail));
            if (big5.empty()) continue;
            table += static_cast<char>(lead);
            table += static_cast<char>(trail);
            table += big5 + "\n";
            ++count;
        }
    }
    iconv_close(converter);
    if (count == 0) {
        std::fprintf(stderr, "make_hc_tab: the conversion gave no character\n");
        return 1;
    }
    if (const os::Status written = os::write_file(argv[1], table); !written) {
        std::fprintf(stderr, "make_hc_tab: %s\n", written.error().text.c_str());
        return 1;
    }
    return 0;
}
