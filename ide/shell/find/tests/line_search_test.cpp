// The scan of one file: which lines hold the string and their numbers.
#include "ide/shell/find/line_search.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace ide {
namespace {

using Hits = std::vector<std::pair<int, std::string>>;

Hits Scan(std::string_view data, FindQuery query) {
    LineSearcher searcher(query);
    Hits hits;
    searcher.Scan(data, [&](int line, std::string_view text) { hits.emplace_back(line, std::string(text)); });
    return hits;
}

TEST(LineSearch, NumbersLinesAcrossEveryKindOfLineEnd) {
    // LF, CR LF (one end), a lone CR, and an empty line between.
    const std::string data = "x1\nx2\r\nx3\rx4\n\nx6";
    EXPECT_EQ(Scan(data, {"x", true, false}), (Hits{{1, "x1"}, {2, "x2"}, {3, "x3"}, {4, "x4"}, {6, "x6"}}));
    EXPECT_EQ(Scan("\r\n\r\n\rhit\r\n", {"hit", true, false}), (Hits{{4, "hit"}}));
}

TEST(LineSearch, OneResultPerLineHoweverManyOccurrences) {
    EXPECT_EQ(Scan("lda lda lda\nnop\nlda", {"lda", true, false}), (Hits{{1, "lda lda lda"}, {3, "lda"}}));
}

TEST(LineSearch, CaseFoldsOnlyAsciiLetters) {
    struct Case {
        const char* data;
        FindQuery query;
        bool found;
    };
    const Case cases[] = {
        {"  lda #1", {"LDA", false, false}, true},
        {"  lda #1", {"LDA", true, false}, false},
        {"  LDA #1", {"LDA", true, false}, true},
        {"\xE9t\xE9", {"\xC9T\xC9", false, false}, false},  // bytes from 128 up match only themselves
        {"\xE9t\xE9", {"\xE9T\xE9", false, false}, true},
        {"[\\]", {"{|}", false, false}, false},  // only a-z fold
    };
    for (const Case& c : cases) EXPECT_EQ(!Scan(c.data, c.query).empty(), c.found) << c.data << " / " << c.query.text;
}

TEST(LineSearch, WholeWordSkipsOccurrencesInsideWordsButKeepsLaterOnes) {
    const std::string data =
        "ldax\n"         // 1: only inside a word
        "xlda lda\n"     // 2: the second one stands alone
        "_lda lda_\n"    // 3: '_' belongs to words
        "(lda)\n"        // 4: punctuation ends words
        "lda\n"          // 5: the whole line
        "LDA9 lda2 \n";  // 6: digits belong to words
    EXPECT_EQ(Scan(data, {"lda", true, true}), (Hits{{2, "xlda lda"}, {4, "(lda)"}, {5, "lda"}}));
    EXPECT_EQ(Scan(data, {"lda", false, false}).size(), 6u);
    // A string that begins or ends with a non-word character needs no boundary there.
    EXPECT_EQ(Scan("a=#1\nb#1", {"#1", true, true}), (Hits{{1, "a=#1"}, {2, "b#1"}}));
}

TEST(LineSearch, NeverMatchesAcrossALineEnd) {
    EXPECT_TRUE(Scan("ab\ncd", {"b\nc", true, false}).empty());
    EXPECT_TRUE(Scan("ab\ncd", {"", true, false}).empty());
}

TEST(LineSearch, StopsAtTheLimitOfResultsForOneFile) {
    std::string data;
    for (int i = 0; i < kMaxHitsPerFile + 10; ++i) data += "hit\n";
    const Hits hits = Scan(data, {"hit", true, false});
    ASSERT_EQ(hits.size(), std::size_t(kMaxHitsPerFile));
    EXPECT_EQ(hits.back().first, kMaxHitsPerFile);
}

TEST(LineSearch, ZeroByteMarksABinaryFile) {
    EXPECT_TRUE(LineSearcher::LooksBinary(std::string_view("text\0more", 9)));
    EXPECT_FALSE(LineSearcher::LooksBinary("text\t\x7F\xFF"));
}

}  // namespace
}  // namespace ide
