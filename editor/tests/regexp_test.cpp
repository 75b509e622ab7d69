// The regular-expression engine: syntax, sets, groups, anchors, compile errors, the
// replace template, and a differential check against std::regex.
#include "editor/regexp.h"

#include <gtest/gtest.h>

#include <random>
#include <regex>

namespace editor {
namespace {

constexpr int kFails = -100;  // the pattern must not compile

struct MatchCase {
    const char* pattern;
    const char* subject;
    int at;  // offset of the match, -1 for none, kFails for a compile error
    int length = 0;
};

TEST(EditorRegExp, ConformanceTable) {
    const MatchCase cases[] = {
        // Literals, runs and quantifiers.
        {"abc", "xxabcx", 2, 3},
        {"ab*", "abbbc", 0, 4},  // the quantifier takes the last byte of the run only
        {"ab+c", "ac abbc", 3, 4},
        {"colou?r", "my color", 3, 5},
        {"a.c", "a\tc", 0, 3},
        {"x*", "abc", 0, 0},  // matches the empty string at the start
        {"b*c", "abbbbc", 1, 5},
        {"(ab)*c", "ababc", 0, 5},  // a group with "*" is built from loop nodes
        {"(ab)+", "xabab", 1, 4},
        {"(a|bc)+d", "bcabcd", 0, 6},
        // Alternatives: the earliest match in the subject wins, then the first branch.
        {"cat|dog", "hotdog cat", 3, 3},
        {"a|ab", "ab", 0, 1},
        {"|a", "a", 0, 0},
        // Sets.
        {"[abc]+", "xxbcaz", 2, 3},
        {"[a-c]x", "dx cx", 3, 2},
        {"[^a-c]", "abcd", 3, 1},
        {"[]a]+", "x]a]", 1, 3},  // "]" first is literal
        {"[a-]+", "b-a-", 1, 3},  // "-" last is literal
        {"[-a]", "b-", 1, 1},
        {"[^]]", "]]x", 2, 1},
        // Anchors.
        {"^ab", "ab ab", 0, 2},
        {"^ab", "xab", -1},
        {"ab$", "ab ab", 3, 2},
        {"^$", "", 0, 0},
        {"a^b", "ab", -1},
        // Escapes.
        {"a\\.b", "axb a.b", 4, 3},
        {"\\*", "2*3", 1, 1},
        {"\\\\", "a\\b", 1, 1},
        // Groups: nine compile, ten do not.
        {"(a)(b)(c)(d)(e)(f)(g)(h)(i)", "abcdefghi", 0, 9},
        {"(a)(b)(c)(d)(e)(f)(g)(h)(i)(j)", "abcdefghij", kFails},
        // Compile errors.
        {"a**", "", kFails},
        {"a+?", "", kFails},
        {"(a*)*", "", kFails},  // "*" on something that can match nothing
        {"(a|)+", "", kFails},
        {"^*", "", kFails},
        {"(ab", "", kFails},
        {"ab)", "", kFails},
        {"[ab", "", kFails},
        {"[z-a]", "", kFails},  // reversed range
        {"ab\\", "", kFails},
        {"*a", "", kFails},
        {"a|*", "", kFails},
        {"(?)", "", kFails},
        // Where this dialect parts from ECMAScript.
        {"a{2}", "aa a{2}", 3, 4},  // braces are ordinary bytes
        {"x{,}", "x{,}", 0, 4},
        {"\\d", "5d", 1, 1},  // a backslash before any byte is that byte
        {"\\n", "\nn", 1, 1},
        {"(a)\\1", "aa a1", 3, 2},  // no back-references
        {"[\\]]", "a]\\]", 2, 2},   // a backslash in a set is itself; the set ends at the first "]"
        {"[\\d]+", "5d\\", 1, 2},
        {"[]]", "a]", 1, 1},
        {"a.b", "a\rb", 0, 3},  // "." takes CR and LF as well
        {"a.b", "a\nb", 0, 3},
        {"a??", "", kFails},  // no lazy quantifiers
        {"a*?", "", kFails},
        {"(a?)*", "", kFails},  // no loops over what can match nothing
        {"(a*)+", "", kFails},
        {"(a*)?", "b", 0, 0},   // but it may be optional
        {"(?:a)", "", kFails},  // no special groups
        {"(?=a)", "", kFails},
        {"[[:digit:]]", "5 d]", 2, 2},  // no named classes: "[[:digit:]" is a set, then "]"
    };
    for (const MatchCase& c : cases) {
        RegExp regexp;
        if (c.at == kFails) {
            EXPECT_EQ(regexp.Compile(c.pattern), nullptr) << c.pattern;
            EXPECT_EQ(regexp.Find("anything"), RegExp::kNoMatch) << c.pattern;
            continue;
        }
        ASSERT_EQ(regexp.Compile(c.pattern), &regexp) << c.pattern;
        EXPECT_EQ(regexp.Find(c.subject), c.at) << c.pattern << " in " << c.subject;
        if (c.at >= 0) {
            EXPECT_EQ(regexp.GetMatchLength(), c.length) << c.pattern << " in " << c.subject;
        }
    }
    RegExp regexp;
    EXPECT_EQ(regexp.Compile(nullptr), nullptr);
}

TEST(EditorRegExp, StartOffsetKeepsAnchorsOnTheLine) {
    RegExp regexp;
    ASSERT_TRUE(regexp.Compile("^a"));
    EXPECT_EQ(regexp.Find("aaa", 1), RegExp::kNoMatch);  // "^" is the line start, not the offset
    ASSERT_TRUE(regexp.Compile("a$"));
    EXPECT_EQ(regexp.Find("aaa", 1), 2);
    ASSERT_TRUE(regexp.Compile("b"));
    EXPECT_EQ(regexp.Find("abab", 2), 3);
    EXPECT_EQ(regexp.Find("abab", 5), RegExp::kNoMatch);
}

TEST(EditorRegExp, GroupsAndReplaceTemplate) {
    RegExp regexp;
    ASSERT_TRUE(regexp.Compile("(a+)(b*)(x)?c"));
    ASSERT_EQ(regexp.Find("zzaabc"), 2);
    EXPECT_EQ(regexp.GroupStart(1), 2);
    EXPECT_EQ(regexp.GroupEnd(1), 4);
    EXPECT_EQ(regexp.GroupStart(3), -1);
    struct Case {
        const char* replace_template;
        const char* expanded;
    } cases[] = {
        {"[&]", "[aabc]"},  {"\\2\\1", "baa"}, {"\\3\\9.", "."},  // unset groups add nothing
        {"\\&\\\\", "&\\"}, {"\\n", "\\n"},                       // any other escaped byte stays with its backslash
        {"end\\", "end\\"},
    };
    for (const Case& c : cases) EXPECT_EQ(regexp.GetReplaceString(c.replace_template, "zzaabc"), c.expanded);
    // The replacement takes its text from the subject it is given (an original-case line).
    EXPECT_EQ(regexp.GetReplaceString("&", "ZZAABC"), "AABC");
    EXPECT_EQ(regexp.Find("nothing"), RegExp::kNoMatch);
    EXPECT_EQ(regexp.GetReplaceString("&", "nothing"), std::nullopt);
}

// A group inside a loop keeps the value of the last turn that set it, also when the last
// turn took another branch (ECMAScript would leave it unset).
TEST(EditorRegExp, CapturesAreNotResetInsideLoops) {
    struct Case {
        const char* pattern;
        const char* subject;
        int group, start, end;
    } cases[] = {
        {"((a)|b)+", "ab", 2, 0, 1},
        {"((a)|b)+", "ab", 1, 1, 2},
        {"(a|(b))+", "bba", 2, 1, 2},
        {"(x(y)?)+", "xyx", 2, 1, 2},
    };
    for (const Case& c : cases) {
        RegExp regexp;
        ASSERT_TRUE(regexp.Compile(c.pattern)) << c.pattern;
        ASSERT_EQ(regexp.Find(c.subject), 0) << c.pattern;
        EXPECT_EQ(regexp.GroupStart(c.group), c.start) << c.pattern << " group " << c.group;
        EXPECT_EQ(regexp.GroupEnd(c.group), c.end) << c.pattern << " group " << c.group;
    }
}

// The end given to Find cuts the input; "$" is still only the subject's own end.
TEST(EditorRegExp, EndOfInputBeforeTheSubjectsEnd) {
    struct Case {
        const char* pattern;
        const char* subject;
        int start, end;
        int at, length;
    } cases[] = {
        {"a+", "xx aaaa", 0, 5, 3, 2},    {"a+", "xx aaaa", 4, 5, 4, 1},   {"a+", "xx aaaa", 5, 5, -1, 0},
        {"aaa", "xx aaaa", 0, 5, -1, 0},  {"a$", "xx aaaa", 0, 5, -1, 0},  {"a$", "xx aaaa", 0, 7, 6, 1},
        {"x*$", "xx", 0, 1, -1, 0},       {"(a|aa)b", "aab", 0, 2, -1, 0}, {"a*", "aaa", 1, 2, 1, 1},
        {"[^x]", "xx aaaa", 3, 3, -1, 0},
    };
    for (const Case& c : cases) {
        RegExp regexp;
        ASSERT_TRUE(regexp.Compile(c.pattern)) << c.pattern;
        EXPECT_EQ(regexp.Find(c.subject, c.start, c.end), c.at) << c.pattern << " in " << c.subject;
        if (c.at >= 0) {
            EXPECT_EQ(regexp.GetMatchLength(), c.length) << c.pattern << " in " << c.subject;
        }
    }
}

TEST(EditorRegExp, RunawayBacktrackingStopsWithAnError) {
    RegExp regexp;
    ASSERT_TRUE(regexp.Compile("(a|aa)+(b|c)+d"));
    EXPECT_EQ(regexp.Find(std::string(60, 'a') + "bcbc"), RegExp::kTooComplex);
    // A long line does not exhaust the stack.
    ASSERT_TRUE(regexp.Compile("(ab)*c"));
    std::string long_line;
    for (int i = 0; i < 8000; ++i) long_line += "ab";
    EXPECT_EQ(regexp.Find(long_line + "c"), 0);
    EXPECT_EQ(regexp.GetMatchLength(), 16001);
}

TEST(EditorRegExp, ProgramsOverTheOffsetLimitDoNotCompile) {
    RegExp regexp;
    std::string pattern;
    for (int i = 0; i < 16000; ++i) pattern += "a|";
    pattern += "b";
    EXPECT_EQ(regexp.Compile(pattern.c_str()), nullptr);
    EXPECT_TRUE(regexp.Compile(std::string(1000, 'x').c_str()));
}

// Random patterns written both in this engine's syntax and in ECMAScript.
class PatternMaker {
public:
    explicit PatternMaker(unsigned seed) : random_(seed) {}

