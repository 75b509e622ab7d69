// The code page of text bytes, and which bytes lead a double-byte character.
#include <iconv.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/gdi/code_page.h"
#include "platform/gdi/surface_dc.h"

namespace gdi {

namespace {

struct Table {
    std::string name;
    std::array<bool, 256> lead{};
};

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

// Tables are never freed, so readers take no lock; a program changes its
// code page a handful of times at most.
std::mutex g_mutex;
std::vector<std::unique_ptr<Table>> g_tables;
std::atomic<const Table*> g_current{nullptr};

const Table* publish(std::unique_ptr<Table> table) {
    const Table* t = table.get();
    g_tables.push_back(std::move(table));
    g_current.store(t, std::memory_order_release);
    return t;
}

const Table& current() {
    if (const Table* t = g_current.load(std::memory_order_acquire)) return *t;
    std::lock_guard lock(g_mutex);
    if (const Table* t = g_current.load(std::memory_order_acquire)) return *t;
    auto table = std::make_unique<Table>();
    table->name = "GBK";
    load_lead_bytes(table->name, table->lead);  // without iconv's GBK every byte stands alone
    return *publish(std::move(table));
}

}  // namespace

bool set_code_page(const std::string& iconv_name) {
    auto table = std::make_unique<Table>();
    table->name = iconv_name;
    if (!load_lead_bytes(iconv_name, table->lead)) return false;
    std::lock_guard lock(g_mutex);
    publish(std::move(table));
    return true;
}

bool is_lead_byte(BYTE byte) { return current().lead[byte]; }

const std::array<bool, 256>& lead_bytes() { return current().lead; }

char32_t to_unicode(std::uint32_t code) {
    if (code < 0x80) return static_cast<char32_t>(code);
    iconv_t cd = iconv_open("UTF-32LE", current().name.c_str());
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

std::string to_utf8(std::string_view text) {
    std::string utf8;
    for_each_character(text, [&utf8](std::uint32_t code) {
        const char32_t c = to_unicode(code);
        if (c < 0x80) {
            utf8 += char(c);
        } else if (c < 0x800) {
            utf8 += char(0xC0 | c >> 6);
            utf8 += char(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            utf8 += char(0xE0 | c >> 12);
            utf8 += char(0x80 | (c >> 6 & 0x3F));
            utf8 += char(0x80 | (c & 0x3F));
        } else {
            utf8 += char(0xF0 | c >> 18);
            utf8 += char(0x80 | (c >> 12 & 0x3F));
            utf8 += char(0x80 | (c >> 6 & 0x3F));
            utf8 += char(0x80 | (c & 0x3F));
        }
    });
    return utf8;
}

}  // namespace gdi
