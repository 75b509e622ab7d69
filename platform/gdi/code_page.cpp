// The code page of text bytes, and which bytes lead a double-byte character.
#include <iconv.h>

#include <array>
#include <cerrno>
#include <string>
#include <vector>
#include <mutex>

#include "platform/gdi/code_page.h"
#include "platform/gdi/surface_dc.h"

namespace gdi {

namespace {

struct CodePage {
    std::mutex mutex;
    std::string name = "GBK";
    std::array<bool, 256> lead{};
    bool loaded = false;
};

CodePage& code_page() {
    static CodePage instance;
    return instance;
}

// A byte leads a character when iconv finds it incomplete on its own.
bool load_lead_bytes(const std::string& name, std::array<bool, 256>& lead) {
    iconv_t cd = iconv_open("UTF-32LE", name.c_str());
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    for (int b = 0; b < 256; ++b) {
        char in[1] = {static_cast<char>(b)};
        char out[8];
        char* inp = in;
        char* outp = out;
        std::size_t in_left = 1, out_left = sizeof out;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        const std::size_t r = iconv(cd, &inp, &in_left, &outp, &out_left);
        lead[b] = r == static_cast<std::size_t>(-1) && errno == EINVAL;
    }
    iconv_close(cd);
    return true;
}

CodePage& loaded_code_page() {
    CodePage& cp = code_page();
    if (!cp.loaded) {
        load_lead_bytes(cp.name, cp.lead);
        cp.loaded = true;
    }
    return cp;
}

}  // namespace

bool set_code_page(const std::string& iconv_name) {
    std::array<bool, 256> lead{};
    if (!load_lead_bytes(iconv_name, lead)) return false;
    CodePage& cp = code_page();
    std::lock_guard lock(cp.mutex);
    cp.name = iconv_name;
    cp.lead = lead;
    cp.loaded = true;
    return true;
}

bool is_lead_byte(BYTE byte) {
    CodePage& cp = code_page();
    std::lock_guard lock(cp.mutex);
    return loaded_code_page().lead[byte];
}

std::vector<std::uint32_t> split_characters(std::string_view text) {
    CodePage& cp = code_page();
    std::lock_guard lock(cp.mutex);
    const auto& lead = loaded_code_page().lead;
    std::vector<std::uint32_t> codes;
    codes.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto b = static_cast<BYTE>(text[i]);
        if (lead[b] && i + 1 < text.size()) {
            codes.push_back(std::uint32_t{b} << 8 | static_cast<BYTE>(text[++i]));
        } else {
            codes.push_back(b);
        }
    }
    return codes;
}

char32_t to_unicode(std::uint32_t code) {
    if (code < 0x80) return static_cast<char32_t>(code);
    std::string name;
    {
        CodePage& cp = code_page();
        std::lock_guard lock(cp.mutex);
        name = cp.name;
    }
    iconv_t cd = iconv_open("UTF-32LE", name.c_str());
    if (cd == reinterpret_cast<iconv_t>(-1)) return U'?';
    char in[2];
    std::size_t in_left = 0;
    if (code > 0xFF) in[in_left++] = static_cast<char>(code >> 8);
    in[in_left++] = static_cast<char>(code & 0xFF);
    unsigned char out[4] = {};
    char* inp = in;
    char* outp = reinterpret_cast<char*>(out);
    std::size_t out_left = sizeof out;
    const std::size_t r = iconv(cd, &inp, &in_left, &outp, &out_left);
    iconv_close(cd);
    if (r == static_cast<std::size_t>(-1) || out_left != 0) return U'?';
    return static_cast<char32_t>(out[0] | out[1] << 8 | out[2] << 16 | out[3] << 24);
}

}  // namespace gdi