    void Make(std::string& ours, std::string& ecma) {
        ours.clear();
        ecma.clear();
        Alternation(ours, ecma, 0);
    }

private:
    int Pick(int bound) { return static_cast<int>(random_() % static_cast<unsigned>(bound)); }
    char Letter() { return "abc"[Pick(3)]; }

    void Alternation(std::string& ours, std::string& ecma, int depth) {
        int branches = Pick(4) == 0 ? 2 : 1;
        for (int b = 0; b < branches; ++b) {
            if (b) {
                ours += '|';
                ecma += '|';
            }
            int pieces = 1 + Pick(3);
            for (int p = 0; p < pieces; ++p) Piece(ours, ecma, depth);
        }
    }

    void Piece(std::string& ours, std::string& ecma, int depth) {
        switch (Pick(12)) {
            case 0:
                ours += '.';
                ecma += '.';
                break;
            case 1: Set(ours, ecma); break;
            case 2:
                if (depth < 2) {
                    ours += '(';
                    ecma += '(';
                    Alternation(ours, ecma, depth + 1);
                    ours += ')';
                    ecma += ')';
                } else {
                    ours += 'a';
                    ecma += 'a';
                }
                break;
            case 3: {
                const char anchor = Pick(2) ? '^' : '$';
                ours += anchor;
                ecma += anchor;
                return;  // no quantifier on an anchor
            }
            case 4:
                ours += "\\.";
                ecma += "\\.";
                break;
            default: {
                char letter = Letter();
                ours += letter;
                ecma += letter;
            }
        }
        if (Pick(3) == 0) {
            char quantifier = "*+?"[Pick(3)];
            ours += quantifier;
            ecma += quantifier;
        }
    }

