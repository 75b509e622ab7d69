#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "tools/mkcsy/csy_writer.h"

namespace mkcsy {
namespace {

std::uint32_t word(const std::string& bytes, std::size_t offset) {
    std::uint32_t value = 0;
    std::memcpy(&value, bytes.data() + offset, 4);
    return value;
}

TEST(CsyWriterTest, LaysOutTablesAndResolvesLabelsUsedBeforeTheirLine) {
    std::string error;
    const std::string bytes = build_csy(R"(
        module /p/main.c
        function 0x4000 0x40FF body     # the scope is defined below
        scope file 3 -
        symbol g 81 int @_g
        scope body 4 file
        symbol x 4 int 2
        type int 4 -
        type ps 7 s
        type s 9 - S
        struct S point 4
        member a int 0
        member b int 2
    )",
                                        &error);
    ASSERT_FALSE(bytes.empty()) << error;
    EXPECT_EQ(word(bytes, 4), 1u);   // modules
    EXPECT_EQ(word(bytes, 20), 3u);  // structure rows: head and two members
    const std::uint32_t ranges = word(bytes, 8);
    EXPECT_EQ(word(bytes, ranges), 1u);  // the function's scope is row 1
    EXPECT_EQ(word(bytes, ranges + 4), 0x4000u);
    const std::uint32_t types = word(bytes, 24);
    EXPECT_EQ(word(bytes, types + 12), 2u);      // ps points at row 2
    EXPECT_EQ(word(bytes, types + 24 + 8), 0u);  // s names struct row 0
    const std::uint32_t scopes = word(bytes, 32);
    EXPECT_EQ(word(bytes, scopes + 16 + 8), 0u);  // body's parent is file
    const std::uint32_t pool = word(bytes, 48);
    const std::uint32_t first_symbol = word(bytes, scopes);
    EXPECT_STREQ(bytes.data() + pool + word(bytes, first_symbol + 12), "_g");
}

TEST(CsyWriterTest, ReportsTheLineOfAMistake) {
    struct Case {
        const char* text;
        const char* error;
    };
    const Case cases[] = {
        {"module a.c\nfrobnicate\n", "line 2: unknown statement 'frobnicate'"},
        {"function 1 2 s\n", "line 1: function before any module"},
        {"scope s 3 -\nsymbol x 4 int 0x1G\n", "line 2: bad number '0x1G'"},
        {"type t 4\n", "line 1: wrong number of fields for 'type'"},
        {"module a.c\nfunction 1 2 nowhere\n", "unknown scope 'nowhere'"},
    };
    for (const Case& c : cases) {
        std::string error;
        EXPECT_TRUE(build_csy(c.text, &error).empty()) << c.text;
        EXPECT_EQ(error, c.error);
    }
}

}  // namespace
}  // namespace mkcsy
