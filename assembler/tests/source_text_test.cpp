// Logical lines, the word readers, keyword lookup and the name rule.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "assembler/keyword_tables.h"
#include "assembler/line_reader.h"
#include "assembler/word_reader.h"

namespace {

using namespace dravlin;

// Every logical line of a text as "status:line number:text".
std::vector<std::string> lines_of(std::string_view text) {
    SourceCursor cursor{text};
    LogicalLine line;
    std::vector<std::string> out;
    for (;;) {
        LineRead read = read_logical_line(cursor, line);
        if (read == LineRead::EndOfText) return out;
        out.push_back((read == LineRead::TooLong ? "long:" : "line:") + std::to_string(cursor.line_number) + ":" +
                      line.text);
    }
}

TEST(AsmLineReader, SplitsJoinsAndLimits) {
    std::string exact(256, 'x');
    std::string over(257, 'y');
    struct Case {
        std::string text;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"", {}},
        {"a\nb", {"line:1:a\n", "line:2:b"}},
        {"a\n\n", {"line:1:a\n", "line:2:\n"}},
        {"lda \\\n#1\nnop\n", {"line:2:lda #1\n", "line:3:nop\n"}},
        // A carriage return between the backslash and the line feed: no join.
        {"a\\\r\nb\n", {"line:1:a\\\r\n", "line:2:b\n"}},
        {exact + "\n" + "z\n", {"line:1:" + exact + "\n", "line:2:z\n"}},
        {exact + "\r\n", {"line:1:" + exact + "\r\n"}},
        {over + "\nz\n", {"long:1:", "line:2:z\n"}},
        {over, {"long:1:"}},
        // The limit counts the joined line.
        {std::string(200, 'a') + "\\\n" + std::string(57, 'b') + "\nz", {"long:2:", "line:3:z"}},
    };
    for (const Case& c : cases) EXPECT_EQ(lines_of(c.text), c.lines) << c.text;
}

TEST(AsmLineReader, RecordsWhereEachLineBegins) {
    SourceCursor cursor{"ab\ncd\n"};
    LogicalLine line;
    read_logical_line(cursor, line);
    EXPECT_EQ(line.start_offset, 0u);
    read_logical_line(cursor, line);
    EXPECT_EQ(line.start_offset, 3u);
}

// Every reader result of a line, words in brackets.
std::string words_of(std::string_view line, WordResult (*reader)(std::string_view, size_t&, std::string&)) {
    size_t pos = 0;
    std::string word, out;
    for (int guard = 0; guard < 20; ++guard) {
        WordResult result = reader(line, pos, word);
        out += std::to_string(result);
        if (result == kWordRead || result == kWordEquals) out += "[" + word + "]";
        out += ' ';
        if (result == kWordEndOfLine || result == kWordEndOfText) break;
    }
    return out;
}

TEST(AsmWordReaders, Results) {
    struct Case {
        const char* line;
        const char* general;
        const char* colon;
        const char* operand;
    };
    const Case cases[] = {
        {"x=5\n", "0[x] 103[=] 0[5] 101 ", "0[x] 103[=] 0[5] 101 ", "0[x=5] 101 "},
        {"  lda #1,x ; c\n", "0[lda] 0[#1] 100 0[x] 101 ", "0[lda] 0[#1] 100 0[x] 101 ", "0[lda #1] 100 0[x] 101 "},
        {"l: nop", "0[l:] 0[nop] 102 ", "0[l] 104 0[nop] 102 ", "0[l: nop] 102 "},
        {"lda #';'\n", "0[lda] 0[#'] 101 ", "0[lda] 0[#'] 101 ", "0[lda #'] 101 "},
        {"a\r\n", "0[a] 101 ", "0[a] 101 ", "0[a] 101 "},
        {"( 10H ), Y\t\n", "0[(] 0[10H] 0[)] 100 0[Y] 101 ", "0[(] 0[10H] 0[)] 100 0[Y] 101 ",
         "0[( 10H )] 100 0[Y] 101 "},
        {"", "102 ", "102 ", "102 "},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(words_of(c.line, read_word), c.general) << c.line;
        EXPECT_EQ(words_of(c.line, read_word_or_colon), c.colon) << c.line;
        EXPECT_EQ(words_of(c.line, read_operand), c.operand) << c.line;
    }
}

TEST(AsmWordReaders, NameRule) {
    for (const char* name : {"a", "_x", "$tmp", "Loop2", "a$b_c"}) EXPECT_TRUE(is_valid_name(name)) << name;
    for (const char* name : {"", "2a", "a.b", "a-b", "a:b", "a b"}) EXPECT_FALSE(is_valid_name(name)) << name;
}

TEST(AsmKeywordTables, MatchInAnyCase) {
    struct Case {
        std::span<const std::string_view> table;
        const char* word;
        int index;
    };
    const Case cases[] = {
        {mnemonics(), "lda", 30},     {mnemonics(), "LDA", 30},      {mnemonics(), "Lda", 30},
        {mnemonics(), "ADC", 1},      {mnemonics(), "tya", 56},      {mnemonics(), "", -1},
        {mnemonics(), "LD", -1},      {mnemonics(), "LDAX", -1},     {directives(), "=", 0},
        {directives(), "struc", 24},  {directives(), "ENDSG", 9},    {data_directives(), "dw", 2},
        {data_directives(), "QW", 3}, {hash_keywords(), "ifdef", 5}, {hash_keywords(), "UNDEF", 12},
        {hash_keywords(), "IFF", -1},
    };
    for (const Case& c : cases) EXPECT_EQ(find_keyword(c.table, c.word), c.index) << c.word;
}

TEST(AsmKeywordTables, EveryEntryIsFoundAtItsIndex) {
    // Guards the sort order the binary search relies on.
    for (auto table : {hash_keywords(), directives(), data_directives(), mnemonics()}) {
        for (size_t i = 0; i < table.size(); ++i) {
            if (table[i].empty()) continue;
            EXPECT_EQ(find_keyword(table, table[i]), static_cast<int>(i)) << table[i];
        }
    }
    EXPECT_EQ(hash_keywords().size(), 13u);
    EXPECT_EQ(directives().size(), 25u);
    EXPECT_EQ(mnemonics().size(), 57u);
}

}  // namespace