    void Set(std::string& ours, std::string& ecma) {
        ours += '[';
        ecma += '[';
        if (Pick(3) == 0) {
            ours += '^';
            ecma += '^';
        }
        if (Pick(4) == 0) {
            ours += ']';
            ecma += "\\]";
        }
        int members = 1 + Pick(2);
        for (int m = 0; m < members; ++m) {
            if (Pick(3) == 0) {
                ours += "a-b";
                ecma += "a-b";
            } else {
                char letter = Letter();
                ours += letter;
                ecma += letter;
            }
        }
        if (Pick(5) == 0) {
            ours += '-';
            ecma += '-';
        }
        ours += ']';
        ecma += ']';
    }

    std::mt19937 random_;
};

TEST(EditorRegExp, AgreesWithStdRegexOnRandomPatterns) {
    PatternMaker maker(1210);
    std::mt19937 random(99);
    int compared = 0;
    for (int round = 0; round < 3000; ++round) {
        std::string ours, ecma;
        maker.Make(ours, ecma);
        RegExp regexp;
        if (!regexp.Compile(ours.c_str())) continue;  // ours refuses loops over nothing
        std::regex reference;
        try {
            reference.assign(ecma, std::regex::ECMAScript);
        } catch (const std::regex_error& error) {
            FAIL() << "std::regex refuses " << ecma << " (ours: " << ours << "): " << error.what();
        }
        for (int s = 0; s < 8; ++s) {
            std::string subject;
            int length = static_cast<int>(random() % 9);
            for (int i = 0; i < length; ++i) subject += "abc."[random() % 4];
            std::smatch expected;
            bool found = std::regex_search(subject, expected, reference);
            int at = regexp.Find(subject);
            ASSERT_EQ(at, found ? static_cast<int>(expected.position(0)) : -1)
                << "pattern " << ours << " subject '" << subject << "'";
            if (found) {
                ASSERT_EQ(regexp.GetMatchLength(), static_cast<int>(expected.length(0)))
                    << "pattern " << ours << " subject '" << subject << "'";
            }
            ++compared;
        }
    }
    EXPECT_GT(compared, 10000);
}

}  // namespace
}  // namespace editor
